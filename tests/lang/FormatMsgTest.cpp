#include "base/Exception.h"
#include "lang/FormatMsg.h"
#include "lang/MessageTexts.h"
#include "support/RecordingLog.h"

#include <gtest/gtest.h>

#include <string>
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
    test::RecordingLog log;
    TMessageTexts messages(log);
    MessageTable texts = DefaultMessageTexts();
    texts[static_cast<std::size_t>(MessageKey::SExecTimeOut)] = "Zeit %s";
    texts[static_cast<std::size_t>(MessageKey::SLogError)] = "Datei %s\\nKlasse %s";
    messages.SetTexts(texts);

    EXPECT_EQ(messages.Format(MessageKey::SLogError, {"f.log", "ELogError", "m"}), "Datei f.log\r\nKlasse ELogError");
    EXPECT_EQ(messages.Format(MessageKey::SExecTimeOut, {12}), "Timeoutvalue 12 sec. elapsed since starting program");
    EXPECT_EQ(messages.Format(MessageKey::SExecTimeOut, {12}), "Timeoutvalue 12 sec. elapsed since starting program");
    // Named in the log once for the table, not per use; a new table names it afresh.
    const std::string note =
        "The text SExecTimeOut of the language file does not fit its arguments; the built-in text is used";
    EXPECT_EQ(log.lines, std::vector<std::string>{note});
    messages.SetTexts(texts);
    messages.Format(MessageKey::SExecTimeOut, {12});
    EXPECT_EQ(log.lines, (std::vector<std::string>{note, note}));

    // Arguments even the built-in text cannot take are shown as they are.
    EXPECT_EQ(messages.Format(MessageKey::SExecTimeOut, {3.5, "twelve", int64_t{7}}), "3.5 twelve 7");
    messages.SetTexts(DefaultMessageTexts());
    EXPECT_EQ(messages.Format(MessageKey::SLogError, {1}), "1");
    EXPECT_EQ(log.lines.size(), 2u) << "the built-in text itself is no translation";
}

}  // namespace
}  // namespace ostrel
