#include "plugin/PluginName.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(PluginName, FlagsForStatusAndDisabled)
{
    EXPECT_EQ(PluginDisplayName(PluginStatus{0}, false), "Ostrel");
    EXPECT_EQ(PluginDisplayName(PluginStatus{1}, false), "Ostrel");
    EXPECT_EQ(PluginDisplayName(PluginStatus{-1}, false), "Ostrel [NoConfig]");
    EXPECT_EQ(PluginDisplayName(PluginStatus{0}, true), "Ostrel [Disabled]");
    EXPECT_EQ(PluginDisplayName(PluginStatus{-1}, true), "Ostrel [NoConfig;Disabled]");
}

}  // namespace
}  // namespace ostrel
