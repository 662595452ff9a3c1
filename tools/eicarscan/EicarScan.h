#pragma once

// eicarscan's logic without <windows.h>: reading the command line, finding and
// removing the test string and wording the report, so tests can run it anywhere.
#include <cstddef>
#include <string>

namespace ostrel::eicarscan {

struct Options {
    bool cure = false;
    bool german = false;
    bool help = false;
    std::string file;  // empty when none was given
};

// Splits a raw command line, program name first. The plug-in builds it as
// "<switches> <file name>" and may leave a name with blanks unquoted, so the
// first word that is not a switch starts the name and the rest of the line
// belongs to it.
Options ParseCommandLine(const std::string& commandLine);

// The 68-byte EICAR anti-virus test string.
std::string TestString();

bool ContainsTestString(const std::string& data);

// Removes every occurrence, also one that a removal joins together from the
// bytes around it; returns how many were removed.
std::size_t RemoveTestString(std::string& data);

enum class Failure { open, read, repair };

// "ERROR: cannot open FILE: SYSTEM TEXT" with CR LF, in the report's language.
std::string FailureLine(Failure failure, const std::string& file, const std::string& systemText,
                        bool german);

struct ScanResult {
    std::string file;
    bool readable = true;  // false: the report has no findings and no results
    bool found = false;
    bool repaired = false;
    std::string failure;   // FailureLine text, printed before the results
};

// The report the plug-in reads: CR LF line ends, the end marker line last.
// The German one has no "SCAN RESULTS" header and its umlauts are in code page 850.
std::string Report(const ScanResult& result, bool german);

std::string UsageText();

}  // namespace ostrel::eicarscan
