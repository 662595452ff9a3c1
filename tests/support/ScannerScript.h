#pragma once

#include "TestFiles.h"

#include <string>
#include <vector>

namespace ostrel::test {

// A fake scanner run: the script it follows and the record of the command
// line it was given, both in one folder.
class ScannerScript {
public:
    explicit ScannerScript(const TempDir& folder, const std::string& name = "scan");

    void Write(const std::string& script) const;
    // Parameters that make the fake scanner follow this script.
    std::string Parameters() const;
    // The raw command line of the last run, and its arguments after the program.
    std::string RecordedCommandLine() const;
    std::vector<std::string> RecordedArguments() const;
    std::string MarkerPath() const { return marker_; }

private:
    std::string script_;
    std::string record_;
    std::string marker_;
};

// The fake scanner's path, beside the test programs.
std::string FakeScannerPath();

}  // namespace ostrel::test
