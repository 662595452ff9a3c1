// A language file is untrusted: any script, selected for any language and
// applied to a form, must end in a value or an error, never in a crash.
#include "base/Exception.h"
#include "lang/LanguageScript.h"
#include "lang/MultiLanguage.h"
#include "lang/Ordinals.h"
#include "support/TestComponents.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> script;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        script.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    for (const std::string& line : script) {
        ostrel::StrToOrdinal(line);
        ostrel::SplitEntry(line);
    }
    ostrel::test::TestForm form;
    ostrel::TMultiLanguage translator(&form);
    translator.Script() = script;
    try {
        translator.SetLanguage(script.empty() ? "" : script.front());
    } catch (const ostrel::Exception&) {
    }
    return 0;
}
