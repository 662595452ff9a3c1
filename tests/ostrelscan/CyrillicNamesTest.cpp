// Attachments with Cyrillic names, under a Russian locale, where Wine runs
// programs in code page 1251 as Windows does there: each engine, built-in
// and the user's own, is asked about that very file, and reads back in the
// ANSI code page.
#include "VendorStandIns.h"
#include "support/ScannerScript.h"

#include <gtest/gtest.h>

namespace ostrel::test {
namespace {

TEST(CyrillicNames, EachEngineIsAskedAboutThatFile)
{
    ASSERT_EQ(GetACP(), 1251u) << "run through CTest, which sets LANG=ru_RU.UTF-8";
    PluginWithOstrelscan scan;
    const InstalledScanner eset(EsetProgram());
    const InstalledScanner kaspersky(KasperskyProgram());
    const ScannerScript script(scan.plugin.Folder());
    scan.Start();
    // "счёт 1.eml" in code page 1251.
    const std::string mail = scan.Sample("\xF1\xF7\xB8\xF2 1.eml", "Subject: hi\r\n\r\nhello\r\n");
    std::string message;

    // ESET echoes the file it opened (see fake_mpcmdrun.cpp): clean only
    // where that is the file asked about, byte for byte.
    scan.SetOstrelscanIni("[ostrelscan]\r\nengine=eset\r\n");
    eset.Say(0, EsetReport("name=\"{file}\", result=\"is OK\", action=\"\", info=\"\"\r\n", 1, 1, 0));
    EXPECT_EQ(scan.Check(mail, message), 0) << scan.Log();
    eset.Say(50, EsetReport("name=\"{file}\", result=\"Eicar test file\", action=\"\", info=\"\"\r\n", 1, 1, 1));
    EXPECT_EQ(scan.Check(mail, message), 1) << scan.Log();
    EXPECT_EQ(message, "Eicar test file");
    EXPECT_TRUE(scan.LogHas("Scanning: " + mail)) << scan.Log();

    scan.SetOstrelscanIni("[ostrelscan]\r\nengine=kaspersky\r\n");
    kaspersky.Say(2, KasperskyReport("2019-11-21 11:06:56\t{file}\tdetected\tEICAR-Test-File\r\n", 1, 1));
    EXPECT_EQ(scan.Check(mail, message), 1) << scan.Log();
    EXPECT_NE(kaspersky.Runs().find(" SCAN \"" + mail + "\" /i0"), std::string::npos) << kaspersky.Runs();

    // A row of the user's own whose clean line is the file's name as the scanner echoes it.
    scan.SetOstrelscanIni("[ostrelscan]\r\nengine=mine\r\n[engine mine]\r\nprogram=" + FakeScannerPath() +
                          "\r\narguments=" + script.Parameters() +
                          " {file}\r\nclean=0\r\nfound=1\r\nname=*: {name} FOUND\r\nclean_line=FILE={file}\r\n");
    script.Write("echo-file\nexit 0\n");
    EXPECT_EQ(scan.Check(mail, message), 0) << scan.Log();
    EXPECT_EQ(script.RecordedArguments().back(), mail);
}

}  // namespace
}  // namespace ostrel::test
