#include "ProgramRules.h"

#include "base/FilePath.h"

#include <algorithm>

namespace ostrel::ostrelscan {

std::string ProgramFault(std::string_view path)
{
    if (!IsFullPath(path)) {
        return "is not a full path, such as C:\\Program Files\\Scanner\\scan.exe";
    }
    if (!IsProgramFile(path)) {
        return "is not a .exe or .com program: Windows would run it through cmd.exe, where &, ^ and % in a "
               "file name act as commands";
    }
    return {};
}

std::string FilePlaceFault(std::string_view arguments)
{
    const std::size_t at = arguments.find("{file}");
    if (at == std::string_view::npos) {
        return {};
    }
    const std::size_t blank = arguments.find_last_of(" \t", at);
    const std::size_t start = blank == std::string_view::npos ? 0 : blank + 1;
    const std::size_t end = std::min(arguments.find_first_of(" \t", at), arguments.size());
    const std::string_view before = arguments.substr(0, start);
    if (std::count(before.begin(), before.end(), '"') % 2 != 0 ||
        arguments.substr(start, end - start).find('"') != std::string_view::npos) {
        return "puts {file} in quotes; leave them out, as the file name is quoted where needed";
    }
    return {};
}

}  // namespace ostrel::ostrelscan
