#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// The lines of a text, split at CR LF, CR or LF; a last line break adds no
// empty line.
std::vector<std::string> SplitFileLines(std::string_view content);

// Splits off the text before the first CR LF; `rest` keeps what follows it.
std::string_view SplitFirstLine(std::string_view& rest);

// Each line followed by CR LF.
std::string JoinFileLines(const std::vector<std::string>& lines);

}  // namespace ostrel
