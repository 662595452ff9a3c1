#include "ProcessList.h"

#include "base/UniqueResource.h"

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
