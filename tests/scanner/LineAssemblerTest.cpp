#include "scanner/LineAssembler.h"

#include <gtest/gtest.h>

#include <vector>

namespace ostrel {
namespace {

using Lines = std::vector<std::string>;

Lines Assemble(std::initializer_list<std::string_view> pieces, bool finish = true)
{
    Lines lines;
    LineAssembler assembler;
    auto emit = [&](const std::string& line) { lines.push_back(line); };
    for (std::string_view piece : pieces) {
        assembler.Feed(piece, emit);
    }
    if (finish) {
        assembler.Finish(emit);
    }
    return lines;
}

TEST(LineAssembler, ControlBytesActLikeAConsole)
{
    EXPECT_EQ(Assemble({"abc\rx\n"}), Lines{"xbc"});
    EXPECT_EQ(Assemble({"ab\b\bX\n"}), Lines{"Xb"});
    EXPECT_EQ(Assemble({"\b\bab\n"}), Lines{"ab"});
    EXPECT_EQ(Assemble({std::string_view("a\0b\ac\n", 6)}), Lines{"a b c"});
    EXPECT_EQ(Assemble({"one\r\ntwo\r\n"}), (Lines{"one", "two"}));
    EXPECT_EQ(Assemble({"\n\n"}), (Lines{"", ""}));
    EXPECT_EQ(Assemble({"long line\rab\tc\n"}), Lines{"ab        c"});
}

TEST(LineAssembler, TabWritesEightBlanksFromTheColumn)
{
    LineAssembler assembler;
    assembler.Feed("abc\t", nullptr);
    EXPECT_EQ(assembler.PendingLine(), "abc        ");
    EXPECT_EQ(assembler.Column(), 11u);
}

TEST(LineAssembler, LinesSpanPiecesAndTheLastNeedsNoLineFeed)
{
    EXPECT_EQ(Assemble({"ALE", "RTS: 1\r", "\nVIR", "US: x"}), (Lines{"ALERTS: 1", "VIRUS: x"}));
    EXPECT_EQ(Assemble({"tail"}, false), Lines{});
    EXPECT_EQ(Assemble({"a\n"}), Lines{"a"});
}

}  // namespace
}  // namespace ostrel
