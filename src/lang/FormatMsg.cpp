#include "lang/FormatMsg.h"

namespace ostrel {

std::string ExpandLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'N')) {
            result += "\r\n";
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string FormatMsg(std::string_view pattern, const FormatArgs& args)
{
    return Format(ExpandLineBreaks(pattern), args);
}

std::string BareArguments(const FormatArgs& args)
{
    std::string text;
    for (const FormatArg& arg : args) {
        if (!text.empty()) {
            text += ' ';
        }
        switch (arg.kind()) {
        case FormatArg::Kind::String: text += arg.text(); break;
        case FormatArg::Kind::Integer:
        case FormatArg::Kind::Int64: text += std::to_string(arg.integer()); break;
        case FormatArg::Kind::Float: text += Format("%g", {arg.floating()}); break;
        case FormatArg::Kind::Pointer: text += Format("%p", {arg.pointer()}); break;
        }
    }
    return text;
}

}  // namespace ostrel
