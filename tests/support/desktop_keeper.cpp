// desktop_keeper: holds Wine's desktop open while programs keep starting in
// this prefix. Wine ends its desktop process about a second after the last
// program with a window connection ends, and the next such program starts
// it again: it then waits for it (about a second), and the new desktop
// inherits that program's output, so whoever reads that output (CTest)
// waits for the desktop's lingering second too. wine-run starts one keeper
// per prefix; it ends once no new process has appeared for a minute, after
// which the Wine server ends as it would have.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kIdleLimitMilliseconds = 60000;
constexpr DWORD kPollMilliseconds = 1000;

std::vector<DWORD> ProcessIds()
{
    std::vector<DWORD> ids;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return ids;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    std::sort(ids.begin(), ids.end());
    return ids;
}

}  // namespace

int main()
{
    // Connects this process to the desktop, which is what keeps it open.
    GetDesktopWindow();
    std::vector<DWORD> seen = ProcessIds();
    DWORD idleSince = GetTickCount();
    while (GetTickCount() - idleSince < kIdleLimitMilliseconds) {
        Sleep(kPollMilliseconds);
        const std::vector<DWORD> now = ProcessIds();
        if (!std::includes(seen.begin(), seen.end(), now.begin(), now.end())) {
            idleSince = GetTickCount();
        }
        seen = now;
    }
    return 0;
}
