#include "plugin/RequestRules.h"
#include "settings/ParameterRules.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(RequestRules, ScannerCodesMapToHostCodes)
{
    struct Row {
        int32_t scan, check, cure;
        const char* text;
    };
    const Row rows[] = {
        {0, 0, 0, "OK"},           {1, 1, 1, "Virus found"},       {3, 2, 2, "Suspicious"},
        {6, 0, 0, "Virus removed"}, {-2, -3, -2, "can not be cured"}, {-1, -3, -3, "Error"},
        {999, -3, -3, "unknown"},  {-3, -3, -3, "unknown"},         {2, -3, -3, "unknown"},
    };
    for (const Row& row : rows) {
        const ScanResult scan{row.scan};
        EXPECT_EQ(HostValue(CheckHostResult(scan)), row.check) << row.scan;
        EXPECT_EQ(HostValue(CureHostResult(scan)), row.cure) << row.scan;
        EXPECT_STREQ(ScanResultText(scan), row.text) << row.scan;
    }
    EXPECT_STREQ(HostResultText(HostResult{-1}), "not supported");
    EXPECT_STREQ(HostResultText(HostResult{2}), "Suspicious");
    EXPECT_STREQ(HostResultText(HostResult{7}), "unknown");
}

TEST(RequestRules, FileNamesWithBlanksAreQuoted)
{
    EXPECT_EQ(ScannerCommandLine("-z", "C:\\Temp\\att.tmp"), "-z C:\\Temp\\att.tmp");
    EXPECT_EQ(ScannerCommandLine("-z  ", "C:\\Dokumente und Einstellungen\\a.tmp"),
              "-z   \"C:\\Dokumente und Einstellungen\\a.tmp\"");
    EXPECT_EQ(ScannerCommandLine("", ""), " ");
}

}  // namespace
}  // namespace ostrel
