#include "Profiles.h"

#include "FailureLines.h"
#include "UncheckedNames.h"

#include "base/AnsiString.h"
#include "base/TextLines.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace ostrel::ostrelscan {
namespace {

bool Contains(const std::vector<uint32_t>& codes, uint32_t code)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::string CodeText(uint32_t code)
{
    char text[40];
    // NTSTATUS and HRESULT codes read better in hexadecimal.
    std::snprintf(text, sizeof text, code > 0xFFFF ? "%lu (0x%08lX)" : "%lu",
                  static_cast<unsigned long>(code), static_cast<unsigned long>(code));
    return text;
}

// The last line with a letter or digit, so that a rule of dashes is passed over.
std::string LastLine(const std::vector<std::string>& lines)
{
    for (std::size_t i = lines.size(); i-- > 0;) {
        for (char c : lines[i]) {
            if (std::isalnum(static_cast<unsigned char>(c))) {
                return TrimBlanks(lines[i]);
            }
        }
    }
    return {};
}

std::string Quoted(const std::string& line)
{
    return "\"" + CutWithEllipsis(line, 200) + "\"";
}

// The find that a line names, if any: on the line itself, or, where the
// console wrapped it, alone on the next line that is not blank.
std::optional<std::string> FindOnLine(const ScannerProfile& profile, const std::vector<std::string>& lines,
                                      std::size_t at, std::string_view file)
{
    const auto threat = [&](std::optional<std::string> name) -> std::optional<std::string> {
        if (!name || name->empty() ||
            std::find(profile.notNames.begin(), profile.notNames.end(), *name) != profile.notNames.end()) {
            return std::nullopt;
        }
        return name;
    };
    for (const std::string& pattern : profile.namePatterns) {
        if (std::optional<std::string> name = threat(MatchNamePattern(pattern, lines[at], file))) {
            return name;
        }
    }
    for (const std::string& pattern : profile.nameNextLinePatterns) {
        if (!MatchLinePattern(pattern, lines[at], file)) {
            continue;
        }
        // Sought only after a match, so blank lines are not walked again for every line.
        std::size_t next = at + 1;
        while (next < lines.size() && TrimBlanks(lines[next]).empty()) {
            ++next;
        }
        if (next < lines.size()) {
            return threat(TrimBlanks(lines[next]));
        }
    }
    return std::nullopt;
}

// The first line that one of the patterns matches.
std::optional<std::string> FirstLine(const std::vector<std::string>& patterns, const std::vector<std::string>& lines,
                                     std::string_view file)
{
    for (const std::string& line : lines) {
        for (const std::string& pattern : patterns) {
            if (MatchLinePattern(pattern, line, file)) {
                return TrimBlanks(line);
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::string QuoteArgument(std::string_view argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
        return std::string(argument);
    }
    // Backslashes are literal except before a quote, where they double.
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
        } else if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
            backslashes = 0;
        } else {
            quoted.append(backslashes, '\\');
            backslashes = 0;
        }
        if (c != '\\') {
            quoted += c;
        }
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

std::string ProfileCommandLine(const ScannerProfile& profile, const std::string& program,
                               const std::string& file)
{
    std::string arguments = profile.arguments;
    const std::size_t at = arguments.find("{file}");
    if (at != std::string::npos) {
        arguments.replace(at, 6, QuoteArgument(file));
    }
    return QuoteArgument(program) + " " + arguments;
}

Verdict ReadProfileReport(const ScannerProfile& profile, uint32_t exitCode, std::string_view output,
                          std::string_view file)
{
    const std::vector<std::string> lines = SplitFileLines(output);
    for (std::size_t at = 0; at < lines.size(); ++at) {
        if (std::optional<std::string> name = FindOnLine(profile, lines, at, file)) {
            return FoundNameVerdict(*name, profile.title);
        }
    }
    if (const std::optional<std::string> line = FirstLine(profile.offLines, lines, file)) {
        return Verdict::EngineOff(profile.title + " says it is switched off, not running or not licensed: " +
                                  Quoted(*line));
    }
    if (const std::optional<std::string> line = FirstLine(profile.errorLines, lines, file)) {
        return Verdict::Error(profile.title + " says it could not check the file: " + Quoted(*line));
    }
    const bool cleanCode = profile.cleanCodes.empty() || Contains(profile.cleanCodes, exitCode);
    const bool cleanLines =
        std::all_of(profile.cleanLines.begin(), profile.cleanLines.end(), [&](const std::string& pattern) {
            return std::any_of(lines.begin(), lines.end(),
                               [&](const std::string& line) { return MatchLinePattern(pattern, line, file); });
        });
    if (cleanLines && cleanCode) {
        return Verdict::Clean();
    }
    if (const std::optional<KnownFailure> failure = FindKnownFailure(lines)) {
        const std::string reason = profile.title + " " + failure->kind->meaning + ": " + Quoted(failure->line);
        return failure->kind->engineOff ? Verdict::EngineOff(reason) : Verdict::Error(reason);
    }
    std::string reason = profile.title + " ended with exit code " + CodeText(exitCode);
    if (cleanCode) {
        reason += profile.cleanCodes.empty() ? "; its report does not say the file is clean"
                                              : " without the line that says the file is clean";
    } else if (Contains(profile.infectedCodes, exitCode)) {
        reason += ", its code for a threat, but named none";
    } else {
        reason += ", which is neither clean nor a threat";
    }
    const std::string last = LastLine(lines);
    return Verdict::Error(reason + (last.empty() ? "; it printed nothing" : "; its last line: " + Quoted(last)));
}

}  // namespace ostrel::ostrelscan
