#pragma once

#include "lang/LogSink.h"
#include "lang/MessageTexts.h"
#include "scanner/CureGrace.h"
#include "scanner/ProcessRunner.h"
#include "scanner/ScanOutput.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ostrel {

// The runner of one scanner run: hidden, output captured.
class TScannerRunner : public TProcessRunner {
public:
    TScannerRunner();
};

// How long a cure past its time limit may go on before it is ended.
constexpr DWORD CureGraceMilliseconds = 60000;

// Hears each piece of a scanner's output as it is read.
using TOutputObserver = std::function<void(std::string_view piece)>;

// What a scanner run takes from the settings.
struct TScanRunSettings {
    std::string AVPExeName;
    std::string EndString;
    bool LogAVPOutput = false;
    DWORD TimeLimitMilliseconds = 12000;
    // Set once a run without a job object has been logged, so the log says
    // it once; none: every such run says it.
    std::atomic_flag* JobFailureLogged = nullptr;
    // Holds cures past their limit for GraceMilliseconds; none: such a
    // cure is ended at once, as a check is.
    TCureGrace* CureGrace = nullptr;
    DWORD GraceMilliseconds = CureGraceMilliseconds;
    // Signalled, from any thread, to give the run up: it ends at once, as
    // at its time limit, and answers ScanResult::TimedOut. None: only the
    // time limit gives a run up.
    HANDLE CancelEvent = nullptr;
    // Hears each piece of the output as it is read, umlauts converted.
    TOutputObserver OnOutput;
};

// One scanner run on the calling thread: starts the scanner, collects its
// output until it ends, prints the end marker or runs out of time, and
// reads the result from the report while the output streams in.
class TScannerRun {
public:
    TScannerRun(TScanRunSettings settings, LogSink& log, TMessageTexts& texts);
    TScannerRun(const TScannerRun&) = delete;
    TScannerRun& operator=(const TScannerRun&) = delete;

    // The scanner result code; `msg` gets the name of a find. A scanner
    // that is not a program, and errors while starting, pass to the caller
    // as errors; so does any later one, once the scanner's tree is settled.
    ScanResult Execute(bool isCure, const std::string& commandLine, const std::string& currentDir,
                       std::string& msg);

    // The logged output keeps at most this much of what the scanner printed.
    static constexpr std::size_t MaxLoggedOutput = std::size_t{16} << 20;

private:
    enum class WaitEnd { Done, TimedOut, Cancelled };

    void HandleRawRead(std::string_view bytes);
    void KeepForLog(std::string_view bytes);
    void LogJobFailure();
    WaitEnd WaitForRun(DWORD start);
    bool Cancelled() const;
    bool Settle(bool isCure) noexcept;

    TScanRunSettings settings_;
    LogSink& log_;
    TMessageTexts& texts_;
    TScannerRunner runner_;
    TScanOutput output_;
    std::string loggedOutput_;  // only when the output is logged
    bool loggedOutputCut_ = false;
    bool done_ = false;
};

// A run with the given settings, logging into `log` in the words of `texts`.
ScanResult DoExecute(const TScanRunSettings& settings, LogSink& log, TMessageTexts& texts, bool isCure,
                     const std::string& commandLine, const std::string& currentDir, std::string& msg);

}  // namespace ostrel
