// The built-in engines: rows in the same form as a user's own in
// ostrelscan.ini, read by the same code.
#include "EngineSections.h"
#include "Profiles.h"

#include <stdexcept>

namespace ostrel::ostrelscan {
namespace {

// Exit codes and report lines as the scanners' documentation gives them:
// clamscan(1) and clamdscan(1) print "FILE: OK" or "FILE: NAME FOUND" and
// end with 0 clean, 1 found, 2 error; MpCmdRun.exe prints "Scanning FILE
// found no threats." or "Threat : NAME" and ends with 0 clean, 2 found and
// not remediated.
constexpr const char* kBuiltInEngines = R"ini(
; Without the alerts ClamAV answers OK for an encrypted archive and for a
; file past its size or recursion limits, which it did not look into.
[engine clamscan]
title=ClamAV clamscan
arguments=--no-summary --alert-encrypted=yes --alert-exceeds-max=yes {file}
clean=0
found=1
name=*: {name} FOUND
clean_line=*: OK

; Streamed, so a daemon running under another account need not read the file.
; clamdscan passes no alert option on (it says it ignores them): the
; daemon's clamd.conf must ask for AlertEncrypted and AlertExceedsMax.
[engine clamdscan]
title=ClamAV clamdscan
arguments=--no-summary --stream {file}
clean=0
found=1
name=*: {name} FOUND
clean_line=*: OK

; Without -DisableRemediation it would quarantine the mail client's file.
[engine defender]
title=Microsoft Defender MpCmdRun
arguments=-Scan -ScanType 3 -File {file} -DisableRemediation
clean=0
found=2
name=Threat*: {name}
clean_line=Scanning * found no threats.
)ini";

std::vector<ScannerProfile> ReadBuiltInEngines()
{
    std::vector<IniFault> faults;
    std::vector<ScannerProfile> rows =
        ReadEngineSections(SplitIniLines(kBuiltInEngines, faults), EngineSource::builtIn, faults);
    if (!faults.empty()) {
        throw std::logic_error("built-in engine table, line " + std::to_string(faults.front().line) + ": " +
                               faults.front().text);
    }
    return rows;
}

}  // namespace

const std::vector<ScannerProfile>& ScannerProfiles()
{
    static const std::vector<ScannerProfile> profiles = ReadBuiltInEngines();
    return profiles;
}

const ScannerProfile* FindProfile(std::string_view engine)
{
    for (const ScannerProfile& profile : ScannerProfiles()) {
        if (profile.engine == engine) {
            return &profile;
        }
    }
    return nullptr;
}

}  // namespace ostrel::ostrelscan
