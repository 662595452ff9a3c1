#include "log/LogError.h"
#include "base/TextLines.h"
#include "log/TextLog.h"
#include "support/LogFileLines.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>

namespace ostrel::test {
namespace {

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ELogError& error) {
        return error.Message();
    }
    return "no error";
}

TEST(TextLog, WritesStampedLinesWithContinuationIndent)
{
    TempDir folder;
    TOstrelLog log;
    log.SetFileName(folder.File("x.log"));
    log.DoLog("abc");
    log.DoLog("a\r\n\r\nb");
    log.DoLog("trailing\r\n");
    log.DoLog("lone\rcr\nlf");
    std::string content = ReadFileBytes(folder.File("x.log"));
    std::regex expected(
        R"(\d{4}-\d\d-\d\d, \d\d:\d\d:\d\d: abc\r\n)"
        R"(\d{4}-\d\d-\d\d, \d\d:\d\d:\d\d: a\r\n {22}\r\n {22}b\r\n)"
        R"(\d{4}-\d\d-\d\d, \d\d:\d\d:\d\d: trailing\r\n)"
        R"(\d{4}-\d\d-\d\d, \d\d:\d\d:\d\d: lone\rcr\nlf\r\n)");
    EXPECT_TRUE(std::regex_match(content, expected)) << content;
}

TEST(TextLog, EmptyMessageCreatesTheFileOnly)
{
    TempDir folder;
    TOstrelLog log;
    log.SetFileName(folder.File("x.log"));
    log.DoLog("");
    EXPECT_TRUE(PathExists(folder.File("x.log")));
    EXPECT_EQ(ReadFileBytes(folder.File("x.log")), "");
}

TEST(TextLog, FailuresAreLogErrors)
{
    TempDir folder;
    TOstrelLog log;
    EXPECT_EQ(ErrorOf([&] { log.DoLog("x"); }), "Es muß ein Dateiname für FileName angegeben werden");
    std::vector<std::string> lines;
    EXPECT_EQ(ErrorOf([&] { log.LoadLines(lines); }),
              "Es muß ein Dateiname für FileName angegeben werden");
    EXPECT_EQ(ErrorOf([&] { log.TrimToMaxLines(); }),
              "Der Eigenschaft FileName wurde kein Wert zugewiesen");

    log.SetFileName(folder.File("missing\\x.log"));
    EXPECT_EQ(ErrorOf([&] { log.LoadLines(lines); }),
              "Die Datei " + folder.File("missing\\x.log") + " existiert nicht");
    EXPECT_NO_THROW(log.TrimToMaxLines());
    std::string error = ErrorOf([&] { log.DoLog("x"); });
    EXPECT_EQ(error.rfind("Fehler in DoLog der Klasse TOstrelLog\r\nEOSError\r\nSystemfehler.  Code: 3.\r\n", 0),
              0u)
        << error;
    EXPECT_FALSE(PathExists(folder.File("missing")));

    TCustomLog base;
    EXPECT_EQ(ErrorOf([&] { base.DoLog("x"); }),
              "Die Methode DoLog ist in CustomLog noch nicht implementiert");
    EXPECT_EQ(ErrorOf([&] { base.DoLogFmt("x", {}); }),
              "Die Methode DoLogFmt ist in CustomLog noch nicht implementiert");
}

TEST(TextLog, TrimKeepsNewestLinesAndRewritesWithCrLf)
{
    TempDir folder;
    std::string path = folder.File("x.log");
    std::string content;
    for (int line = 1; line <= 1500; ++line) {
        content += "line " + std::to_string(line) + (line % 2 ? "\r\n" : "\n");
    }
    WriteFileBytes(path, content);
    TOstrelLog log;
    log.SetFileName(path);
    log.SetMaxLines(1200);
    log.TrimToMaxLines();
    std::vector<std::string> lines;
    log.LoadLines(lines);
    ASSERT_EQ(lines.size(), 1200u);
    EXPECT_EQ(lines.front(), "line 301");
    EXPECT_EQ(lines.back(), "line 1500");

    std::string expected;
    for (int line = 301; line <= 1500; ++line) {
        expected += "line " + std::to_string(line) + "\r\n";
    }
    EXPECT_EQ(ReadFileBytes(path), expected);
    log.SetMaxLines(1500);
    log.TrimToMaxLines();
    EXPECT_EQ(ReadFileBytes(path), expected);
}

// Only the end of a large log is read; wherever its blocks cut a line or a
// CR LF, the lines kept are those of the whole file.
TEST(TextLog, TrimOfALargeLogKeepsTheSameLinesAsAWholeRead)
{
    TempDir folder;
    const std::string path = folder.File("large.log");
    const char* const breaks[] = {"\r\n", "\n", "\r"};
    // The unfinished last line moves every block boundary across the bytes
    // before it, each CR LF among them included.
    for (int shift = 0; shift < 80; ++shift) {
        std::string content;
        for (int line = 0; line < 9000; ++line) {
            content += std::string(static_cast<std::size_t>(line % 113), 'a' + line % 26) + breaks[line % 7 % 3];
        }
        content += std::string(static_cast<std::size_t>(shift), 'z');
        WriteFileBytes(path, content);
        std::vector<std::string> expected = SplitFileLines(content);
        expected.erase(expected.begin(), expected.end() - 1200);
        TOstrelLog log;
        log.SetFileName(path);
        log.SetMaxLines(1200);
        log.TrimToMaxLines();
        EXPECT_EQ(ReadFileBytes(path), JoinFileLines(expected)) << "shift " << shift;
    }
}

}  // namespace
}  // namespace ostrel::test
