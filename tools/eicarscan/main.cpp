// eicarscan: a console test scanner to point the plug-in at. It finds only the
// EICAR anti-virus test string, prints its report in the form the plug-in
// reads and, with -e, removes the string from the file.
#include "EicarScan.h"
#include "base/UniqueResource.h"
#include "base/WinError.h"
#include "common/ConsoleOutput.h"

#include <windows.h>

#include <cstring>
#include <exception>
#include <string>

namespace {

using namespace ostrel::eicarscan;

constexpr int kClean = 0, kFound = 1, kFailed = 2;

using ostrel::PrintReport;

bool ReadAll(const std::string& path, std::string& data, std::string& failure, bool german)
{
    const ostrel::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        failure = FailureLine(Failure::open, path, ostrel::SystemErrorMessage(GetLastError(), path), german);
        return false;
    }
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            failure = FailureLine(Failure::read, path, ostrel::SystemErrorMessage(GetLastError(), path), german);
            return false;
        }
        if (got == 0) {
            return true;
        }
        data.append(buffer, got);
    }
}

// Rewrites the existing file in place, which keeps its attributes and
// security; a new file would get default ones.
bool Rewrite(const std::string& path, const std::string& data, std::string& failure, bool german)
{
    const ostrel::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr) ||
        !SetEndOfFile(file.get())) {
        failure = FailureLine(Failure::repair, path, ostrel::SystemErrorMessage(GetLastError(), path), german);
        return false;
    }
    return true;
}

int Run(const Options& options)
{
    if (options.help) {
        PrintReport(UsageText());
        return kClean;
    }
    if (options.file.empty()) {
        PrintReport("ERROR: no file name given\r\n" + UsageText());
        return kFailed;
    }
    // A hidden console scanner must never stop on a "no disk in drive" box.
    SetErrorMode(SEM_FAILCRITICALERRORS);

    ScanResult result;
    result.file = options.file;
    std::string data;
    result.readable = ReadAll(options.file, data, result.failure, options.german);
    result.found = result.readable && ContainsTestString(data);
    if (result.found && options.cure) {
        RemoveTestString(data);
        result.repaired = Rewrite(options.file, data, result.failure, options.german);
    }
    PrintReport(Report(result, options.german));
    return !result.readable ? kFailed : result.found ? kFound : kClean;
}

}  // namespace

int main()
{
    try {
        // The raw line, not argv: an unquoted name with blanks stays whole.
        return Run(ParseCommandLine(GetCommandLineA()));
    } catch (const std::exception& e) {
        PrintReport(std::string("ERROR: ") + e.what() + "\r\n");
    }
    return kFailed;
}
