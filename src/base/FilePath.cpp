#include "base/FilePath.h"

#include "base/AnsiString.h"

#include <cctype>

namespace ostrel {

namespace {

// Index just after the last separator or drive colon.
std::size_t NameStart(std::string_view path)
{
    std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

std::size_t ExtensionStart(std::string_view path)
{
    std::size_t dot = path.find_last_of('.');
    return dot == std::string_view::npos || dot < NameStart(path) ? path.size() : dot;
}

}  // namespace

std::string ExtractFilePath(std::string_view path)
{
    return std::string(path.substr(0, NameStart(path)));
}

std::string ExtractFileDir(std::string_view path)
{
    std::size_t end = NameStart(path);
    // Keep the separator of a root folder ("C:\") and the colon of "C:".
    if (end > 1 && (path[end - 1] == '\\' || path[end - 1] == '/') && path[end - 2] != ':' &&
        path[end - 2] != '\\' && path[end - 2] != '/') {
        --end;
    }
    return std::string(path.substr(0, end));
}

std::string ExtractFileName(std::string_view path)
{
    return std::string(path.substr(NameStart(path)));
}

std::string ExtractFileExt(std::string_view path)
{
    return std::string(path.substr(ExtensionStart(path)));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension)
{
    return std::string(path.substr(0, ExtensionStart(path))) + std::string(extension);
}

bool IsFullPath(std::string_view path)
{
    const auto separator = [&](std::size_t at) { return at < path.size() && (path[at] == '\\' || path[at] == '/'); };
    if (separator(0)) {
        return separator(1) && path.size() > 2;
    }
    return path.size() > 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && separator(2);
}

bool IsProgramFile(std::string_view path)
{
    const std::string extension = AnsiUpperCase(ExtractFileExt(path));
    return extension == ".EXE" || extension == ".COM";
}

}  // namespace ostrel
