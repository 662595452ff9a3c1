#pragma once

#include "base/Format.h"

#include <string>
#include <string_view>

namespace ostrel {

// Turns every backslash-n, in either letter case, into CR LF.
std::string ExpandLineBreaks(std::string_view text);

// ExpandLineBreaks, then Format: the formatter of every message template
// that may hold line breaks.
std::string FormatMsg(std::string_view pattern, const FormatArgs& args);

// The arguments as plain text, separated by blanks.
std::string BareArguments(const FormatArgs& args);

}  // namespace ostrel
