#pragma once

// The engines' rows in their ini form: one section "[engine NAME]" per
// engine, with the keys title, program, arguments, clean, found, and the
// patterns name, name_next_line, not_a_name, clean_line, error_line and
// off_line, which may each be given more than once. No <windows.h>.
#include "IniText.h"
#include "Profiles.h"

#include <functional>
#include <string>
#include <vector>

namespace ostrel::ostrelscan {

// A built-in row names no program, as it is found where its installer puts
// it; a user's row must name it, and must not take a built-in engine's name.
enum class EngineSource { builtIn, user };

// The rows of the [engine NAME] sections among the lines; other sections are
// not looked at. A section with a fault gives no row: every fault is in
// `faults`, and nothing half-defined is ever run.
std::vector<ScannerProfile> ReadEngineSections(const std::vector<IniLine>& lines, EngineSource source,
                                               std::vector<IniFault>& faults);

// The row as a section that ReadEngineSections reads back to the same row.
std::string EngineSectionText(const ScannerProfile& row);

// Every engine as a section to copy into ostrelscan.ini and change: the
// built-in ones, each with a note on where its program was found
// (`programOf`), then the user's own.
std::string EngineListText(const std::vector<ScannerProfile>& userRows,
                           const std::function<std::string(const std::string& engine)>& programOf);

}  // namespace ostrel::ostrelscan
