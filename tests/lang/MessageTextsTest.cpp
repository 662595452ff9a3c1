#include "lang/FormatMsg.h"
#include "lang/MessageTexts.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(MessageTexts, DefaultsInTableOrder)
{
    EXPECT_STREQ(MessageKeyName(MessageKey::SError), "SError");
    EXPECT_STREQ(MessageKeyName(MessageKey::SSelectHelpfile), "SSelectHelpfile");
    EXPECT_STREQ(MessageKeyName(MessageKey::SExecTimeOut), "SExecTimeOut");
    EXPECT_EQ(MessageText(MessageKey::SExecTimeOut),
              "Timeoutvalue %d sec. elapsed since starting program");
    EXPECT_EQ(FormatMsg(MessageText(MessageKey::SLogError), {"f.log", "ELogError", "m"}),
              "Error writing logfile:\r\nFile: f.log\r\nClass: ELogError\r\nMessage: m");
    std::string question = MessageText(MessageKey::SSupportQuestion);
    EXPECT_NE(question.find("problem to: support@ostrel.example.\\nPlease keep"), std::string::npos);

    MessageTable replaced = DefaultMessageTexts();
    replaced[0] = "Fehler";
    SetMessageTexts(replaced);
    EXPECT_EQ(MessageText(MessageKey::SError), "Fehler");
    SetMessageTexts(DefaultMessageTexts());
}

}  // namespace
}  // namespace ostrel
