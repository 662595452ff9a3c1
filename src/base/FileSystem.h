#pragma once

#include "base/UniqueResource.h"

#include <string>
#include <string_view>

namespace ostrel {

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Full path of a module; an empty handle names the host's executable.
std::string ModuleFileName(void* module);

// The path that names `path` whatever the current folder, as
// GetFullPathNameA makes it; `path` itself when that fails.
std::string FullPathName(const std::string& path);

// Whole-file access; failures raise EOSError.
std::string ReadWholeFile(const std::string& path);
// The end of a file that holds at least `lineBreaks` line breaks (CR LF,
// CR or LF), or the whole file when it holds fewer; read backwards in
// blocks, so a file of any size costs only the memory of its end.
std::string ReadFileTail(const std::string& path, std::size_t lineBreaks);
void ReplaceFileContent(const std::string& path, const std::string& content);
// Appends in one write; creates the file, not its folder.
void AppendToFile(const std::string& path, const std::string& content);

// A file opened for appending, for content written in pieces; creates the
// file, not its folder.
class TAppendFile {
public:
    explicit TAppendFile(const std::string& path);
    void Write(std::string_view bytes);

private:
    UniqueFile file_;
};

}  // namespace ostrel
