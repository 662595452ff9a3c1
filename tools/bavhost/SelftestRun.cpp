#include "bavhost/SelftestRun.h"

#include "bavhost/Answers.h"
#include "bavhost/PluginSettings.h"
#include "bavhost/ScannerRerun.h"
#include "bavhost/Selftest.h"
#include "base/FileSystem.h"
#include "base/TextLines.h"
#include "base/WinError.h"
#include "lang/LogSink.h"
#include "lang/MessageTexts.h"
#include "plugin/RequestRules.h"
#include "ui/support/TestFolder.h"

#include <cstdio>
#include <vector>

namespace ostrel::bavhost {
namespace {

constexpr std::size_t kLogLinesShown = 12;

struct TimedAnswer {
    int32_t code = 0;
    std::string message;
    double milliseconds = 0;
};

TimedAnswer Check(const Plugin& plugin, const std::string& path)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    char message[1024] = {};
    QueryPerformanceCounter(&start);
    TimedAnswer answer;
    answer.code = plugin.checkFile(path.c_str(), message);
    QueryPerformanceCounter(&end);
    message[sizeof message - 1] = '\0';
    answer.message = message;
    answer.milliseconds = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
    return answer;
}

void PrintAnswer(const char* label, const TimedAnswer& answer)
{
    std::printf("%s: %s%s, %.0f ms\n", label, CheckAnswer(answer.code, false).c_str(),
                answer.message.empty() ? "" : (" [" + answer.message + "]").c_str(), answer.milliseconds);
}

bool LogReadable(const LogSettings& log)
{
    return log.logging && !log.logFileName.empty() && FileExists(log.logFileName);
}

// The log names the test files by their folder, which is new for each run.
// Returns the engine, empty when the log does not show the scanner's report.
std::string PrintEngine(const LogSettings& log, const std::string& testFolder)
{
    std::string engine;
    if (LogReadable(log) && log.logOutput) {
        engine = EngineFromLog(ReadFileTail(log.logFileName, 400), testFolder);
    }
    if (!engine.empty()) {
        std::printf("Engine: %s (first line of the scanner's report in the log)\n", engine.c_str());
    } else {
        std::printf("Engine: not known; with Logging=1, LogFileName and LogAVPOutput=1 in %s the log "
                    "shows which engine answered.\n",
                    log.known ? log.store.c_str() : "the plug-in's settings");
    }
    return engine;
}

void PrintLogEnd(const Plugin& plugin, const LogSettings& log)
{
    if (!LogReadable(log)) {
        for (const std::string& line : ErrorAdvice(plugin.getStatus(), log)) {
            std::printf("%s\n", line.c_str());
        }
        return;
    }
    const std::vector<std::string> lines = SplitFileLines(ReadFileTail(log.logFileName, kLogLinesShown));
    std::printf("The end of the log (%s):\n", log.logFileName.c_str());
    for (std::size_t i = lines.size() > kLogLinesShown ? lines.size() - kLogLinesShown : 0; i < lines.size(); ++i) {
        std::printf("  %s\n", lines[i].c_str());
    }
}

}  // namespace

int RunSelftest(const Plugin& plugin, const std::string& pluginPath, const std::string& name)
{
    const LogSettings log = ReadLogSettings(pluginPath);
    std::printf("Settings: %s\n", log.known ? log.store.c_str() : "unreadable");
    std::printf("Scanner: %s\n", log.scanner.empty() ? "none named (AVPExeName)" : log.scanner.c_str());

    TChainTestFacts facts;
    facts.configured = plugin.getStatus() != HostValue(PluginStatus::NotConfigured);
    facts.disabled = NameSaysDisabled(name);
    facts.scannerFound = !log.scanner.empty() && FileExists(log.scanner);
    bool rerunShown = false;
    if (facts.configured && !facts.disabled && facts.scannerFound) {
        TTestFolder folder;
        const std::string clean = folder.File("clean.txt");
        const DWORD cleanWrite = WriteTestFile(clean, CleanTestText);
        if (cleanWrite != ERROR_SUCCESS) {
            RaiseOSError(cleanWrite, "WriteFile");
        }
        const TimedAnswer cleanAnswer = Check(plugin, clean);
        PrintAnswer("Clean test file", cleanAnswer);
        facts.clean = TestAnswerOf(static_cast<HostResult>(cleanAnswer.code));

        const std::string eicar = folder.File("eicar.com");
        const DWORD eicarWrite = WriteTestFile(eicar, EicarTestString());
        facts.eicarWritten = eicarWrite == ERROR_SUCCESS;
        if (facts.eicarWritten) {
            const TimedAnswer eicarAnswer = Check(plugin, eicar);
            PrintAnswer("EICAR test file", eicarAnswer);
            facts.eicar = TestAnswerOf(static_cast<HostResult>(eicarAnswer.code));
            facts.eicarGone = !FileReadable(eicar);
        } else {
            std::printf("EICAR test file: could not be written: %s\n",
                        SystemErrorMessage(eicarWrite, eicar).c_str());
        }
        const bool error = facts.clean == TTestAnswer::Error ||
                           (facts.eicarWritten && facts.eicar == TTestAnswer::Error);
        if (PrintEngine(log, folder.Path()).empty() && error) {
            PrintScannerRerun(pluginPath, clean);
            rerunShown = true;
        }
    }
    const TChainVerdict verdict = JudgeChainTest(facts);
    TNoLog noLog;
    TMessageTexts english(noLog);
    const std::vector<std::string> lines = VerdictLines(verdict, english);
    std::printf("%s\n", lines.front().c_str());
    // The advice is how to learn why, which the report above already says.
    if (rerunShown) {
        std::printf("The scanner's report above tells why.\n");
    } else {
        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::printf("%s\n", lines[i].c_str());
        }
    }
    const int exitCode = SelftestExitCode(verdict);
    if (exitCode == kChainError && (!rerunShown || LogReadable(log))) {
        PrintLogEnd(plugin, log);
    }
    return exitCode;
}

}  // namespace ostrel::bavhost
