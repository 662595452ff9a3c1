#pragma once

// What an engine's program and its arguments may be, so that the engine
// runs as written and gets the file as one argument. No <windows.h>.
#include <string>
#include <string_view>

namespace ostrel::ostrelscan {

// What is wrong with `path` as an engine's program, worded to follow
// `program "PATH" `; empty when nothing is. It must be a full path, or the
// search would run whatever lies in the current folder or along the PATH,
// and a .exe or .com: Windows runs a .bat or .cmd through cmd.exe, where
// &, ^ and % in the file's name act as commands.
std::string ProgramFault(std::string_view path);

// What is wrong with the place of {file} in `arguments`, worded to follow
// `arguments "ARGUMENTS" `; empty when nothing is. The file name is quoted
// where needed as it replaces {file}, so {file} must stand outside quotes,
// in a word that holds none: "{file}" would give ""C:\t\att 1.eml"", two
// arguments.
std::string FilePlaceFault(std::string_view arguments);

}  // namespace ostrel::ostrelscan
