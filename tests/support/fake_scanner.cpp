// fake_scanner: a console program that stands in for a virus scanner in the
// tests. Each test writes a script that decides what it prints, how long it
// takes and how it ends, so the plug-in's process runner meets every case
// through a real process with real pipes.
//
// Command line: the program, then anything, containing "--script PATH" and
// optionally "--record PATH"; the last argument is the file to check.
// Without "--script" the file to check is the script, so the fake can play
// an engine that another program starts with that engine's arguments.
// --record PATH  the raw command line (GetCommandLineA) is written there
//                first, byte for byte, so a test can see the quoting; then
//                each argument after the program as the C runtime parsed
//                it, each after a LF.
//
// Script: one command per line (LF or CR LF), run top to bottom; empty lines
// and lines starting with '#' are skipped. The argument is everything after
// the first blank, so "out" keeps blanks at either end of its text.
//   out TEXT        TEXT to stdout in one WriteFile call; no line end is added.
//                   Escapes: \r \n \t \0 \\ \xHH. An empty TEXT is a zero-byte write.
//   err TEXT        the same to stderr
//   sleep MS
//   flood BYTES [CHUNK]  BYTES of 64-byte lines "0-9A-Za-z\r\n" (no '-', so never
//                   an end marker), in writes of CHUNK bytes (default 4096)
//   hang            sleeps forever, until someone ends the process
//   crash           access violation (a write through a null pointer); the
//                   process ends at once with exit code 0xC0000005
//   exit CODE       ExitProcess(CODE) at once
//   guard           its stack protector's guard to stdout, in hexadecimal
//   smash           fails a stack protector check; the process ends at once
//                   with exit code 0xC0000409
//   readstdin       reads stdin until end or error and discards it
//   touch PATH      creates an empty file (or empties an existing one)
//   await PATH      waits until PATH exists, so a test can act while the
//                   process surely runs; exit code 3 after 20 s without it
//   quarantine-if TEXT  when the file (the last argument) holds TEXT, deletes
//                   it and ends with exit code 5, as an on-access scanner
//                   takes a file before the scan gets to it
//   spawn ARGS      starts a second fake_scanner with the arguments ARGS (such as
//                   "--script PATH"), inheriting no handle, and does not wait for it
//   hold            opens the file to check for reading, sharing read and write
//                   but not delete, and keeps it open until the process ends
//   handles PATH    writes the value of every inheritable handle it holds,
//                   decimal, one a line, to PATH
//   inherited [HANDLE]  "INHERITED=yes\r\n" when HANDLE (a number; by default its
//                   standard output) is an open, inheritable handle in this
//                   process, else "INHERITED=no\r\n"
//   echo-file       "FILE=" + the last argument as the C runtime parsed it + CR LF,
//                   quotes removed: "C:\a b.txt" gives FILE=C:\a b.txt, and
//                   "C:\dir\" gives FILE=C:\dir" (the backslash escapes the quote)
// Numbers are decimal, or hexadecimal after "0x" (exit 0xC0000005). Commands
// other than out, err, touch, await, handles and spawn refuse arguments they do not take.
//
// Exit codes: 0 end of script; 2 script unreadable or record unwritable;
// 3 unknown command or bad argument (message on stderr); 4 a write to stdout
// or stderr failed, e.g. the reader closed its end of the pipe.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr UINT kDone = 0, kNoScript = 2, kBadScript = 3, kWriteFailed = 4;

// Reports on stderr and ends; if stderr is gone too, the exit code still tells.
[[noreturn]] void Fail(UINT code, const std::string& message)
{
    std::string text = "fake_scanner: " + message + "\r\n";
    DWORD written;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
    ExitProcess(code);
}

