#include "util/ZetStrings.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <QString>
#include <cstdlib>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TTextCase {
  std::string input;
  std::string expected;
};

void PrintTo(const TTextCase& c, std::ostream* os) { PrintCase(os, c.input, c.expected); }

class StripQuotesTest : public testing::TestWithParam<TTextCase> {};

TEST_P(StripQuotesTest, RemovesOneQuoteFromEachSideAtMost) {
  EXPECT_EQ(StripQuotes(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StripQuotesTest,
    testing::Values(TTextCase{"", ""}, TTextCase{"\"", ""}, TTextCase{"\"\"", ""},
                    TTextCase{"abc", "abc"}, TTextCase{"\"abc\"", "abc"},
                    TTextCase{"\"\"abc\"\"", "\"abc\""}, TTextCase{"\"abc", "abc"},
                    TTextCase{"abc\"", "abc"}, TTextCase{"a\"b\"c", "a\"b\"c"},
                    TTextCase{" \"abc\" ", " \"abc\" "}, TTextCase{"\"/my pics\"", "/my pics"}),
    CaseNamesBy(&TTextCase::input));

// The DOS Russian code page: the three blocks of Cyrillic letters, pseudographics, and the
// extra letters at the top.
class OemToAnsiStringTest : public testing::TestWithParam<TTextCase> {};

TEST_P(OemToAnsiStringTest, ConvertsCp866ToUtf8) {
  EXPECT_EQ(OemToAnsiString(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, OemToAnsiStringTest,
                         testing::Values(TTextCase{"", ""},
                                         TTextCase{"sea.jpg Sunset", "sea.jpg Sunset"},
                                         TTextCase{"\x80\x9F", "АЯ"}, TTextCase{"\xA0\xAF", "ап"},
                                         TTextCase{"\xE0\xEF", "ря"}, TTextCase{"\xF0\xF1", "Ёё"},
                                         TTextCase{"\x8C\xAE\xE0\xA5", "Море"},
                                         TTextCase{"\xB0\xC4\xDB", "░─█"},
                                         TTextCase{"\xFC\xFF", "№\xC2\xA0"},
                                         TTextCase{std::string("a\0b", 3), std::string("a\0b", 3)},
                                         TTextCase{"\x1A\r\n", "\x1A\r\n"}),
                         CaseNamesBy(&TTextCase::input));

TEST(OemToAnsiStringTest, EveryByteGivesExactlyOneValidCharacter) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string converted = OemToAnsiString(all);
  const QString decoded = QString::fromUtf8(converted);
  EXPECT_EQ(decoded.size(), 256);
  EXPECT_FALSE(decoded.contains(QChar::ReplacementCharacter));
  EXPECT_EQ(decoded.toUtf8().toStdString(), converted);
}

// The system's own converter is an independent check of the whole table.
TEST(OemToAnsiStringTest, AgreesWithSystemConverterForEveryByte) {
  iconv_t converter = iconv_open("UTF-8", "CP866");
  if (converter == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no CP866 converter";
  for (int b = 1; b < 256; ++b) {
    char in[1] = {static_cast<char>(b)};
    char out[8] = {};
    char* inPointer = in;
    char* outPointer = out;
    size_t inLeft = 1, outLeft = sizeof out;
    ASSERT_NE(iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft),
              static_cast<size_t>(-1));
    EXPECT_EQ(OemToAnsiString(std::string(1, in[0])), std::string(out, sizeof out - outLeft))
        << "byte " << b;
  }
  iconv_close(converter);
}

class FoldCaseTest : public testing::TestWithParam<TTextCase> {};

TEST_P(FoldCaseTest, FoldsAllLettersKeepsOtherBytes) {
  EXPECT_EQ(FoldCase(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FoldCaseTest,
                         testing::Values(TTextCase{"", ""}, TTextCase{"SEA.JPG", "sea.jpg"},
                                         TTextCase{"ФОТО Ёж", "фото ёж"}, TTextCase{"ÄÖÜ", "äöü"},
                                         TTextCase{"123-_ ", "123-_ "},
                                         // Invalid UTF-8 stays byte for byte.
                                         TTextCase{"A\xFF\xD0Z", "a\xFF\xD0z"},
                                         TTextCase{"\xC0\x80", "\xC0\x80"}),
                         CaseNamesBy(&TTextCase::input));

struct TSameCase {
  std::string a, b;
  bool same;
};

void PrintTo(const TSameCase& c, std::ostream* os) { PrintCase(os, c.a, c.b, c.same); }

class SameTextIgnoringCaseTest : public testing::TestWithParam<TSameCase> {};

TEST_P(SameTextIgnoringCaseTest, ComparesIgnoringCaseOfAllLetters) {
  EXPECT_EQ(SameTextIgnoringCase(GetParam().a, GetParam().b), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(Table, SameTextIgnoringCaseTest,
                         testing::Values(TSameCase{"sea.jpg", "SEA.JPG", true},
                                         TSameCase{"Фото1.jpg", "фото1.JPG", true},
                                         TSameCase{"sea.jpg", "sea.jpeg", false},
                                         TSameCase{"ё", "Ё", true}, TSameCase{"е", "ё", false},
                                         TSameCase{"\xFF", "\xFE", false}, TSameCase{"", "", true},
                                         TSameCase{"a", "", false}),
                         CaseNamesBy(&TSameCase::a, &TSameCase::b));

struct TTrimCase {
  std::string input, expected;
};

void PrintTo(const TTrimCase& c, std::ostream* os) { PrintCase(os, c.input, c.expected); }

class TrimControlAndBlanksTest : public testing::TestWithParam<TTrimCase> {};

TEST_P(TrimControlAndBlanksTest, RemovesBytesUpTo32AtBothEnds) {
  EXPECT_EQ(TrimControlAndBlanks(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, TrimControlAndBlanksTest,
                         testing::Values(TTrimCase{"", ""}, TTrimCase{"   ", ""},
                                         TTrimCase{" \t a b \r\n", "a b"},
                                         TTrimCase{std::string("\0x\0", 3), "x"},
                                         TTrimCase{"\x7F", "\x7F"},
                                         TTrimCase{"\xC2\xA0x", "\xC2\xA0x"}),
                         CaseNamesBy(&TTrimCase::input));

struct TLengthCase {
  std::string text;
  size_t pos;
  size_t length;
};

void PrintTo(const TLengthCase& c, std::ostream* os) { PrintCase(os, c.text, c.pos, c.length); }

class Utf8CharLengthTest : public testing::TestWithParam<TLengthCase> {};

TEST_P(Utf8CharLengthTest, MeasuresWellFormedSequencesOnly) {
  EXPECT_EQ(Utf8CharLength(GetParam().text, GetParam().pos), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8CharLengthTest,
    testing::Values(TLengthCase{"a", 0, 1}, TLengthCase{"ф", 0, 2}, TLengthCase{"ф", 1, 1},
                    TLengthCase{"€", 0, 3}, TLengthCase{"😀", 0, 4}, TLengthCase{"\xD1", 0, 1},
                    TLengthCase{"\xE2\x82", 0, 1}, TLengthCase{"\xC0\x80", 0, 1},
                    TLengthCase{"\xE0\x80\x80", 0, 1}, TLengthCase{"\xED\xA0\x80", 0, 1},
                    TLengthCase{"\xF4\x90\x80\x80", 0, 1}, TLengthCase{"\xFF", 0, 1}),
    CaseNamesBy(&TLengthCase::text));

TEST(CompareForSortedListTest, OrdersIgnoringCase) {
  const struct {
    std::string a, b;
  } ordered[] = {{"A.jpg", "b.jpg"},      {"a.jpg", "B.jpg"}, {"1.jpg", "a.jpg"},
                 {"sea.jpg", "sea2.jpg"}, {"Ёж", "Яблоко"},   {"абв", "Где"}};
  for (const auto& pair : ordered) {
    EXPECT_LT(CompareForSortedList(pair.a, pair.b), 0) << pair.a << " < " << pair.b;
    EXPECT_GT(CompareForSortedList(pair.b, pair.a), 0) << pair.b << " > " << pair.a;
  }
  EXPECT_EQ(CompareForSortedList("x", "x"), 0);
  // Names equal but for case are still in a fixed order, never equal.
  EXPECT_NE(CompareForSortedList("a.jpg", "A.jpg"), 0);
  EXPECT_EQ(CompareForSortedList("a.jpg", "A.jpg"), -CompareForSortedList("A.jpg", "a.jpg"));
}

TEST(SortForSortedListTest, SortsLikeCompareAndKeepsEveryName) {
  std::vector<std::string> names = {"b.jpg",    "A.jpg",    "c.JPG",    "a.jpg",
                                    "B2.jpg",   "\xFF.jpg", "Ёлка.jpg", "дом.jpg",
                                    "Дом2.jpg", "",         "\xFE.jpg"};
  const size_t count = names.size();
  SortForSortedList(names);
  ASSERT_EQ(names.size(), count);
  for (size_t i = 1; i < names.size(); ++i) {
    EXPECT_LT(CompareForSortedList(names[i - 1], names[i]), 0) << names[i - 1] << " / " << names[i];
  }
  const auto position = [&](const std::string& name) {
    return std::find(names.begin(), names.end(), name) - names.begin();
  };
  EXPECT_LT(position("A.jpg"), position("b.jpg"));
  EXPECT_LT(position("b.jpg"), position("B2.jpg"));
  EXPECT_LT(position("B2.jpg"), position("c.JPG"));
  EXPECT_LT(position("дом.jpg"), position("Дом2.jpg"));
}

}  // namespace

}  // namespace zetgallery
