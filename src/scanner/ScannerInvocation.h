#pragma once

#include "scanner/ProcessRunner.h"

#include <cstdint>
#include <string>

namespace ostrel {

// The runner of one scanner run: hidden, output captured.
class TScannerRunner : public TProcessRunner {
public:
    TScannerRunner();
    // Stops listening; the run counts as done.
    void Stop();
};

// Collects the scanner's output chunks and ends the wait at the end
// marker or at the end of the process.
class TScannerEvents {
public:
    void HandleRawRead(TProcessRunner& sender, const std::string& chunk);
    void HandleTerminate(TProcessRunner& sender, uint32_t exitCode);
};

// The runner of the run under way, made on first use after the last run.
TScannerRunner& GetProcessRunner();

// One scanner run on the calling thread: starts AVPExeName with the
// command line, waits at most 12 seconds, and reads the result from the
// report. Errors while starting pass to the caller.
int32_t DoExecute(bool isCure, const std::string& commandLine, const std::string& currentDir,
                  std::string& msg);

}  // namespace ostrel
