#include "plugin/PluginName.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(PluginName, FlagsForStatusAndDisabled)
{
    EXPECT_EQ(PluginDisplayName(0, false), "Ostrel");
    EXPECT_EQ(PluginDisplayName(1, false), "Ostrel");
    EXPECT_EQ(PluginDisplayName(-1, false), "Ostrel [NoConfig]");
    EXPECT_EQ(PluginDisplayName(0, true), "Ostrel [Disabled]");
    EXPECT_EQ(PluginDisplayName(-1, true), "Ostrel [NoConfig;Disabled]");
}

}  // namespace
}  // namespace ostrel
