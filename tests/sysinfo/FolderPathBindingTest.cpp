#include "sysinfo/FolderPathBinding.h"
#include "sysinfo/SystemQueries.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace ostrel {
namespace {

// lz32.dll: loadable, without the function, and not used by this program.
TEST(FolderPathBinding, LibraryWithoutFunctionIsReleased)
{
    ASSERT_EQ(GetModuleHandleA("lz32.dll"), nullptr);
    FolderPathBinding fallback{"no-such-library.dll", "lz32.dll", "SHFolder.dll"};
    EXPECT_EQ(fallback.Library(), GetModuleHandleA("SHFolder.dll"));
    EXPECT_EQ(GetModuleHandleA("lz32.dll"), nullptr);
    std::string path;
    std::string viaShell;
    EXPECT_TRUE(fallback.Query(CSIDL_APPDATA, path));
    GetSpecialFolderPath(CSIDL_APPDATA, false, viaShell);
    EXPECT_EQ(path, viaShell);

    FolderPathBinding none{"lz32.dll"};
    EXPECT_FALSE(none.Bound());
    EXPECT_EQ(GetModuleHandleA("lz32.dll"), nullptr);
    path = "stale";
    EXPECT_FALSE(none.Query(CSIDL_APPDATA, path));
    EXPECT_EQ(path, "");
}

}  // namespace
}  // namespace ostrel
