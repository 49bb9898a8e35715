#include "util/ZetAlphaNums.h"

#include <gtest/gtest.h>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TIntegerCase {
  std::string text;
  bool valid;
  int32_t value;
};

void PrintTo(const TIntegerCase& c, std::ostream* os) { PrintCase(os, c.text, c.valid, c.value); }

class TryStrToIntTest : public testing::TestWithParam<TIntegerCase> {};

TEST_P(TryStrToIntTest, AcceptsOnlyTheIntegerSyntax) {
  int32_t value = 12345;
  EXPECT_EQ(TryStrToInt(GetParam().text, value), GetParam().valid) << '"' << GetParam().text << '"';
  EXPECT_EQ(value, GetParam().valid ? GetParam().value : 12345);
  EXPECT_EQ(StrToIntDef(GetParam().text, -77), GetParam().valid ? GetParam().value : -77);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TryStrToIntTest,
    testing::Values(
        TIntegerCase{"7", true, 7}, TIntegerCase{"007", true, 7}, TIntegerCase{" 7", true, 7},
        TIntegerCase{"   -7", true, -7}, TIntegerCase{"-7", true, -7}, TIntegerCase{"+7", true, 7},
        TIntegerCase{"$1F", true, 31}, TIntegerCase{"x1F", true, 31}, TIntegerCase{"X1f", true, 31},
        TIntegerCase{"0x1F", true, 31}, TIntegerCase{"0X1f", true, 31},
        TIntegerCase{"$FFFFFFFF", true, -1}, TIntegerCase{"$00000000FF", true, 255},
        TIntegerCase{"0", true, 0}, TIntegerCase{"2147483647", true, 2147483647},
        TIntegerCase{"-2147483648", true, INT32_MIN},
        TIntegerCase{"0002147483647", true, 2147483647}, TIntegerCase{"-0", true, 0},
        TIntegerCase{"", false, 0}, TIntegerCase{"-", false, 0}, TIntegerCase{"+", false, 0},
        TIntegerCase{" ", false, 0}, TIntegerCase{"7 ", false, 0}, TIntegerCase{"-$1F", false, 0},
        TIntegerCase{"1F", false, 0}, TIntegerCase{"2147483648", false, 0},
        TIntegerCase{"-2147483649", false, 0}, TIntegerCase{"$100000000", false, 0},
        TIntegerCase{"$", false, 0}, TIntegerCase{"0x", false, 0}, TIntegerCase{"\t7", false, 0},
        TIntegerCase{"- 7", false, 0}, TIntegerCase{"99999999999", false, 0},
        TIntegerCase{"$G", false, 0}, TIntegerCase{"0x-1", false, 0},
        TIntegerCase{std::string("7\0", 2), false, 0}),
    CaseNamesBy(&TIntegerCase::text));

struct TPaddedCase {
  int32_t value;
  int width;
  char fill;
  std::string expected;
};

void PrintTo(const TPaddedCase& c, std::ostream* os) {
  PrintCase(os, c.value, c.width, c.fill, c.expected);
}

class IntToStrPaddedTest : public testing::TestWithParam<TPaddedCase> {};

TEST_P(IntToStrPaddedTest, PadsBetweenSignAndDigits) {
  EXPECT_EQ(IntToStrPadded(GetParam().value, GetParam().width, GetParam().fill),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntToStrPaddedTest,
    testing::Values(TPaddedCase{7, 3, '0', "007"}, TPaddedCase{12, 2, '0', "12"},
                    TPaddedCase{123, 2, '0', "123"}, TPaddedCase{-5, 4, '0', "-005"},
                    TPaddedCase{7, 3, '_', "__7"}, TPaddedCase{100, 2, '0', "100"},
                    TPaddedCase{-5, 2, '0', "-5"}, TPaddedCase{-5, 0, '0', "-5"},
                    TPaddedCase{0, 1, '0', "0"}, TPaddedCase{7, -3, '0', "7"},
                    TPaddedCase{INT32_MIN, 12, '0', "-02147483648"}),
    CaseNamesBy(&TPaddedCase::expected));

TEST(IntToStrPaddedTest, WidthAbove255CountsAs255) {
  EXPECT_EQ(IntToStrPadded(1, 1000, '0').size(), 255u);
  EXPECT_EQ(IntToStrPadded(-1, 300, '0'), "-" + std::string(253, '0') + "1");
}

struct TTrailingCase {
  std::string text;
  int position;
};

void PrintTo(const TTrailingCase& c, std::ostream* os) { PrintCase(os, c.text, c.position); }

class TrailingNumberPosTest : public testing::TestWithParam<TTrailingCase> {};

TEST_P(TrailingNumberPosTest, FindsLongestTrailingInteger) {
  EXPECT_EQ(TrailingNumberPos(GetParam().text), GetParam().position) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, TrailingNumberPosTest,
                         testing::Values(TTrailingCase{"picture_01", 9},
                                         TTrailingCase{"picture01", 8}, TTrailingCase{"page", 0},
                                         TTrailingCase{"2005", 1}, TTrailingCase{"photo-3", 6},
                                         TTrailingCase{"pic 01", 4}, TTrailingCase{"box1", 3},
                                         TTrailingCase{"p99999999999", 4}, TTrailingCase{"", 0},
                                         TTrailingCase{"pic1 ", 0}, TTrailingCase{"a0x1F", 2},
                                         TTrailingCase{"a$ff", 2}, TTrailingCase{"ab  -12", 3},
                                         TTrailingCase{"ф12", 3}),
                         CaseNamesBy(&TTrailingCase::text));

struct TIncCase {
  std::string text;
  char fill;
  std::string expected;
};

void PrintTo(const TIncCase& c, std::ostream* os) { PrintCase(os, c.text, c.fill, c.expected); }

class IncAlphaNumTest : public testing::TestWithParam<TIncCase> {};

TEST_P(IncAlphaNumTest, StepsTrailingNumberKeepingLength) {
  const std::string result = IncAlphaNum(GetParam().text, GetParam().fill);
  EXPECT_EQ(result, GetParam().expected);
  EXPECT_EQ(result.size(), GetParam().text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Table, IncAlphaNumTest,
    testing::Values(TIncCase{"picture_01", '0', "picture_02"},
                    TIncCase{"picture_09", '0', "picture_10"},
                    TIncCase{"picture_99", '0', "picture_99"},
                    TIncCase{"picture_9", '0', "picture_9"}, TIncCase{"page", '0', "page"},
                    TIncCase{"photo-3", '0', "photo04"}, TIncCase{"pic 01", '0', "pic002"},
                    TIncCase{"box1", '0', "bo02"}, TIncCase{"img007", '_', "img__8"},
                    TIncCase{"", '0', ""}, TIncCase{"0", '0', "1"}, TIncCase{"9", '0', "9"},
                    TIncCase{"a-2147483648", '0', "a02147483649"},
                    TIncCase{"p$FFFFFFFF", '0', "p000000002"}),
    CaseNamesBy(&TIncCase::text));

TEST(TrailingNumberPosTest, LongRunsOfBlanksOrZerosStillAnswer) {
  EXPECT_EQ(TrailingNumberPos(std::string(10000, ' ')), 0);
  EXPECT_EQ(TrailingNumberPos("a" + std::string(10000, '0')), 2);
  EXPECT_EQ(IncAlphaNum("a" + std::string(10000, '0'), '0'), "a" + std::string(9999, '0') + "1");
}

}  // namespace

}  // namespace zetgallery
