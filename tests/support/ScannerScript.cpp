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
    const std::string record = ReadFileBytes(record_);
    return record.substr(0, record.find('\n'));
}

std::vector<std::string> ScannerScript::RecordedArguments() const
{
    const std::string record = ReadFileBytes(record_);
    std::vector<std::string> arguments;
    for (std::size_t start = record.find('\n'); start != std::string::npos;) {
        const std::size_t end = record.find('\n', start + 1);
        arguments.push_back(record.substr(start + 1, end == std::string::npos ? end : end - start - 1));
        start = end;
    }
    return arguments;
}

std::string FakeScannerPath()
{
    return ProgramFolder() + "\\fake_scanner.exe";
}

}  // namespace ostrel::test
