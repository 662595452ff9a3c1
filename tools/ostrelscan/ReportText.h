#pragma once

// ostrelscan's printed report for one verdict. No <windows.h>.
#include "Verdict.h"

#include <string>

namespace ostrel::ostrelscan {

struct ReportInput {
    std::string engineLabel;  // e.g. "clamd at 127.0.0.1:3310"
    std::string file;
    bool german = false;
    bool cure = false;
    std::string engineOutput;  // what a scanner program printed; shown after an error
};

// An error has no counts, so the plug-in answers with its error code; the
// reason and the end of the engine's output stand in its log instead.
std::string ComposeReport(const Verdict& verdict, const ReportInput& input);

}  // namespace ostrel::ostrelscan
