#include "base/FileSystem.h"

#include "base/UniqueResource.h"
#include "base/WinError.h"

#include <windows.h>

namespace ostrel {

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ModuleFileName(void* module)
{
    char buffer[MAX_PATH];
    DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), buffer, MAX_PATH);
    return std::string(buffer, length < MAX_PATH ? length : MAX_PATH);
}

namespace {

UniqueFile OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition)
{
    UniqueFile file(CreateFileA(path.c_str(), access, share, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        RaiseLastOSError("CreateFileA");
    }
    return file;
}

void WriteAll(const UniqueFile& file, std::string_view content)
{
    DWORD written = 0;
    if (!content.empty() &&
        (!WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
         written != content.size())) {
        RaiseLastOSError("WriteFile");
    }
}

}  // namespace

std::string ReadWholeFile(const std::string& path)
{
    // Writers are kept out while the file is read.
    UniqueFile file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    std::string content;
    char buffer[65536];
    DWORD count = 0;
    do {
        if (!ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr)) {
            RaiseLastOSError("ReadFile");
        }
        content.append(buffer, count);
    } while (count > 0);
    return content;
}

void ReplaceFileContent(const std::string& path, const std::string& content)
{
    UniqueFile file = OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    WriteAll(file, content);
}

void AppendToFile(const std::string& path, const std::string& content)
{
    TAppendFile(path).Write(content);
}

TAppendFile::TAppendFile(const std::string& path)
    : file_(OpenFile(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS))
{
}

void TAppendFile::Write(std::string_view bytes)
{
    WriteAll(file_, bytes);
}

}  // namespace ostrel
