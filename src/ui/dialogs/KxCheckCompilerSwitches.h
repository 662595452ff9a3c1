#pragma once

#include <string>
#include <vector>

namespace ostrel {

// Appends the build settings of the library, one line each, "(+)" for on
// and "(-)" for off, in the ANSI code page. Raises Exception for a null list.
void CheckCompilerSwitches(std::vector<std::string>* lines);

}  // namespace ostrel
