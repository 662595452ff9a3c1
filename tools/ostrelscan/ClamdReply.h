#pragma once

#include "Verdict.h"

#include <string_view>

namespace ostrel::ostrelscan {

// Reads clamd's answer to zINSTREAM: "stream: OK", "stream: NAME FOUND" or
// "... ERROR", ended by the NUL of the z-prefixed command. Anything else,
// an answer without its NUL included, is an error, as is a NAME that says
// the file could not be checked (UncheckedNames.h).
Verdict ParseClamdReply(std::string_view reply);

}  // namespace ostrel::ostrelscan
