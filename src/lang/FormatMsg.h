#pragma once

#include "base/Format.h"
#include "lang/MessageTexts.h"

#include <string>
#include <string_view>

namespace ostrel {

// Turns every backslash-n, in either letter case, into CR LF.
std::string ExpandLineBreaks(std::string_view text);

// ExpandLineBreaks, then Format: the formatter of every message template
// that may hold line breaks.
std::string FormatMsg(std::string_view pattern, const FormatArgs& args);

// The current text of a message, filled by FormatMsg. A translation that
// does not fit the arguments gives way to the built-in English text, noted
// for the log; if even that fails, the bare arguments are the message.
// Error paths use it, so it never raises a formatting error.
std::string FormatMessageText(MessageKey key, const FormatArgs& args);

// The arguments as plain text, separated by blanks.
std::string BareArguments(const FormatArgs& args);

}  // namespace ostrel
