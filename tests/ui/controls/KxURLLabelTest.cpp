#include "ui/controls/KxURLLabel.h"

#include "lang/MultiLanguage.h"
#include "support/FormDriver.h"
#include "support/LinkRecorder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ostrel::test {
namespace {

constexpr TColor Normal = 0x111111;
constexpr TColor MoveOver = 0x222222;
constexpr TColor Click = 0x333333;

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
    // Wine may deliver a late move of the released press once the test has
    // moved on (seen once in a run under load): what the test drove comes first.
    const std::vector<TColor> driven = {MoveOver, Click, Normal, Click, Normal, MoveOver, Normal};
    ASSERT_GE(recorder.colors.size(), driven.size());
    EXPECT_EQ(std::vector<TColor>(recorder.colors.begin(), recorder.colors.begin() + driven.size()), driven);
    EXPECT_EQ(recorder.colors.back(), Normal);
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

}  // namespace
}  // namespace ostrel::test
