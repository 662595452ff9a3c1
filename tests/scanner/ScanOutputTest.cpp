#include "scanner/ScanOutput.h"
#include "support/ResultPrinters.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

// A piece with a byte above 0x7F is converted; any other is handed on as
// it came, without a copy.
TEST(ScanOutput, ConvertsOnlyPiecesWithUmlauts)
{
    TScanOutput output("");
    const std::string plain = "SCAN RESULTS\r\nALERTS: 1\r\n";
    EXPECT_EQ(output.Feed(plain).data(), plain.data());
    EXPECT_EQ(output.Feed("VIRUS: W\x81rmchen\r\n"), "VIRUS: W\xFCrmchen\r\n");
    std::string name;
    EXPECT_EQ(output.Result(false, name), ScanResult::Virus);
    EXPECT_EQ(name, "W\xFCrmchen");
}

// The marker in any letter case, cut anywhere, is seen with the piece that
// completes it. It is sought in the bytes as printed: a DOS umlaut is not
// its Windows-1252 letter there.
TEST(ScanOutput, EndMarkerInAnyCaseCutAnywhere)
{
    constexpr std::size_t Never = std::string::npos;
    struct Case {
        std::string marker;
        std::string printed;
        std::size_t end;  // where the marker is complete
    };
    const Case cases[] = {
        {"-----------------", "x-----------------y", 18},
        {"-----------------", "x----------------y-", Never},
        {"End of Scan", "..eND OF eND OF sCAN\r\n", 20},
        {"\xC4rger", "\xE4RGER", 5},
        {"\xC4rger", "\x8ERGER", Never},
        {"x", "aXb", 2},
        {"", "anything", Never},
    };
    for (const Case& c : cases) {
        for (std::size_t first = 0; first <= c.printed.size(); ++first) {
            for (std::size_t second = first; second <= c.printed.size(); ++second) {
                SCOPED_TRACE(c.printed + " " + std::to_string(first) + "/" + std::to_string(second));
                TScanOutput output(c.marker);
                output.Feed(c.printed.substr(0, first));
                ASSERT_EQ(output.MarkerSeen(), c.end <= first);
                output.Feed(c.printed.substr(first, second - first));
                ASSERT_EQ(output.MarkerSeen(), c.end <= second);
                output.Feed(c.printed.substr(second));
                ASSERT_EQ(output.MarkerSeen(), c.end != Never);
            }
        }
    }
}

}  // namespace
}  // namespace ostrel
