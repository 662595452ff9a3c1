#include "BavhostRun.h"

#include "TestFiles.h"

#include "base/UniqueResource.h"

#include <windows.h>

#include <stdexcept>

namespace ostrel::test {

HostRun RunBavhost(const std::string& arguments, const std::string& folder)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueHandle readEnd, writeEnd;
    if (!CreatePipe(readEnd.receive(), writeEnd.receive(), &inherit, 0)) {
        throw std::runtime_error("CreatePipe failed");
    }
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    std::string commandLine = "\"" + ProgramFolder() + "\\bavhost.exe\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &process)) {
        throw std::runtime_error("cannot start bavhost.exe");
    }
    const UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
    writeEnd.reset();
    // Read while bavhost runs and drain after it ends, rather than up to the
    // pipe's end: a Wine helper it starts (explorer) may inherit the pipe.
    HostRun run;
    const auto drain = [&] {
        DWORD available = 0;
        while (PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            std::string chunk(available, '\0');
            DWORD got = 0;
            if (!ReadFile(readEnd.get(), &chunk[0], available, &got, nullptr)) {
                break;
            }
            run.output.append(chunk, 0, got);
        }
    };
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(processHandle.get(), 10) == WAIT_TIMEOUT && GetTickCount() - start < 30000) {
        drain();
    }
    drain();
    GetExitCodeProcess(processHandle.get(), &run.exitCode);
    return run;
}

}  // namespace ostrel::test
