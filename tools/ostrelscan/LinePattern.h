#pragma once

// The one pattern language of the engine rows, for every key that matches a
// report line. No <windows.h>.
#include <optional>
#include <string>
#include <string_view>

namespace ostrel::ostrelscan {

// Matches one line, blanks at both ends ignored, against a pattern such as
// "*: {name} FOUND" or "; Processed objects: {count}":
//   *        any text, possibly none
//   {name}   the found name: some text that is not only blanks
//   {file}   the file that was asked about, as the engine was given it
//   {count}  a whole number of at least 1, all its digits
//   a blank  one or more blanks or tabs, as consoles and copies differ
// and everything else stands for itself. Where a line matches in more than
// one way, each '*' and {name}, from left to right, takes the most text that
// still lets the rest match: "*: {name} FOUND" names what stands after the
// last ": " that is followed by a name and " FOUND".
// Returns the name, trimmed (empty for a pattern without {name}), or nothing
// when the line does not match.
std::optional<std::string> MatchPattern(std::string_view pattern, std::string_view line, std::string_view file = {});

// The name of a pattern that holds {name} and matches; otherwise nothing.
std::optional<std::string> MatchNamePattern(std::string_view pattern, std::string_view line,
                                            std::string_view file = {});

bool MatchLinePattern(std::string_view pattern, std::string_view line, std::string_view file = {});

}  // namespace ostrel::ostrelscan
