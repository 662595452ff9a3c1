#pragma once

#include <windows.h>

#include <string>

namespace ostrel {

// The system's open and save dialogs. A filter is written as description
// and pattern pairs separated by "|".
class TFileDialog {
public:
    std::string Title;
    std::string Filter;
    std::string InitialDir;
    std::string FileName;
    std::string DefaultExt;  // with or without its dot
    bool HideReadOnly = false;
    bool FileMustExist = false;
    bool EnableSizing = false;

    // True when the user chose a file; FileName then holds its path.
    bool Execute(HWND owner, bool save);
};

class TOpenDialog : public TFileDialog {
public:
    bool Execute(HWND owner) { return TFileDialog::Execute(owner, false); }
};

class TSaveDialog : public TFileDialog {
public:
    bool Execute(HWND owner) { return TFileDialog::Execute(owner, true); }
};

// "a|b|c|d" as the system wants it: zero-separated, two zeros at the end.
std::string SystemFilter(const std::string& filter);

}  // namespace ostrel
