#include "sysinfo/SystemQueries.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace ostrel {
namespace {

TEST(SystemQueries, EnvironmentValues)
{
    const std::string saved = GetEnvironmentValue("TEMP");
    SetEnvironmentVariableA("TEMP", "C:\\Temp");
    EXPECT_EQ(GetTempDirectory(), "C:\\Temp");
    SetEnvironmentVariableA("TEMP", nullptr);
    EXPECT_EQ(GetTempDirectory(), "");
    SetEnvironmentVariableA("TEMP", saved.c_str());

    for (std::size_t length : {258u, 259u, 260u, 32000u}) {
        const std::string value(length, 'v');
        SetEnvironmentVariableA("OSTREL_TEST_VALUE", value.c_str());
        EXPECT_EQ(GetEnvironmentValue("ostrel_test_value"), value) << length;
    }
    SetEnvironmentVariableA("OSTREL_TEST_VALUE", nullptr);
}

TEST(SystemQueries, SpecialFolders)
{
    std::string path = "stale";
    ASSERT_TRUE(GetSpecialFolderPath(CSIDL_APPDATA, false, path));
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << path;
    EXPECT_FALSE(GetSpecialFolderPath(0x7777, false, path));
    EXPECT_EQ(path, "");

    // A folder the shell does not make by itself; removed first in case an
    // earlier run left it.
    std::string burnArea;
    ASSERT_TRUE(GetSpecialFolderPath(CSIDL_CDBURN_AREA, true, burnArea));
    ASSERT_TRUE(RemoveDirectoryA(burnArea.c_str()));
    EXPECT_FALSE(GetSpecialFolderPath(CSIDL_CDBURN_AREA, false, path));
    EXPECT_TRUE(GetSpecialFolderPath(CSIDL_CDBURN_AREA, true, path));
    EXPECT_NE(GetFileAttributesA(burnArea.c_str()), INVALID_FILE_ATTRIBUTES);
    RemoveDirectoryA(burnArea.c_str());
}

}  // namespace
}  // namespace ostrel
