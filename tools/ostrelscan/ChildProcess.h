#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ostrel::ostrelscan {

// What of an engine's output is kept; a scanner that lists an archive's
// members may print far more.
constexpr std::size_t kKeptEngineOutput = 1 << 20;

struct ChildRun {
    std::string failure;  // empty when the program ran and ended in time
    uint32_t exitCode = 0;
    std::string output;   // standard output and error together, as printed
    bool outputCut = false;  // it printed more than the limit, and the rest was dropped
};

// Runs a console program hidden, with its output captured and its input
// empty, and waits at most `timeoutMs`; a program still running then is
// ended. Output beyond `outputLimit` bytes is read and dropped. It runs in
// `folder`, or in this process's current folder when that is empty.
ChildRun RunHidden(const std::string& program, const std::string& commandLine, unsigned long timeoutMs,
                   std::size_t outputLimit = kKeptEngineOutput, const std::string& folder = {});

}  // namespace ostrel::ostrelscan
