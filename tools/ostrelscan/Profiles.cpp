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

constexpr std::string_view kName = "{name}";

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

std::optional<std::string> MatchNamePattern(std::string_view pattern, std::string_view line)
{
    const std::size_t at = pattern.find(kName);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view before = pattern.substr(0, at);
    const std::string_view after = pattern.substr(at + kName.size());
    if (after.find('*') != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string trimmed = TrimBlanks(line);
    std::string_view head = trimmed;
    if (head.size() < after.size() || head.substr(head.size() - after.size()) != after) {
        return std::nullopt;
    }
    head.remove_suffix(after.size());

    // Pieces between the stars: the first anchored at the start, the middle
    // ones leftmost, the last one (just before the name) rightmost.
    std::vector<std::string_view> pieces;
    for (std::size_t from = 0;;) {
        const std::size_t star = before.find('*', from);
        pieces.push_back(before.substr(from, star == std::string_view::npos ? star : star - from));
        if (star == std::string_view::npos) {
            break;
        }
        from = star + 1;
    }
    if (head.substr(0, pieces.front().size()) != pieces.front()) {
        return std::nullopt;
    }
    std::size_t start = pieces.front().size();
    if (pieces.size() > 1) {
        for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
            const std::size_t found = head.find(pieces[i], start);
            if (found == std::string_view::npos) {
                return std::nullopt;
            }
            start = found + pieces[i].size();
        }
        const std::string_view last = pieces.back();
        if (last.empty()) {
            return std::nullopt;
        }
        const std::size_t found = head.rfind(last);
        if (found == std::string_view::npos || found < start) {
            return std::nullopt;
        }
        start = found + last.size();
    }
    std::string name = TrimBlanks(head.substr(start));
    if (name.empty()) {
        return std::nullopt;
    }
    return name;
}

bool MatchLinePattern(std::string_view pattern, std::string_view line)
{
    const std::string trimmed = TrimBlanks(line);
    const std::string_view text = trimmed;
    // Where the last star began and how much of the text it has taken.
    std::size_t p = 0, t = 0, star = std::string_view::npos, taken = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            taken = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++taken;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

Verdict ReadProfileReport(const ScannerProfile& profile, uint32_t exitCode, std::string_view output)
{
    const std::vector<std::string> lines = SplitFileLines(output);
    bool cleanLine = profile.cleanLine.empty();
    for (const std::string& line : lines) {
        if (std::optional<std::string> name = MatchNamePattern(profile.namePattern, line)) {
            return FoundNameVerdict(*name, profile.title);
        }
        cleanLine = cleanLine || MatchLinePattern(profile.cleanLine, line);
    }
    if (cleanLine && Contains(profile.cleanCodes, exitCode)) {
        return Verdict::Clean();
    }
    if (const std::optional<KnownFailure> failure = FindKnownFailure(lines)) {
        const std::string reason = profile.title + " " + failure->kind->meaning + ": " + Quoted(failure->line);
        return failure->kind->engineOff ? Verdict::EngineOff(reason) : Verdict::Error(reason);
    }
    std::string reason = profile.title + " ended with exit code " + CodeText(exitCode);
    if (Contains(profile.infectedCodes, exitCode)) {
        reason += ", its code for a threat, but named none";
    } else if (Contains(profile.cleanCodes, exitCode)) {
        reason += " without the line that says the file is clean";
    } else {
        reason += ", which is neither clean nor a threat";
    }
    const std::string last = LastLine(lines);
    return Verdict::Error(reason + (last.empty() ? "; it printed nothing" : "; its last line: " + Quoted(last)));
}

}  // namespace ostrel::ostrelscan
