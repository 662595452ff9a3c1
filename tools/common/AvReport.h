#pragma once

// The report the plug-in reads, shared by the scanners in tools/: CR LF line
// ends, English with the "SCAN RESULTS" header or German in code page 850,
// and the end marker line last. No <windows.h>.
#include <string>
#include <string_view>

namespace ostrel::tools {

struct ReportFacts {
    std::string banner;     // first line, already in the report's language; defanged like the file name
    std::string file;
    bool verdict = true;    // false: no findings and no counts, so the plug-in reads an error
    std::string virusName;  // empty: nothing found
    bool repaired = false;
    std::string notes;      // CR LF lines printed before the counts, e.g. why there is no verdict
};

std::string WriteReport(const ReportFacts& facts, bool german);

// Text from outside (file names, engine output, reasons) made unable to act
// as a report keyword or the end marker: a blank goes before the colon of
// every keyword the plug-in looks for, in either language and code page,
// and runs of hyphens shrink to two. With `keepVirusKeyword` a "VIRUS:" is
// left alone, for names such as Defender's "Virus:DOS/...".
std::string Defang(std::string_view text, bool keepVirusKeyword = false);

}  // namespace ostrel::tools
