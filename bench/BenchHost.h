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
    std::printf("Host: %s.\n%s\n",
                OSTREL_GUI_HOST ? "a GUI program, as the mail client: each console child gets a console host of its own"
                                : "a console program: its console children get no console host of their own",
                pinned ? "Pinned to one CPU: medians and per-pair ratios both hold."
                       : "Not pinned to one CPU: read the per-pair ratios (N >= 100), not the medians.");
}

}  // namespace ostrel::bench
