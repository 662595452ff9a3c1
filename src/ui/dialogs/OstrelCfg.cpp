#include "ui/dialogs/OstrelCfg.h"

#include "base/AnsiString.h"
#include "base/Exception.h"
#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "base/Format.h"
#include "base/MessageBox.h"
#include "base/TextLines.h"
#include "base/UniqueResource.h"
#include "lang/FormatMsg.h"
#include "lang/LanguageFile.h"
#include "lang/MessageTexts.h"
#include "settings/ParameterRules.h"
#include "settings/RegistryKey.h"
#include "sysinfo/SystemQueries.h"
#include "ui/dialogs/OstrelInfo.h"
#include "ui/support/OstrelSupportInfo.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

namespace ostrel {

namespace {

constexpr const char* ScannerFileName = "Avnt.exe";
// The scanner that ships beside the plug-in, for ClamAV and Defender.
constexpr const char* BundledScannerFileName = "ostrelscan.exe";
constexpr std::size_t VirusDefinitionHead = 150;
// Posted by the Test button's thread when it is done.
constexpr UINT TestDoneMessage = WM_APP + 1;

// The folder of an installed scanner, from the first of its keys that opens.
std::string InstalledScannerFolder()
{
    std::optional<RegistryKey> key = RegistryKey::OpenFirstInEitherView(
        HKEY_LOCAL_MACHINE, {"Software\\H+BEDV\\AVWIN/NT", "Software\\H+BEDV\\AVWIN/95"}, KEY_READ);
    if (!key) {
        return "";
    }
    std::string folder = key->HasValue("AVWPath") ? key->ReadString("AVWPath") : "";
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

std::string ShortDate(const FILETIME& time)
{
    FILETIME local;
    SYSTEMTIME date;
    FileTimeToLocalFileTime(&time, &local);
    FileTimeToSystemTime(&local, &date);
    char text[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, sizeof text);
    return text;
}

}  // namespace

TfrmCfg::TfrmCfg(HWND owner, TDialogContext context)
    : TForm(owner, "frmCfg"),
      pnlBottom(Add<TPanel>(*this, "pnlBottom")),
      lblVirDefDate(Add<TLabel>(*this, "lblVirDefDate")),
      pnlControls(Add<TPanel>(*this, "pnlControls")),
      btnInfo(Add<TBitBtn>(pnlBottom, "btnInfo")),
      btnHelp(Add<TBitBtn>(pnlBottom, "btnHelp", "GLYPH_HELP")),
      btnTest(Add<TBitBtn>(pnlBottom, "btnTest")),
      btnCancel(Add<TBitBtn>(pnlBottom, "btnCancel", "GLYPH_CANCEL")),
      btnOk(Add<TBitBtn>(pnlBottom, "btnOk", "GLYPH_OK")),
      btnSelectLanguageFile(Add<TSpeedButton>(pnlControls, "btnSelectLanguageFile", "GLYPH_LANGUAGE")),
      lblLanguageName(Add<TLabel>(pnlControls, "lblLanguageName")),
      lblAVPExeName(Add<TLabel>(pnlControls, "lblAVPExeName")),
      edtAVPExeName(Add<TKxEdit>(pnlControls, "edtAVPExeName", context.Messages)),
      btnOpenFile(Add<TSpeedButton>(pnlControls, "btnOpenFile", "GLYPH_OPEN")),
      Bevel1(Add<TBevel>(pnlControls, "Bevel1")),
      cbxEditParams(Add<TCheckBox>(pnlControls, "cbxEditParams")),
      lblAVPScanParam(Add<TLabel>(pnlControls, "lblAVPScanParam")),
      edtAVPScanParam(Add<TKxEdit>(pnlControls, "edtAVPScanParam", context.Messages)),
      lblAVPCureParam(Add<TLabel>(pnlControls, "lblAVPCureParam")),
      edtAVPCureParam(Add<TKxEdit>(pnlControls, "edtAVPCureParam", context.Messages)),
      Bevel2(Add<TBevel>(pnlControls, "Bevel2")),
      cbxLogEnabled(Add<TCheckBox>(pnlControls, "cbxLogEnabled")),
      lblLogFileName(Add<TLabel>(pnlControls, "lblLogFileName")),
      edtLogFileName(Add<TKxEdit>(pnlControls, "edtLogFileName", context.Messages)),
      btnSaveLogFileName(Add<TSpeedButton>(pnlControls, "btnSaveLogFileName", "GLYPH_SAVE")),
      lblMaxLogLevel(Add<TLabel>(pnlControls, "lblMaxLogLevel")),
      sedMaxLogLevel(Add<TSpinEdit>(pnlControls, "sedMaxLogLevel")),
      cbxLogAVPOutput(Add<TCheckBox>(pnlControls, "cbxLogAVPOutput")),
      cbxDisabled(Add<TCheckBox>(pnlControls, "cbxDisabled")),
      btnDefaultsAllg(Add<TButton>(pnlControls, "btnDefaultsAllg")),
      btnSupport(Add<TBitBtn>(pnlControls, "btnSupport")),
      btnSelectHelpFile(Add<TBitBtn>(pnlControls, "btnSelectHelpFile")),
      context_(std::move(context))
{
    OpenDocument = [](const std::string& path, const std::string& directory) {
        ShellExecuteA(nullptr, "OPEN", path.c_str(), "", directory.c_str(), SW_SHOWNORMAL);
    };
    ShowInfo = [](TfrmCfg& form) { ShowInfoDialog(form.Handle(), form.context_); };
    Layout();
    FormCreate();
    OnShow = [this](TForm&) { FormShow(); };
    OnClose = [this](TForm&) { FormClose(); };
}

void TfrmCfg::Layout()
{
    SetCaption("Configuration of Ostrel");
    SetFormShowHint(true);
    if (HICON icon = LoadIconA(ModuleInstance(), "OSTREL_ICON")) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    SetClientSize(602, 394);
    pnlBottom.SetHeight(41);
    pnlBottom.SetAlign(alBottom);
    lblVirDefDate.SetHeight(13);
    lblVirDefDate.SetAlign(alBottom);
    pnlControls.SetAlign(alClient);
    pnlBottom.SetTabOrder(0);
    pnlControls.SetTabOrder(1);

    struct BottomButton {
        TBitBtn& button;
        const char* caption;
        int left;
        int anchors;
    };
    for (const BottomButton& placed : {BottomButton{btnInfo, "Info", 12, akLeft | akBottom},
                                       BottomButton{btnHelp, "Help", 126, akLeft | akBottom},
                                       BottomButton{btnTest, "Test", 250, akLeft | akBottom},
                                       BottomButton{btnCancel, "Cancel", 374, akRight | akBottom},
                                       BottomButton{btnOk, "OK", 489, akRight | akBottom}}) {
        placed.button.SetBounds(placed.left, 8, 105, 25);
        placed.button.SetCaption(placed.caption);
        placed.button.SetAnchors(placed.anchors);
    }
    btnTest.SetHint("Checks a clean file and the EICAR test file with this scanner, as the mail client would");
    btnInfo.SetTabOrder(0);
    btnHelp.SetTabOrder(1);
    btnTest.SetTabOrder(2);
    btnCancel.SetTabOrder(3);
    btnOk.SetTabOrder(4);
    btnCancel.SetCancel(true);
    btnCancel.SetModalResult(mrCancel);
    btnOk.SetDefault(true);
    btnOk.SetModalResult(mrOk);

    auto label = [](TLabel& control, const char* caption, int left, int top, int width, int height) {
        control.SetBounds(left, top, width, height);
        control.SetCaption(caption);
        control.SetLayout(1);
    };
    btnSelectLanguageFile.SetBounds(12, 9, 137, 22);
    btnSelectLanguageFile.SetCaption("Language file");
    btnSelectLanguageFile.SetHint("Please select a language file");
    label(lblLanguageName, "", 160, 10, 153, 21);
    label(lblAVPExeName, "Avnt.exe", 12, 42, 141, 21);
    edtAVPExeName.SetBounds(160, 42, 401, 21);
    btnOpenFile.SetBounds(561, 41, 23, 22);
    btnOpenFile.SetHint("Choose the file Avnt.exe");
    Bevel1.SetBounds(8, 72, 585, 81);
    cbxEditParams.SetBounds(12, 80, 169, 17);
    cbxEditParams.SetCaption("Edit parameters");
    label(lblAVPScanParam, "Parameters for scanning", 12, 98, 149, 21);
    edtAVPScanParam.SetBounds(160, 98, 401, 21);
    label(lblAVPCureParam, "Parameters for desinfection", 12, 122, 149, 21);
    edtAVPCureParam.SetBounds(160, 122, 401, 21);
    Bevel2.SetBounds(8, 160, 585, 105);
    cbxLogEnabled.SetBounds(12, 168, 177, 17);
    cbxLogEnabled.SetCaption("Log enabled");
    label(lblLogFileName, "Logfile", 12, 186, 129, 21);
    edtLogFileName.SetBounds(160, 186, 401, 21);
    btnSaveLogFileName.SetBounds(561, 186, 23, 22);
    label(lblMaxLogLevel, "Log level", 12, 210, 129, 21);
    sedMaxLogLevel.SetBounds(160, 208, 49, 22);
    sedMaxLogLevel.SetRange(0, 3);
    cbxLogAVPOutput.SetBounds(12, 240, 337, 17);
    cbxLogAVPOutput.SetCaption("Log output (in case of problems)");
    cbxDisabled.SetBounds(12, 276, 137, 21);
    cbxDisabled.SetCaption("Checking disabled");
    btnDefaultsAllg.SetBounds(12, 307, 105, 25);
    btnDefaultsAllg.SetCaption("Defaults");
    btnSupport.SetBounds(128, 307, 105, 25);
    btnSupport.SetCaption("Create support file");
    btnSelectHelpFile.SetBounds(250, 307, 105, 25);
    btnSelectHelpFile.SetCaption("Select help file");
    btnSelectHelpFile.SetHint("You may select the help file of your choice");
    for (TControl* bottomLeft : {static_cast<TControl*>(&btnDefaultsAllg), static_cast<TControl*>(&btnSupport),
                                 static_cast<TControl*>(&btnSelectHelpFile)}) {
        bottomLeft->SetAnchors(akLeft | akBottom);
    }

    const std::pair<TControl*, int> tabOrder[] = {
        {&btnDefaultsAllg, 0}, {&btnSupport, 1},      {&btnSelectHelpFile, 2}, {&cbxDisabled, 3},
        {&edtAVPCureParam, 4}, {&edtAVPScanParam, 5}, {&cbxEditParams, 6},     {&edtAVPExeName, 7},
        {&cbxLogAVPOutput, 8}, {&sedMaxLogLevel, 9},  {&edtLogFileName, 10},   {&cbxLogEnabled, 11},
    };
    for (const auto& [control, position] : tabOrder) {
        control->SetTabOrder(position);
    }
    for (TKxEdit* edit : {&edtAVPExeName, &edtAVPScanParam, &edtAVPCureParam, &edtLogFileName}) {
        edit->SetNoBeepOnReturn(true);
        edit->SetExitOptions(kx::PrevDlgOnUp | kx::NextDlgOnDown | kx::NextDlgOnReturn);
        edit->SetAllowedChars(kx::acAll);
        edit->SetAlignment(kx::taLeftJustify);
    }

    btnOpenFile.OnClick = [this](TControl&) { btnOpenFileClick(); };
    btnSaveLogFileName.OnClick = [this](TControl&) { btnSaveLogFileNameClick(); };
    cbxLogEnabled.OnClick = [this](TControl&) { UpdateLogControls(); };
    cbxEditParams.OnClick = [this](TControl&) { cbxEditParamsClick(); };
    btnDefaultsAllg.OnClick = [this](TControl&) { btnDefaultsAllgClick(); };
    btnHelp.OnClick = [this](TControl&) { btnHelpClick(); };
    btnSelectHelpFile.OnClick = [this](TControl&) { btnSelectHelpFileClick(); };
    btnSelectLanguageFile.OnClick = [this](TControl&) { btnSelectLanguageFileClick(); };
    btnInfo.OnClick = [this](TControl&) { btnInfoClick(); };
    btnSupport.OnClick = [this](TControl&) { btnSupportClick(); };
    btnTest.OnClick = [this](TControl&) { btnTestClick(); };

    sD.DefaultExt = ".log";
    sD.Filter = "Protokolldateien (*.log)|*.log";
}

void TfrmCfg::FormCreate()
{
    edtAVPScanParam.SetEnabled(false);
    edtAVPCureParam.SetEnabled(false);
    const std::string languageFile = context_.Config.Values().LanguageFileName;
    if (!languageFile.empty()) {
        lblLanguageName.SetCaption(ChangeFileExt(ExtractFileName(languageFile), ""));
    }
    ApplyLanguageFile(languageFile, this, context_.Messages);
}

void TfrmCfg::FormShow()
{
    LocateScanner();
    const ConfigValues settings = context_.Config.Values();
    edtAVPExeName.SetCaption(settings.AVPExeName);
    edtAVPScanParam.SetCaption(settings.AVPScanParam);
    edtAVPCureParam.SetCaption(settings.AVPCureParam);
    cbxDisabled.SetChecked(settings.Disabled);
    cbxLogAVPOutput.SetChecked(settings.LogAVPOutput);
    cbxLogEnabled.SetChecked(settings.Logging);
    edtLogFileName.SetCaption(settings.LogFileName);
    sedMaxLogLevel.SetValue(settings.MaxLogLevel);
    UpdateLogControls();
    UpdateVirDefLine();
}

// Nothing is saved unless the dialog was closed with OK.
void TfrmCfg::FormClose()
{
    if (ModalResult() != mrOk) {
        return;
    }
    context_.Config.Update([this](ConfigValues& values) {
        values.AVPExeName = edtAVPExeName.Caption();
        values.AVPScanParam = edtAVPScanParam.Caption();
        values.AVPCureParam = edtAVPCureParam.Caption();
        values.Disabled = cbxDisabled.Checked();
        values.LogAVPOutput = cbxLogAVPOutput.Checked();
    });
    std::vector<TRemovedParameter> removed;
    context_.Config.Update([&](ConfigValues& values) { removed = RemoveForbiddenParams(values); });
    for (const TRemovedParameter& parameter : removed) {
        const MessageKey notAllowed =
            parameter.fromCure ? MessageKey::SCureParameterNotAllowed : MessageKey::SScanParameterNotAllowed;
        ShowMessage(FormatMessageText(notAllowed, {parameter.parameter}));
    }
    context_.Config.Update([this](ConfigValues& values) {
        values.Logging = cbxLogEnabled.Checked();
        values.LogFileName = edtLogFileName.Caption();
        values.MaxLogLevel = sedMaxLogLevel.Value();
    });
    context_.Config.Save();
}

void TfrmCfg::LocateScanner()
{
    if (!context_.Config.Values().AVPExeName.empty()) {
        return;
    }
    std::string folder;
    try {
        folder = InstalledScannerFolder();
    } catch (const Exception&) {
        // A registry value of the wrong kind: the scanner is not located.
    }
    std::string scanner = folder.empty() ? "" : folder + ScannerFileName;
    if (!FileExists(scanner)) {
        scanner = ExtractFilePath(context_.Config.ModuleFileName()) + BundledScannerFileName;
    }
    if (FileExists(scanner)) {
        context_.Config.Update([&](ConfigValues& values) { values.AVPExeName = scanner; });
    }
}

void TfrmCfg::UpdateLogControls()
{
    const bool logging = cbxLogEnabled.Checked();
    edtLogFileName.SetEnabled(logging);
    btnSaveLogFileName.SetEnabled(logging);
    sedMaxLogLevel.SetEnabled(logging);
}

void TfrmCfg::UpdateVirDefLine()
{
    std::string text;
    const std::string scanner = edtAVPExeName.Caption();
    const std::string definitions = scanner.empty() ? "" : ExtractFilePath(scanner) + "Antivir.vdf";
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!definitions.empty() && FileExists(definitions) &&
        GetFileAttributesExA(definitions.c_str(), GetFileExInfoStandard, &attributes)) {
        UniqueFile file(CreateFileA(definitions.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        char head[VirusDefinitionHead];
        DWORD count = 0;
        if (file && ReadFile(file.get(), head, sizeof head, &count, nullptr)) {
            std::string_view rest(head, count);
            SplitFirstLine(rest);
            const std::string version(SplitFirstLine(rest));
            const std::string date(SplitFirstLine(rest));
            text = "VDF " + version + " - " + date + ", " + ShortDate(attributes.ftLastWriteTime);
        }
    }
    lblVirDefDate.SetCaption("    " + text);
}

void TfrmCfg::btnOpenFileClick()
{
    oD.Title = Message(MessageKey::SSelectAVPExe);
    oD.Filter = std::string("Avnt.exe|Avnt.exe|") + BundledScannerFileName + "|" + BundledScannerFileName +
                "|*.exe|*.exe";
    const std::string current = edtAVPExeName.Caption();
    if (!current.empty()) {
        oD.InitialDir = ExtractFileDir(current);
    } else if (!GetSpecialFolderPath(CSIDL_PROGRAM_FILES, false, oD.InitialDir)) {
        oD.InitialDir.clear();
    }
    oD.FileName.clear();
    if (oD.Execute(Handle())) {
        edtAVPExeName.SetCaption(oD.FileName);
        UpdateVirDefLine();
    }
}

void TfrmCfg::btnSaveLogFileNameClick()
{
    sD.FileName.clear();
    const std::string current = edtLogFileName.Caption();
    sD.InitialDir = ExtractFileDir(current.empty() ? context_.PluginFileName : current);
    if (sD.Execute(Handle())) {
        edtLogFileName.SetCaption(sD.FileName);
    }
}

void TfrmCfg::cbxEditParamsClick()
{
    const bool editable = cbxEditParams.Checked();
    if (editable) {
        ShowBoundedBox(Handle(), Message(MessageKey::SDontEditAVPParam), Message(MessageKey::SInfo),
                       MB_OK | MB_ICONINFORMATION);
    }
    edtAVPScanParam.SetEnabled(editable);
    edtAVPCureParam.SetEnabled(editable);
}

int TfrmCfg::Ask(const std::string& text, UINT icon, HWND owner)
{
    return ShowBoundedBox(owner, text, Message(MessageKey::SConfirmation), MB_YESNO | icon);
}

void TfrmCfg::btnDefaultsAllgClick()
{
    const std::string question =
        FormatMessageText(MessageKey::SAskDefaultAllg, {lblAVPScanParam.Caption(), lblAVPCureParam.Caption()});
    if (Ask(question, MB_ICONQUESTION, Handle()) == IDYES) {
        const ConfigValues defaults;
        edtAVPScanParam.SetCaption(defaults.AVPScanParam);
        edtAVPCureParam.SetCaption(defaults.AVPCureParam);
    }
}

// The chosen help file is saved at once, so Cancel does not lose it.
std::string TfrmCfg::PickHelpFile()
{
    std::string chosen;
    try {
        TOpenDialog dialog;
        dialog.HideReadOnly = true;
        dialog.FileMustExist = true;
        dialog.EnableSizing = true;
        dialog.Title = Message(MessageKey::SSelectHelpfile);
        const std::string pattern = ChangeFileExt(ExtractFileName(context_.PluginFileName), "*.hlp");
        dialog.Filter = pattern + "|" + pattern;
        const std::string helpFile = context_.Config.Values().HelpFileName;
        dialog.InitialDir = ExtractFileDir(helpFile.empty() ? context_.PluginFileName : helpFile);
        if (dialog.Execute(Handle())) {
            chosen = dialog.FileName;
            context_.Config.Update([&](ConfigValues& values) { values.HelpFileName = chosen; });
            context_.Config.Save();
        }
    } catch (const Exception&) {
        MessageBoxA(Handle(), "Error while creating an open dialog", ApplicationTitle, MB_OK);
    }
    return chosen;
}

void TfrmCfg::btnHelpClick()
{
    std::string path = context_.Config.Values().HelpFileName;
    if (path.empty()) {
        path = ChangeFileExt(context_.PluginFileName, ".hlp");
    }
    if (!FileExists(path)) {
        path = Ask(FormatMessageText(MessageKey::SHelpNotFound, {}), MB_ICONINFORMATION, Handle()) == IDYES
                   ? PickHelpFile()
                   : "";
    }
    if (!path.empty()) {
        OpenDocument(path, ExtractFileDir(context_.PluginFileName));
    }
}

void TfrmCfg::btnSelectHelpFileClick()
{
    const std::string path = PickHelpFile();
    if (!path.empty()) {
        context_.Config.Update([&](ConfigValues& values) { values.HelpFileName = path; });
    }
}

void TfrmCfg::btnSelectLanguageFileClick()
{
    oD.Title = Message(MessageKey::SSelectLanguageFile);
    oD.Filter = Message(MessageKey::SLanguageFile) + " (*.lng)|*.lng";
    const std::string current = context_.Config.Values().LanguageFileName;
    oD.InitialDir = ExtractFileDir(current.empty() ? context_.PluginFileName : current);
    oD.FileName.clear();
    if (!oD.Execute(Handle())) {
        return;
    }
    const std::string chosen = oD.FileName;
    context_.Config.Update([&](ConfigValues& values) { values.LanguageFileName = chosen; });
    if (!TrimBlanks(chosen).empty()) {
        lblLanguageName.SetCaption(ChangeFileExt(ExtractFileName(chosen), ""));
    }
    ApplyLanguageFile(chosen, nullptr, context_.Messages);
    ApplyLanguageFile(chosen, this, context_.Messages);
}

void TfrmCfg::btnInfoClick()
{
    try {
        if (ShowInfo) {
            ShowInfo(*this);
        }
    } catch (...) {
        // The info box is a courtesy: whatever fails there is not reported.
    }
}

void TfrmCfg::btnSupportClick()
{
    if (Ask(FormatMessageText(MessageKey::SSupportQuestion, {}), MB_ICONQUESTION, nullptr) != IDYES) {
        return;
    }
    try {
        WriteSupportFile();
    } catch (...) {
        const ErrorDescription error = DescribeCurrentException();
        context_.Log.WriteLog(
            FormatMessageText(MessageKey::SSupportInfoError, {error.className, error.LoggedMessage()}), LogAlways);
        const std::string text = FormatMessageText(MessageKey::SSupportInfoError, {error.className, error.message});
        ShowBoundedBox(nullptr, text, Message(MessageKey::SError), MB_OK | MB_ICONERROR);
    }
}

void TfrmCfg::WriteSupportFile()
{
    std::vector<std::string> lines;
    BuildSupportInfo(context_, lines);
    TSaveDialog dialog;
    dialog.Filter = "Supportinfo (*.txt)|*.txt";
    dialog.DefaultExt = ".txt";
    if (!GetSpecialFolderPath(CSIDL_PERSONAL, false, dialog.InitialDir)) {
        dialog.InitialDir.clear();
    }
    if (dialog.Execute(Handle())) {
        ReplaceFileContent(dialog.FileName, JoinFileLines(lines));
    }
}

bool TfrmCfg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == TestDoneMessage) {
        TestDone();
        result = 0;
        return true;
    }
    return TForm::HandleMessage(message, wParam, lParam, result);
}

// The test takes the scanner and the check parameters as the dialog shows
// them, the rest from the settings, and changes none of them.
void TfrmCfg::btnTestClick()
{
    if (test_) {
        return;
    }
    ConfigValues settings = context_.Config.Values();
    settings.AVPExeName = edtAVPExeName.Caption();
    settings.AVPScanParam = edtAVPScanParam.Caption();
    test_ = std::make_unique<TChainTestRun>(context_.TestCheck, std::move(settings), Handle(), TestDoneMessage);
    // The keyboard goes on to the next control, not to a disabled button.
    if (GetFocus() == btnTest.Handle()) {
        SendMessageA(Handle(), WM_NEXTDLGCTL, 0, FALSE);
    }
    btnTest.SetEnabled(false);
}

void TfrmCfg::TestDone()
{
    if (!test_) {
        return;
    }
    const TChainTestReport report = test_->Report();
    test_.reset();
    btnTest.SetEnabled(true);
    const TChainVerdict verdict = JudgeChainTest(report.facts);
    const UINT icon = verdict == TChainVerdict::Works             ? MB_ICONINFORMATION
                      : verdict == TChainVerdict::TakenByRealtime ? MB_ICONWARNING
                                                                  : MB_ICONERROR;
    ShowBoundedBox(Handle(), ChainTestText(report, context_.Messages), Message(MessageKey::STestCaption),
                   MB_OK | icon);
}

void ShowConfigDialog(const TDialogContext& context)
{
    TfrmCfg form(nullptr, context);
    form.ShowModal();
}

}  // namespace ostrel
