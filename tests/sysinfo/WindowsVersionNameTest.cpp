#include "sysinfo/WindowsVersionName.h"

#include <gtest/gtest.h>

#include <tuple>

namespace ostrel {
namespace {

TEST(WindowsVersionName, NamesUpToXP)
{
    EXPECT_EQ(WindowsVersionName(1, 4, 0), "Windows 95");
    EXPECT_EQ(WindowsVersionName(1, 4, 10), "Windows 98");
    EXPECT_EQ(WindowsVersionName(1, 5, 10), "Windows 98");
    EXPECT_EQ(WindowsVersionName(1, 4, 90), "Windos ME");
    EXPECT_EQ(WindowsVersionName(2, 3, 51), "Windows NT 4.0");
    EXPECT_EQ(WindowsVersionName(2, 4, 0), "Windows NT 4.0");
    EXPECT_EQ(WindowsVersionName(2, 5, 0), "Windows 2000");
    EXPECT_EQ(WindowsVersionName(2, 5, 1), "Windows XP");
}

TEST(WindowsVersionName, EverythingElseUnknown)
{
    const std::tuple<uint32_t, uint32_t, uint32_t> versions[] = {
        {1, 3, 10}, {1, 4, 3}, {2, 5, 2}, {2, 6, 1}, {2, 10, 0}, {0, 4, 0}, {3, 5, 1}};
    for (auto [platform, major, minor] : versions) {
        EXPECT_EQ(WindowsVersionName(platform, major, minor), "nicht feststellbar")
            << platform << " " << major << "." << minor;
    }
}

}  // namespace
}  // namespace ostrel
