#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// The lines of a text, split at CR LF, CR or LF; a last line break adds no
// empty line.
std::vector<std::string> SplitFileLines(std::string_view content);

// Each line followed by CR LF.
std::string JoinFileLines(const std::vector<std::string>& lines);

}  // namespace ostrel
