#include "Profiles.h"

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

// The numbers of a version name in order; separators are whatever is not a digit.
std::vector<unsigned long long> VersionNumbers(const std::string& name)
{
    std::vector<unsigned long long> numbers;
    for (std::size_t at = 0; at < name.size();) {
        if (!std::isdigit(static_cast<unsigned char>(name[at]))) {
            ++at;
            continue;
        }
        unsigned long long number = 0;
        for (; at < name.size() && std::isdigit(static_cast<unsigned char>(name[at])); ++at) {
            number = std::min<unsigned long long>(number * 10 + static_cast<unsigned>(name[at] - '0'),
                                                  1ULL << 60);
        }
        numbers.push_back(number);
    }
    return numbers;
}

std::string CodeText(uint32_t code)
{
    char text[40];
    // NTSTATUS and HRESULT codes read better in hexadecimal.
    std::snprintf(text, sizeof text, code > 0xFFFF ? "%lu (0x%08lX)" : "%lu",
                  static_cast<unsigned long>(code), static_cast<unsigned long>(code));
    return text;
}

}  // namespace

std::vector<std::string> NewestVersionsFirst(std::vector<std::string> names)
{
    const auto isVersion = [](const std::string& name) {
        return !name.empty() && std::isdigit(static_cast<unsigned char>(name[0]));
    };
    std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        if (isVersion(a) != isVersion(b)) {
            return isVersion(a);
        }
        return VersionNumbers(a) > VersionNumbers(b);
    });
    return names;
}

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

Verdict ReadProfileReport(const ScannerProfile& profile, uint32_t exitCode, std::string_view output)
{
    std::optional<std::string> name;
    for (const std::string& line : SplitFileLines(output)) {
        name = MatchNamePattern(profile.namePattern, line);
        if (name) {
            break;
        }
    }
    // A found code without a name is taken as a failure the scanner words
    // that way: MpCmdRun ends with 2 on some of its errors as well.
    if (Contains(profile.infectedCodes, exitCode)) {
        return name ? Verdict::Infected(*name)
                    : Verdict::Error(profile.title + " ended with exit code " + CodeText(exitCode) +
                                     ", which means found, but its report names nothing");
    }
    if (Contains(profile.cleanCodes, exitCode)) {
        if (name) {
            return Verdict::Error(profile.title + " ended with exit code " + CodeText(exitCode) +
                                  ", which means clean, but its report names " + *name);
        }
        return Verdict::Clean();
    }
    return Verdict::Error(profile.title + " ended with exit code " + CodeText(exitCode) +
                          ", which is neither clean nor found");
}

}  // namespace ostrel::ostrelscan
