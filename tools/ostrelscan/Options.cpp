#include "Options.h"

#include "Profiles.h"
#include "base/AnsiString.h"
#include "base/FilePath.h"
#include "base/TextLines.h"

#include <cctype>

namespace ostrel::ostrelscan {
namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::optional<long> ParseNumber(std::string_view text, long low, long high)
{
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

bool IsSwitch(const std::string& argument)
{
    return !argument.empty() && (argument[0] == '-' || argument[0] == '/');
}

}  // namespace

Request ParseArguments(const std::vector<std::string>& arguments)
{
    Request request;
    std::size_t i = 0;
    for (; i < arguments.size() && IsSwitch(arguments[i]); ++i) {
        const std::string& argument = arguments[i];
        const std::size_t equals = argument.find('=');
        if (argument.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            request.options.emplace_back(Lower(argument.substr(2, equals - 2)),
                                         argument.substr(equals + 1));
            continue;
        }
        const std::string name = Lower(argument.substr(1));
        if (name == "e") {
            request.cure = true;
        } else if (name == "de" || name == "-german") {
            request.german = true;
        } else if (name == "h" || name == "?" || name == "-help") {
            request.help = true;
        }
    }
    for (; i < arguments.size(); ++i) {
        request.file += (request.file.empty() ? "" : " ") + arguments[i];
    }
    return request;
}

std::string ApplySetting(Settings& settings, std::string_view name, std::string_view value)
{
    const std::string key = Lower(name);
    const std::string text = TrimBlanks(value);
    if (key == "engine") {
        const std::string engine = Lower(text);
        if (engine != "auto" && engine != "clamd" && FindProfile(engine) == nullptr) {
            return "unknown engine \"" + text + "\" (auto, clamd, clamscan, clamdscan or defender)";
        }
        settings.engine = engine;
    } else if (key == "address") {
        if (!ParseAddress(text)) {
            return "address \"" + text + "\" is not HOST:PORT";
        }
        settings.address = text;
        settings.addressNamed = true;
    } else if (key == "program") {
        // Searched along the PATH and the current folder, a relative name
        // would run whatever program lies there.
        if (!text.empty() && !IsFullPath(text)) {
            return "program \"" + text + "\" is not a full path (such as C:\\Program Files\\...\\NAME.exe)";
        }
        settings.program = text;
    } else if (key == "timeout") {
        const std::optional<long> seconds = ParseNumber(text, 1, 3600);
        if (!seconds) {
            return "timeout \"" + text + "\" is not a number of seconds from 1 to 3600";
        }
        settings.timeoutSeconds = static_cast<int>(*seconds);
    } else {
        return "unknown setting \"" + std::string(name) + "\"";
    }
    return {};
}

std::vector<std::string> ReadIni(std::string_view text, Settings& settings)
{
    std::vector<std::string> faults;
    bool ours = true;
    int number = 0;
    for (const std::string& raw : SplitFileLines(text)) {
        ++number;
        const std::string line = TrimBlanks(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        const std::string where = "ostrelscan.ini line " + std::to_string(number) + ": ";
        if (line[0] == '[') {
            if (line.back() != ']') {
                faults.push_back(where + "section header without ]");
            }
            ours = Lower(TrimBlanks(std::string_view(line).substr(1, line.size() - 2))) == "ostrelscan";
            continue;
        }
        if (!ours) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            faults.push_back(where + "no '=' in \"" + line + "\"");
            continue;
        }
        std::string value = TrimBlanks(std::string_view(line).substr(equals + 1));
        // A quoted path keeps its blanks and loses its quotes.
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        const std::string fault = ApplySetting(settings, TrimBlanks(line.substr(0, equals)), value);
        if (!fault.empty()) {
            faults.push_back(where + fault);
        }
    }
    return faults;
}

std::optional<Endpoint> ParseAddress(std::string_view address)
{
    Endpoint endpoint;
    std::string_view port;
    if (!address.empty() && address[0] == '[') {
        const std::size_t close = address.find(']');
        if (close == std::string_view::npos || address.substr(close + 1, 1) != ":") {
            return std::nullopt;
        }
        endpoint.host = std::string(address.substr(1, close - 1));
        port = address.substr(close + 2);
    } else {
        const std::size_t colon = address.rfind(':');
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        endpoint.host = std::string(address.substr(0, colon));
        port = address.substr(colon + 1);
    }
    const std::optional<long> number = ParseNumber(port, 1, 65535);
    if (endpoint.host.empty() || !number ||
        endpoint.host.find_first_of(" \t[]") != std::string::npos) {
        return std::nullopt;
    }
    endpoint.port = static_cast<uint16_t>(*number);
    return endpoint;
}

std::string UsageText()
{
    return "Usage: ostrelscan [SWITCHES] [--OPTION=VALUE] FILE\r\n"
           "Asks ClamAV or Microsoft Defender about FILE and prints the report the\r\n"
           "Ostrel plug-in reads. FILE is every argument after the switches.\r\n"
           "\r\n"
           "  -e                  cure: engines do not repair, so an infected file\r\n"
           "                      is reported as not repaired\r\n"
           "  -de, --german       German report, umlauts in code page 850\r\n"
           "  -h, --help          this text\r\n"
           "  --engine=NAME       auto (default), clamd, clamscan, clamdscan or\r\n"
           "                      defender; auto asks clamd where an address is\r\n"
           "                      named or ClamAV's clamd.exe is installed, else\r\n"
           "                      Microsoft Defender while it is on, else clamscan\r\n"
           "  --address=HOST:PORT clamd's TCP socket, default 127.0.0.1:3310\r\n"
           "  --program=PATH      the scanner program's full path, when not where it\r\n"
           "                      installs; needs an engine other than auto and clamd\r\n"
           "  --timeout=SECONDS   give up after this long, default 10\r\n"
           "Other switches are accepted and ignored. The options may also stand in\r\n"
           "ostrelscan.ini beside the program, in a section [ostrelscan], as\r\n"
           "engine=..., address=..., program=..., timeout=...; the command line wins.\r\n"
           "\r\n"
           "Exit codes: 0 clean, 1 found, 2 no verdict (the report then has no counts).\r\n";
}

}  // namespace ostrel::ostrelscan
