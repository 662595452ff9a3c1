#pragma once

#include <string>
#include <string_view>

namespace ostrel {

// Upper case by the rules of Windows-1252, byte for byte, so positions stay
// the same: a-z, the accented letters and š œ ž ÿ; ß and µ keep their case.
std::string AnsiUpperCase(std::string_view text);
char AnsiUpperCase(char c);
// AnsiUpperCase(text) == upper, without making the upper-case copy.
bool AnsiUpperEquals(std::string_view text, std::string_view upper);

// Drops blanks and control characters (bytes up to 0x20) at both ends.
std::string TrimBlanks(std::string_view text);

// The text, cut to at most `limit` characters, the last three of them "..."
// when it was longer.
std::string CutWithEllipsis(std::string_view text, std::size_t limit);
// The same, appended to `to`.
void AppendCutWithEllipsis(std::string& to, std::string_view text, std::size_t limit);

}  // namespace ostrel
