#pragma once

// What bavhost prints for the plug-in's answers, in words a user reads
// without the source at hand. No Windows headers: the wording stays plain.
#include <cstdint>
#include <string>
#include <vector>

namespace ostrel::bavhost {

constexpr int kDone = 0, kInfected = 1, kUsage = 2, kCannotLoad = 3, kNotPlugin = 4,
              kPluginError = 5, kHostFailed = 6;

extern const char HelpText[];

// "1 (virus found)": a host result code and its meaning.
std::string ResultText(int32_t code);
// "-1 (not configured: set AVPExeName and AVPScanParam)".
std::string StatusText(int32_t status);
// "ComNeeded: -3 (no: the plug-in needs no COM)" for one of the seven
// capability exports, named without the "BAV_" prefix.
std::string CapabilityText(const std::string& name, int32_t answer);

// The plug-in's name carries its flags: "Ostrel [NoConfig;Disabled]".
bool NameSaysDisabled(const std::string& name);

// A virus or suspicious find (1 or 2).
bool IsFinding(int32_t code);
// One file's answer; `disabled` is the plug-in's "[Disabled]" flag.
std::string CheckAnswer(int32_t code, bool disabled);
// The plug-in cures only what its scanner repairs and answers -2 for a clean
// file, so a file is cured only after a check found something; `cure` is
// read only when `checkBefore` is a finding (1 or 2).
std::string CureAnswer(int32_t checkBefore, int32_t cure, bool disabled);
// The exit code one file's answer asks for; the highest of all wins.
int FileExitCode(int32_t code);

std::string SetupAnswer(int32_t result, bool saved);

// The plug-in's logging settings, as far as they could be read.
struct LogSettings {
    bool known = false;
    std::string store;  // the ini file, or the registry key
    bool iniFile = false;
    bool logging = false;
    std::string logFileName;
    bool logOutput = false;
    int32_t maxLogLevel = 0;
    std::string scanner;  // AVPExeName
};

// Where to look after an error (-3) answer: the log, or how to switch it on.
std::vector<std::string> ErrorAdvice(int32_t status, const LogSettings& log);

}  // namespace ostrel::bavhost
