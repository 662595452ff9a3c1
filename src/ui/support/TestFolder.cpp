#include "ui/support/TestFolder.h"

#include "base/UniqueResource.h"
#include "base/WinError.h"

namespace ostrel {

TTestFolder::TTestFolder()
{
    char base[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof base, base);
    if (length == 0 || length > MAX_PATH) {
        RaiseLastOSError("GetTempPathA");
    }
    for (unsigned attempt = 0;; ++attempt) {
        path_ = std::string(base) + NamePrefix + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(attempt);
        if (CreateDirectoryA(path_.c_str(), nullptr)) {
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS || attempt == 100) {
            RaiseLastOSError("CreateDirectoryA");
        }
    }
}

TTestFolder::~TTestFolder()
{
    for (const std::string& file : files_) {
        DeleteFileA(file.c_str());
    }
    RemoveDirectoryA(path_.c_str());
}

std::string TTestFolder::File(const std::string& name)
{
    files_.push_back(path_ + "\\" + name);
    return files_.back();
}

DWORD WriteTestFile(const std::string& path, const std::string& content)
{
    const UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr)) {
        return GetLastError();
    }
    return written == content.size() ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

bool FileReadable(const std::string& path)
{
    return static_cast<bool>(UniqueFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                    nullptr, OPEN_EXISTING, 0, nullptr)));
}

}  // namespace ostrel
