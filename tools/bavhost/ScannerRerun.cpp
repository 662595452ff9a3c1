#include "bavhost/ScannerRerun.h"

#include "base/AnsiString.h"
#include "base/Exception.h"
#include "base/FilePath.h"
#include "base/TextLines.h"
#include "ostrelscan/ChildProcess.h"
#include "settings/Config.h"
#include "settings/ParameterRules.h"

#include <cstdio>
#include <exception>

namespace ostrel::bavhost {
namespace {

// The plug-in's own limit for one check.
constexpr unsigned long kCheckLimitMs = 12000;

}  // namespace

void PrintScannerRerun(const std::string& pluginPath, const std::string& file)
{
    ConfigValues values;
    try {
        TConfig config;
        config.SetModuleFileName(pluginPath);
        config.Load();
        values = config.Values();
    } catch (const Exception&) {
        return;
    }
    const std::string program = TrimBlanks(values.AVPExeName);
    // The plug-in runs nothing else, and says why in its log.
    if (!IsProgramFile(program)) {
        std::printf("The scanner is not run again: \"%s\" is not a program file (.exe or .com).\n", program.c_str());
        return;
    }
    const std::string commandLine = "\"" + program + "\" " + RequestCommandLine(values, false, file);
    std::printf("The scanner once more, as the plug-in ran it: %s\n", commandLine.c_str());
    try {
        const ostrelscan::ChildRun run = ostrelscan::RunHidden(values.AVPExeName, commandLine, kCheckLimitMs);
        if (!run.failure.empty()) {
            std::printf("  %s\n", run.failure.c_str());
        }
        for (const std::string& line : SplitFileLines(run.output)) {
            std::printf("  | %s\n", line.c_str());
        }
    } catch (const std::exception& e) {
        std::printf("  %s\n", e.what());
    }
}

}  // namespace ostrel::bavhost
