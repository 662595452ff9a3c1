#pragma once

#include "ui/DialogContext.h"
#include "ui/controls/Form.h"
#include "ui/controls/KxURLLabel.h"
#include "ui/controls/StdControls.h"

#include <string>

namespace ostrel {

// The about box: the maker's contact lines, a mail and a web link, the
// plug-in's version and a notice. Ctrl+Alt+C shows the build settings.
class TfrmInfo : public TForm {
public:
    // Centred on `ownerWindow`; applies the language file `languageFileName`,
    // and tells of a fault in it in the words of `texts`.
    TfrmInfo(HWND ownerWindow, std::string languageFileName, TMessageTexts& texts);

    const char* ClassName() const override { return "TfrmInfo"; }

    // "Version: " and the given version.
    void SetVersion(const std::string& version);

    void FormCreate();
    void FormKeyDown(WORD key, int shift);

    TLabel& Label1 = Add<TLabel>(*this, "Label1");
    TLabel& Label2 = Add<TLabel>(*this, "Label2");
    TLabel& Label3 = Add<TLabel>(*this, "Label3");
    TLabel& Label4 = Add<TLabel>(*this, "Label4");
    TLabel& Label6 = Add<TLabel>(*this, "Label6");
    TKxURLLabel& KxURLLabel1 = Add<TKxURLLabel>(*this, "KxURLLabel1");
    TLabel& Label5 = Add<TLabel>(*this, "Label5");
    TKxURLLabel& KxURLLabel2 = Add<TKxURLLabel>(*this, "KxURLLabel2");
    TLabel& lblVersion = Add<TLabel>(*this, "lblVersion");
    TMemo& mmoInfo = Add<TMemo>(*this, "mmoInfo");
    TButton& btnOk = Add<TButton>(*this, "btnOk");

private:
    std::string languageFileName_;
    TMessageTexts& texts_;
};

// The build settings as the info dialog shows them: each line of
// CheckCompilerSwitches and one empty line, each ending with CR LF.
std::string BuildSettingsText();

// Opens the info dialog with the plug-in's version, modally, and frees it.
int ShowInfoDialog(HWND ownerWindow, const TDialogContext& context);

}  // namespace ostrel
