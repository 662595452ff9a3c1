#pragma once

#include "Options.h"
#include "Verdict.h"

#include <string>

namespace ostrel::ostrelscan {

struct EngineAnswer {
    Verdict verdict;
    std::string output;  // what a scanner program printed, for the report of an error
    std::string label;   // the engine that answered, for the report's first line
};

// "ClamAV daemon clamd at 127.0.0.1:3310", "ClamAV clamscan": for the report's first line.
std::string EngineLabel(const Settings& settings);

// Asks the engine of the settings about the file. With engine auto: clamd
// when an address is named or ClamAV's installed daemon is the listener at
// the default address, else ESET or Kaspersky where installed, else
// Defender while it is on, else clamscan. No engine is tried after one has answered,
// only after one that is missing or says it is off.
EngineAnswer AskEngine(const Settings& settings, const std::string& file);

}  // namespace ostrel::ostrelscan
