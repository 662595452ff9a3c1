// What the system tells about a listener's process, tried on processes
// Wine can show: its listeners name no process, so ostrelscan never asks
// about one there.
#include "ListenerOwners.h"

#include "base/FileSystem.h"
#include "support/ScannerScript.h"

#include <gtest/gtest.h>

namespace ostrel::ostrelscan {
namespace {

TEST(ListenerOwners, ThisProgramIsTheCurrentUsersAndKnownByItsFile)
{
    const std::string self = ModuleFileName(nullptr);
    const ListenerProcess process = DescribeProcess(GetCurrentProcessId(), self);
    EXPECT_TRUE(process.opened);
    EXPECT_TRUE(process.currentUser);
    EXPECT_TRUE(process.installedDaemon) << process.image << " is " << self;
    EXPECT_FALSE(DescribeProcess(GetCurrentProcessId(), test::FakeScannerPath()).installedDaemon);
    EXPECT_FALSE(DescribeProcess(0xFFFFFFF0u, self).opened) << "no such process";
}

TEST(ListenerOwners, ServicesAsTheServiceManagerListsThem)
{
    EXPECT_EQ(ServiceProcessId("clamd"), 0u) << "not installed";
    const uint32_t plugPlay = ServiceProcessId("PlugPlay");
    ASSERT_NE(plugPlay, 0u);
    EXPECT_TRUE(IsServiceProcess(plugPlay));
    EXPECT_FALSE(IsServiceProcess(GetCurrentProcessId()));
}

}  // namespace
}  // namespace ostrel::ostrelscan
