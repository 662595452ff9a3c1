#include "ui/controls/FileDialogs.h"

#include <commdlg.h>

#include <vector>

namespace ostrel {

std::string SystemFilter(const std::string& filter)
{
    std::string result = filter;
    for (char& c : result) {
        if (c == '|') {
            c = '\0';
        }
    }
    result += '\0';
    result += '\0';
    return result;
}

bool TFileDialog::Execute(HWND owner, bool save)
{
    std::vector<char> path(MAX_PATH * 4, '\0');
    FileName.copy(path.data(), path.size() - 1);
    const std::string filter = SystemFilter(Filter);
    const std::string extension = !DefaultExt.empty() && DefaultExt[0] == '.' ? DefaultExt.substr(1) : DefaultExt;

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    dialog.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | (HideReadOnly ? OFN_HIDEREADONLY : 0) |
                   (FileMustExist ? OFN_FILEMUSTEXIST : 0) | (EnableSizing ? OFN_ENABLESIZING : 0);
    const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (chosen) {
        FileName = path.data();
    }
    return chosen != FALSE;
}

}  // namespace ostrel
