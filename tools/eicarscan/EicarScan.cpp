#include "EicarScan.h"

#include "common/AvReport.h"
#include "ui/support/ChainTest.h"

#include <cctype>

namespace ostrel::eicarscan {
namespace {

const char kEol[] = "\r\n";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(const std::string& text, std::size_t pos)
{
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

void ApplySwitch(std::string name, Options& options)
{
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (name == "e") {
        options.cure = true;
    } else if (name == "de" || name == "-german") {
        options.german = true;
    } else if (name == "h" || name == "?" || name == "-help") {
        options.help = true;
    }
    // Anything else is a real scanner's switch, accepted so that the
    // plug-in's parameters can stay as they are.
}

std::string Pick(bool german, const char* english, const char* deutsch)
{
    return german ? deutsch : english;
}

}  // namespace

Options ParseCommandLine(const std::string& commandLine)
{
    Options options;
    // The program name ends as Windows ends it: at the closing quote, or
    // unquoted at the first blank.
    std::size_t pos = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        pos = commandLine.find('"', 1);
        pos = pos == std::string::npos ? commandLine.size() : pos + 1;
    }
    while (pos < commandLine.size() && !IsBlank(commandLine[pos])) {
        ++pos;
    }
    for (pos = SkipBlanks(commandLine, pos);
         pos < commandLine.size() && (commandLine[pos] == '-' || commandLine[pos] == '/');
         pos = SkipBlanks(commandLine, pos)) {
        const std::size_t start = pos + 1;
        while (pos < commandLine.size() && !IsBlank(commandLine[pos])) {
            ++pos;
        }
        ApplySwitch(commandLine.substr(start, pos - start), options);
    }
    std::size_t end = commandLine.size();
    while (end > pos && IsBlank(commandLine[end - 1])) {
        --end;
    }
    options.file = commandLine.substr(pos, end - pos);
    if (options.file.size() >= 2 && options.file.front() == '"' && options.file.back() == '"') {
        options.file = options.file.substr(1, options.file.size() - 2);
    }
    return options;
}

std::string TestString()
{
    return EicarTestString();
}

bool ContainsTestString(const std::string& data)
{
    return data.find(TestString()) != std::string::npos;
}

std::size_t RemoveTestString(std::string& data)
{
    const std::string test = TestString();
    std::size_t removed = 0;
    // One pass: whenever the bytes kept so far end in the test string, it
    // goes, so one that a removal joins together goes too, and nested
    // copies cost no more than plain ones.
    std::string kept;
    kept.reserve(data.size());
    for (char c : data) {
        kept += c;
        if (c == test.back() && kept.size() >= test.size() &&
            kept.compare(kept.size() - test.size(), test.size(), test) == 0) {
            kept.resize(kept.size() - test.size());
            ++removed;
        }
    }
    data.swap(kept);
    return removed;
}

std::string FailureLine(Failure failure, const std::string& file, const std::string& systemText,
                        bool german)
{
    std::string what;
    switch (failure) {
    case Failure::open: what = Pick(german, "open", "\x94" "ffnen"); break;
    case Failure::read: what = Pick(german, "read", "lesen"); break;
    case Failure::repair: what = Pick(german, "repair", "bereinigen"); break;
    }
    return german ? "FEHLER: kann " + file + " nicht " + what + ": " + systemText + kEol
                  : "ERROR: cannot " + what + " " + file + ": " + systemText + kEol;
}

std::string Report(const ScanResult& result, bool german)
{
    tools::ReportFacts facts;
    facts.banner =
        Pick(german, "EICAR test scanner (not an antivirus; it finds only the EICAR test string)",
             "EICAR-Testscanner (kein Virenschutz; er findet nur die EICAR-Testzeichenfolge)");
    facts.file = result.file;
    facts.verdict = result.readable;
    facts.virusName = result.found ? "Eicar-Test-Signature" : "";
    facts.repaired = result.repaired;
    facts.notes = result.failure;
    return tools::WriteReport(facts, german);
}

std::string UsageText()
{
    return "Usage: eicarscan [SWITCHES] FILE\r\n"
           "Looks for the EICAR anti-virus test string anywhere in FILE and finds\r\n"
           "nothing else: it is a test scanner for the plug-in, not an antivirus.\r\n"
           "FILE is the rest of the line after the switches, blanks included; it may\r\n"
           "be in double quotes (then it may also start with - or /).\r\n"
           "\r\n"
           "Switches start with - or /; unknown ones are ignored.\r\n"
           "  -e             cure: remove the test string from FILE\r\n"
           "  -de, --german  German report, umlauts in code page 850\r\n"
           "  -h, --help     this text\r\n"
           "\r\n"
           "Exit codes: 0 clean, 1 test string found (or removed),\r\n"
           "2 usage error or FILE cannot be read.\r\n";
}

}  // namespace ostrel::eicarscan
