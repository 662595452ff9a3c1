#include "ClamdReply.h"

#include "UncheckedNames.h"

#include <string>

namespace ostrel::ostrelscan {
namespace {

bool EndsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// For the reason text: the reply as printable characters, cut short.
std::string Printable(std::string_view reply)
{
    std::string text;
    for (char c : reply.substr(0, 200)) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte < ' ' || byte == 0x7F ? '?' : c;
    }
    return reply.size() > 200 ? text + "..." : text;
}

}  // namespace

Verdict ParseClamdReply(std::string_view reply)
{
    const std::size_t nul = reply.find('\0');
    if (nul == std::string_view::npos) {
        return Verdict::Error("clamd's answer ended early: \"" + Printable(reply) + "\"");
    }
    const std::string_view line = reply.substr(0, nul);
    if (nul + 1 != reply.size()) {
        return Verdict::Error("clamd answered more than one line: \"" + Printable(reply) + "\"");
    }
    // Errors may come without the "stream: " prefix, e.g. the size limit.
    if (EndsWith(line, " ERROR")) {
        return Verdict::Error("clamd: " + Printable(line));
    }
    constexpr std::string_view prefix = "stream: ";
    if (line.substr(0, prefix.size()) != prefix) {
        return Verdict::Error("clamd gave an answer that is not about the stream: \"" +
                              Printable(line) + "\"");
    }
    const std::string_view result = line.substr(prefix.size());
    if (result == "OK") {
        return Verdict::Clean();
    }
    constexpr std::string_view found = " FOUND";
    if (EndsWith(result, found)) {
        const std::string_view name = result.substr(0, result.size() - found.size());
        if (!name.empty() && name.find_first_not_of(' ') != std::string_view::npos) {
            return FoundNameVerdict(Printable(name), "clamd");
        }
    }
    return Verdict::Error("clamd gave an answer it does not give: \"" + Printable(line) + "\"");
}

}  // namespace ostrel::ostrelscan
