#include "LinePattern.h"

#include "base/AnsiString.h"
#include "base/Ascii.h"

#include <vector>

namespace ostrel::ostrelscan {
namespace {

enum class Kind { text, any, name, file, count, blank };

struct Piece {
    Kind kind;
    std::string_view text;  // for Kind::text
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::vector<Piece> Pieces(std::string_view pattern)
{
    constexpr std::pair<std::string_view, Kind> kTokens[] = {
        {"{name}", Kind::name}, {"{file}", Kind::file}, {"{count}", Kind::count}};
    std::vector<Piece> pieces;
    std::size_t textStart = 0;
    const auto closeText = [&](std::size_t end) {
        if (end > textStart) {
            pieces.push_back({Kind::text, pattern.substr(textStart, end - textStart)});
        }
    };
    for (std::size_t at = 0; at < pattern.size();) {
        std::optional<Kind> kind;
        std::size_t length = 1;
        if (pattern[at] == '*') {
            kind = Kind::any;
        } else if (IsBlank(pattern[at])) {
            kind = Kind::blank;
            while (at + length < pattern.size() && IsBlank(pattern[at + length])) {
                ++length;
            }
        } else {
            for (const auto& [token, tokenKind] : kTokens) {
                if (pattern.substr(at, token.size()) == token) {
                    kind = tokenKind;
                    length = token.size();
                }
            }
        }
        if (kind) {
            closeText(at);
            pieces.push_back({*kind, {}});
            textStart = at + length;
        }
        at += length;
    }
    closeText(pattern.size());
    return pieces;
}

// The end of the whole number that starts at `at`, or nothing where none
// starts there or it is 0.
std::optional<std::size_t> CountEnd(std::string_view text, std::size_t at)
{
    if (at > 0 && IsDigit(text[at - 1])) {
        return std::nullopt;
    }
    bool nonZero = false;
    std::size_t end = at;
    for (; end < text.size() && IsDigit(text[end]); ++end) {
        nonZero = nonZero || text[end] != '0';
    }
    return nonZero ? std::optional<std::size_t>(end) : std::nullopt;
}

}  // namespace

std::optional<std::string> MatchPattern(std::string_view pattern, std::string_view line, std::string_view file)
{
    const std::string trimmed = TrimBlanks(line);
    const std::string_view text = trimmed;
    const std::vector<Piece> pieces = Pieces(pattern);
    const std::size_t count = pieces.size(), size = text.size();
    const auto fits = [&](std::string_view part, std::size_t at) {
        return !part.empty() && text.substr(at, part.size()) == part;
    };
    // Most lines already fail at a literal start or end: no table for them.
    if (count > 0) {
        const std::string_view first = pieces.front().kind == Kind::text ? pieces.front().text : "";
        const std::string_view last = pieces.back().kind == Kind::text ? pieces.back().text : "";
        if ((!first.empty() && !fits(first, 0)) ||
            (!last.empty() && (size < last.size() || !fits(last, size - last.size())))) {
            return std::nullopt;
        }
    }

    // rest[i][t]: pieces i.. match text t.., filled from the end, so that
    // the match below can take the most for each piece without trying.
    std::vector<std::vector<bool>> rest(count + 1, std::vector<bool>(size + 1, false));
    rest[count][size] = true;
    std::vector<bool> restLater(count, false);  // for a star or name: rest[i + 1][u] for some u >= t
    for (std::size_t t = size + 1; t-- > 0;) {
        for (std::size_t i = count; i-- > 0;) {
            const Piece& piece = pieces[i];
            const std::vector<bool>& next = rest[i + 1];
            bool matches = false;
            switch (piece.kind) {
            case Kind::text: matches = fits(piece.text, t) && next[t + piece.text.size()]; break;
            case Kind::file: matches = fits(file, t) && next[t + file.size()]; break;
            case Kind::count: {
                const std::optional<std::size_t> end = CountEnd(text, t);
                matches = end && next[*end];
                break;
            }
            case Kind::blank: matches = t < size && IsBlank(text[t]) && (next[t + 1] || rest[i][t + 1]); break;
            case Kind::any:
            case Kind::name: {
                const bool later = restLater[i];  // some u > t
                restLater[i] = later || next[t];
                matches = piece.kind == Kind::any ? restLater[i] : later;
                break;
            }
            }
            rest[i][t] = matches;
        }
    }
    if (!rest[0][0]) {
        return std::nullopt;
    }

    std::string name;
    bool named = false;
    std::size_t t = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Piece& piece = pieces[i];
        const std::vector<bool>& next = rest[i + 1];
        switch (piece.kind) {
        case Kind::text: t += piece.text.size(); break;
        case Kind::file: t += file.size(); break;
        case Kind::count: t = *CountEnd(text, t); break;
        case Kind::blank: {
            std::size_t end = t + 1;
            for (std::size_t u = t + 1; u <= size && IsBlank(text[u - 1]); ++u) {
                end = next[u] ? u : end;
            }
            t = end;
            break;
        }
        case Kind::any:
        case Kind::name: {
            std::size_t end = size;
            while (!next[end]) {
                --end;
            }
            if (piece.kind == Kind::name) {
                name = TrimBlanks(text.substr(t, end - t));
                named = true;
            }
            t = end;
            break;
        }
        }
    }
    if (named && name.empty()) {
        return std::nullopt;
    }
    return name;
}

std::optional<std::string> MatchNamePattern(std::string_view pattern, std::string_view line, std::string_view file)
{
    if (pattern.find("{name}") == std::string_view::npos) {
        return std::nullopt;
    }
    return MatchPattern(pattern, line, file);
}

bool MatchLinePattern(std::string_view pattern, std::string_view line, std::string_view file)
{
    return MatchPattern(pattern, line, file).has_value();
}

}  // namespace ostrel::ostrelscan
