#pragma once

#include <string>

namespace ostrel::test {

// A fresh folder under the temporary folder, removed with its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& content);
bool PathExists(const std::string& path);

// The folder of the running test program, where the build puts the plug-in.
std::string ProgramFolder();

// A folder of the test of the chain is left in the temporary folder.
bool ChainTestFolderLeft();

// Removes HKCU\Software\Dunmere with everything below it.
void DeleteMakerKey();
// Creates HKCU\Software\Dunmere as a volatile key, below which no lasting
// key can be made: the plug-in's own key then cannot be created. It lasts
// until DeleteMakerKey.
bool MakeVolatileMakerKey();

}  // namespace ostrel::test
