#include "plugin/HostBuffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace ostrel {
namespace {

TEST(HostBuffer, MessageIsCutTo1023CharactersAndAZero)
{
    char buffer[1100];
    std::memset(buffer, 'x', sizeof buffer);
    CopyMessageToHost(std::string(1500, 'V'), buffer);
    EXPECT_EQ(std::strlen(buffer), 1023u);
    EXPECT_EQ(buffer[1024], 'x');

    CopyMessageToHost(std::string("ab\0cd", 5), buffer);
    EXPECT_STREQ(buffer, "ab");
    CopyMessageToHost("", buffer);
    EXPECT_STREQ(buffer, "ab");
    CopyMessageToHost("name", nullptr);
    CopyMessageToHost("name", reinterpret_cast<char*>(16));
}

}  // namespace
}  // namespace ostrel
