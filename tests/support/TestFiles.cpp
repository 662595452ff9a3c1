#include "TestFiles.h"

#include "base/UniqueResource.h"
#include "settings/RegistryKey.h"
#include "ui/support/TestFolder.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ostrel::test {

namespace {

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA entry;
    UniqueFindHandle search(FindFirstFileA((path + "\\*").c_str(), &entry));
    if (search) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            std::string full = path + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search.get(), &entry));
        search.reset();
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "ostrel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++);
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) {
        throw std::runtime_error("cannot create " + path_);
    }
}

TempDir::~TempDir()
{
    RemoveTree(path_);
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteFileBytes(const std::string& path, const std::string& content)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path, length);
    return full.substr(0, full.find_last_of('\\'));
}

bool ChainTestFolderLeft()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    WIN32_FIND_DATAA found;
    return static_cast<bool>(
        UniqueFindHandle(FindFirstFileA((std::string(temp) + TTestFolder::NamePrefix + "*").c_str(), &found)));
}

void DeleteMakerKey()
{
    RegistryKey::DeleteTree(HKEY_CURRENT_USER, "Software\\Dunmere");
}

bool MakeVolatileMakerKey()
{
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Dunmere", 0, nullptr, REG_OPTION_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, nullptr);
    UniqueRegKey held(key);
    return status == ERROR_SUCCESS;
}

}  // namespace ostrel::test
