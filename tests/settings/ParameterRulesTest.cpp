#include "settings/ParameterRules.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(ParameterRules, FirstOccurrenceRemovedIgnoringCase)
{
    EXPECT_EQ(RemoveFirstParameter("-nomem /freeze -z", "/FREEZE"), "-nomem  -z");
    EXPECT_EQ(RemoveFirstParameter("-z /Freeze", "/FREEZE"), "-z ");
    EXPECT_EQ(RemoveFirstParameter("/FREEZE /FREEZE", "/FREEZE"), " /FREEZE");
    EXPECT_EQ(RemoveFirstParameter("-z", "/FREEZE"), std::nullopt);
}

TEST(ParameterRules, EveryForbiddenParameterGoesAndIsReported)
{
    ConfigValues values;
    values.AVPScanParam = "-z /FREEZE /freeze";
    values.AVPCureParam = "-e /FREE/FREEZEZE";
    std::vector<TRemovedParameter> removed = RemoveForbiddenParams(values);
    EXPECT_EQ(values.AVPScanParam, "-z  ");
    // A removal that joins a new occurrence together removes that one too.
    EXPECT_EQ(values.AVPCureParam, "-e ");
    ASSERT_EQ(removed.size(), 4u);
    EXPECT_FALSE(removed[1].fromCure);
    EXPECT_TRUE(removed[2].fromCure);
    EXPECT_EQ(removed[3].parameter, "/FREEZE");
    EXPECT_TRUE(RemoveForbiddenParams(values).empty());
}

}  // namespace
}  // namespace ostrel
