#include "Engines.h"

#include "ChildProcess.h"
#include "Clamd.h"
#include "Profiles.h"
#include "base/UniqueResource.h"
#include "base/WinError.h"

#include <windows.h>

#include <vector>

namespace ostrel::ostrelscan {
namespace {

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

// Empty when none of the places holds it; `looked` says where it was sought.
std::string FindProgram(const ScannerProfile& profile, std::string& looked)
{
    for (const std::string& place : profile.programs) {
        const std::string path = ExpandVariables(place);
        // An unset variable stays as "%NAME%": nothing to look at.
        if (path.find('%') != std::string::npos) {
            continue;
        }
        if (IsFile(path)) {
            return path;
        }
        looked += (looked.empty() ? "" : ", ") + path;
    }
    return {};
}

// The engine would say "cannot open" in its own words, or not at all.
std::string OpenFailure(const std::string& file)
{
    const UniqueFile input(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
    return input ? std::string() : "cannot open " + file + ": " + SystemErrorMessage(GetLastError(), file);
}

}  // namespace

std::string EngineLabel(const Settings& settings)
{
    if (settings.engine == "clamd") {
        return "ClamAV daemon clamd at " + settings.address;
    }
    const ScannerProfile* profile = FindProfile(settings.engine);
    return profile != nullptr ? profile->title : settings.engine;
}

EngineAnswer AskEngine(const Settings& settings, const std::string& file)
{
    const unsigned long timeoutMs = static_cast<unsigned long>(settings.timeoutSeconds) * 1000;
    if (settings.engine == "clamd") {
        const std::optional<Endpoint> endpoint = ParseAddress(settings.address);
        if (!endpoint) {
            return {Verdict::Error("address \"" + settings.address + "\" is not HOST:PORT"), {}};
        }
        return {ScanWithClamd(*endpoint, file, timeoutMs), {}};
    }
    const ScannerProfile* profile = FindProfile(settings.engine);
    if (profile == nullptr) {
        return {Verdict::Error("unknown engine \"" + settings.engine + "\""), {}};
    }
    std::string failure = OpenFailure(file);
    if (!failure.empty()) {
        return {Verdict::Error(failure), {}};
    }
    std::string program = settings.program;
    if (program.empty()) {
        std::string looked;
        program = FindProgram(*profile, looked);
        if (program.empty()) {
            return {Verdict::Error(profile->title + " is not installed where its installer puts it (" +
                                   looked + "); name it with program= in ostrelscan.ini"),
                    {}};
        }
    }
    const ChildRun run = RunHidden(program, ProfileCommandLine(*profile, program, file), timeoutMs);
    if (!run.failure.empty()) {
        return {Verdict::Error(profile->title + ": " + run.failure), run.output};
    }
    return {ReadProfileReport(*profile, run.exitCode, run.output), run.output};
}

}  // namespace ostrel::ostrelscan
