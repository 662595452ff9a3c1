#include "ui/OstrelInfo.h"

#include "lang/MultiLanguage.h"
#include "plugin/OstrelConstVars.h"
#include "support/FormDriver.h"
#include "support/MessageBoxWatcher.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace ostrel::test {
namespace {

constexpr TColor Normal = 0x111111;
constexpr TColor MoveOver = 0x222222;
constexpr TColor Click = 0x333333;

bool WaitFor(const std::function<bool()>& condition)
{
    for (int waited = 0; waited < 5000; waited += 10) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

struct Opening {
    HWND window;
    std::string verb;
    std::string target;
    int show;
};

// What a link label did, recorded on the form's thread and read on the
// driver's: its font colours in order and what it asked the shell to open.
class LinkRecorder {
public:
    explicit LinkRecorder(TKxURLLabel& link)
    {
        auto repaint = link.Font().OnChange;
        link.Font().OnChange = [this, &link, repaint] {
            repaint();
            std::lock_guard<std::mutex> guard(mutex_);
            colors_.push_back(link.Font().Color());
        };
        link.Opener = [this](HWND window, const std::string& verb, const std::string& target, int show) {
            std::lock_guard<std::mutex> guard(mutex_);
            openings_.push_back({window, verb, target, show});
        };
    }

    std::vector<TColor> Colors() const
    {
        std::lock_guard<std::mutex> guard(mutex_);
        return colors_;
    }
    std::vector<Opening> Openings() const
    {
        std::lock_guard<std::mutex> guard(mutex_);
        return openings_;
    }
    std::vector<std::string> Targets() const
    {
        std::vector<std::string> targets;
        for (const Opening& opening : Openings()) {
            targets.push_back(opening.target);
        }
        return targets;
    }
    bool WaitForColor(TColor color) const
    {
        return WaitFor([&] {
            std::lock_guard<std::mutex> guard(mutex_);
            return !colors_.empty() && colors_.back() == color;
        });
    }
    bool WaitForOpenings(std::size_t count) const
    {
        return WaitFor([&] { return Openings().size() >= count; });
    }

private:
    mutable std::mutex mutex_;
    std::vector<TColor> colors_;
    std::vector<Opening> openings_;
};

// Real input through the system's queue, so capture, hit testing and
// key state work as with a user.
void MoveTo(const TControl& control, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(control.Handle(), &point);
    SetCursorPos(point.x, point.y);
}

void Mouse(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Presses the keys in order and releases them in reverse.
void Keys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND FocusOf(const TForm& form)
{
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(form.Handle(), nullptr), &thread);
    return thread.hwndFocus;
}

// Shows the form modally while `actions` act on it, then presses Enter.
// Enter comes after all input sent before it, so the form closes with the
// default button only when everything earlier has been handled. A failed
// step still closes the form, with the close box.
int Drive(TForm& form, const std::function<void()>& actions)
{
    FormDriver driver(form.Handle(), [&] {
        actions();
        Keys({VK_RETURN});
        if (!WaitFor([&] { return !IsWindowVisible(form.Handle()); })) {
            PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
        }
    });
    return form.ShowModal();
}

void ParkCursor()
{
    SetCursorPos(0, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

// A form with one link of 100 × 13 pixels and a default OK button.
class LinkLabel : public ::testing::Test {
protected:
    LinkLabel()
    {
        form.SetClientSize(300, 120);
        ok.SetBounds(110, 80, 75, 25);
        ok.SetDefault(true);
        ok.SetModalResult(mrOk);
        link.SetBounds(20, 20, 100, 13);
        link.SetCaption("https://caption.example/");
        link.SetColorNormal(Normal);
        link.SetColorMoveOver(MoveOver);
        link.SetColorClick(Click);
        ParkCursor();
    }
    ~LinkLabel() override { ParkCursor(); }

    // Runs the form modally while `actions` act on it; it must close with OK.
    void Run(const std::function<void()>& actions) { EXPECT_EQ(Drive(form, actions), mrOk); }

    TForm form{nullptr, "frmLinks"};
    TButton& ok = form.Add<TButton>(form, "btnOk");
    TKxURLLabel& link = form.Add<TKxURLLabel>(form, "lnkTest");
};

TEST_F(LinkLabel, StartValuesAndProperties)
{
    TForm fresh(nullptr, "frmFresh");
    TKxURLLabel& label = fresh.Add<TKxURLLabel>(fresh, "lnkFresh");
    EXPECT_STREQ(label.ClassName(), "TKxURLLabel");
    EXPECT_EQ(label.Cursor(), -21);  // crHandPoint
    EXPECT_EQ(label.Font().Color(), clBlue);
    EXPECT_EQ(label.Font().Style(), fsUnderline);
    EXPECT_EQ(label.ColorNormal(), clBlue);
    EXPECT_EQ(label.ColorMoveOver(), clBlue);
    EXPECT_EQ(label.ColorClick(), clRed);
    EXPECT_EQ(label.UrlKind(), urlWeb);
    EXPECT_EQ(label.Caption(), "URL");
    EXPECT_EQ(label.URL(), "");
    EXPECT_FALSE(label.Pressed());

    // The added properties follow the label's own, in this order.
    const auto& all = label.Properties().All();
    ASSERT_GE(all.size(), 5u);
    std::vector<std::string> added;
    for (auto property = all.end() - 5; property != all.end(); ++property) {
        added.push_back(property->name);
    }
    EXPECT_EQ(added, (std::vector<std::string>{"ColorNormal", "ColorMoveOver", "ColorClick", "URL", "UrlKind"}));
    EXPECT_NE(label.Properties().Find("AutoSize"), nullptr);

    TMultiLanguage translator(&fresh);
    translator.SetScript({"[x]", "lnkFresh.UrlKind=URLMAIL", "lnkFresh.URL=a@b.example", "lnkFresh.ColorClick=clLime",
                          "lnkFresh.ColorNormal=#10", "lnkFresh.ColorMoveOver=clBlack"});
    translator.SetLanguage("x");
    EXPECT_EQ(label.UrlKind(), urlMail);
    EXPECT_EQ(label.URL(), "a@b.example");
    EXPECT_EQ(label.ColorClick(), 65280);
    EXPECT_EQ(label.ColorNormal(), 16);
    EXPECT_EQ(label.ColorMoveOver(), clBlack);
    // Changing the colours does not repaint the label.
    EXPECT_EQ(label.Font().Color(), clBlue);
}

TEST_F(LinkLabel, ClickOpensTheCaptionAndTheColoursFollowTheMouse)
{
    LinkRecorder recorder(link);
    Run([&] {
        MoveTo(link, 50, 6);
        ASSERT_TRUE(recorder.WaitForColor(MoveOver));
        Mouse(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(recorder.WaitForColor(Click));
        Mouse(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(recorder.WaitForOpenings(1));
        // Any button opens.
        Mouse(MOUSEEVENTF_RIGHTDOWN);
        Mouse(MOUSEEVENTF_RIGHTUP);
        ASSERT_TRUE(recorder.WaitForOpenings(2));
        ASSERT_TRUE(recorder.WaitForColor(MoveOver));
        MoveTo(form, 5, 5);
        ASSERT_TRUE(recorder.WaitForColor(Normal));
    });
    const std::vector<Opening> openings = recorder.Openings();
    ASSERT_EQ(openings.size(), 2u);
    EXPECT_EQ(openings[0].window, form.Handle());
    EXPECT_EQ(openings[0].verb, "open");
    EXPECT_EQ(openings[0].target, "https://caption.example/");
    EXPECT_EQ(openings[0].show, SW_SHOW);
    EXPECT_EQ(recorder.Colors(), (std::vector<TColor>{MoveOver, Click, MoveOver, Click, MoveOver, Normal}));
    EXPECT_FALSE(link.Pressed());
}

TEST_F(LinkLabel, PressDraggedOffAndReleasedOpensNothing)
{
    LinkRecorder recorder(link);
    Run([&] {
        MoveTo(link, 50, 6);
        Mouse(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(recorder.WaitForColor(Click));
        MoveTo(link, 50, 40);
        ASSERT_TRUE(recorder.WaitForColor(Normal));
        // Back on the label with the button still held, and off again.
        MoveTo(link, 50, 6);
        ASSERT_TRUE(recorder.WaitForColor(Click));
        MoveTo(link, -5, 6);
        ASSERT_TRUE(recorder.WaitForColor(Normal));
        Mouse(MOUSEEVENTF_LEFTUP);
    });
    EXPECT_TRUE(recorder.Openings().empty());
    EXPECT_EQ(recorder.Colors(), (std::vector<TColor>{MoveOver, Click, Normal, Click, Normal}));
    EXPECT_FALSE(link.Pressed());
}

TEST_F(LinkLabel, PressOffTheLabelAndReleaseOnItOpensNothing)
{
    LinkRecorder recorder(link);
    Run([&] {
        MoveTo(form, 5, 5);
        Mouse(MOUSEEVENTF_LEFTDOWN);
        MoveTo(link, 50, 6);
        ASSERT_TRUE(recorder.WaitForColor(MoveOver));
        Mouse(MOUSEEVENTF_LEFTUP);
    });
    EXPECT_TRUE(recorder.Openings().empty());
    EXPECT_EQ(recorder.Colors(), (std::vector<TColor>{MoveOver}));
    EXPECT_FALSE(link.Pressed());
}

TEST_F(LinkLabel, ReleaseOnTheRightAndBottomEdgeOpensButNotBeyond)
{
    LinkRecorder recorder(link);
    Run([&] {
        MoveTo(link, 50, 6);
        Mouse(MOUSEEVENTF_LEFTDOWN);
        MoveTo(link, 100, 13);
        ASSERT_TRUE(recorder.WaitForColor(Normal));
        Mouse(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(recorder.WaitForOpenings(1));

        MoveTo(link, 50, 6);
        Mouse(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(recorder.WaitForColor(Click));
        MoveTo(link, 101, 13);
        ASSERT_TRUE(recorder.WaitForColor(Normal));
        Mouse(MOUSEEVENTF_LEFTUP);
        MoveTo(link, 50, 6);
        Mouse(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(recorder.WaitForColor(Click));
        MoveTo(link, 100, 14);
        ASSERT_TRUE(recorder.WaitForColor(Normal));
        Mouse(MOUSEEVENTF_LEFTUP);
    });
    EXPECT_EQ(recorder.Openings().size(), 1u);
    EXPECT_EQ(recorder.Colors(), (std::vector<TColor>{MoveOver, Click, Normal, MoveOver, Click, Normal, MoveOver,
                                                      Click, Normal}));
}

TEST_F(LinkLabel, UrlTakesThePlaceOfTheCaptionAndMailAddsMailto)
{
    LinkRecorder recorder(link);
    const std::pair<TUrlKind, const char*> settings[] = {
        {urlWeb, "https://url.example/"},
        {urlMail, "someone@url.example"},
        {urlMail, ""},
    };
    for (const auto& [kind, url] : settings) {
        link.SetUrlKind(kind);
        link.SetURL(url);
        Run([&] {
            MoveTo(link, 50, 6);
            Mouse(MOUSEEVENTF_LEFTDOWN);
            Mouse(MOUSEEVENTF_LEFTUP);
        });
    }
    EXPECT_EQ(recorder.Targets(), (std::vector<std::string>{"https://url.example/", "mailto:someone@url.example",
                                                            "mailto:https://caption.example/"}));
}

// The info dialog with the plug-in settings reset around each test.
class InfoDialog : public ::testing::Test {
protected:
    InfoDialog()
    {
        Plugin().Config.Update([](ConfigValues& values) { values = ConfigValues(); });
        ParkCursor();
    }
    ~InfoDialog() override
    {
        Plugin().Config.Update([](ConfigValues& values) { values = ConfigValues(); });
        ParkCursor();
    }
};

void ExpectBounds(const TControl& control, int left, int top, int width, int height)
{
    EXPECT_EQ(control.Left(), left) << control.Name();
    EXPECT_EQ(control.Top(), top) << control.Name();
    if (width >= 0) {
        EXPECT_EQ(control.Width(), width) << control.Name();
        EXPECT_EQ(control.Height(), height) << control.Name();
    }
}

TEST_F(InfoDialog, LayoutContentAndFocus)
{
    MessageBoxWatcher watcher;
    TfrmInfo info(nullptr);
    EXPECT_STREQ(info.ClassName(), "TfrmInfo");
    EXPECT_EQ(info.Name(), "frmInfo");
    EXPECT_EQ(info.Caption(), "Info");
    EXPECT_EQ(info.ClientWidth(), 362);
    EXPECT_EQ(info.ClientHeight(), 356);
    EXPECT_EQ(info.BorderStyle(), bsSingle);
    EXPECT_EQ(info.Font().Name(), "MS Sans Serif");
    EXPECT_EQ(info.Font().Height(), -11);
    EXPECT_TRUE(info.FormShowHint());
    EXPECT_TRUE(info.KeyPreview());
    const LONG_PTR style = GetWindowLongPtrA(info.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "KxURLLabel1", "KxURLLabel2",
                             "lblVersion", "mmoInfo", "btnOk"}) {
        EXPECT_NE(info.FindComponent(name), nullptr) << name;
    }
    // Labels keep their places; auto-sized ones take the width of their text.
    ExpectBounds(info.Label1, 67, 16, -1, -1);
    ExpectBounds(info.Label2, 115, 16, -1, -1);
    ExpectBounds(info.Label3, 115, 32, -1, -1);
    ExpectBounds(info.Label4, 115, 48, -1, -1);
    ExpectBounds(info.Label6, 115, 72, -1, -1);
    ExpectBounds(info.KxURLLabel1, 163, 72, -1, -1);
    ExpectBounds(info.Label5, 115, 88, -1, -1);
    ExpectBounds(info.KxURLLabel2, 163, 88, -1, -1);
    ExpectBounds(info.lblVersion, 8, 120, -1, -1);
    ExpectBounds(info.mmoInfo, 8, 144, 345, 177);
    ExpectBounds(info.btnOk, 144, 327, 75, 25);
    EXPECT_LT(info.Label1.Left() + info.Label1.Width(), info.Label2.Left());
    EXPECT_LT(info.Label6.Left() + info.Label6.Width(), info.KxURLLabel1.Left());
    EXPECT_LE(info.KxURLLabel2.Left() + info.KxURLLabel2.Width(), info.ClientWidth());

    EXPECT_EQ(info.Label6.Caption(), "Email:");
    EXPECT_EQ(info.Label5.Caption(), "Website");
    EXPECT_EQ(info.KxURLLabel1.Caption(), "support@ostrel.example");
    EXPECT_EQ(info.KxURLLabel1.UrlKind(), urlMail);
    EXPECT_EQ(info.KxURLLabel2.Caption(), "https://ostrel.example/");
    EXPECT_EQ(info.KxURLLabel2.UrlKind(), urlWeb);
    for (TKxURLLabel* link : {&info.KxURLLabel1, &info.KxURLLabel2}) {
        EXPECT_EQ(link->URL(), "");
        EXPECT_EQ(link->Font().Name(), "MS Sans Serif");
        EXPECT_EQ(link->Font().Height(), -11);
        EXPECT_EQ(link->Font().Color(), clBlue);
        EXPECT_EQ(link->Font().Style(), fsUnderline);
    }
    EXPECT_EQ(info.mmoInfo.Lines(),
              (std::vector<std::string>{
                  "Ostrel checks attachments with the command-line virus scanner you name in its configuration. "
                  "It finds only what that scanner finds: keep the scanner and its virus definitions up to date.",
                  "", "Ostrel is provided as is, without any warranty."}));
    EXPECT_TRUE(GetWindowLongPtrA(info.mmoInfo.Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(info.btnOk.Caption(), "Ok");
    EXPECT_TRUE(info.btnOk.Default());
    EXPECT_EQ(info.btnOk.ModalResult(), mrOk);
    EXPECT_EQ(info.btnOk.Anchors(), akLeft | akBottom);

    info.SetVersion("1.2.3.4");
    EXPECT_EQ(info.lblVersion.Caption(), "Version: 1.2.3.4");
    const int shortWidth = info.lblVersion.Width();
    info.SetVersion("10.20.30.40");
    EXPECT_GT(info.lblVersion.Width(), shortWidth);

    EXPECT_EQ(Drive(info,
                    [&] {
                        // The button has the focus on opening, the memo next.
                        EXPECT_TRUE(WaitFor([&] { return FocusOf(info) == info.btnOk.Handle(); }));
                        Keys({VK_TAB});
                        EXPECT_TRUE(WaitFor([&] { return FocusOf(info) == info.mmoInfo.Handle(); }));
                        Keys({VK_SHIFT, VK_TAB});
                        EXPECT_TRUE(WaitFor([&] { return FocusOf(info) == info.btnOk.Handle(); }));
                    }),
              mrOk);
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(InfoDialog, EscKeepsItOpenAndTheCloseBoxCloses)
{
    TfrmInfo info(nullptr);
    EXPECT_EQ(Drive(info, [] { Keys({VK_ESCAPE}); }), mrOk);
    {
        FormDriver driver(info.Handle(), [&] { PostMessageA(info.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
        EXPECT_EQ(info.ShowModal(), mrCancel);
    }
}

TEST_F(InfoDialog, LinksOpenTheirCaptionsInTheFormsWindow)
{
    TfrmInfo info(nullptr);
    LinkRecorder mail(info.KxURLLabel1);
    LinkRecorder web(info.KxURLLabel2);
    EXPECT_EQ(Drive(info,
                    [&] {
                        for (TKxURLLabel* link : {&info.KxURLLabel1, &info.KxURLLabel2}) {
                            MoveTo(*link, 2, 2);
                            Mouse(MOUSEEVENTF_LEFTDOWN);
                            Mouse(MOUSEEVENTF_LEFTUP);
                        }
                    }),
              mrOk);
    ASSERT_EQ(mail.Openings().size(), 1u);
    EXPECT_EQ(mail.Openings()[0].target, "mailto:support@ostrel.example");
    EXPECT_EQ(mail.Openings()[0].window, info.Handle());
    EXPECT_EQ(web.Targets(), (std::vector<std::string>{"https://ostrel.example/"}));
}

TEST_F(InfoDialog, CtrlAltCShowsTheBuildSettings)
{
    const std::string expected =
        "(-)  Vollst\xE4ndige Bool-Pr\xFC" "fung\r\n"
        "(-)  Assertions\r\n"
        "(-)  Debuginformationen\r\n"
        "(+) I/O-Pr\xFC" "fung\r\n"
        "(-)  Lokale Debugsymbole\r\n"
        "(-)  RTTI\r\n"
        "(+) Optimierung\r\n"
        "(-)  \xDC" "berlaufpr\xFC" "fung\r\n"
        "(-)  Bereichspr\xFC" "fung\r\n"
        "(-)  SaveDivide\r\n"
        "(-)  Stackframes\r\n"
        "(+) Erweiterte Syntax\r\n"
        "(-)  Symbolinformation\r\n"
        "\r\n";
    EXPECT_EQ(BuildSettingsText(), expected);

    MessageBoxWatcher watcher;
    TfrmInfo info(nullptr);
    const int result = Drive(info, [&] {
        // A box would take the focus, and the Tab after these with it.
        Keys({'C'});
        Keys({VK_CONTROL, 'C'});
        Keys({VK_SHIFT, 'C'});
        Keys({VK_TAB});
        EXPECT_TRUE(WaitFor([&] { return FocusOf(info) == info.mmoInfo.Handle(); }));
        EXPECT_TRUE(watcher.Boxes().empty());
        Keys({VK_SHIFT, VK_TAB});
        Keys({VK_CONTROL, VK_MENU, 'C'});
        EXPECT_TRUE(WaitFor([&] { return watcher.Boxes().size() == 1; }));
        Keys({VK_CONTROL, VK_SHIFT, VK_MENU, 'C'});
        EXPECT_TRUE(WaitFor([&] { return watcher.Boxes().size() == 2; }));
        // The answered box gives the focus back to the button.
        EXPECT_TRUE(WaitFor([&] { return FocusOf(info) == info.btnOk.Handle(); }));
    });
    EXPECT_EQ(result, mrOk);
    const std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const SeenBox& box : boxes) {
        EXPECT_EQ(box.text, expected);
        EXPECT_EQ(box.caption, "Ostrel");
    }
}

TEST_F(InfoDialog, GermanLanguageFileTranslatesIt)
{
    const std::string german = ProgramFolder() + "\\Deutsch.lng";
    ASSERT_TRUE(PathExists(german));
    MessageBoxWatcher watcher;
    TfrmInfo english(nullptr);
    const int emailWidth = english.Label6.Width();
    Plugin().Config.Update([&](ConfigValues& values) { values.LanguageFileName = german; });
    TfrmInfo info(nullptr);
    EXPECT_TRUE(watcher.Boxes().empty());
    EXPECT_EQ(info.Caption(), "Info");
    EXPECT_EQ(info.Label6.Caption(), "E-Mail:");
    EXPECT_EQ(info.Label5.Caption(), "Webseite");
    EXPECT_EQ(info.btnOk.Caption(), "OK");
    EXPECT_EQ(info.KxURLLabel1.Caption(), "support@ostrel.example");
    EXPECT_EQ(info.mmoInfo.Lines(),
              (std::vector<std::string>{
                  "Ostrel pr\xFC" "ft Anh\xE4nge mit dem Kommandozeilen-Virenscanner, den Sie in der Konfiguration "
                  "angeben. Es findet nur, was dieser Scanner findet: Halten Sie den Scanner und seine "
                  "Virendefinitionen auf dem neuesten Stand.",
                  "", "Ostrel wird ohne jede Gew\xE4hrleistung bereitgestellt, so wie es ist."}));
    // The longer caption widens its label.
    EXPECT_GT(info.Label6.Width(), emailWidth);
    EXPECT_LT(info.Label6.Left() + info.Label6.Width(), info.KxURLLabel1.Left());
}

TEST_F(InfoDialog, MissingLanguageFileIsReportedAndEnglishStays)
{
    TempDir folder;
    const std::string missing = folder.File("none.lng");
    Plugin().Config.Update([&](ConfigValues& values) { values.LanguageFileName = missing; });
    MessageBoxWatcher watcher;
    TfrmInfo info(nullptr);
    const std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Not found " + missing);
    EXPECT_EQ(info.Label6.Caption(), "Email:");
}

}  // namespace
}  // namespace ostrel::test
