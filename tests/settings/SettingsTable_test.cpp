#include "settings/SettingsTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "settings/SettingsSnapshot.h"
#include "support/CaseNames.h"
#include "support/SnapshotBuilder.h"
#include "support/SnapshotDifferences.h"

namespace zetgallery {

namespace {

TEST(SettingsTableTest, HoldsTheSettingsInTheirStoredOrder) {
  const std::vector<std::string> expected{"ImagesFolder",
                                          "ResultFolder",
                                          "ClearResultFolder",
                                          "ThumbsFolder",
                                          "ClearThumbsFolder",
                                          "ButtonsFolder",
                                          "CopyButtonsFromTemplate",
                                          "ImagesMask",
                                          "HtmlNames",
                                          "HtmlFirstImageFile",
                                          "IndexFile",
                                          "Descriptions",
                                          "IndexTemplate",
                                          "IndexPlace",
                                          "IndexType",
                                          "TableWidth",
                                          "TableBorderWidth",
                                          "CellSpacing",
                                          "CellPadding",
                                          "TableBorderColor",
                                          "TableBackColor",
                                          "ShowTableHeaders",
                                          "ShowDescriptions",
                                          "ShowFileSizes",
                                          "FileSizes",
                                          "ThumbXCount",
                                          "ThumbXSize",
                                          "ThumbYSize",
                                          "ThumbBorderWidth",
                                          "ThumbBorderColor",
                                          "DescrAsThumbAlt",
                                          "CreateThumbs",
                                          "ThumbsFormat",
                                          "ThumbPrefixSuffixType",
                                          "ThumbPrefixSuffix",
                                          "ImageType",
                                          "ImageTemplate",
                                          "ImagePlace",
                                          "DescrPlace",
                                          "ButtonsPlace",
                                          "ButtonImageFirst",
                                          "ButtonImagePrev",
                                          "ButtonImageNext",
                                          "ButtonImageLast",
                                          "ButtonImageIndex",
                                          "AltFirst",
                                          "AltPrev",
                                          "AltNext",
                                          "AltLast",
                                          "AltIndex",
                                          "ImageClickEqualNext",
                                          "PictureFacts",
                                          "ImageOrder",
                                          "ImageOrderDescending",
                                          "DisplayCopies",
                                          "DisplaySize",
                                          "DisplayQuality",
                                          "DisplayFolder",
                                          "SubAlbums",
                                          "OriginalsArchive",
                                          "ArchiveName"};
  std::vector<std::string> names;
  for (const TSettingRow& row : kSettingsTable) names.push_back(row.Name);
  EXPECT_EQ(names, expected);
}

TEST(SettingsTableTest, EveryRowHasOneFieldOfItsOwnFittingItsControl) {
  // Pointers to members have no order, so uniqueness is checked by search.
  std::vector<std::string TSettingsSnapshot::*> texts;
  std::vector<int TSettingsSnapshot::*> numbers;
  std::vector<bool TSettingsSnapshot::*> checks;
  const auto addNew = [](auto& seen, auto field) {
    if (field == nullptr || std::find(seen.begin(), seen.end(), field) != seen.end()) return false;
    seen.push_back(field);
    return true;
  };
  for (const TSettingRow& row : kSettingsTable) {
    SCOPED_TRACE(row.Name);
    const int fields = (row.Text != nullptr) + (row.Number != nullptr) + (row.Check != nullptr);
    EXPECT_EQ(fields, 1);
    switch (row.Control) {
      case TControlKind::Edit:
        EXPECT_EQ(row.Kind, TSettingKind::Text);
        EXPECT_NE(row.Rule, TBlankRule::None);
        EXPECT_TRUE(addNew(texts, row.Text));
        break;
      case TControlKind::TextSpin:
        EXPECT_EQ(row.Kind, TSettingKind::Integer);
        EXPECT_TRUE(addNew(texts, row.Text));
        break;
      case TControlKind::DropDown:
      case TControlKind::SpinEdit:
      case TControlKind::RadioPair:
        EXPECT_EQ(row.Kind, TSettingKind::Integer);
        EXPECT_LE(row.Min, row.Max);
        EXPECT_TRUE(addNew(numbers, row.Number));
        break;
      case TControlKind::CheckBox:
        EXPECT_EQ(row.Kind, TSettingKind::Flag);
        EXPECT_TRUE(addNew(checks, row.Check));
        break;
    }
    EXPECT_EQ(row.SecondControlName != nullptr, row.Control == TControlKind::RadioPair);
  }
  EXPECT_EQ(texts.size() + numbers.size() + checks.size(), 61u);
}

struct TRuleCase {
  const char* name;
  TBlankRule rule;
};

void PrintTo(const TRuleCase& c, std::ostream* os) { PrintCase(os, c.name, c.rule); }

const TRuleCase kRules[] = {
    {"ImagesFolder", TBlankRule::T},     {"ThumbsFolder", TBlankRule::T},
    {"ButtonsFolder", TBlankRule::T},    {"HtmlFirstImageFile", TBlankRule::T},
    {"IndexFile", TBlankRule::T},        {"ImagesMask", TBlankRule::E},
    {"IndexTemplate", TBlankRule::E},    {"IndexPlace", TBlankRule::E},
    {"TableBorderColor", TBlankRule::E}, {"ThumbBorderColor", TBlankRule::E},
    {"ImageTemplate", TBlankRule::E},    {"ImagePlace", TBlankRule::E},
    {"DescrPlace", TBlankRule::E},       {"ButtonsPlace", TBlankRule::E},
    {"TableBackColor", TBlankRule::X},   {"ThumbPrefixSuffix", TBlankRule::X},
    {"ButtonImageFirst", TBlankRule::X}, {"ButtonImageIndex", TBlankRule::X},
    {"AltFirst", TBlankRule::X},         {"AltIndex", TBlankRule::X},
};

class BlankRuleTest : public ::testing::TestWithParam<TRuleCase> {};

TEST_P(BlankRuleTest, TextRowsCarryTheirRule) {
  ASSERT_NE(FindSettingRow(GetParam().name), nullptr);
  EXPECT_EQ(FindSettingRow(GetParam().name)->Rule, GetParam().rule);
}

INSTANTIATE_TEST_SUITE_P(Rows, BlankRuleTest, ::testing::ValuesIn(kRules),
                         CaseNamesBy(&TRuleCase::name));

TEST(SettingsTableTest, UnknownNamesHaveNoRow) {
  EXPECT_EQ(FindSettingRow("LastSettings"), nullptr);
  EXPECT_EQ(FindSettingRow("imagesfolder"), nullptr);
}

struct TTextSpinCase {
  const char* text;
  int number;
};

void PrintTo(const TTextSpinCase& c, std::ostream* os) { PrintCase(os, c.text, c.number); }

const TTextSpinCase kTextSpins[] = {
    {"120", 120}, {"abc", 120}, {"", 120},    {"250", 250},         {"-1", -1},
    {" 7", 7},    {"7 ", 120},  {"0x1F", 31}, {"99999999999", 120},
};

class TextSpinNumberTest : public ::testing::TestWithParam<TTextSpinCase> {};

TEST_P(TextSpinNumberTest, NotANumberCountsAs120) {
  EXPECT_EQ(TextSpinNumber(*FindSettingRow("ThumbXSize"), GetParam().text), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextSpinNumberTest, ::testing::ValuesIn(kTextSpins),
                         CaseNamesBy(&TTextSpinCase::text));

// The window's values when it is created, as the tests' snapshots start (written out in full
// there): every setting of the layout.
TEST(DesignTimeSnapshotTest, HoldsTheLayoutsValues) {
  EXPECT_EQ(SnapshotDifferences(DesignTimeSettingsSnapshot(), TSnapshotBuilder().Build()),
            std::vector<std::string>{});
}

}  // namespace

}  // namespace zetgallery
