#include "ui/OstrelInfo.h"

#include "lang/MultiLanguage.h"
#include "support/FormDriver.h"
#include "support/MessageBoxWatcher.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

namespace ostrel::test {
namespace {

constexpr TColor Normal = 0x111111;
constexpr TColor MoveOver = 0x222222;
constexpr TColor Click = 0x333333;
constexpr DWORD LeftClick = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP;

bool WaitFor(const std::function<bool()>& condition)
{
    for (int waited = 0; waited < 5000 && !condition(); waited += 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// Moves the cursor onto a point of `control` and sends mouse buttons
// through the system, so capture and hit testing work as with a user.
void Mouse(const TControl& control, int x, int y, DWORD buttons = 0)
{
    POINT point = {x, y};
    ClientToScreen(control.Handle(), &point);
    SetCursorPos(point.x, point.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = buttons;
    if (buttons != 0) {
        SendInput(1, &input, sizeof input);
    }
}

// Forms centre on this hidden owner at the screen's top left, away from
// other tests' forms in the middle.
UniqueWindow MakeOwner()
{
    SetCursorPos(0, 0);
    return UniqueWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 420, 420, nullptr, nullptr, nullptr, nullptr));
}

// Shows the form, on top, while `actions` act on it, then clicks `ok`
// with the mouse. That click is handled after all input before it, so the
// result is OK only when everything earlier has been handled.
int Drive(TForm& form, const TControl& ok, const std::function<void()>& actions)
{
    FormDriver driver(form.Handle(), [&] {
        SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        actions();
        Mouse(ok, 5, 5, LeftClick);
        if (!WaitFor([&] { return !IsWindowVisible(form.Handle()); })) {
            PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
        }
    });
    return form.ShowModal();
}

// A link's font colours and opened targets, recorded on the form's thread.
struct LinkRecorder {
    explicit LinkRecorder(TKxURLLabel& link)
    {
        link.Font().OnChange = [this, &link, repaint = link.Font().OnChange] {
            repaint();
            std::lock_guard<std::mutex> guard(mutex);
            colors.push_back(link.Font().Color());
        };
        link.Opener = [this](HWND form, const std::string& verb, const std::string& target, int show) {
            std::lock_guard<std::mutex> guard(mutex);
            targets.push_back(verb + " " + target + (show == SW_SHOW ? "" : " hidden"));
            window = form;
        };
    }
    bool WaitForColor(TColor color, std::size_t opened = 0)
    {
        return WaitFor([&] {
            std::lock_guard<std::mutex> guard(mutex);
            return !colors.empty() && colors.back() == color && targets.size() >= opened;
        });
    }

    std::mutex mutex;
    std::vector<TColor> colors;
    std::vector<std::string> targets;
    HWND window = nullptr;
};

// A link of 100 × 13 pixels on a form with an OK button.
class LinkLabel : public ::testing::Test {
protected:
    LinkLabel()
    {
        form.SetClientSize(300, 120);
        ok.SetBounds(110, 80, 75, 25);
        ok.SetModalResult(mrOk);
        link.SetBounds(20, 20, 100, 13);
        link.SetCaption("https://caption.example/");
        link.SetColorNormal(Normal);
        link.SetColorMoveOver(MoveOver);
        link.SetColorClick(Click);
    }
    void Run(const std::function<void()>& actions) { EXPECT_EQ(Drive(form, ok, actions), mrOk); }

    UniqueWindow owner = MakeOwner();
    TForm form{owner.get(), "frmLinks"};
    TButton& ok = form.Add<TButton>(form, "btnOk");
    TKxURLLabel& link = form.Add<TKxURLLabel>(form, "lnkTest");
    LinkRecorder recorder{link};
};

TEST_F(LinkLabel, StartValuesAndPublishedProperties)
{
    TKxURLLabel& fresh = form.Add<TKxURLLabel>(form, "lnkFresh");
    EXPECT_EQ(fresh.Cursor(), -21);  // crHandPoint
    EXPECT_EQ(fresh.Font().Color(), clBlue);
    EXPECT_EQ(fresh.Font().Style(), fsUnderline);
    EXPECT_EQ(fresh.Caption(), "URL");
    EXPECT_TRUE(fresh.ColorNormal() == clBlue && fresh.ColorMoveOver() == clBlue && fresh.ColorClick() == clRed);
    EXPECT_TRUE(fresh.URL().empty() && fresh.UrlKind() == urlWeb && !fresh.Pressed());
    const auto& all = fresh.Properties().All();
    std::vector<std::string> added;
    for (auto property = all.end() - 5; property != all.end(); ++property) {
        added.push_back(property->name);
    }
    EXPECT_EQ(added, (std::vector<std::string>{"ColorNormal", "ColorMoveOver", "ColorClick", "URL", "UrlKind"}));
    TMultiLanguage translator(&form);
    translator.SetScript({"[x]", "lnkFresh.UrlKind=URLMAIL", "lnkFresh.ColorClick=clLime"});
    translator.SetLanguage("x");
    EXPECT_EQ(fresh.UrlKind(), urlMail);
    EXPECT_EQ(fresh.ColorClick(), 0x00FF00);
}

TEST_F(LinkLabel, ClickWithAnyButtonOpensAndTheColoursFollowTheMouse)
{
    Run([&] {
        Mouse(link, 50, 6);
        ASSERT_TRUE(recorder.WaitForColor(MoveOver));
        Mouse(link, 50, 6, MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(recorder.WaitForColor(Click));
        Mouse(link, 50, 6, MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(recorder.WaitForColor(MoveOver, 1));
        Mouse(link, 50, 6, MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP);
        ASSERT_TRUE(recorder.WaitForColor(MoveOver, 2));
        Mouse(form, 5, 5);
        ASSERT_TRUE(recorder.WaitForColor(Normal));
    });
    EXPECT_EQ(recorder.targets, (std::vector<std::string>(2, "open https://caption.example/")));
    EXPECT_EQ(recorder.window, form.Handle());
    EXPECT_EQ(recorder.colors, (std::vector<TColor>{MoveOver, Click, MoveOver, Click, MoveOver, Normal}));
}

TEST_F(LinkLabel, ReleaseOffTheLabelOrAfterAPressElsewhereOpensNothing)
{
    Run([&] {
        Mouse(link, 50, 6, MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(recorder.WaitForColor(Click));
        Mouse(link, 50, 40);
        ASSERT_TRUE(recorder.WaitForColor(Normal));
        Mouse(link, 50, 6);  // back on it with the button held
        ASSERT_TRUE(recorder.WaitForColor(Click));
        Mouse(link, -1, 6);
        ASSERT_TRUE(recorder.WaitForColor(Normal));
        Mouse(link, -1, 6, MOUSEEVENTF_LEFTUP);

        Mouse(form, 5, 5, MOUSEEVENTF_LEFTDOWN);
        Mouse(link, 50, 6);
        ASSERT_TRUE(recorder.WaitForColor(MoveOver));
        Mouse(link, 50, 6, MOUSEEVENTF_LEFTUP);
        Mouse(form, 5, 5);
        ASSERT_TRUE(recorder.WaitForColor(Normal));
    });
    EXPECT_TRUE(recorder.targets.empty());
    EXPECT_EQ(recorder.colors, (std::vector<TColor>{MoveOver, Click, Normal, Click, Normal, MoveOver, Normal}));
    EXPECT_FALSE(link.Pressed());
}

TEST_F(LinkLabel, ReleaseOnTheRightAndBottomEdgeOpensButNotBeyond)
{
    Run([&] {
        for (const POINT& release : {POINT{100, 13}, POINT{101, 13}, POINT{100, 14}}) {
            Mouse(link, 50, 6, MOUSEEVENTF_LEFTDOWN);
            ASSERT_TRUE(recorder.WaitForColor(Click));
            Mouse(link, release.x, release.y);
            ASSERT_TRUE(recorder.WaitForColor(Normal));
            Mouse(link, release.x, release.y, MOUSEEVENTF_LEFTUP);
        }
    });
    EXPECT_EQ(recorder.targets.size(), 1u);
}

TEST_F(LinkLabel, UrlTakesThePlaceOfTheCaptionAndMailAddsMailto)
{
    for (const auto& [kind, url] : {std::pair{urlWeb, "https://url.example/"}, std::pair{urlMail, "a@url.example"},
                                    std::pair{urlMail, ""}}) {
        link.SetUrlKind(kind);
        link.SetURL(url);
        Run([&] { Mouse(link, 50, 6, LeftClick); });
    }
    EXPECT_EQ(recorder.targets, (std::vector<std::string>{"open https://url.example/", "open mailto:a@url.example",
                                                          "open mailto:https://caption.example/"}));
}

class InfoDialog : public ::testing::Test {
protected:
    MessageBoxWatcher watcher;
    UniqueWindow owner = MakeOwner();
};

TEST_F(InfoDialog, LayoutLinksAndClosing)
{
    TfrmInfo info(owner.get(), "");
    EXPECT_STREQ(info.ClassName(), "TfrmInfo");
    EXPECT_EQ(info.FindComponent("KXURLLABEL1"), &info.KxURLLabel1);
    EXPECT_EQ(info.ClientWidth(), 362);
    EXPECT_EQ(info.ClientHeight(), 356);
    EXPECT_EQ((std::vector<int>{info.btnOk.Left(), info.btnOk.Top(), info.btnOk.Width(), info.btnOk.Height()}),
              (std::vector<int>{144, 327, 75, 25}));
    EXPECT_LT(info.Label6.Left() + info.Label6.Width(), info.KxURLLabel1.Left());  // auto-sized labels
    EXPECT_EQ(GetNextDlgTabItem(info.Handle(), nullptr, FALSE), info.btnOk.Handle());
    EXPECT_EQ(GetNextDlgTabItem(info.Handle(), info.btnOk.Handle(), FALSE), info.mmoInfo.Handle());
    info.SetVersion("1.2.3.4");
    EXPECT_EQ(info.lblVersion.Caption(), "Version: 1.2.3.4");

    LinkRecorder mail(info.KxURLLabel1);
    LinkRecorder web(info.KxURLLabel2);
    RECT frame = {};
    EXPECT_EQ(Drive(info, info.btnOk,
                    [&] {
                        GetWindowRect(info.Handle(), &frame);
                        PressKey(info.btnOk.Handle(), VK_ESCAPE);  // does not close
                        Mouse(info.KxURLLabel1, 2, 2, LeftClick);
                        Mouse(info.KxURLLabel2, 2, 2, LeftClick);
                    }),
              mrOk);
    EXPECT_EQ(frame.left, (420 - (frame.right - frame.left)) / 2);  // centred on the owner
    EXPECT_EQ(mail.targets, std::vector<std::string>{"open mailto:support@ostrel.example"});
    EXPECT_EQ(mail.window, info.Handle());
    EXPECT_EQ(web.targets, std::vector<std::string>{"open https://ostrel.example/"});

    FormDriver driver(info.Handle(), [&] { PostMessageA(info.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(info.ShowModal(), mrCancel);
}

TEST_F(InfoDialog, CtrlAltCShowsTheBuildSettings)
{
    TfrmInfo info(owner.get(), "");
    EXPECT_TRUE(info.KeyPreview());
    const int shifts[] = {0, ssCtrl, ssShift, ssAlt, ssCtrl | ssShift, ssCtrl | ssAlt, ssCtrl | ssAlt | ssShift};
    for (int shift : shifts) {
        info.OnKeyDown(info, 'C', shift);
        info.OnKeyDown(info, 'D', shift);
    }
    const std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const SeenBox& box : boxes) {
        EXPECT_EQ(box.caption, "Ostrel");
        EXPECT_EQ(box.text, "(-)  Vollst\xE4ndige Bool-Pr\xFC" "fung\r\n(-)  Assertions\r\n(-)  Debuginformationen\r\n"
                            "(+) I/O-Pr\xFC" "fung\r\n(-)  Lokale Debugsymbole\r\n(-)  RTTI\r\n(+) Optimierung\r\n"
                            "(-)  \xDC" "berlaufpr\xFC" "fung\r\n(-)  Bereichspr\xFC" "fung\r\n(-)  SaveDivide\r\n"
                            "(-)  Stackframes\r\n(+) Erweiterte Syntax\r\n(-)  Symbolinformation\r\n\r\n");
    }
}

TEST_F(InfoDialog, LanguageFileTranslatesItOrIsReportedMissing)
{
    const int emailWidth = TfrmInfo(owner.get(), "").Label6.Width();
    TfrmInfo german(owner.get(), ProgramFolder() + "\\Deutsch.lng");
    EXPECT_TRUE(watcher.Boxes().empty());
    EXPECT_EQ(german.Label6.Caption(), "E-Mail:");
    EXPECT_GT(german.Label6.Width(), emailWidth);  // auto-sized to the new caption
    EXPECT_EQ(german.btnOk.Caption(), "OK");
    EXPECT_EQ(german.mmoInfo.Lines(),
              (std::vector<std::string>{
                  "Ostrel pr\xFC" "ft Anh\xE4nge mit dem Kommandozeilen-Virenscanner, den Sie in der Konfiguration "
                  "angeben. Es findet nur, was dieser Scanner findet: Halten Sie den Scanner und seine "
                  "Virendefinitionen auf dem neuesten Stand.",
                  "", "Ostrel wird in der vorliegenden Form und ohne jede Gew\xE4hrleistung bereitgestellt."}));

    TfrmInfo english(owner.get(), "C:\\missing.lng");
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].text, "Not found C:\\missing.lng");
    EXPECT_EQ(english.Label6.Caption(), "Email:");
    EXPECT_EQ(english.mmoInfo.Lines().front().substr(0, 30), "Ostrel checks attachments with");
}

}  // namespace
}  // namespace ostrel::test
