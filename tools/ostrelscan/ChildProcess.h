#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ostrel::ostrelscan {

struct ChildRun {
    std::string failure;  // empty when the program ran and ended in time
    uint32_t exitCode = 0;
    std::string output;   // standard output and error together, as printed
};

// Runs a console program hidden, with its output captured and its input
// empty, and waits at most `timeoutMs`; a program still running then is
// ended. Output beyond `outputLimit` bytes is read and dropped.
ChildRun RunHidden(const std::string& program, const std::string& commandLine,
                   unsigned long timeoutMs, std::size_t outputLimit = 1 << 20);

}  // namespace ostrel::ostrelscan
