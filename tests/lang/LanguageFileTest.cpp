#include "base/MessageBox.h"
#include "lang/LanguageFile.h"
#include "lang/MessageTexts.h"
#include "support/MessageBoxWatcher.h"
#include "support/RecordingLog.h"
#include "support/TestComponents.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <regex>

namespace ostrel::test {
namespace {

class LanguageFile : public ::testing::Test {
protected:
    std::string Write(const std::string& content)
    {
        std::string path = folder.File("test.lng");
        WriteFileBytes(path, content);
        return path;
    }

    TempDir folder;
    TestForm form;
    RecordingLog log;
    TMessageTexts messages{log};
};

TEST_F(LanguageFile, TranslatesDialogAndMessages)
{
    std::string path = Write("[Main]\r\nEnglishLanguageName=German\r\n"
                             "[MsgStrings]\r\nSError=Fehler\r\nserror=klein\r\nSInfo=''Hinweis''\r\n"
                             "SNotFound=Nicht gefunden\r\nSHelpNotFound=\r\n"
                             "[TfrmTest]\r\nCaption = Konfiguration\r\nbtnHelp.Caption=Hilfe\r\n"
                             "btnHelp.Caption=Zweite\r\nmmoInfo.Lines=eins\\nzwei\r\n"
                             "btnHelp.Hint=" + std::string(3000, 'h') + "\r\n");
    MessageBoxWatcher watcher;
    ApplyLanguageFile(path, &form, messages);
    EXPECT_EQ(form.caption, "Konfiguration");
    EXPECT_EQ(form.Control("btnHelp").caption, "Hilfe");
    EXPECT_EQ(form.Control("btnHelp").hint, std::string(2047, 'h'));
    EXPECT_EQ(form.Control("mmoInfo").lines, (std::vector<std::string>{"eins", "zwei"}));
    EXPECT_EQ(messages.Text(MessageKey::SError), "Error");

    ApplyLanguageFile(path, nullptr, messages);
    EXPECT_EQ(messages.Text(MessageKey::SError), "Fehler");
    EXPECT_EQ(messages.Text(MessageKey::SInfo), "Hinweis");
    EXPECT_EQ(messages.Text(MessageKey::SNotFound), "Nicht gefunden");
    // A key the file does not carry keeps its text; one it leaves empty is empty.
    EXPECT_EQ(messages.Text(MessageKey::SConfirmation), "Confirmation");
    EXPECT_EQ(messages.Text(MessageKey::SHelpNotFound), "");
    EXPECT_TRUE(watcher.Boxes().empty());

    // A later file changes only what it names.
    ApplyLanguageFile(Write("[Main]\r\nEnglishLanguageName=German\r\n[MsgStrings]\r\nSInfo=Info\r\n"), nullptr,
                      messages);
    EXPECT_EQ(messages.Text(MessageKey::SInfo), "Info");
    EXPECT_EQ(messages.Text(MessageKey::SError), "Fehler");
}

TEST_F(LanguageFile, UnusableFilesChangeNothing)
{
    MessageBoxWatcher watcher;
    ApplyLanguageFile("   ", nullptr, messages);
    ApplyLanguageFile(Write("[MsgStrings]\r\nSError=Fehler\r\n[TfrmTest]\r\nCaption=x\r\n"), &form, messages);
    ApplyLanguageFile(folder.File("test.lng"), nullptr, messages);
    EXPECT_EQ(form.caption, "Test");
    EXPECT_EQ(messages.Text(MessageKey::SError), "Error");
    EXPECT_TRUE(watcher.Boxes().empty());

    ApplyLanguageFile(Write("[Main]\r\nEnglishLanguageName=A]B\r\n[MsgStrings]\r\nSError=Fehler\r\n"), nullptr,
                      messages);
    EXPECT_EQ(messages.Text(MessageKey::SError), "Error");
}

TEST_F(LanguageFile, FailuresShowABox)
{
    std::string missing = folder.File("missing.lng");
    std::string bad = Write("[Main]\r\nEnglishLanguageName=German\r\n[MsgStrings]\r\nSError=Fehler\r\n"
                            "SErrorLanguageFile=Fehler in der Sprachdatei\\nKlasse: %s\\nMeldung: %s\r\n"
                            "[TfrmTest]\r\nCaption=vorher\r\nBorderStyle=bsNothing\r\nbtnHelp.Caption=nachher\r\n");
    MessageBoxWatcher watcher;
    ApplyLanguageFile(missing, nullptr, messages);
    ApplyLanguageFile(bad, nullptr, messages);
    ApplyLanguageFile(bad, &form, messages);
    EXPECT_EQ(form.caption, "vorher");
    EXPECT_EQ(form.Control("btnHelp").caption, "");
    std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, "Not found " + missing);
    EXPECT_EQ(boxes[1].caption, "Fehler");
    EXPECT_EQ(boxes[1].text, "Fehler in der Sprachdatei\r\nKlasse: EPropertyConvertError\r\n"
                             "Meldung: Invalid value 'bsNothing' for property BorderStyle");
}

// Translations that do not fit their arguments give way to the built-in
// texts on the error paths, which must not fail themselves.
TEST_F(LanguageFile, HostileTemplatesFallBackToTheBuiltInTexts)
{
    std::string wide;
    for (int i = 0; i < 255; ++i) {
        wide += "%0:4096s";
    }
    const std::string missing = folder.File("missing.lng");
    const std::string bad = Write("[Main]\r\nEnglishLanguageName=German\r\n[TfrmTest]\r\nBorderStyle=bsNothing\r\n");
    for (const std::string& hostile : {std::string("%"), std::string("%d%d%d"), std::string("%s%s%s%s%n"),
                                       std::string("%999999999d"), wide}) {
        SCOPED_TRACE(hostile.substr(0, 16));
        MessageTable texts;
        texts.fill(hostile);
        messages.SetTexts(texts);
        log.lines.clear();
        MessageBoxWatcher watcher;
        ApplyLanguageFile(missing, nullptr, messages);
        ApplyLanguageFile(bad, &form, messages);
        std::vector<SeenBox> boxes = watcher.Boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].text, "Not found " + missing);
        if (hostile == wide) {
            // It fits two strings: the box shows its start only.
            EXPECT_EQ(boxes[1].text.size(), MaxBoxText);
        } else {
            EXPECT_EQ(boxes[1].text, "Error while reading language file\r\nClass: EPropertyConvertError\r\n"
                                     "Message: Invalid value 'bsNothing' for property BorderStyle");
        }
        EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(),
                             "The text SNotFound of the language file does not fit its arguments; the built-in "
                             "text is used"),
                  1);
    }
}

