#pragma once

#include "base/UniqueResource.h"

#include <initializer_list>
#include <string>

namespace ostrel {

// SHGetFolderPathA, looked up at run time: older shells lack it, and the
// redistributable SHFolder.dll supplies it there.
class FolderPathBinding {
public:
    // Keeps the first library of the list that exports the function; the
    // others are released again.
    explicit FolderPathBinding(std::initializer_list<const char*> libraries);

    bool Bound() const { return function_ != nullptr; }
    HMODULE Library() const { return library_.get(); }

    // The folder's current path. Empties `path` first; true only on S_OK.
    bool Query(int folderId, std::string& path) const;

private:
    using Function = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

    UniqueModule library_;
    Function function_ = nullptr;
};

}  // namespace ostrel
