#pragma once

#include "ui/DialogContext.h"
#include "ui/dialogs/ChainTestRun.h"
#include "ui/controls/FileDialogs.h"
#include "ui/controls/Form.h"
#include "ui/controls/KxEdit.h"
#include "ui/controls/SpinEdit.h"
#include "ui/controls/StdControls.h"

#include <functional>
#include <memory>
#include <string>

namespace ostrel {

// The settings editor. It fills itself from the settings when shown and
// writes them back, and saves them, only when closed with OK.
class TfrmCfg : public TForm {
public:
    TfrmCfg(HWND owner, TDialogContext context);
    const char* ClassName() const override { return "TfrmCfg"; }

    // Opens a document with the program registered for it.
    std::function<void(const std::string& path, const std::string& directory)> OpenDocument;
    // Shows the info dialog; a test may put its own in place.
    std::function<void(TfrmCfg& owner)> ShowInfo;

    TPanel& pnlBottom;
    TLabel& lblVirDefDate;
    TPanel& pnlControls;
    TBitBtn& btnInfo;
    TBitBtn& btnHelp;
    TBitBtn& btnTest;
    TBitBtn& btnCancel;
    TBitBtn& btnOk;
    TSpeedButton& btnSelectLanguageFile;
    TLabel& lblLanguageName;
    TLabel& lblAVPExeName;
    TKxEdit& edtAVPExeName;
    TSpeedButton& btnOpenFile;
    TBevel& Bevel1;
    TCheckBox& cbxEditParams;
    TLabel& lblAVPScanParam;
    TKxEdit& edtAVPScanParam;
    TLabel& lblAVPCureParam;
    TKxEdit& edtAVPCureParam;
    TBevel& Bevel2;
    TCheckBox& cbxLogEnabled;
    TLabel& lblLogFileName;
    TKxEdit& edtLogFileName;
    TSpeedButton& btnSaveLogFileName;
    TLabel& lblMaxLogLevel;
    TSpinEdit& sedMaxLogLevel;
    TCheckBox& cbxLogAVPOutput;
    TCheckBox& cbxDisabled;
    TButton& btnDefaultsAllg;
    TBitBtn& btnSupport;
    TBitBtn& btnSelectHelpFile;
    TOpenDialog oD;
    TSaveDialog sD;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Layout();
    void FormCreate();
    void FormShow();
    void FormClose();
    void LocateScanner();
    void UpdateLogControls();
    void UpdateVirDefLine();
    std::string PickHelpFile();
    void btnOpenFileClick();
    void btnSaveLogFileNameClick();
    void cbxEditParamsClick();
    void btnDefaultsAllgClick();
    void btnHelpClick();
    void btnSelectHelpFileClick();
    void btnSelectLanguageFileClick();
    void btnInfoClick();
    void btnSupportClick();
    void btnTestClick();
    void TestDone();
    void WriteSupportFile();
    int Ask(const std::string& text, UINT icon, HWND owner);
    // The plug-in's message texts, bare and filled.
    std::string Message(MessageKey key) const { return context_.Messages.Text(key); }
    std::string FormatMessageText(MessageKey key, const FormatArgs& args)
    {
        return context_.Messages.Format(key, args);
    }

    TDialogContext context_;
    // While the Test button's test runs; when the dialog goes, it ends the
    // scanner with its tree and waits for its thread.
    std::unique_ptr<TChainTestRun> test_;
};

// The settings editor as the host's setup command shows it: modal on the
// calling thread, with no owner form.
void ShowConfigDialog(const TDialogContext& context);

}  // namespace ostrel
