#include "Options.h"

#include "EngineSections.h"
#include "IniText.h"
#include "ProgramRules.h"
#include "base/AnsiString.h"
#include "base/Ascii.h"
#include "base/TextLines.h"

#include <algorithm>

namespace ostrel::ostrelscan {
namespace {

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
            request.options.emplace_back(LowerAscii(argument.substr(2, equals - 2)),
                                         argument.substr(equals + 1));
            continue;
        }
        const std::string name = LowerAscii(argument.substr(1));
        if (name == "e") {
            request.cure = true;
        } else if (name == "de" || name == "-german") {
            request.german = true;
        } else if (name == "h" || name == "?" || name == "-help") {
            request.help = true;
        } else if (name == "-engines") {
            request.listEngines = true;
        }
    }
    request.fileArgument = i;
    for (; i < arguments.size(); ++i) {
        request.file += (request.file.empty() ? "" : " ") + arguments[i];
    }
    return request;
}

std::string CommandLineTail(std::string_view commandLine, std::size_t skipped)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t at = 0;
    for (std::size_t argument = 0; argument < skipped; ++argument) {
        while (at < commandLine.size() && isBlank(commandLine[at])) {
            ++at;
        }
        // The program's name knows no backslash escapes; the arguments do:
        // an odd run of backslashes makes the quote after it a letter.
        bool quoted = false;
        std::size_t backslashes = 0;
        for (; at < commandLine.size() && (quoted || !isBlank(commandLine[at])); ++at) {
            const char c = commandLine[at];
            if (c == '"' && (argument == 0 || backslashes % 2 == 0)) {
                quoted = !quoted;
            }
            backslashes = c == '\\' ? backslashes + 1 : 0;
        }
    }
    std::string tail;
    for (char c : commandLine.substr(at)) {
        if (c != '"') {
            tail += c;
        }
    }
    return TrimBlanks(tail);
}

std::string ApplySetting(Settings& settings, std::string_view name, std::string_view value)
{
    const std::string key = LowerAscii(name);
    const std::string text = TrimBlanks(value);
    if (key == "engine") {
        const std::string engine = LowerAscii(text);
        if (engine != "auto" && engine != "clamd" && FindEngine(settings, engine) == nullptr) {
            return "unknown engine \"" + text +
                   "\": neither auto, clamd, clamscan, clamdscan, defender, eset, kaspersky nor a faultless "
                   "[engine " + engine + "] section";
        }
        settings.engine = engine;
    } else if (key == "address") {
        if (!ParseAddress(text)) {
            return "address \"" + text + "\" is not HOST:PORT";
        }
        settings.address = text;
        settings.addressNamed = true;
    } else if (key == "program") {
        if (const std::string fault = ProgramFault(text); !text.empty() && !fault.empty()) {
            return "program \"" + text + "\" " + fault;
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

const ScannerProfile* FindEngine(const Settings& settings, std::string_view engine)
{
    for (const ScannerProfile& row : settings.engines) {
        if (row.engine == engine) {
            return &row;
        }
    }
    return FindProfile(engine);
}

std::vector<std::string> ReadIni(std::string_view text, Settings& settings)
{
    std::vector<IniFault> faults;
    const std::vector<IniLine> lines = SplitIniLines(text, faults);
    // The engines first, so that engine= may name one defined further down.
    settings.engines = ReadEngineSections(lines, EngineSource::user, faults);
    bool ours = true;
    for (const IniLine& line : lines) {
        if (line.kind == IniLine::Kind::section) {
            ours = LowerAscii(line.name) == "ostrelscan";
        } else if (ours) {
            const std::string fault = ApplySetting(settings, line.name, line.value);
            if (!fault.empty()) {
                faults.push_back({line.number, fault});
            }
        }
    }
    std::stable_sort(faults.begin(), faults.end(),
                     [](const IniFault& a, const IniFault& b) { return a.line < b.line; });
    std::vector<std::string> texts;
    for (const IniFault& fault : faults) {
        texts.push_back("ostrelscan.ini line " + std::to_string(fault.line) + ": " + fault.text);
    }
    return texts;
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
           "Asks ClamAV, ESET, Kaspersky, Microsoft Defender or a scanner of your own\r\n"
           "about FILE and prints the report the Ostrel plug-in reads. FILE is every\r\n"
           "argument after the switches.\r\n"
           "\r\n"
           "  -e                  cure: engines do not repair, so an infected file\r\n"
           "                      is reported as not repaired\r\n"
           "  -de, --german       German report, umlauts in code page 850\r\n"
           "  -h, --help          this text\r\n"
           "  --engines           every engine as an ini section to copy and change\r\n"
           "  --engine=NAME       auto (default), clamd, clamscan, clamdscan,\r\n"
           "                      defender, eset, kaspersky, or one of your\r\n"
           "                      [engine NAME] sections; auto asks clamd where an\r\n"
           "                      address is named or ClamAV's installed clamd.exe\r\n"
           "                      listens, else ESET or Kaspersky where installed,\r\n"
           "                      else Microsoft Defender while it is on, else\r\n"
           "                      clamscan\r\n"
           "  --address=HOST:PORT clamd's TCP socket, default 127.0.0.1:3310\r\n"
           "  --program=PATH      the full path (a .exe or .com) of a built-in\r\n"
           "                      engine's program, when it is not where its\r\n"
           "                      installer puts it\r\n"
           "  --timeout=SECONDS   give up after this long, default 10\r\n"
           "Other switches are accepted and ignored. The options may also stand in\r\n"
           "ostrelscan.ini beside the program, in a section [ostrelscan], as\r\n"
           "engine=..., address=..., program=..., timeout=...; the command line wins.\r\n"
           "\r\n"
           "Exit codes: 0 clean, 1 found, 2 no verdict (the report then has no counts).\r\n";
}

}  // namespace ostrel::ostrelscan