// One WriteFile call, so a reader sees exactly the chunks the script asks for.
// A failure means the reader went away (broken pipe): nothing left to do.
void Write(DWORD stdHandle, const std::string& bytes)
{
    DWORD written = 0;
    if (!WriteFile(GetStdHandle(stdHandle), bytes.data(), static_cast<DWORD>(bytes.size()),
                   &written, nullptr) ||
        written != bytes.size()) {
        ExitProcess(kWriteFailed);
    }
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseNumber(const std::string& text, DWORD& value)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const unsigned base = hex ? 16 : 10;
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty()) return false;
    unsigned long long result = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0 || static_cast<unsigned>(digit) >= base) return false;
        result = result * base + static_cast<unsigned>(digit);
        if (result > 0xFFFFFFFFull) return false;
    }
    value = static_cast<DWORD>(result);
    return true;
}

extern "C" uintptr_t __stack_chk_guard;

// Protected, as it has an array: it fails its check on return, since the
// guard it copied on entry is no longer the guard.
__attribute__((noinline)) void FailStackCheck()
{
    volatile char frame[16] = {};
    __stack_chk_guard ^= frame[0] + 1;
}

bool Unescape(const std::string& text, std::string& bytes)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
        case 'r': bytes += '\r'; break;
        case 'n': bytes += '\n'; break;
        case 't': bytes += '\t'; break;
        case '0': bytes += '\0'; break;
        case '\\': bytes += '\\'; break;
        case 'x': {
            if (i + 2 >= text.size()) return false;
            const int high = HexDigit(text[i + 1]), low = HexDigit(text[i + 2]);
            if (high < 0 || low < 0) return false;
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default: return false;
        }
    }
    return true;
}

void Flood(DWORD total, DWORD chunkSize)
{
    static const std::string kLine =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz\r\n";
    std::string chunk;
    for (DWORD sent = 0; sent < total;) {
        const DWORD size = std::min(chunkSize, total - sent);
        chunk.clear();
        for (DWORD i = 0; i < size; ++i) chunk += kLine[(sent + i) % kLine.size()];
        Write(STD_OUTPUT_HANDLE, chunk);
        sent += size;
    }
}

LONG WINAPI EndOnException(EXCEPTION_POINTERS*)
{
    return EXCEPTION_EXECUTE_HANDLER;
}

