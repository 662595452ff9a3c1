#pragma once

#include "settings/ConfigValues.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// The parameter text without the first occurrence of `forbidden` (upper
// case), found without regard to case; nothing when it does not occur.
std::optional<std::string> RemoveFirstParameter(std::string_view parameters, std::string_view forbidden);

// A scanner and its check parameters are both set: without them nothing can be checked.
bool SettingsComplete(const ConfigValues& settings);

// A forbidden parameter taken out of the scan or the cure parameters.
struct TRemovedParameter {
    std::string parameter;
    bool fromCure;
};

// Takes every "/FREEZE" out of the scan and cure parameters, in any letter
// case, one at a time: also one that a removal joins together from the text
// around it. Says what it removed, one entry per occurrence.
std::vector<TRemovedParameter> RemoveForbiddenParams(ConfigValues& values);

// The scanner's command line: the parameters, one space and the file name,
// in double quotes when it holds a blank so it stays one argument.
std::string ScannerCommandLine(std::string_view parameters, std::string_view fileName);

// The command line of a check or a cure of `fileName` with `values`: their
// check or cure parameters without "/FREEZE", then the file name.
std::string RequestCommandLine(ConfigValues values, bool isCure, std::string_view fileName);

}  // namespace ostrel
