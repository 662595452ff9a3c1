#include "lang/LanguageErrors.h"
#include "lang/MultiLanguage.h"
#include "support/TestComponents.h"

#include <gtest/gtest.h>

namespace ostrel::test {
namespace {

void Apply(TestForm& form, const std::vector<std::string>& entries)
{
    TMultiLanguage translator(&form);
    translator.Script() = {"[German]"};
    translator.Script().insert(translator.Script().end(), entries.begin(), entries.end());
    translator.SetLanguage("German");
}

TEST(MultiLanguage, PathsReachFormControlsAndSubObjects)
{
    TestForm form;
    Apply(form, {"Caption=Konfiguration", "BTNHELP.caption=Hilfe", "btnHelp.Font.Name=Arial",
                 "btnHelp.Font.Style=[fsBold, fsItalic]", "mmoInfo.Lines=one\\ntwo",
                 "pnlBottom.btnHelp.Caption=wrong", "btnHelp.Parent.Caption=wrong",
                 "btnHelp.Unknown=1", "nobody.Caption=x", "btnHelp.Font.Nope.Size=3",
                 "btnHelp.Alignment=taCenter", "btnHelp.PasswordChar=42", "btnHelp.Ratio=1.5",
                 "btnHelp.Font.Charset=OEM_CHARSET", "btnHelp.Font=ignored"});
    EXPECT_EQ(form.caption, "Konfiguration");
    TestControl& help = form.Control("btnHelp");
    EXPECT_EQ(help.caption, "Hilfe");
    EXPECT_EQ(help.font.name, "Arial");
    EXPECT_EQ(help.font.style, 3);
    EXPECT_EQ(help.alignment, 2);
    EXPECT_EQ(help.passwordChar, 42);
    EXPECT_DOUBLE_EQ(help.ratio, 1.5);
    EXPECT_EQ(help.font.charset, 255);
    EXPECT_EQ(form.Control("mmoInfo").lines, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(form.Control("pnlBottom").caption, "");
}

TEST(MultiLanguage, IntegerValues)
{
    TestForm form;
    for (const char* value : {"Color=clRed", "Color=#FF", "Color=255"}) {
        form.color = 0;
        Apply(form, {value});
        EXPECT_EQ(form.color, 255) << value;
    }
    Apply(form, {"Color=red"});
    EXPECT_EQ(form.color, 255);
}

TEST(MultiLanguage, BadValuesStopAtTheEntry)
{
    struct Case {
        const char* entry;
        const char* errorClass;
    };
    const Case cases[] = {
        {"BorderStyle=bsNothing", "EPropertyConvertError"},
        {"BorderWidth=-1", "ERangeError"},
        {"btnHelp.Font.Style=[fsBold,fsHeavy]", "EPropertyConvertError"},
        {"btnHelp.Font.Charset=256", "ERangeError"},
        {"btnHelp.Ratio=1,5", "EConvertError"},
        {"btnHelp.Ratio=inf", "EConvertError"},
        {"btnHelp.PasswordChar=A", "EConvertError"},
        {"btnHelp.PasswordChar=300", "ERangeError"},
    };
    for (const Case& c : cases) {
        TestForm form;
        try {
            Apply(form, {"Caption=before", c.entry, "btnHelp.Caption=after"});
            ADD_FAILURE() << "no error for " << c.entry;
        } catch (const Exception& error) {
            EXPECT_STREQ(error.ClassName(), c.errorClass) << c.entry;
        }
        EXPECT_EQ(form.caption, "before");
        EXPECT_EQ(form.Control("btnHelp").caption, "");
    }
}

TEST(MultiLanguage, LookupsAndNotifications)
{
    int created = 0;
    int translated = 0;
    TMultiLanguage translator(nullptr, [&](TMultiLanguage&) { ++created; });
    translator.OnTranslate = [&](TMultiLanguage&) { ++translated; };
    translator.SetScript({"[de]", "SError=Fehler", "SError=Zweiter", "serror=klein", "SInfo='\\n'"});
    EXPECT_EQ(translator.GetText("SError"), "");
    translator.SetLanguage("DE");
    EXPECT_EQ(translator.GetText("SError"), "Fehler");
    EXPECT_EQ(translator.GetText("SInfo"), "\r\n");
    EXPECT_EQ(translator.GetText("SNone"), "");
    EXPECT_EQ(created, 1);
    EXPECT_EQ(translated, 2);
}

}  // namespace
}  // namespace ostrel::test
