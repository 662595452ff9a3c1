#include "lang/LanguageScript.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

using Lines = std::vector<std::string>;

TEST(LanguageScript, SelectsTheLinesOfOneLanguage)
{
    const Lines script = {"before=1", "  [German] ", " ; comment", "  Caption = Konfiguration  ", "",
                          "[English]", "Caption=Configuration", "[GERMAN]", "Hint=x", "[broken",
                          "lost=1", "[A]B]", "ab=1"};
    EXPECT_EQ(SelectLanguageLines(script, "german"), (Lines{"Caption = Konfiguration", "Hint=x"}));
    EXPECT_EQ(SelectLanguageLines(script, ""), (Lines{"before=1", "lost=1"}));
    EXPECT_EQ(SelectLanguageLines(script, "A]B"), Lines{});
    EXPECT_EQ(SelectLanguageLines(script, "a"), Lines{"ab=1"});
}

TEST(LanguageScript, EntryValueRules)
{
    struct Case {
        const char* line;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {" btnHelp.Caption = Hilfe ", "btnHelp.Caption", "Hilfe"},
        {"a='Text'", "a", "Text"},
        {"a=' padded '", "a", " padded "},
        {"a='", "a", "'"},
        {"a=''", "a", ""},
        {"a=one\\ntwo", "a", "one\r\ntwo"},
        {"a=keep\\N", "a", "keep\\N"},
        {"a=b=c", "a", "b=c"},
        {"no equals", "", ""},
        {"=value", "", "value"},
    };
    for (const Case& c : cases) {
        ScriptEntry entry = SplitEntry(c.line);
        EXPECT_EQ(entry.name, c.name) << c.line;
        EXPECT_EQ(entry.value, c.value) << c.line;
    }
}

}  // namespace
}  // namespace ostrel
