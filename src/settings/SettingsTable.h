#pragma once

#include "settings/ConfigValues.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <variant>

namespace ostrel {

// How the registry store takes a value it reads.
enum class RegistryRead {
    EmptyWhenMissing,  // a missing value empties the setting
    UnlessEmpty,       // a missing or empty value keeps the setting
    FalseWhenMissing,  // a missing value switches the setting off
    IfPresent,         // a missing value keeps the setting
};

// One setting's member, of its kind.
using SettingField = std::variant<std::string ConfigValues::*, bool ConfigValues::*, int32_t ConfigValues::*>;

struct SettingInfo {
    const char* key;
    SettingField field;
    RegistryRead registryRead;
};

// The eleven settings, in the order of the ini file; every store walks it.
inline const SettingInfo Settings[] = {
    {"AVPExeName", &ConfigValues::AVPExeName, RegistryRead::EmptyWhenMissing},
    {"AVPScanParam", &ConfigValues::AVPScanParam, RegistryRead::UnlessEmpty},
    {"AVPCureParam", &ConfigValues::AVPCureParam, RegistryRead::UnlessEmpty},
    {"Logging", &ConfigValues::Logging, RegistryRead::FalseWhenMissing},
    {"LogFileName", &ConfigValues::LogFileName, RegistryRead::UnlessEmpty},
    {"HelpFileName", &ConfigValues::HelpFileName, RegistryRead::UnlessEmpty},
    {"Disabled", &ConfigValues::Disabled, RegistryRead::FalseWhenMissing},
    {"MaxLogLevel", &ConfigValues::MaxLogLevel, RegistryRead::IfPresent},
    {"LogAVPOutput", &ConfigValues::LogAVPOutput, RegistryRead::IfPresent},
    {"LanguageFileName", &ConfigValues::LanguageFileName, RegistryRead::IfPresent},
    {"EndString", &ConfigValues::EndString, RegistryRead::IfPresent},
};

// The registry store reads and writes them in its own order, Logging after
// the file names; that order decides which faulty value is named first.
inline const SettingInfo* const RegistryOrder[] = {
    &Settings[0], &Settings[1], &Settings[2], &Settings[4], &Settings[5], &Settings[3],
    &Settings[6], &Settings[7], &Settings[8], &Settings[9], &Settings[10],
};
static_assert(std::size(RegistryOrder) == std::size(Settings));

}  // namespace ostrel
