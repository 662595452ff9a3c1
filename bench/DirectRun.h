#pragma once

#include <windows.h>

#include <string>

namespace ostrel::bench {

// The plug-in's way to start its scanner, for the other side of each
// comparison: normal priority, hidden window, piped input and output.
constexpr DWORD PluginFlags = NORMAL_PRIORITY_CLASS;

// Starts a program as the plug-in starts its scanner (`flags` are its
// creation flags) and waits for it as the plug-in does: until the process
// has ended and the pipe holds nothing more. Waiting until the pipe breaks
// instead would also wait for a console host that holds the pipe. Reads and
// drops the output; answers the exit code.
DWORD RunDirectly(const std::string& application, const std::string& commandLine, DWORD flags = PluginFlags);

}  // namespace ostrel::bench
