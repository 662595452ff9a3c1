// Engines defined in ostrelscan.ini and the built-in ones in the same form:
// each fault named by its line, rows read back as they are printed, and the
// sample's example row reading clamscan's own reports.
#include "EngineSections.h"
#include "Options.h"
#include "Profiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

namespace ostrel::ostrelscan {
namespace {

using Kind = Verdict::Kind;

auto Fields(const ScannerProfile& row)
{
    return std::tie(row.engine, row.title, row.program, row.arguments, row.cleanCodes, row.infectedCodes,
                    row.namePatterns, row.nameNextLinePatterns, row.notNames, row.cleanLines, row.errorLines,
                    row.offLines);
}

// A user's complete row; each bad definition below changes one part of it.
const std::string kRow =
    "[engine mine]\r\n"                  // line 1
    "program=C:\\Scan\\scan.exe\r\n"     // 2
    "arguments=/report {file}\r\n"       // 3
    "clean=0\r\n"                        // 4
    "found=1, 0x80000001\r\n"            // 5
    "name=*: {name} FOUND\r\n"           // 6
    "clean_line=*: OK\r\n";              // 7

TEST(EngineSections, EveryBadDefinitionIsAFaultOfItsLineAndGivesNoRow)
{
    struct Case {
        std::string from;  // empty: `to` is added at the end
        std::string to;
        std::string fault;  // how the first fault starts
    };
    const Case cases[] = {
        {"found=1, 0x80000001\r\n", "", "line 1: [engine mine]: missing found="},
        {"/report {file}", "/report", "line 3: [engine mine]: arguments \"/report\" must hold {file}"},
        {"C:\\Scan\\scan.exe", "scan.exe", "line 2: [engine mine]: program \"scan.exe\" is not a full path"},
        {"scan.exe", "scan.bat", "line 2: [engine mine]: program \"C:\\Scan\\scan.bat\" is not a .exe or .com"},
        {"scan.exe", "scan", "line 2: [engine mine]: program \"C:\\Scan\\scan\" is not a .exe or .com"},
        {"/report {file}", "/report \"{file}\"", "line 3: [engine mine]: arguments \"/report \"{file}\"\" puts {file}"},
        {"/report {file}", "/a \"/report {file}\"", "line 3: [engine mine]: arguments \"/a \"/report {file}\"\" puts"},
        {"/report {file}", "/f=\"{file}\"", "line 3: [engine mine]: arguments \"/f=\"{file}\"\" puts {file}"},
        {"clean=0", "clean=zero", "line 4: [engine mine]: clean \"zero\": \"zero\" is not an exit code"},
        {"1, 0x80000001", "4294967296", "line 5: [engine mine]: found \"4294967296\": \"4294967296\" is not"},
        {"clean=0", "clean=0,1", "line 5: [engine mine]: exit code 1 is both clean and found"},
        {"*: {name} FOUND", "*: FOUND", "line 6: [engine mine]: name \"*: FOUND\" has no {name}"},
        {"*: {name} FOUND", "{name}", "line 6: [engine mine]: name \"{name}\" is {name} alone"},
        {"*: {name} FOUND", "*{name} FOUND", "line 6: [engine mine]: name \"*{name} FOUND\" has '*' right before"},
        {"clean_line=*: OK\r\n", "", "line 1: [engine mine]: missing clean_line="},
        {"clean_line=*: OK", "clean_line=*: {name}", "line 7: [engine mine]: clean_line \"*: {name}\" has {name}"},
        {"", "error_line=x {name}\r\n", "line 8: [engine mine]: error_line \"x {name}\" has {name}"},
        {"clean=0", "clean=anything", "line 4: [engine mine]: clean \"anything\": \"anything\" is not"},
        {"", "titel=x\r\n", "line 8: [engine mine]: unknown key \"titel\""},
        {"", "clean=1\r\n", "line 8: [engine mine]: clean is given twice, here and on line 4"},
        {"", "[engine Mine]\r\n", "line 8: [engine mine]: a second section of that name; the first is on line 1"},
        {"[engine mine]", "[engine clamscan]", "line 1: [engine clamscan]: \"clamscan\" is a built-in engine"},
        {"[engine mine]", "[engine my scanner]", "line 1: [engine my scanner]: an engine's name holds only"},
    };
    for (const Case& c : cases) {
        std::string ini = kRow;
        if (c.from.empty()) {
            ini += c.to;
        } else {
            ini.replace(ini.find(c.from), c.from.size(), c.to);
        }
        Settings settings;
        const std::vector<std::string> faults = ReadIni(ini, settings);
        ASSERT_FALSE(faults.empty()) << ini;
        EXPECT_EQ(faults.front().rfind("ostrelscan.ini " + c.fault, 0), 0u) << faults.front();
        EXPECT_TRUE(settings.engines.empty()) << ini;
    }
}

TEST(EngineSections, RowsReadBackAsTheyArePrinted)
{
    Settings settings;
    // engine= may name a section further down, in any case.
    ASSERT_EQ(ReadIni("[ostrelscan]\r\nengine=Mine\r\n" + kRow + "TITLE=\"\"My scan\"\"\r\n", settings),
              std::vector<std::string>{});
    EXPECT_EQ(settings.engine, "mine");
    ASSERT_EQ(settings.engines.size(), 1u);
    const ScannerProfile& mine = settings.engines.front();
    EXPECT_EQ(mine.title, "\"My scan\"");
    EXPECT_EQ(mine.infectedCodes, (std::vector<uint32_t>{1, 0x80000001u}));
    EXPECT_EQ(FindEngine(settings, "mine"), &mine);

    Settings again;
    ASSERT_EQ(ReadIni(EngineSectionText(mine), again), std::vector<std::string>{});
    ASSERT_EQ(again.engines.size(), 1u);
    EXPECT_EQ(Fields(again.engines.front()), Fields(mine));

    // The built-in rows, printed as --engines prints them, are read back as they are.
    std::vector<IniFault> faults;
    const std::string listed = EngineListText({}, [](const std::string&) { return "C:\\x.exe"; });
    const std::vector<ScannerProfile> builtIn =
        ReadEngineSections(SplitIniLines(listed, faults), EngineSource::builtIn, faults);
    EXPECT_TRUE(faults.empty());
    ASSERT_EQ(builtIn.size(), ScannerProfiles().size());
    for (std::size_t i = 0; i < builtIn.size(); ++i) {
        EXPECT_EQ(Fields(builtIn[i]), Fields(ScannerProfiles()[i]));
    }
    EXPECT_EQ(FindProfile("mine"), nullptr) << "auto never meets a user's row";
}

// The sample with every setting switched on, as its words tell the user:
// the ';' goes only where a setting or a section header follows it.
std::string SampleSwitchedOn()
{
    std::ifstream file(OSTREL_INI_SAMPLE, std::ios::binary);
    const std::string sample((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(sample.empty()) << OSTREL_INI_SAMPLE;
    std::string text;
    for (std::size_t from = 0; from < sample.size();) {
        const std::size_t end = std::min(sample.find('\n', from), sample.size() - 1) + 1;
        const std::string line = sample.substr(from, end - from);
        const bool setting = line.size() > 1 && line[0] == ';' && line[1] != ' ' && line[1] != '\r' && line[1] != '\n';
        text += setting ? line.substr(1) : line;
        from = end;
    }
    return text;
}

// Reports in the form Debian 12's clamscan 1.4.6 prints them (--no-summary),
// with Windows paths.
TEST(EngineSections, TheSamplesExampleReadsClamscansReports)
{
    Settings settings;
    ASSERT_EQ(ReadIni(SampleSwitchedOn(), settings), std::vector<std::string>{});
    ASSERT_EQ(settings.engines.size(), 1u);
    const ScannerProfile& example = settings.engines.front();
    struct Case {
        uint32_t exitCode;
        std::string output;
        Kind kind;
        std::string name;
    };
    const Case cases[] = {
        {0, "C:\\Mail\\att 1.tmp: OK\n", Kind::clean, ""},
        {1, "C:\\Mail\\att 1.tmp: Eicar-Test-Signature FOUND\n", Kind::infected, "Eicar-Test-Signature"},
        {2, "C:\\Mail\\gone.tmp: No such file or directory\nWARNING: C:\\Mail\\gone.tmp: Can't access file\n",
         Kind::error, ""},
        // A found code with no name, and a clean code without the clean line.
        {1, "LibClamAV Warning: something else entirely\n", Kind::error, ""},
        {0, "", Kind::error, ""},
    };
    for (const Case& c : cases) {
        const Verdict verdict = ReadProfileReport(example, c.exitCode, c.output);
        EXPECT_EQ(verdict.kind, c.kind) << c.output << verdict.reason;
        EXPECT_EQ(verdict.name, c.name) << c.output;
    }
}

}  // namespace
}  // namespace ostrel::ostrelscan

namespace ostrel::ostrelscan {
namespace {

// A row's words for an engine that is off, or that could not check, come
// before its clean line; a name wrapped onto the next line is still a find,
// and what the row calls no name is none.
TEST(EngineSections, TheRowsOwnWordsDecide)
{
    Settings settings;
    ASSERT_EQ(ReadIni(kRow + "off_line=License expired*\r\nerror_line=*: skipped\r\n"
                             "name_next_line=*: FOUND:\r\nnot_a_name=none\r\n",
                      settings),
              std::vector<std::string>{});
    const ScannerProfile& row = settings.engines.front();
    struct Case {
        uint32_t exitCode;
        std::string output;
        Kind kind;
        bool engineOff;
        std::string expected;  // the name, or a piece of the reason
    };
    const Case cases[] = {
        {0, "C:\\a: OK\nLicense expired on 1.1.\n", Kind::error, true, "says it is switched off"},
        {0, "C:\\a: OK\nC:\\a: skipped\n", Kind::error, false, "could not check the file: \"C:\\a: skipped\""},
        {1, "C:\\a: FOUND:\n  X.Y \nC:\\a: skipped\n", Kind::infected, false, "X.Y"},
        {1, "C:\\a: none FOUND\n", Kind::error, false, "its code for a threat, but named none"},
    };
    for (const Case& c : cases) {
        const Verdict verdict = ReadProfileReport(row, c.exitCode, c.output);
        EXPECT_EQ(verdict.kind, c.kind) << c.output;
        EXPECT_EQ(verdict.engineOff, c.engineOff) << c.output;
        EXPECT_NE((c.kind == Kind::infected ? verdict.name : verdict.reason).find(c.expected), std::string::npos)
            << verdict.reason;
    }
}

}  // namespace
}  // namespace ostrel::ostrelscan
