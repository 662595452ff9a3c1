#pragma once

#include "base/UniqueResource.h"

#include <windows.h>

#include <string>
#include <vector>

namespace ostrel::test {

// The processes of program `exeName` (no folder) that process `parent`
// started, as a Toolhelp snapshot lists them now.
std::vector<DWORD> ChildProcessIds(DWORD parent, const std::string& exeName);
bool ProcessListed(DWORD id);

// A process of program `exeName` that `parent` started and one that it
// started in turn, opened as soon as both are listed; none when that does
// not happen within `milliseconds`. Held by handle while they run, their
// ids cannot pass to other processes before they are looked up.
std::vector<UniqueHandle> OpenChildAndGrandchild(DWORD parent, const std::string& exeName, int milliseconds);

// Waits until every process of program `exeName` that this process started
// has ended, each through its own handle: a scanner the plug-in stopped
// waiting for may still hold its files.
bool WaitForChildProcesses(const std::string& exeName, DWORD milliseconds);

}  // namespace ostrel::test
