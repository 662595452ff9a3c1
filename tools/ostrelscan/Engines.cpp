#include "Engines.h"

#include "ChildProcess.h"
#include "Clamd.h"
#include "Deadline.h"
#include "FileAccess.h"
#include "Profiles.h"
#include "ProgramPlaces.h"
#include "base/FilePath.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace ostrel::ostrelscan {
namespace {

// With ClamAV's daemon installed but no address named, a daemon that is not
// running is passed over; a refused loopback connect ends at once where
// Windows allows it, so this bounds only a port that takes no connection.
constexpr unsigned long kInstalledDaemonConnectLimitMs = 1000;

// In the engine's own folder, where it may look for its files, not in the mail client's.
EngineAnswer RunProgram(const ScannerProfile& profile, const std::string& program, const std::string& file,
                        unsigned long timeoutMs, const std::string& label)
{
    const ChildRun run = RunHidden(program, ProfileCommandLine(profile, program, file), timeoutMs,
                                   kKeptEngineOutput, ExtractFilePath(program));
    if (!run.failure.empty()) {
        return {Verdict::Error(profile.title + ": " + run.failure), run.output, label};
    }
    Verdict verdict = ReadProfileReport(profile, run.exitCode, run.output, file);
    // What was dropped may have named a threat.
    if (run.outputCut && verdict.kind == Verdict::Kind::clean) {
        verdict = Verdict::Error(profile.title + " printed more than " + std::to_string(kKeptEngineOutput >> 20) +
                                 " MiB, and the rest was not read, so its report cannot say clean");
    }
    return {verdict, run.output, label};
}

std::string ClamdLabel(const std::string& address)
{
    return "ClamAV daemon clamd at " + address;
}

// clamd where the user named its address or ClamAV's daemon is installed,
// else an installed ESET or Kaspersky, else Defender while it is on, else
// clamscan. Windows switches Defender off while another antivirus is
// active, and it would cost an MpCmdRun.exe per attachment to hear so. No
// socket is opened on a guess: on a shared machine any user may listen on
// the default port, so an installed daemon is asked only when it is the
// listener there. An engine that answered is not passed over, only one
// that is not there or says it is off.
EngineAnswer AskFirstEngineThere(const Settings& settings, const std::string& file)
{
    const auto automatic = [](const std::string& label) { return label + " (auto)"; };
    if (std::optional<Verdict> failure = OpenFailure(file)) {
        return {*failure, {}, automatic("no engine asked")};
    }
    const Deadline deadline(static_cast<unsigned long>(settings.timeoutSeconds) * 1000);
    std::vector<std::string> tried;
    const std::optional<Endpoint> endpoint = ParseAddress(settings.address);
    const std::string clamdLabel = automatic(ClamdLabel(settings.address));
    if (settings.addressNamed && endpoint) {
        return {ScanWithClamd(*endpoint, file, deadline.Left()), {}, clamdLabel};
    }
    const ProgramSearch daemon = FindInstalledProgram("clamd");
    if (!daemon.program.empty() && endpoint) {
        std::string passedOver;
        if (std::optional<Verdict> verdict = ScanWithInstalledClamd(*endpoint, file, deadline.Left(),
                                                                    kInstalledDaemonConnectLimitMs, daemon.program,
                                                                    passedOver)) {
            return {*verdict, {}, clamdLabel};
        }
        tried.push_back(ClamdLabel(settings.address) + ": " + passedOver);
    } else {
        tried.push_back("ClamAV daemon clamd: not installed (looked for " + daemon.looked +
                        ") and no address= in ostrelscan.ini");
    }
    for (const char* engine : {"eset", "kaspersky", "defender", "clamscan"}) {
        const ScannerProfile& profile = *FindProfile(engine);
        const ProgramSearch search = FindInstalledProgram(engine);
        if (search.program.empty()) {
            tried.push_back(profile.title + ": not installed (looked for " + search.looked + ")");
            continue;
        }
        EngineAnswer answer = RunProgram(profile, search.program, file, deadline.Left(), automatic(profile.title));
        if (!answer.verdict.engineOff) {
            return answer;
        }
        tried.push_back(answer.verdict.reason);
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
