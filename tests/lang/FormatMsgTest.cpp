#include "base/Exception.h"
#include "lang/FormatMsg.h"
#include "lang/MessageTexts.h"

#include <gtest/gtest.h>

#include <vector>

namespace ostrel {
namespace {

TEST(FormatMsg, BackslashNInEitherCaseBecomesCrLf)
{
    EXPECT_EQ(FormatMsg("Error in CheckFile:\\n%s\\N%s", {"EOSError", "gone"}),
              "Error in CheckFile:\r\nEOSError\r\ngone");
    EXPECT_EQ(FormatMsg("plain text", {}), "plain text");
    EXPECT_EQ(FormatMsg("trailing\\", {}), "trailing\\");
    EXPECT_EQ(FormatMsg("\\\\n", {}), "\\\r\n");
    // The arguments are not expanded, only the template.
    EXPECT_EQ(FormatMsg("%s", {"a\\nb"}), "a\\nb");
}

TEST(FormatMsg, TranslatedTemplateWithWrongPlaceholdersRaises)
{
    EXPECT_THROW(FormatMsg("Timeout %s", {12}), EConvertError);
    EXPECT_THROW(FormatMsg("%s %s %s", {"a", "b"}), EConvertError);
}

TEST(FormatMessageText, BadTranslationFallsBackToTheBuiltInTextThenToTheArguments)
{
    MessageTable texts = DefaultMessageTexts();
    texts[static_cast<std::size_t>(MessageKey::SExecTimeOut)] = "Zeit %s";
    texts[static_cast<std::size_t>(MessageKey::SLogError)] = "Datei %s\\nKlasse %s";
    SetMessageTexts(texts);
    TakeMessageFallbacks();

    EXPECT_EQ(FormatMessageText(MessageKey::SLogError, {"f.log", "ELogError", "m"}), "Datei f.log\r\nKlasse ELogError");
    EXPECT_EQ(FormatMessageText(MessageKey::SExecTimeOut, {12}), "Timeoutvalue 12 sec. elapsed since starting program");
    EXPECT_EQ(FormatMessageText(MessageKey::SExecTimeOut, {12}), "Timeoutvalue 12 sec. elapsed since starting program");
    // Noted once for the table, not per use.
    EXPECT_EQ(TakeMessageFallbacks(), std::vector<MessageKey>{MessageKey::SExecTimeOut});
    EXPECT_TRUE(TakeMessageFallbacks().empty());

    // Arguments even the built-in text cannot take are shown as they are.
    EXPECT_EQ(FormatMessageText(MessageKey::SExecTimeOut, {3.5, "twelve", int64_t{7}}), "3.5 twelve 7");
    SetMessageTexts(DefaultMessageTexts());
    EXPECT_EQ(FormatMessageText(MessageKey::SLogError, {1}), "1");
    EXPECT_TRUE(TakeMessageFallbacks().empty()) << "the built-in text itself is no translation";
}

}  // namespace
}  // namespace ostrel
