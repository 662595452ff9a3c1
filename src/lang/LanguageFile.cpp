#include "lang/LanguageFile.h"

#include "base/AnsiString.h"
#include "base/Exception.h"
#include "base/FileSystem.h"
#include "base/MessageBox.h"
#include "lang/MessageTexts.h"
#include "lang/MultiLanguage.h"
#include "settings/IniFile.h"

#include <windows.h>

#include <vector>

namespace ostrel {

namespace {

constexpr DWORD KeyListSize = 16384;

// The key names of a section, as the profile functions list them.
std::vector<std::string> SectionKeys(const std::string& fileName, const std::string& section)
{
    std::vector<char> buffer(KeyListSize);
    DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), KeyListSize,
                                            fileName.c_str());
    std::vector<std::string> keys;
    for (DWORD start = 0; start < length;) {
        std::string key(buffer.data() + start);
        start += static_cast<DWORD>(key.size()) + 1;
        if (!key.empty()) {
            keys.push_back(std::move(key));
        }
    }
    return keys;
}

// "[language]" and then "key=value" for every key of the section.
std::vector<std::string> SectionScript(const IniFile& ini, const std::string& section,
                                       const std::string& language)
{
    std::vector<std::string> script = {"[" + language + "]"};
    for (const std::string& key : SectionKeys(ini.Path(), section)) {
        script.push_back(key + "=" + ini.ReadString(section, key, ""));
    }
    return script;
}

}  // namespace

// A key the file does not name keeps its current text; one it names with
// an empty value becomes empty, as the file asks.
void LoadMessages(const TMultiLanguage& translator, TMessageTexts& messages)
{
    MessageTable texts = messages.Texts();
    for (std::size_t index = 0; index < MessageKeyCount; ++index) {
        const char* key = MessageKeyName(static_cast<MessageKey>(index));
        if (std::optional<std::string> text = translator.FindText(key)) {
            texts[index] = std::move(*text);
        }
    }
    messages.SetTexts(std::move(texts));
}

void ApplyLanguageFile(const std::string& fileName, Component* dialog, TMessageTexts& texts)
{
    if (TrimBlanks(fileName).empty()) {
        return;
    }
    if (!FileExists(fileName)) {
        ShowErrorBox(texts.Format(MessageKey::SNotFound, {}) + " " + fileName, texts.Text(MessageKey::SError));
        return;
    }
    try {
        IniFile ini(fileName);
        const std::string language = ini.ReadString("Main", "EnglishLanguageName", "");
        if (language.empty()) {
            return;
        }
        TMultiLanguage translator(dialog);
        const std::string section = dialog ? dialog->ClassName() : "MsgStrings";
        translator.Script() = SectionScript(ini, section, language);
        translator.SetLanguage(language);
        if (dialog == nullptr) {
            LoadMessages(translator, texts);
        }
    } catch (...) {
        ErrorDescription error = DescribeCurrentException();
        ShowErrorBox(texts.Format(MessageKey::SErrorLanguageFile, {error.className, error.message}),
                     texts.Text(MessageKey::SError));
    }
}

}  // namespace ostrel
