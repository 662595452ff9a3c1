#pragma once

#include <string>

namespace ostrel::test {

struct HostRun {
    std::string output;  // standard output and error together
    unsigned long exitCode = 0;
};

// bavhost.exe from the test programs' folder, run with `arguments` in
// `folder` until it ends (30 s at most).
HostRun RunBavhost(const std::string& arguments, const std::string& folder);

}  // namespace ostrel::test
