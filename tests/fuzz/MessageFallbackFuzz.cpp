// Language files set the message templates and the plug-in's error paths
// fill them: whatever the templates and arguments, the fallback must give
// a text and never raise.
#include "lang/MessageTexts.h"
#include "support/RecordingLog.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    // Fields separated by NUL: the twenty templates, then the arguments.
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        size_t end = input.find('\0', start);
        fields.push_back(input.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    ostrel::MessageTable texts = ostrel::DefaultMessageTexts();
    for (size_t index = 0; index < texts.size() && index < fields.size(); ++index) {
        texts[index] = fields[index];
    }
    ostrel::test::RecordingLog log;
    ostrel::TMessageTexts messages(log);
    messages.SetTexts(texts);
    ostrel::FormatArgs args;
    for (size_t index = texts.size(); index < fields.size() && args.size() < 8; ++index) {
        const std::string& field = fields[index];
        // The field's first byte picks the argument's kind.
        switch (field.empty() ? 0 : field[0] % 4) {
        case 0: args.emplace_back(field); break;
        case 1: args.emplace_back(static_cast<int32_t>(field.size() * 977)); break;
        case 2: args.emplace_back(static_cast<double>(field.size()) / 3); break;
        default: args.emplace_back(static_cast<int64_t>(field.size()) << 40); break;
        }
    }
    for (size_t index = 0; index < ostrel::MessageKeyCount; ++index) {
        messages.Format(static_cast<ostrel::MessageKey>(index), args);
    }
    return 0;
}
