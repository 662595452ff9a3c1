#pragma once

#include <windows.h>

#include <cstdio>

namespace ostrel::bench {

// Says which host this is and how its figures are to be read. The build
// sets OSTREL_GUI_HOST for the GUI program.
inline void PrintHost()
{
    DWORD_PTR process = 0, system = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &process, &system);
    const bool pinned = (process & (process - 1)) == 0;
    const bool console = GetConsoleWindow() != nullptr;
    std::printf("Host: %s; %s.\n%s\n", OSTREL_GUI_HOST ? "a GUI program, as the mail client" : "a console program",
                console ? "its console children share its console"
                        : "it has no console, so each console child gets a console host of its own",
                pinned ? "Pinned to one CPU: medians and per-pair ratios both hold."
                       : "Not pinned to one CPU: read the per-pair ratios (N >= 100), not the medians.");
}

}  // namespace ostrel::bench
