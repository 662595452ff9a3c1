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
//
// ESET's ecls.exe and Kaspersky's avp.com were not run here: their rows
// follow the exit codes their vendors give and reports published by public
// multi-engine projects:
// - ecls.exe's help: 0 no threat, 1 threat found and cleaned, 10 some files
//   could not be scanned, 50 threat found, 100 error, above 100 not scanned.
//   Reports of ecls 12.2 (CSIRT-SK/viruschecker, driver/test/.../EsetTest.kt)
//   write result="...", those IRMA reads (quarkslab/irma,
//   probe/modules/antivirus/eset_win/eset_win.py) threat="...": one line
//   name="FILE", result="is OK" or the threat's name, action="", info=""
//   per file and archive member ("FILE » ZIP » MEMBER"), then a summary
//   whose "Total: files - N" may count more than the file asked. A file it
//   cannot open reads threat="", info="unable to open" (the protocol notes
//   of a public ecls web service, checked against ecls.exe).
// - avp.com's exit code cannot be trusted (IRMA reads 2 and 3 as a find;
//   users report 2 for a clean file too), and every report ends with "last
//   error code 0". Reports of Kaspersky Anti-Virus 18 (quarkslab/irma,
//   probe/tests/modules/antivirus/test_kaspersky_win.py: clean, a find whose
//   name the console wrapped onto the next line, and "Objects to scan: No
//   objects" with "Processed objects: 0") and of 2019 (CSIRT-SK/viruschecker,
//   driver/test/.../KasperskyTest.kt: clean, a find, an archive with a find in
//   a member "FILE//MEMBER") give "TIME FILE detected NAME" (or
//   "suspicion"), "TIME FILE skipped", and the statistics block.
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

; Report only: its clean mode is none unless asked. Clean is the asked
; file's own line; a member's line is about the member.
[engine eset]
title=ESET ecls
arguments=/log-all {file}
clean=0
found=1,50
name=name="*", result="{name}", action="*", info="*"
name=name="*", threat="{name}", action="*", info="*"
not_a_name=is OK
clean_line=name="{file}", *="is OK", action="", info=""
error_line=name="*", *="", action="*", info="*"

; Report only (/i0). The words decide, whatever the code: a find, its name
; perhaps wrapped onto the next line; clean only when the statistics count
; at least one object processed and nothing detected, suspected, password
; protected, corrupted, skipped or failed.
[engine kaspersky]
title=Kaspersky avp.com
arguments=SCAN {file} /i0
clean=any
found=any
name=* detected {name}
name=* suspicion {name}
name_next_line=* detected
name_next_line=* suspicion
clean_line=; Processed objects: {count}
clean_line=; Total detected: 0
clean_line=; Suspicions: 0
clean_line=; Total skipped: 0
clean_line=; Password protected: 0
clean_line=; Corrupted: 0
clean_line=; Errors: 0
error_line=; Objects to scan: No objects
error_line=; Processed objects: 0
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
