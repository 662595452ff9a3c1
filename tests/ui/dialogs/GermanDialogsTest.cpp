#include "lang/LanguageScript.h"
#include "lang/MessageTexts.h"
#include "support/MessageBoxWatcher.h"
#include "support/TestDialogContext.h"
#include "support/TestFiles.h"
#include "ui/dialogs/OstrelCfg.h"
#include "ui/dialogs/OstrelInfo.h"

#include <gtest/gtest.h>

#include <memory>

namespace ostrel::test {
namespace {

// The entries of one section of a language file, as "path=value" lines.
std::vector<std::string> SectionEntries(const std::string& file, const std::string& section)
{
    std::vector<char> buffer(65536);
    DWORD length = GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                             file.c_str());
    std::vector<std::string> entries;
    for (DWORD start = 0; start < length;) {
        std::string entry(buffer.data() + start);
        start += static_cast<DWORD>(entry.size()) + 1;
        entries.push_back(entry);
    }
    return entries;
}

// Every entry of the dialog's section is in place after the dialog was made.
void ExpectTranslated(TForm& form, const std::string& file)
{
    const std::vector<std::string> entries = SectionEntries(file, form.ClassName());
    ASSERT_FALSE(entries.empty());
    for (const std::string& line : entries) {
        SCOPED_TRACE(line);
        ScriptEntry entry = SplitEntry(line);
        std::size_t dot = entry.name.find('.');
        Component* target = dot == std::string::npos ? &form : form.FindComponent(entry.name.substr(0, dot));
        ASSERT_NE(target, nullptr);
        const PropertyInfo* property =
            target->Properties().Find(dot == std::string::npos ? entry.name : entry.name.substr(dot + 1));
        ASSERT_NE(property, nullptr);
        PropertyValue value = property->get(*target);
        if (property->kind == PropertyKind::Text) {
            EXPECT_EQ(std::get<std::string>(value), entry.value);
        } else if (property->kind == PropertyKind::Integer) {
            EXPECT_EQ(std::to_string(std::get<int64_t>(value)), entry.value);
        } else if (property->kind == PropertyKind::StringList) {
            EXPECT_FALSE(std::get<std::vector<std::string>>(value).empty());
        }
    }
}

TEST(GermanDialogs, EveryEntryOfTheShippedFileReachesItsControl)
{
    const std::string german = ProgramFolder() + "\\Deutsch.lng";
    TestDialogContext plugin;
    plugin.config.Update([&](ConfigValues& values) { values.LanguageFileName = german; });
    MessageBoxWatcher watcher;
    {
        TfrmCfg config(nullptr, plugin.Context());
        ExpectTranslated(config, german);
        TfrmInfo info(config.Handle(), german, plugin.messages);
        ExpectTranslated(info, german);
    }
    EXPECT_TRUE(watcher.Boxes().empty());
}

}  // namespace
}  // namespace ostrel::test
