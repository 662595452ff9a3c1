#include "VersionInfoTexts.h"

#include <gtest/gtest.h>

#include <map>

namespace ostrel::test {
namespace {

TEST(VersionBlock, NumbersAndStringTablePrefix)
{
    EXPECT_EQ(VersionNumberText(0x00020001, 0x0003000A), "2.1.3.10");
    EXPECT_EQ(VersionNumberText(0xFFFFFFFF, 0x00000000), "65535.65535.0.0");
    EXPECT_EQ(StringTablePrefix(TLanguage::lnUSEnglish, TCharacterSet::csMultilingual),
              "\\StringFileInfo\\040904E4\\");
    EXPECT_EQ(StringTablePrefix(TLanguage::lnSwissFrench, TCharacterSet::csJapan),
              "\\StringFileInfo\\100C03A4\\");
    EXPECT_EQ(StringTablePrefix(TLanguage::lnGerman, TCharacterSet::csASCII),
              "\\StringFileInfo\\04070000\\");
}

// A block as VerQueryValue shows it: exact paths, and a record of the asks.
class FakeBlock : public TVersionBlock {
public:
    std::optional<TFixedVersion> fixed;
    std::map<std::string, std::string> values;
    mutable std::vector<std::string> asked;

    std::optional<TFixedVersion> FixedInfo() const override { return fixed; }
    std::optional<std::string> Value(const std::string& subBlock) const override
    {
        asked.push_back(subBlock);
        auto found = values.find(subBlock);
        return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
};

const std::string English = "\\StringFileInfo\\040904E4\\";
const std::string German = "\\StringFileInfo\\040704E4\\";

TKxVersionInfo Parse(const FakeBlock& block, TLanguage language = TLanguage::lnUSEnglish)
{
    return ParseVersionBlock(block, language, TCharacterSet::csMultilingual);
}

TEST(VersionBlock, WithoutFixedInformationNothingIsRead)
{
    FakeBlock block;
    block.values[English + "CompanyName"] = "Dunmere";
    EXPECT_EQ(AllTexts(Parse(block)), NoTexts);
    EXPECT_TRUE(block.asked.empty());
}

TEST(VersionBlock, EachTextComesFromItsOwnValue)
{
    FakeBlock block;
    block.fixed = TFixedVersion{0x00020001, 0x0003000A, 0x00020000, 0, 0x40004, 3, 9};
    const char* names[] = {"Comment",          "CompanyName",    "FileDescription",
                           "InternalName",     "LegalCopyright", "LegalTradeMarks",
                           "OriginalFileName", "PrivateBuild",   "ProductName",
                           "ProductVersion",   "SpecialBuild"};
    for (const char* name : names) {
        block.values[English + name] = std::string("text of ") + name;
    }
    block.values[English + "FileVersion"] = "9.9.9.9";

    const std::vector<std::string> expected = {
        "text of Comment",         "text of CompanyName",      "text of FileDescription",
        "2.1.3.10",                "text of InternalName",     "text of LegalCopyright",
        "text of LegalTradeMarks", "text of OriginalFileName", "text of PrivateBuild",
        "text of ProductName",     "text of ProductVersion",   "text of SpecialBuild",
        "Windows NT with 32 bit Windows",
        "Device Driver",
        "Sound",
    };
    EXPECT_EQ(AllTexts(Parse(block)), expected);
}

TEST(VersionBlock, StringTableOfTheChosenLanguageOnly)
{
    FakeBlock block;
    block.fixed = TFixedVersion{0x00010000, 0, 0x00020000, 0, 0x4, 1, 0};
    block.values[German + "CompanyName"] = "Müller";
    block.values[German + "ProductVersion"] = "2.0 beta";
    block.values[English + "Comments"] = "under the usual name";

    TKxVersionInfo info = Parse(block);
    EXPECT_EQ(info.CompanyName, "");
    EXPECT_EQ(info.Comment, "");
    EXPECT_EQ(info.ProductVersion, "2.0.0.0");
    EXPECT_EQ(info.FileVersion, "1.0.0.0");
    EXPECT_EQ(info.FileSubType, "");

    info = Parse(block, TLanguage::lnGerman);
    EXPECT_EQ(info.CompanyName, "Müller");
    EXPECT_EQ(info.ProductVersion, "2.0 beta");
}

}  // namespace
}  // namespace ostrel::test
