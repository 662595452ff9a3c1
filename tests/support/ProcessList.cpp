#include "ProcessList.h"

#include "support/DialogWindows.h"

#include <tlhelp32.h>

namespace ostrel::test {

namespace {

std::vector<PROCESSENTRY32> Snapshot()
{
    std::vector<PROCESSENTRY32> processes;
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (bool more = snapshot && Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        processes.push_back(entry);
    }
    return processes;
}

}  // namespace

std::vector<DWORD> ChildProcessIds(DWORD parent, const std::string& exeName)
{
    std::vector<DWORD> ids;
    for (const PROCESSENTRY32& process : Snapshot()) {
        if (process.th32ParentProcessID == parent && lstrcmpiA(process.szExeFile, exeName.c_str()) == 0) {
            ids.push_back(process.th32ProcessID);
        }
    }
    return ids;
}

bool ProcessListed(DWORD id)
{
    for (const PROCESSENTRY32& process : Snapshot()) {
        if (process.th32ProcessID == id) {
            return true;
        }
    }
    return false;
}

std::vector<UniqueHandle> OpenChildAndGrandchild(DWORD parent, const std::string& exeName, int milliseconds)
{
    std::vector<UniqueHandle> tree;
    WaitUntil(
        [&] {
            for (DWORD childId : ChildProcessIds(parent, exeName)) {
                for (DWORD grandchildId : ChildProcessIds(childId, exeName)) {
                    const DWORD access = SYNCHRONIZE | PROCESS_QUERY_INFORMATION;
                    tree.emplace_back(OpenProcess(access, FALSE, childId));
                    tree.emplace_back(OpenProcess(access, FALSE, grandchildId));
                    return true;
                }
            }
            return false;
        },
        milliseconds);
    return tree;
}

bool WaitForChildProcesses(const std::string& exeName, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (DWORD id : ChildProcessIds(GetCurrentProcessId(), exeName)) {
        UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
        const DWORD elapsed = GetTickCount() - start;
        if (process && (elapsed > milliseconds ||
                        WaitForSingleObject(process.get(), milliseconds - elapsed) != WAIT_OBJECT_0)) {
            return false;
        }
    }
    return true;
}

}  // namespace ostrel::test
