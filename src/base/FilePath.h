#pragma once

#include <string>
#include <string_view>

namespace ostrel {

// Path helpers over Windows path syntax ('\\', '/' and a drive colon).

// Folder with its trailing separator: "C:\a\b.txt" -> "C:\a\".
std::string ExtractFilePath(std::string_view path);
// Folder without a trailing separator: "C:\a\b.txt" -> "C:\a".
std::string ExtractFileDir(std::string_view path);
std::string ExtractFileName(std::string_view path);
// Extension with its dot, or empty.
std::string ExtractFileExt(std::string_view path);
// Replaces the extension of the last component, or appends one.
std::string ChangeFileExt(std::string_view path, std::string_view extension);
// "C:\a" or "\\server\share\a": a path that names one place whatever the
// current folder; "a", "\a" and "C:a" do not.
bool IsFullPath(std::string_view path);
// A file that Windows starts as a program of its own: ".exe" or ".com", in
// any case. Anything else, a batch file above all, it runs through cmd.exe,
// where & ^ % in an argument act as commands.
bool IsProgramFile(std::string_view path);

}  // namespace ostrel
