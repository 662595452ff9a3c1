#pragma once

#include <string>
#include <vector>

namespace ostrel::test {

// The lines of a log file with their stamps or indents removed. A line that
// is neither stamped ("yyyy-mm-dd, hh:nn:ss: ") nor indented by 22 blanks
// comes back as "MALFORMED: " and the line, so a test sees it.
std::vector<std::string> LogMessages(const std::string& path);

}  // namespace ostrel::test
