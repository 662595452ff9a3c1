#include "base/FileSystem.h"

#include "base/UniqueResource.h"
#include "base/WinError.h"

#include <windows.h>

#include <algorithm>
#include <vector>

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

std::string FullPathName(const std::string& path)
{
    std::string full(MAX_PATH, '\0');
    DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameA(path.c_str(), length, &full[0], nullptr);
    }
    if (length == 0 || length >= full.size()) {
        return path;
    }
    full.resize(length);
    return full;
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

std::string ReadFileTail(const std::string& path, std::size_t lineBreaks)
{
    constexpr int64_t BlockSize = 65536;
    UniqueFile file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size)) {
        RaiseLastOSError("GetFileSizeEx");
    }
    std::vector<std::string> blocks;  // the last one first
    std::size_t breaks = 0;
    char after = '\0';  // the byte that follows the block being counted
    for (int64_t end = size.QuadPart; end > 0 && breaks < lineBreaks;) {
        const int64_t start = std::max<int64_t>(0, end - BlockSize);
        LARGE_INTEGER position = {};
        position.QuadPart = start;
        if (!SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN)) {
            RaiseLastOSError("SetFilePointerEx");
        }
        std::string block(static_cast<std::size_t>(end - start), '\0');
        DWORD count = 0;
        if (!ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &count, nullptr)) {
            RaiseLastOSError("ReadFile");
        }
        block.resize(count);
        for (std::size_t i = block.size(); i-- > 0;) {
            const char next = i + 1 < block.size() ? block[i + 1] : after;
            breaks += block[i] == '\n' || (block[i] == '\r' && next != '\n');
        }
        if (!block.empty()) {
            after = block.front();
        }
        blocks.push_back(std::move(block));
        end = start;
    }
    std::string tail;
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block) {
        tail += *block;
    }
    return tail;
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
