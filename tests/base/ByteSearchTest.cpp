#include "base/ByteSearch.h"

#include <gtest/gtest.h>

#include <string>

namespace ostrel {
namespace {

// Block-at-a-time searches go wrong at a block's edges and in the bytes
// after the last whole block: a byte is placed at every position of texts
// of every length up to a few blocks, and the start moves too.
TEST(ByteSearch, FindsEveryPositionAtEveryLengthAndStart)
{
    for (std::size_t length = 0; length <= 50; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            for (char sought : {':', ' ', '\x80', '\xFF'}) {
                std::string text(length, 'a');
                text[at] = sought;
                SCOPED_TRACE(std::to_string(length) + "/" + std::to_string(at) + "/" + std::to_string(sought));
                for (std::size_t from = 0; from <= length + 1; ++from) {
                    const std::size_t expected = from <= at ? at : std::string::npos;
                    ASSERT_EQ(FindEitherByte(text, from, sought, '\x01'), expected);
                    ASSERT_EQ(FindEitherByte(text, from, '\x01', sought), expected);
                }
                ASSERT_EQ(HasByteAbove7F(text), static_cast<unsigned char>(sought) >= 0x80);
                // A byte just below the one sought, and a zero byte, are no match.
                text[at] = static_cast<char>(sought - 1);
                ASSERT_EQ(FindEitherByte(text, 0, sought, sought), std::string::npos);
                text[at] = '\0';
                ASSERT_EQ(FindEitherByte(text, 0, sought, sought), std::string::npos);
                ASSERT_FALSE(HasByteAbove7F(text));
            }
        }
    }
}

}  // namespace
}  // namespace ostrel
