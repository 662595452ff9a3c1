#include "lang/FormatMsg.h"
#include "lang/MessageTexts.h"
#include "support/RecordingLog.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(MessageTexts, DefaultsInTableOrder)
{
    EXPECT_STREQ(MessageKeyName(MessageKey::SError), "SError");
    EXPECT_STREQ(MessageKeyName(MessageKey::SSelectHelpfile), "SSelectHelpfile");
    EXPECT_STREQ(MessageKeyName(MessageKey::SExecTimeOut), "SExecTimeOut");
    test::RecordingLog log;
    TMessageTexts messages(log);
    EXPECT_EQ(messages.Text(MessageKey::SExecTimeOut),
              "Timeoutvalue %d sec. elapsed since starting program");
    EXPECT_EQ(FormatMsg(messages.Text(MessageKey::SLogError), {"f.log", "ELogError", "m"}),
              "Error writing logfile:\r\nFile: f.log\r\nClass: ELogError\r\nMessage: m");
    std::string question = messages.Text(MessageKey::SSupportQuestion);
    EXPECT_NE(question.find("problem to: support@ostrel.example.\\nPlease keep"), std::string::npos);

    MessageTable replaced = DefaultMessageTexts();
    replaced[0] = "Fehler";
    messages.SetTexts(replaced);
    EXPECT_EQ(messages.Text(MessageKey::SError), "Fehler");
    EXPECT_EQ(messages.Texts(), replaced);
}

}  // namespace
}  // namespace ostrel
