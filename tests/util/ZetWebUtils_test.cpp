#include "util/ZetWebUtils.h"

#include <gtest/gtest.h>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

TColor Rgb(int red, int green, int blue) {
  return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) |
         (static_cast<TColor>(blue) << 16);
}

struct TColorCase {
  std::string text;
  TColor expected;
};

void PrintTo(const TColorCase& c, std::ostream* os) { PrintCase(os, c.text, c.expected); }

class HtmlToColorTest : public testing::TestWithParam<TColorCase> {};

TEST_P(HtmlToColorTest, ReadsHashFormOrName) {
  EXPECT_EQ(HtmlToColor(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HtmlToColorTest,
    testing::Values(TColorCase{"#FF8000", Rgb(255, 128, 0)},
                    TColorCase{"#ff8000", Rgb(255, 128, 0)}, TColorCase{"#F", Rgb(15, 0, 0)},
                    TColorCase{"#12345", Rgb(18, 52, 5)}, TColorCase{"#GG0000", 0},
                    TColorCase{"#FF800012", Rgb(255, 128, 0)},
                    TColorCase{"Khaki", Rgb(240, 230, 140)}, TColorCase{"gray", Rgb(190, 190, 190)},
                    TColorCase{" red", 0}, TColorCase{"purple", 0}, TColorCase{"grey", 0},
                    TColorCase{"silver", 0}, TColorCase{"#", 0}, TColorCase{"#1", Rgb(1, 0, 0)},
                    TColorCase{"#1G2233", Rgb(1, 0x22, 0x33)}, TColorCase{"", 0},
                    TColorCase{"red ", 0}, TColorCase{"RED", Rgb(255, 0, 0)},
                    TColorCase{std::string("RED\0", 4), 0}),
    CaseNamesBy(&TColorCase::text));

// The whole name table, in both directions.
struct TNamedCase {
  const char* name;
  const char* html;
};

void PrintTo(const TNamedCase& c, std::ostream* os) { PrintCase(os, c.name, c.html); }

class ColorNameTableTest : public testing::TestWithParam<TNamedCase> {};

TEST_P(ColorNameTableTest, NameGivesItsHtmlForm) {
  std::string lower = GetParam().name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(ColorToHtml(HtmlToColor(GetParam().name)), GetParam().html);
  EXPECT_EQ(ColorToHtml(HtmlToColor(lower)), GetParam().html);
  EXPECT_EQ(HtmlToColor(GetParam().html), HtmlToColor(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ColorNameTableTest,
    testing::Values(TNamedCase{"BLACK", "#000000"}, TNamedCase{"WHITE", "#FFFFFF"},
                    TNamedCase{"GRAY", "#BEBEBE"}, TNamedCase{"FUCHSIA", "#FF00FF"},
                    TNamedCase{"RED", "#FF0000"}, TNamedCase{"GREEN", "#008000"},
                    TNamedCase{"LIME", "#00FF00"}, TNamedCase{"BLUE", "#0000FF"},
                    TNamedCase{"YELLOW", "#FFFF00"}, TNamedCase{"AQUA", "#00FFFF"},
                    TNamedCase{"BANANA", "#E3CF57"}, TNamedCase{"BROWN", "#A52A2A"},
                    TNamedCase{"CARROT", "#ED9121"}, TNamedCase{"CHOCOLATE", "#D2691E"},
                    TNamedCase{"COBALT", "#3D59AB"}, TNamedCase{"INDIGO", "#4B0082"},
                    TNamedCase{"KHAKI", "#F0E68C"}, TNamedCase{"MAROON", "#000000"},
                    TNamedCase{"NAVY", "#000000"}, TNamedCase{"TEAL", "#000000"},
                    TNamedCase{"OLIVE", "#000000"}),
    CaseNamesBy(&TNamedCase::name));

TEST(ColorToHtmlTest, RedInLowBitsAndTopByteIgnored) {
  EXPECT_EQ(ColorToHtml(Rgb(255, 128, 0)), "#FF8000");
  EXPECT_EQ(ColorToHtml(0xFF000000u | Rgb(1, 2, 3)), "#010203");
  EXPECT_EQ(ColorToHtml(0), "#000000");
}

}  // namespace

}  // namespace zetgallery
