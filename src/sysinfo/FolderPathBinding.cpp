#include "sysinfo/FolderPathBinding.h"

#include <cstring>

namespace ostrel {

FolderPathBinding::FolderPathBinding(std::initializer_list<const char*> libraries)
{
    for (const char* name : libraries) {
        UniqueModule library(LoadLibraryA(name));
        if (!library) {
            continue;
        }
        if (FARPROC address = GetProcAddress(library.get(), "SHGetFolderPathA")) {
            function_ = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
            library_ = std::move(library);
            return;
        }
    }
}

bool FolderPathBinding::Query(int folderId, std::string& path) const
{
    path.clear();
    if (!function_) {
        return false;
    }
    char buffer[MAX_PATH] = {};
    HRESULT result = function_(nullptr, folderId, nullptr, 0, buffer);
    path.assign(buffer, strnlen(buffer, sizeof buffer));
    return result == S_OK;
}

}  // namespace ostrel
