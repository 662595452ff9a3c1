#include "DirectRun.h"

#include "base/UniqueResource.h"
#include "scanner/PipeReader.h"

#include <stdexcept>

namespace ostrel::bench {

DWORD RunDirectly(const std::string& application, const std::string& commandLine, DWORD flags)
{
    OutputPipe output = CreateOutputPipe();
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    UniqueHandle inputRead, inputWrite;
    if (!CreatePipe(inputRead.receive(), inputWrite.receive(), &inheritable, 0) ||
        !SetHandleInformation(inputWrite.get(), HANDLE_FLAG_INHERIT, 0)) {
        throw std::runtime_error("cannot make the input pipe");
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = inputRead.get();
    startup.hStdOutput = output.childWriteEnd.get();
    startup.hStdError = output.childWriteEnd.get();
    std::string line = commandLine;  // CreateProcess may write into it
    PROCESS_INFORMATION started;
    if (!CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                        &startup, &started)) {
        throw std::runtime_error("cannot start " + application + ": error " + std::to_string(GetLastError()));
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    output.childWriteEnd.reset();
    inputRead.reset();

    TPipeReader reader(std::move(output.parentReadEnd));
    bool ended = false;
    for (;;) {
        std::string_view bytes;
        TPipeReader::Result result = reader.Poll(bytes);
        if (result == TPipeReader::Result::Pending && ended && reader.PipeEmpty()) {
            result = reader.Finish(bytes);
        }
        if (result == TPipeReader::Result::Ended) {
            break;
        }
        if (result == TPipeReader::Result::Pending) {
            const HANDLE events[] = {reader.Event(), process.get()};
            WaitForMultipleObjects(ended ? 1 : 2, events, FALSE, INFINITE);
            ended = WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
        }
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode;
}

}  // namespace ostrel::bench