void RunLine(const std::string& line, const std::string& fileArgument)
{
    const size_t blank = line.find(' ');
    const std::string command = line.substr(0, blank);
    const std::string argument = blank == std::string::npos ? "" : line.substr(blank + 1);
    std::vector<DWORD> numbers;
    bool numbersOk = true;
    std::istringstream words(argument);
    for (std::string word; words >> word;) {
        DWORD number = 0;
        numbersOk = numbersOk && ParseNumber(word, number);
        numbers.push_back(number);
    }
    const auto badArguments = [&] { Fail(kBadScript, "bad arguments " + line); };
    const auto expectNumbers = [&](size_t least, size_t most) {
        if (!numbersOk || numbers.size() < least || numbers.size() > most) badArguments();
    };

    if (command == "out" || command == "err") {
        std::string bytes;
        if (!Unescape(argument, bytes)) badArguments();
        Write(command == "out" ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE, bytes);
    } else if (command == "sleep") {
        expectNumbers(1, 1);
        Sleep(numbers[0]);
    } else if (command == "flood") {
        expectNumbers(1, 2);
        const DWORD chunkSize = numbers.size() == 2 ? numbers[1] : 4096;
        if (chunkSize == 0) badArguments();
        Flood(numbers[0], chunkSize);
    } else if (command == "hang") {
        expectNumbers(0, 0);
        Sleep(INFINITE);
    } else if (command == "crash") {
        expectNumbers(0, 0);
        // Volatile both ways: else GCC traps on the known null or drops the unread store.
        volatile int* volatile nowhere = nullptr;
        *nowhere = 0;
    } else if (command == "exit") {
        expectNumbers(1, 1);
        ExitProcess(numbers[0]);
    } else if (command == "guard") {
        expectNumbers(0, 0);
        char hex[2 * sizeof __stack_chk_guard + 1];
        std::snprintf(hex, sizeof hex, "%0*llx", static_cast<int>(sizeof hex - 1),
                      static_cast<unsigned long long>(__stack_chk_guard));
        Write(STD_OUTPUT_HANDLE, hex);
    } else if (command == "smash") {
        expectNumbers(0, 0);
        FailStackCheck();
    } else if (command == "readstdin") {
        expectNumbers(0, 0);
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) &&
               got > 0) {
        }
    } else if (command == "touch") {
        if (argument.empty() || !std::ofstream(argument, std::ios::binary)) {
            Fail(kBadScript, "cannot create " + argument);
        }
    } else if (command == "await") {
        for (int waited = 0; GetFileAttributesA(argument.c_str()) == INVALID_FILE_ATTRIBUTES; waited += 10) {
            if (waited >= 20000) {
                Fail(kBadScript, "no " + argument + " within 20 s");
            }
            Sleep(10);
        }
    } else if (command == "quarantine-if") {
        std::ifstream file(fileArgument, std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        file.close();
        if (!argument.empty() && content.find(argument) != std::string::npos) {
            DeleteFileA(fileArgument.c_str());
            ExitProcess(5);
        }
    } else if (command == "spawn") {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string childLine = "fake_scanner " + argument;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child = {};
        if (argument.empty() ||
            !CreateProcessA(self, childLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child)) {
            Fail(kBadScript, "cannot start a child for " + argument);
        }
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    } else if (command == "hold") {
        expectNumbers(0, 0);
        if (CreateFileA(fileArgument.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, 0, nullptr) == INVALID_HANDLE_VALUE) {
            Fail(kBadScript, "cannot open " + fileArgument);
        }
    } else if (command == "handles") {
        // Handle values are multiples of 4; the inherited ones are few and
        // low. The C runtime opens files inheritable: the list is opened after.
        std::string values;
        for (ULONG_PTR value = 4; value < 0x4000; value += 4) {
            DWORD flags = 0;
            if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) && (flags & HANDLE_FLAG_INHERIT)) {
                values += std::to_string(value) + "\n";
            }
        }
        if (argument.empty() || !(std::ofstream(argument, std::ios::binary) << values)) {
            Fail(kBadScript, "cannot write " + argument);
        }
    } else if (command == "inherited") {
        expectNumbers(0, 1);
        DWORD flags = 0;
        const HANDLE handle = numbers.empty() ? GetStdHandle(STD_OUTPUT_HANDLE)
                                              : reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(numbers[0]));
        const bool inherited = GetHandleInformation(handle, &flags) && (flags & HANDLE_FLAG_INHERIT);
        Write(STD_OUTPUT_HANDLE, inherited ? "INHERITED=yes\r\n" : "INHERITED=no\r\n");
    } else if (command == "echo-file") {
        expectNumbers(0, 0);
        Write(STD_OUTPUT_HANDLE, "FILE=" + fileArgument + "\r\n");
    } else {
        Fail(kBadScript, "unknown command " + line);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // A crash must end the process at once, with the exception code as exit
    // code: headless, no dialog or debugger may wait. Wine ignores the error
    // mode and starts its debugger unless a filter takes the exception.
    SetErrorMode(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS);
    SetUnhandledExceptionFilter(EndOnException);

    std::string scriptPath, recordPath;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--script") scriptPath = argv[i + 1];
        if (option == "--record") recordPath = argv[i + 1];
    }
    if (!recordPath.empty()) {
        std::ofstream record(recordPath, std::ios::binary);
        record << GetCommandLineA();
        for (int i = 1; i < argc; ++i) record << '\n' << argv[i];
        if (!record.flush()) Fail(kNoScript, "cannot write " + recordPath);
    }
    if (scriptPath.empty() && argc > 1) {
        scriptPath = argv[argc - 1];
    }
    // Read whole and closed before it runs, so its handle is not among those
    // the script may list.
    std::vector<std::string> lines;
    {
        std::ifstream script(scriptPath, std::ios::binary);
        if (!script) Fail(kNoScript, "cannot read script '" + scriptPath + "'");
        for (std::string line; std::getline(script, line);) {
            lines.push_back(line);
        }
    }
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
        RunLine(line, argc > 1 ? argv[argc - 1] : "");
    }
    return kDone;
}
