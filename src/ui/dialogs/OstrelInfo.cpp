#include "ui/dialogs/OstrelInfo.h"

#include "base/MessageBox.h"
#include "lang/LanguageFile.h"
#include "ui/dialogs/KxCheckCompilerSwitches.h"

#include <vector>

namespace ostrel {

TfrmInfo::TfrmInfo(HWND ownerWindow, std::string languageFileName, TMessageTexts& texts)
    : TForm(ownerWindow, "frmInfo"), languageFileName_(std::move(languageFileName)), texts_(texts)
{
    SetCaption("Info");
    SetBorderStyle(bsSingle);
    SetClientSize(362, 356);
    SetFormShowHint(true);
    SetKeyPreview(true);

    const struct {
        TLabel& label;
        int left;
        int top;
        int width;
        int height;
        const char* caption;
    } labels[] = {
        {Label1, 67, 16, 30, 13, "Ostrel"},
        {Label2, 115, 16, 86, 13, "Dunmere Software"},
        {Label3, 115, 32, 75, 13, "Harbour Lane 7"},
        {Label4, 115, 48, 70, 13, "12345 Dunmere"},
        {Label6, 115, 72, 28, 13, "Email:"},
        {KxURLLabel1, 163, 72, 73, 13, "support@ostrel.example"},
        {Label5, 115, 88, 39, 13, "Website"},
        {KxURLLabel2, 163, 88, 130, 13, "https://ostrel.example/"},
        {lblVersion, 8, 120, 38, 13, "Version"},
    };
    for (const auto& item : labels) {
        item.label.SetBounds(item.left, item.top, item.width, item.height);
        item.label.SetCaption(item.caption);
        item.label.SetAutoSize(true);
    }
    KxURLLabel1.SetUrlKind(urlMail);
    KxURLLabel2.SetUrlKind(urlWeb);

    mmoInfo.SetBounds(8, 144, 345, 177);
    mmoInfo.SetLines({
        "Ostrel checks attachments with the command-line virus scanner you name in its configuration. It finds "
        "only what that scanner finds: keep the scanner and its virus definitions up to date.",
        "",
        "Ostrel is provided as is, without any warranty.",
    });
    mmoInfo.SetTabOrder(1);

    btnOk.SetBounds(144, 327, 75, 25);
    btnOk.SetAnchors(akLeft | akBottom);
    btnOk.SetCaption("Ok");
    btnOk.SetDefault(true);
    btnOk.SetModalResult(mrOk);
    btnOk.SetTabOrder(0);

    OnKeyDown = [this](TForm&, WORD key, int shift) { FormKeyDown(key, shift); };
    FormCreate();
}

void TfrmInfo::SetVersion(const std::string& version)
{
    lblVersion.SetCaption("Version: " + version);
}

void TfrmInfo::FormCreate()
{
    ApplyLanguageFile(languageFileName_, this, texts_);
}

void TfrmInfo::FormKeyDown(WORD key, int shift)
{
    if (key == 'C' && (shift & ssCtrl) && (shift & ssAlt)) {
        ShowBoundedBox(Handle(), BuildSettingsText(), ApplicationTitle, MB_OK);
    }
}

std::string BuildSettingsText()
{
    std::vector<std::string> lines;
    CheckCompilerSwitches(&lines);
    lines.emplace_back();
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

int ShowInfoDialog(HWND ownerWindow, const TDialogContext& context)
{
    TfrmInfo info(ownerWindow, context.Config.Values().LanguageFileName, context.Messages);
    info.SetVersion(context.PluginVersion);
    return info.ShowModal();
}

}  // namespace ostrel
