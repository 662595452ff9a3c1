#pragma once

// Where a built-in engine's installer puts its program, taken from what the
// system records and only administrators can change: never a folder chosen
// by its name, nothing under %ProgramData%, no environment variable.
#include <string>
#include <string_view>

namespace ostrel::ostrelscan {

struct ProgramSearch {
    std::string program;  // empty when it is not there
    std::string looked;   // where it was sought, for the error that says so
};

// "defender" (MpCmdRun.exe), "eset" (ecls.exe), "kaspersky" (avp.com),
// "clamscan", "clamdscan" or "clamd".
ProgramSearch FindInstalledProgram(std::string_view engine);

}  // namespace ostrel::ostrelscan
