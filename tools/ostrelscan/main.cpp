// ostrelscan: a command-line scanner for the plug-in that asks a real engine,
// ClamAV (clamd, clamscan, clamdscan), ESET, Kaspersky or Microsoft Defender,
// about one file and prints the answer as the report the plug-in reads.
#include "EngineSections.h"
#include "Engines.h"
#include "Options.h"
#include "ProgramPlaces.h"
#include "ReportText.h"
#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "base/TextLines.h"
#include "common/ConsoleOutput.h"

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

namespace {

using namespace ostrel::ostrelscan;

constexpr int kClean = 0, kFound = 1, kNoVerdict = 2;

using ostrel::PrintReport;

// Faults in the settings, each a line; the ini file first, the command line after it.
std::string LoadSettings(const Request& request, Settings& settings)
{
    std::vector<std::string> faults;
    const std::string ini = ostrel::ExtractFilePath(ostrel::ModuleFileName(nullptr)) + "ostrelscan.ini";
    if (ostrel::FileExists(ini)) {
        try {
            faults = ReadIni(ostrel::ReadWholeFile(ini), settings);
        } catch (const std::exception& e) {
            faults.push_back("cannot read " + ini + ": " + e.what());
        }
    }
    for (const auto& [name, value] : request.options) {
        const std::string fault = ApplySetting(settings, name, value);
        if (!fault.empty()) {
            faults.push_back("--" + name + ": " + fault);
        }
    }
    std::string text;
    for (const std::string& fault : faults) {
        text += (text.empty() ? "" : "\r\n") + fault;
    }
    return text;
}

int Run(const std::vector<std::string>& arguments)
{
    Request request = ParseArguments(arguments);
    if (!request.file.empty()) {
        request.file = CommandLineTail(GetCommandLineA(), request.fileArgument + 1);
    }
    if (request.help) {
        PrintReport(UsageText());
        return kClean;
    }
    // A hidden console scanner must never stop on a "no disk in drive" box.
    SetErrorMode(SEM_FAILCRITICALERRORS);

    Settings settings;
    const std::string faults = LoadSettings(request, settings);
    if (request.listEngines) {
        // Faults as comments, so that the rest can still be copied.
        std::string text = EngineListText(settings.engines, [](const std::string& engine) {
            const ProgramSearch search = FindInstalledProgram(engine);
            return search.program.empty() ? "not installed (looked for " + search.looked + ")" : search.program;
        });
        for (const std::string& fault : ostrel::SplitFileLines(faults)) {
            text += "; " + fault + "\r\n";
        }
        PrintReport(text);
        return faults.empty() ? kClean : kNoVerdict;
    }
    // The engine runs in its own folder, and a name that starts with '-'
    // must not read as its option.
    const std::string file = request.file.empty() ? std::string() : ostrel::FullPathName(request.file);
    EngineAnswer answer{Verdict::Error(faults), {}, EngineLabel(settings)};
    if (file.empty()) {
        answer.verdict = Verdict::Error("no file name given");
    } else if (faults.empty()) {
        answer = AskEngine(settings, file);
    }
    ReportInput input;
    input.engineLabel = answer.label;
    input.file = file;
    input.german = request.german;
    input.cure = request.cure;
    input.engineOutput = answer.output;
    PrintReport(ComposeReport(answer.verdict, input));
    switch (answer.verdict.kind) {
    case Verdict::Kind::clean: return kClean;
    case Verdict::Kind::infected: return kFound;
    default: return kNoVerdict;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    } catch (const std::exception& e) {
        PrintReport(std::string("ERROR: ") + e.what() + "\r\n");
    }
    return kNoVerdict;
}
