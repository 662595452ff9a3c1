#include "ui/dialogs/OstrelInfo.h"

#include "support/FormDriver.h"
#include "support/LinkRecorder.h"
#include "support/MessageBoxWatcher.h"
#include "support/TestDialogContext.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ostrel::test {
namespace {

class InfoDialog : public ::testing::Test {
protected:
    MessageBoxWatcher watcher;
    UniqueWindow owner = MakeOwner();
    TestDialogContext plugin;
};

TEST_F(InfoDialog, LayoutLinksAndClosing)
{
    TfrmInfo info(owner.get(), "", plugin.messages);
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
    TfrmInfo info(owner.get(), "", plugin.messages);
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
    const int emailWidth = TfrmInfo(owner.get(), "", plugin.messages).Label6.Width();
    TfrmInfo german(owner.get(), ProgramFolder() + "\\Deutsch.lng", plugin.messages);
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

    TfrmInfo english(owner.get(), "C:\\missing.lng", plugin.messages);
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].text, "Not found C:\\missing.lng");
    EXPECT_EQ(english.Label6.Caption(), "Email:");
    EXPECT_EQ(english.mmoInfo.Lines().front().substr(0, 30), "Ostrel checks attachments with");
}

}  // namespace
}  // namespace ostrel::test
