#include "ScannerScript.h"

namespace ostrel::test {

ScannerScript::ScannerScript(const TempDir& folder, const std::string& name)
    : script_(folder.File(name + ".txt")),
      record_(folder.File(name + ".cmd")),
      marker_(folder.File(name + ".marker"))
{
}

void ScannerScript::Write(const std::string& script) const
{
    WriteFileBytes(script_, script);
}

std::string ScannerScript::Parameters() const
{
    return "--script " + script_ + " --record " + record_;
}

std::string ScannerScript::RecordedCommandLine() const
{
    return ReadFileBytes(record_);
}

std::string FakeScannerPath()
{
    return ProgramFolder() + "\\fake_scanner.exe";
}

}  // namespace ostrel::test
