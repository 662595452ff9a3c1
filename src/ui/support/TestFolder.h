#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ostrel {

// A fresh folder under the user's temporary folder for the test of the
// chain; the files named through it and the folder go with it.
class TTestFolder {
public:
    TTestFolder();
    ~TTestFolder();
    TTestFolder(const TTestFolder&) = delete;
    TTestFolder& operator=(const TTestFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The path of a file in the folder, removed with it.
    std::string File(const std::string& name);

    // Its names begin so.
    static constexpr const char* NamePrefix = "ostrel-selftest-";

private:
    std::string path_;
    std::vector<std::string> files_;
};

// Writes a new file; ERROR_SUCCESS, or why not: real-time protection may
// refuse the write itself.
DWORD WriteTestFile(const std::string& path, const std::string& content);

// The file is there and can be opened for reading.
bool FileReadable(const std::string& path);

}  // namespace ostrel
