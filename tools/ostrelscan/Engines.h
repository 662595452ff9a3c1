#pragma once

#include "Options.h"
#include "Verdict.h"

#include <string>

namespace ostrel::ostrelscan {

struct EngineAnswer {
    Verdict verdict;
    std::string output;  // what a scanner program printed, for the report of an error
};

// "clamd at 127.0.0.1:3310", "ClamAV clamscan": for the report's first line.
std::string EngineLabel(const Settings& settings);

// Asks the engine of the settings about the file.
EngineAnswer AskEngine(const Settings& settings, const std::string& file);

}  // namespace ostrel::ostrelscan
