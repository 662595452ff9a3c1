#pragma once

// ESET's and Kaspersky's scanners where their installers put them, and the
// plug-in pointed at ostrelscan.exe, for the tests that replay the vendors'
// published reports.
#include "EngineStandIns.h"
#include "support/PluginLibrary.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ostrel::test {

// ESET's ecls.exe in its default folder under Program Files.
std::string EsetProgram();
// Kaspersky's avp.com in a product's folder under Program Files (x86).
std::string KasperskyProgram(const std::string& product = "Kaspersky Anti-Virus 21.3");

// The MpCmdRun.exe stand-in (or `bytes`) at `program`, printing a report
// with a chosen exit code; "{file}" in a report becomes the file it was
// asked about. The folders it created go with it.
class InstalledScanner {
public:
    explicit InstalledScanner(const std::string& program, const std::string& bytes = MpCmdRunStandIn());

    void Say(uint32_t exitCode, const std::string& report) const;
    // The command lines it ran with so far.
    std::string Runs() const;

private:
    std::string folder_;
    PlacedFile program_;
    PlacedFile transcript_;
    PlacedFile runs_;
};

// The plug-in with a copy of ostrelscan.exe beside it as its scanner, with
// the default parameters, logging what the scanner printed.
class PluginWithOstrelscan {
public:
    PluginWithOstrelscan() = default;
    ~PluginWithOstrelscan();
    PluginWithOstrelscan(const PluginWithOstrelscan&) = delete;
    PluginWithOstrelscan& operator=(const PluginWithOstrelscan&) = delete;

    // Loads the plug-in; ostrelscan.ini may change between checks.
    void Start(const std::string& ostrelscanIni = "");
    void SetOstrelscanIni(const std::string& text) const;
    std::string Sample(const std::string& name, const std::string& content) const;
    int32_t Check(const std::string& file, std::string& message) const;
    std::string Log() const;
    bool LogHas(const std::string& text) const { return Log().find(text) != std::string::npos; }

    PluginLibrary plugin;
};

// ecls.exe's report around the lines it prints per file, as ecls 12.2 prints
// it (CSIRT-SK/viruschecker, driver/test/.../EsetTest.kt); "{file}" is the
// file asked about.
std::string EsetReport(const std::string& fileLines, int files, int objects, int detected);

// avp.com's report with /i0 around the lines it prints per object, as
// Kaspersky Anti-Virus prints it (CSIRT-SK/viruschecker,
// driver/test/.../KasperskyTest.kt; quarkslab/irma,
// probe/tests/modules/antivirus/test_kaspersky_win.py), with its statistics.
std::string KasperskyReport(const std::string& objectLines, int processed, int detected);

}  // namespace ostrel::test
