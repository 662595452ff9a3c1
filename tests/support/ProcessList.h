#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ostrel::test {

// The processes of program `exeName` (no folder) that process `parent`
// started, as a Toolhelp snapshot lists them now.
std::vector<DWORD> ChildProcessIds(DWORD parent, const std::string& exeName);
bool ProcessListed(DWORD id);

// Waits until every process of program `exeName` that this process started
// has ended, each through its own handle: a scanner the plug-in stopped
// waiting for may still hold its files.
bool WaitForChildProcesses(const std::string& exeName, DWORD milliseconds);

}  // namespace ostrel::test
