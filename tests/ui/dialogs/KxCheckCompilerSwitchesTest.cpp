#include "ui/dialogs/KxCheckCompilerSwitches.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

namespace ostrel::kx {
namespace {

TEST(CheckCompilerSwitches, AppendsTheThirteenLinesOrRaisesForNoList)
{
    std::vector<std::string> lines = {"before"};
    CheckCompilerSwitches(&lines);
    const std::vector<std::string> expected = {
        "before", "(-)  Vollst\xE4ndige Bool-Pr\xFC" "fung", "(-)  Assertions", "(-)  Debuginformationen",
        "(+) I/O-Pr\xFC" "fung", "(-)  Lokale Debugsymbole", "(-)  RTTI", "(+) Optimierung",
        "(-)  \xDC" "berlaufpr\xFC" "fung", "(-)  Bereichspr\xFC" "fung", "(-)  SaveDivide", "(-)  Stackframes",
        "(+) Erweiterte Syntax", "(-)  Symbolinformation",
    };
    EXPECT_EQ(lines, expected);
    try {
        CheckCompilerSwitches(nullptr);
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.ClassName(), "Exception");
        EXPECT_EQ(error.Message(), "Liste in CheckCompilerSwitches ist nicht assigned");
    }
}

}  // namespace
}  // namespace ostrel::kx
