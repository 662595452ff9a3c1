#pragma once

// ostrelscan's settings from ostrelscan.ini and its command line. No <windows.h>.
#include "Profiles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ostrel::ostrelscan {

struct Settings {
    std::string engine = "auto";  // see AskEngine
    std::string address = "127.0.0.1:3310";
    bool addressNamed = false;  // address= was given: the user's choice of a daemon
    std::string program;     // a full path; empty: where the scanner's installer puts it
    int timeoutSeconds = 10;  // below the plug-in's 12-second limit
    std::vector<ScannerProfile> engines;  // the user's own, from [engine NAME] sections
};

// A built-in engine or one of the user's; null for none of that name.
const ScannerProfile* FindEngine(const Settings& settings, std::string_view engine);

struct Request {
    bool cure = false;
    bool german = false;
    bool help = false;
    bool listEngines = false;  // --engines
    std::string file;  // empty when none was given
    std::size_t fileArgument = 0;  // the index of the argument that starts it
    std::vector<std::pair<std::string, std::string>> options;  // --name=value, in order
};

// The arguments after the program name. Switches (- or /) come first; the
// first other argument starts the file name, and the arguments after it
// belong to it, joined by one blank, since the plug-in may pass a name with
// blanks unquoted. Unknown switches are a replaced scanner's and ignored.
Request ParseArguments(const std::vector<std::string>& arguments);

// The text of a Windows command line after its first `skipped` arguments,
// split as the C runtime splits them, without quotes (no file name holds
// one) and blanks around it. Unlike arguments joined again, it keeps a run
// of blanks in an unquoted name.
std::string CommandLineTail(std::string_view commandLine, std::size_t skipped);

// Sets one setting by its name (engine, address, program, timeout); returns
// what is wrong, or an empty text.
std::string ApplySetting(Settings& settings, std::string_view name, std::string_view value);

// Reads ostrelscan.ini: "name=value" lines in the section [ostrelscan] or
// before any section, and the user's engines in [engine NAME] sections;
// ';' and '#' start comments. Returns one text per fault, in line order.
std::vector<std::string> ReadIni(std::string_view text, Settings& settings);

struct Endpoint {
    std::string host;
    uint16_t port = 0;
};

// "HOST:PORT", "[IPv6]:PORT".
std::optional<Endpoint> ParseAddress(std::string_view address);

std::string UsageText();

}  // namespace ostrel::ostrelscan