TEST_F(LanguageFile, OnlyTheFirst16KiBOfKeyNamesAreSeen)
{
    std::string content = "[Main]\r\nEnglishLanguageName=German\r\n[TfrmTest]\r\n";
    for (int key = 0; key < 2000; ++key) {
        content += "Unknown" + std::to_string(key) + "=x\r\n";
    }
    content += "Caption=late\r\n";
    ApplyLanguageFile(Write(content), &form, messages);
    EXPECT_EQ(form.caption, "Test");
}

}  // namespace
}  // namespace ostrel::test

namespace ostrel::test {
namespace {

// The % directives of a template, in order.
std::vector<std::string> Placeholders(const std::string& text)
{
    static const std::regex directive(R"(%(\d+:)?-?(\d+|\*)?(\.(\d+|\*))?[a-zA-Z%])");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), directive); it != std::sregex_iterator(); ++it) {
        found.push_back(it->str());
    }
    return found;
}

// The value a file gives a key itself; none when it does not name it.
std::optional<std::string> Entry(const std::string& file, const char* section, const std::string& key)
{
    char value[4096] = {};
    GetPrivateProfileStringA(section, key.c_str(), "\x01", value, sizeof value, file.c_str());
    return std::string(value) == "\x01" ? std::nullopt : std::optional<std::string>(value);
}

TEST(ShippedLanguageFile, EachTranslatesEveryMessageWithItsPlaceholders)
{
    for (const char* language : {"Deutsch", "Russian", "Ukrainian"}) {
        SCOPED_TRACE(language);
        const std::string file = ProgramFolder() + "\\" + language + ".lng";
        RecordingLog log;
        TMessageTexts messages(log);
        MessageBoxWatcher watcher;
        ApplyLanguageFile(file, nullptr, messages);
        for (std::size_t index = 0; index < MessageKeyCount; ++index) {
            const MessageKey key = static_cast<MessageKey>(index);
            SCOPED_TRACE(MessageKeyName(key));
            EXPECT_TRUE(Entry(file, "MsgStrings", MessageKeyName(key)));
            const std::string translated = messages.Text(key);
            EXPECT_FALSE(translated.empty());
            EXPECT_EQ(Placeholders(translated), Placeholders(DefaultMessageTexts()[index]));
        }
        EXPECT_TRUE(watcher.Boxes().empty());
    }
}

// The texts of the dialogs: every caption, hint and memo that German
// translates, and the Test button's, in every file.
TEST(ShippedLanguageFile, EachTranslatesTheDialogTextsGermanDoes)
{
    const std::string german = ProgramFolder() + "\\Deutsch.lng";
    EXPECT_EQ(Entry(german, "MsgStrings", "SConfirmation"), "Best\xE4tigung");
    for (const char* section : {"TfrmCfg", "TfrmInfo"}) {
        std::vector<char> keys(16384);
        GetPrivateProfileStringA(section, nullptr, "", keys.data(), static_cast<DWORD>(keys.size()), german.c_str());
        std::vector<std::string> texts;
        if (std::string(section) == "TfrmCfg") {
            texts = {"btnTest.Caption", "btnTest.Hint"};
        }
        for (const char* key = keys.data(); *key != '\0'; key += std::strlen(key) + 1) {
            const std::string name = key;
            const std::string property = name.substr(name.find('.') + 1);
            if (property == "Caption" || property == "Hint" || property == "Lines") {
                texts.push_back(name);
            }
        }
        for (const char* language : {"Deutsch", "Russian", "Ukrainian"}) {
            for (const std::string& key : texts) {
                EXPECT_TRUE(Entry(ProgramFolder() + "\\" + language + ".lng", section, key))
                    << language << " [" << section << "] " << key;
            }
        }
    }
}

}  // namespace
}  // namespace ostrel::test
