#include "util/ZetHexNums.h"

#include <gtest/gtest.h>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TIntToHexCase {
  int32_t value;
  int digits;
  std::string expected;
};

void PrintTo(const TIntToHexCase& c, std::ostream* os) {
  PrintCase(os, c.value, c.digits, c.expected);
}

class IntToHexStrTest : public testing::TestWithParam<TIntToHexCase> {};

TEST_P(IntToHexStrTest, WritesExactlyTheDigitsAsked) {
  EXPECT_EQ(IntToHexStr(GetParam().value, GetParam().digits), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntToHexStrTest,
    testing::Values(TIntToHexCase{255, 2, "FF"}, TIntToHexCase{255, 6, "0000FF"},
                    TIntToHexCase{4660, 2, "34"}, TIntToHexCase{-1, 8, "FFFFFFFF"},
                    TIntToHexCase{1, 10, "0000000001"}, TIntToHexCase{0, 6, "000000"},
                    TIntToHexCase{0x12ABCDEF, 8, "12ABCDEF"}, TIntToHexCase{-1, 12, "0000FFFFFFFF"},
                    TIntToHexCase{0x8000, 1, "0"}),
    CaseNamesBy(&TIntToHexCase::expected));

TEST(IntToHexStrTest, WidestAllowedWidth) {
  const std::string text = IntToHexStr(10, 255);
  EXPECT_EQ(text.size(), 255u);
  EXPECT_EQ(text.back(), 'A');
  EXPECT_EQ(text.find_first_not_of('0'), 254u);
}

struct THexToIntCase {
  std::string text;
  int maxDigits;
  int32_t expected;
};

void PrintTo(const THexToIntCase& c, std::ostream* os) {
  PrintCase(os, c.text, c.maxDigits, c.expected);
}

class HexToIntTest : public testing::TestWithParam<THexToIntCase> {};

TEST_P(HexToIntTest, ReadsLeadingDigitsUpToLimit) {
  EXPECT_EQ(HexToInt(GetParam().text, GetParam().maxDigits), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, HexToIntTest,
                         testing::Values(THexToIntCase{"FF", 2, 255}, THexToIntCase{"ff7", 2, 255},
                                         THexToIntCase{"F", 2, 15}, THexToIntCase{"G1", 2, 0},
                                         THexToIntCase{"1G", 2, 1}, THexToIntCase{"", 2, 0},
                                         THexToIntCase{"FFFFFFFF", 8, -1},
                                         THexToIntCase{"123456789", 20, 0x12345678},
                                         THexToIntCase{"aBcD", 4, 0xABCD},
                                         THexToIntCase{"7FFFFFFF", 255, 0x7FFFFFFF},
                                         THexToIntCase{" 1", 2, 0}, THexToIntCase{"12", 1, 1}),
                         CaseNamesBy(&THexToIntCase::text));

struct THexToByteCase {
  std::string text;
  uint8_t expected;
};

void PrintTo(const THexToByteCase& c, std::ostream* os) { PrintCase(os, c.text, c.expected); }

class HexToByteTest : public testing::TestWithParam<THexToByteCase> {};

TEST_P(HexToByteTest, ReadsTwoDigits) {
  EXPECT_EQ(HexToByte(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, HexToByteTest,
                         testing::Values(THexToByteCase{"0A", 10}, THexToByteCase{"ff", 255},
                                         THexToByteCase{"FFF", 255}, THexToByteCase{"x1", 0},
                                         THexToByteCase{"8", 8}, THexToByteCase{"", 0}),
                         CaseNamesBy(&THexToByteCase::text));

TEST(ByteToHexTest, AlwaysTwoUpperCaseDigits) {
  const struct {
    uint8_t value;
    const char* expected;
  } cases[] = {{0, "00"}, {10, "0A"}, {255, "FF"}, {0x5c, "5C"}};
  for (const auto& c : cases) EXPECT_EQ(ByteToHex(c.value), c.expected);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(HexToByte(ByteToHex(static_cast<uint8_t>(b))), b);
}

}  // namespace

}  // namespace zetgallery
