#include "Engines.h"

#include "ChildProcess.h"
#include "Clamd.h"
#include "Deadline.h"
#include "FileAccess.h"
#include "Profiles.h"
#include "base/FilePath.h"
#include "base/UniqueResource.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace ostrel::ostrelscan {
namespace {

// A refused connection takes Windows about a second to report on loopback;
// auto waits no longer than that before it asks the next engine.
constexpr unsigned long kAutoConnectLimitMs = 1000;

std::string ExpandVariables(const std::string& text)
{
    std::vector<char> buffer(ExpandEnvironmentStringsA(text.c_str(), nullptr, 0) + 1);
    const DWORD length = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    return length == 0 || length > buffer.size() ? text : std::string(buffer.data());
}

bool IsFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> SubfolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const UniqueFindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search.get(), &found));
    return names;
}

// Where each built-in engine's installer puts its program, %VARIABLES%
// allowed, first found wins; and a folder of version folders, each with its
// own copy, the newest of which wins over the places.
struct InstallPlaces {
    std::vector<std::string> programs;
    std::string versionsFolder;
};

InstallPlaces InstallPlacesOf(const std::string& engine)
{
    if (engine == "defender") {
        return {{"%ProgramW6432%\\Windows Defender\\MpCmdRun.exe", "%ProgramFiles%\\Windows Defender\\MpCmdRun.exe"},
                // Platform updates install beside the copy that came with Windows.
                "%ProgramData%\\Microsoft\\Windows Defender\\Platform"};
    }
    return {{"%ProgramW6432%\\ClamAV\\" + engine + ".exe", "%ProgramFiles%\\ClamAV\\" + engine + ".exe"}, {}};
}

// Empty when none of the places holds it; `looked` says where it was sought.
std::string FindProgram(const ScannerProfile& profile, std::string& looked)
{
    const InstallPlaces installed = InstallPlacesOf(profile.engine);
    std::vector<std::string> places;  // %ProgramW6432% and %ProgramFiles% are often one folder
    const auto note = [&](const std::string& place) {
        if (std::find(places.begin(), places.end(), place) == places.end()) {
            places.push_back(place);
            looked += (looked.empty() ? "" : ", ") + place;
        }
    };
    const std::string versions = ExpandVariables(installed.versionsFolder);
    if (!versions.empty() && versions.find('%') == std::string::npos) {
        const std::string program = ExtractFileName(installed.programs.front());
        for (const std::string& version : NewestVersionsFirst(SubfolderNames(versions))) {
            const std::string path = versions + "\\" + version + "\\" + program;
            if (IsFile(path)) {
                return path;
            }
        }
        note(versions + "\\*\\" + program);
    }
    for (const std::string& place : installed.programs) {
        const std::string path = ExpandVariables(place);
        // An unset variable stays as "%NAME%": nothing to look at.
        if (path.find('%') != std::string::npos) {
            continue;
        }
        if (IsFile(path)) {
            return path;
        }
        note(path);
    }
    return {};
}

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
        std::string looked;
        const std::string program = FindProgram(profile, looked);
        if (!program.empty()) {
            return RunProgram(profile, program, file, deadline.Left(), automatic(profile.title));
        }
        tried.push_back(profile.title + ": not installed (looked for " + looked + ")");
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
        std::string looked;
        program = FindProgram(*profile, looked);
        if (program.empty()) {
            return {Verdict::Error(profile->title + " is not installed where its installer puts it (" +
                                   looked + "); name it with program= in ostrelscan.ini"),
                    {}, label};
        }
    }
    return RunProgram(*profile, program, file, timeoutMs, label);
}

}  // namespace ostrel::ostrelscan
