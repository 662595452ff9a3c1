// The shipped Russian and Ukrainian language files through the built
// plug-in, under a Russian locale: Wine then runs programs in code page
// 1251, as a Russian or Ukrainian Windows does. Every control that shows a
// text in the English dialogs shows a translation, whole, at the dialogs'
// fixed sizes.
#include "support/DialogWindows.h"
#include "support/PluginLibrary.h"
#include "support/TestFiles.h"
#include "ui/controls/Control.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <set>
#include <string>

namespace ostrel::test {
namespace {

// What a control shows, with the accelerator marks taken out.
struct ShownText {
    std::string text;
    std::string accelerators;
};

ShownText Shown(const std::string& caption)
{
    ShownText shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != '&') {
                shown.accelerators += caption[i];
            }
        }
        shown.text += caption[i];
    }
    return shown;
}

// Room a control's own drawing takes beside its text: a check box's box,
// a button's frame, and the glyph of one that has one.
int Decoration(HWND control)
{
    char windowClass[32] = {};
    GetClassNameA(control, windowClass, sizeof windowClass);
    if (lstrcmpiA(windowClass, "Button") != 0) {
        return 0;
    }
    switch (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
    case BS_CHECKBOX: return 20;
    case BS_OWNERDRAW: break;
    default: return 8;
    }
    BITMAP glyph = {};
    if (auto image = reinterpret_cast<HBITMAP>(SendMessageA(control, BM_GETIMAGE, IMAGE_BITMAP, 0))) {
        GetObjectA(image, sizeof glyph, &glyph);
    }
    return 6 + (glyph.bmWidth > 0 ? glyph.bmWidth + 4 : 0);
}

// By how many pixels the text is wider than its control gives it room for.
int Overflow(HWND control, const std::string& text)
{
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT client = {};
    GetClientRect(control, &client);
    return size.cx + Decoration(control) - client.right;
}

struct DialogTexts {
    std::string caption;
    std::map<std::string, std::string> controls;  // by component name, as shown
};

BOOL CALLBACK AddWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Every text the dialog shows, each checked to fit its control and to
// overlap no other, and its accelerators checked to be unique.
DialogTexts Read(HWND dialog)
{
    DialogTexts texts{TextOf(dialog), {}};
    std::vector<HWND> children;
    EnumChildWindows(dialog, AddWindow, reinterpret_cast<LPARAM>(&children));
    std::set<std::string> accelerators;
    std::vector<std::pair<std::string, RECT>> placed;
    for (HWND child : children) {
        char windowClass[32] = {};
        GetClassNameA(child, windowClass, sizeof windowClass);
        const std::string name = ComponentNameOf(child);
        if (name.empty() || !IsWindowVisible(child) || lstrcmpiA(windowClass, "Edit") == 0) {
            continue;
        }
        const ShownText shown = Shown(TextOf(child));
        if (shown.text.find_first_not_of(' ') == std::string::npos) {
            continue;
        }
        texts.controls[name] = shown.text;
        EXPECT_LE(Overflow(child, shown.text), 0) << name << ": " << shown.text;
        for (char accelerator : shown.accelerators) {
            char upper[2] = {accelerator, 0};
            CharUpperA(upper);
            EXPECT_TRUE(accelerators.insert(upper).second) << name << " repeats the accelerator " << upper;
        }
        RECT frame = {};
        GetWindowRect(child, &frame);
        for (const auto& [other, otherFrame] : placed) {
            RECT common = {};
            EXPECT_FALSE(IntersectRect(&common, &frame, &otherFrame)) << name << " overlaps " << other;
        }
        placed.emplace_back(name, frame);
    }
    return texts;
}

// The visible window that `owner` opened.
HWND OwnedWindow(HWND owner)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
            if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window)) {
                found = window;
            }
        }
        return found != nullptr;
    });
    return found;
}

// The maker's name and addresses, and the version the plug-in fills in.
const std::set<std::string> Untranslated = {"Label1",      "Label2",      "Label3",    "Label4",
                                            "KxURLLabel1", "KxURLLabel2", "lblVersion"};

class RussianLocale : public ::testing::Test {
protected:
    void SetUp() override { DeleteMakerKey(); }
    void TearDown() override
    {
        plugin.Unload();
        DeleteMakerKey();
    }

    // The configuration dialog and its info dialog, as the plug-in shows them with `language`.
    std::pair<DialogTexts, DialogTexts> Dialogs(const std::string& language, const std::string& caption)
    {
        plugin.Unload();
        WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=C:\\Scanner\\Avnt.exe\r\nLanguageFileName=" + language +
                                             "\r\n");
        plugin.Load();
        EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
        std::pair<DialogTexts, DialogTexts> texts;
        EXPECT_EQ(plugin.Setup(
                      [&](HWND dialog) {
                          texts.first = Read(dialog);
                          PostClick(FindControl(dialog, "btnInfo"));
                          if (HWND info = OwnedWindow(dialog)) {
                              texts.second = Read(info);
                              PostClick(FindControl(info, "btnOk"));
                          }
                          PostClick(FindControl(dialog, "btnCancel"));
                      },
                      caption),
                  0);
        return texts;
    }

    PluginLibrary plugin;
};

TEST_F(RussianLocale, EveryEnglishTextIsTranslatedAndFitsItsControl)
{
    ASSERT_EQ(GetACP(), 1251u) << "the locale ru_RU.UTF-8 is missing; scripts/install-deps.sh makes it";
    const auto english = Dialogs("", "Configuration of Ostrel");
    ASSERT_EQ(english.second.caption, "Info");
    for (const char* language : {"Russian", "Ukrainian"}) {
        SCOPED_TRACE(language);
        const std::string file = ProgramFolder() + "\\" + language + ".lng";
        char caption[256] = {};
        GetPrivateProfileStringA("TfrmCfg", "Caption", "", caption, sizeof caption, file.c_str());
        const auto translated = Dialogs(file, caption);
        const struct {
            const char* dialog;
            const DialogTexts& english;
            const DialogTexts& translated;
        } pairs[] = {{"TfrmCfg", english.first, translated.first}, {"TfrmInfo", english.second, translated.second}};
        for (const auto& pair : pairs) {
            EXPECT_NE(pair.translated.caption, pair.english.caption) << pair.dialog;
            for (const auto& [name, text] : pair.english.controls) {
                const auto shown = pair.translated.controls.find(name);
                ASSERT_NE(shown, pair.translated.controls.end()) << pair.dialog << "." << name;
                // OK is written so in more than one language.
                if (!Untranslated.count(name) && text != "OK") {
                    EXPECT_NE(shown->second, text) << pair.dialog << "." << name;
                }
            }
        }
    }
}

}  // namespace
}  // namespace ostrel::test
