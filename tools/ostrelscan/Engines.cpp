#include "Engines.h"

#include "ChildProcess.h"
#include "Clamd.h"
#include "Deadline.h"
#include "FileAccess.h"
#include "Profiles.h"
#include "ProgramPlaces.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace ostrel::ostrelscan {
namespace {

// A refused connection takes Windows about a second to report on loopback;
// auto waits no longer than that before it asks the next engine.
constexpr unsigned long kAutoConnectLimitMs = 1000;

EngineAnswer RunProgram(const ScannerProfile& profile, const std::string& program, const std::string& file,
                        unsigned long timeoutMs, const std::string& label)
{
    const ChildRun run = RunHidden(program, ProfileCommandLine(profile, program, file), timeoutMs);
    if (!run.failure.empty()) {
        return {Verdict::Error(profile.title + ": " + run.failure), run.output, label};
    }
    return {ReadProfileReport(profile, run.exitCode, run.output), run.output, label};
}

std::string ClamdLabel(const std::string& address)
{
    return "ClamAV daemon clamd at " + address;
}

// clamd when it takes the connection, else the first engine installed. A
// daemon that took the connection and then fails is the user's broken
// daemon, not a reason to ask another engine.
EngineAnswer AskFirstEngineThere(const Settings& settings, const std::string& file)
{
    const auto automatic = [](const std::string& label) { return label + " (auto)"; };
    if (std::optional<Verdict> failure = OpenFailure(file)) {
        return {*failure, {}, automatic("no engine asked")};
    }
    const Deadline deadline(static_cast<unsigned long>(settings.timeoutSeconds) * 1000);
    std::vector<std::string> tried;
    if (const std::optional<Endpoint> endpoint = ParseAddress(settings.address)) {
        std::string noConnection;
        if (std::optional<Verdict> verdict =
                ScanWithClamdIfListening(*endpoint, file, deadline.Left(), kAutoConnectLimitMs, noConnection)) {
            return {*verdict, {}, automatic(ClamdLabel(settings.address))};
        }
        tried.push_back(ClamdLabel(settings.address) + ": " + noConnection);
    }
    for (const char* engine : {"defender", "clamscan"}) {
        const ScannerProfile& profile = *FindProfile(engine);
        const ProgramSearch search = FindInstalledProgram(engine);
        if (!search.program.empty()) {
            return RunProgram(profile, search.program, file, deadline.Left(), automatic(profile.title));
        }
        tried.push_back(profile.title + ": not installed (looked for " + search.looked + ")");
    }
    std::string reason = "no engine to ask; tried:";
    for (const std::string& attempt : tried) {
        reason += "\n" + attempt;
    }
    return {Verdict::Error(reason), {}, automatic("no engine found")};
}

}  // namespace

std::string EngineLabel(const Settings& settings)
{
    if (settings.engine == "clamd") {
        return ClamdLabel(settings.address);
    }
    const ScannerProfile* profile = FindEngine(settings, settings.engine);
    return profile != nullptr ? profile->title : settings.engine;
}

EngineAnswer AskEngine(const Settings& settings, const std::string& file)
{
    const std::string label = EngineLabel(settings);
    if (settings.engine == "auto") {
        return AskFirstEngineThere(settings, file);
    }
    const unsigned long timeoutMs = static_cast<unsigned long>(settings.timeoutSeconds) * 1000;
    if (settings.engine == "clamd") {
        const std::optional<Endpoint> endpoint = ParseAddress(settings.address);
        if (!endpoint) {
            return {Verdict::Error("address \"" + settings.address + "\" is not HOST:PORT"), {}, label};
        }
        return {ScanWithClamd(*endpoint, file, timeoutMs), {}, label};
    }
    const ScannerProfile* profile = FindEngine(settings, settings.engine);
    if (profile == nullptr) {
        return {Verdict::Error("unknown engine \"" + settings.engine + "\""), {}, label};
    }
    if (std::optional<Verdict> failure = OpenFailure(file)) {
        return {*failure, {}, label};
    }
    // A row of the user's own names its program; program= is for the built-in ones.
    std::string program = profile->program.empty() ? settings.program : profile->program;
    if (program.empty()) {
        const ProgramSearch search = FindInstalledProgram(profile->engine);
        if (search.program.empty()) {
            return {Verdict::Error(profile->title + " is not installed where its installer puts it (" +
                                   search.looked + "); name it with program= in ostrelscan.ini"),
                    {}, label};
        }
        program = search.program;
    }
    return RunProgram(*profile, program, file, timeoutMs, label);
}

}  // namespace ostrel::ostrelscan
