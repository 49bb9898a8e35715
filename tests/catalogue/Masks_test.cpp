#include "catalogue/Masks.h"

#include <gtest/gtest.h>

#include <QString>
#include <random>
#include <regex>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TMatchCase {
  std::string mask;
  std::string name;
  bool matches;
};

std::ostream& operator<<(std::ostream& out, const TMatchCase& c) {
  return out << "mask '" << c.mask << "' name '" << c.name << "'";
}

class MaskMatchTest : public testing::TestWithParam<TMatchCase> {};

TEST_P(MaskMatchTest, MatchesWholeName) {
  const TStatusOr<bool> matched = MatchFileMask(GetParam().name, GetParam().mask);
  ASSERT_TRUE(matched.ok()) << matched.status().message();
  EXPECT_EQ(*matched, GetParam().matches);
  EXPECT_EQ(matched.status().message(), "");
  const TMask mask(GetParam().mask);
  EXPECT_TRUE(mask.status().ok());
  EXPECT_EQ(mask.Matches(GetParam().name), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MaskMatchTest,
    testing::Values(
        // Latin letters fold case, nothing else does.
        TMatchCase{"*.JPG", "sea.jpg", true}, TMatchCase{"SEA.jpg", "sea.JPG", true},
        TMatchCase{"Фото*", "фото1.jpg", false}, TMatchCase{"Фото*", "Фото1.jpg", true},
        TMatchCase{"фото*", "фото1.JPG", true}, TMatchCase{"é", "É", false},
        // Stars and question marks.
        TMatchCase{"a*?", "a", true}, TMatchCase{"*?b", "b", true}, TMatchCase{"?*", "", false},
        TMatchCase{"?*", "x", true}, TMatchCase{"?*", "xyz", true}, TMatchCase{"*", "", true},
        TMatchCase{"*", "README", true}, TMatchCase{"*.*", "README", false},
        TMatchCase{"*.*", "a.b", true}, TMatchCase{"a**b", "ab", true},
        TMatchCase{"a**b", "axyb", true}, TMatchCase{"*a*b*", "xaxbx", true},
        TMatchCase{"*a*b*", "ba", false}, TMatchCase{"*.jpg", "a.jpg.png", false},
        TMatchCase{"*.jpg", "a.png.jpg", true}, TMatchCase{"a?c", "abc", true},
        TMatchCase{"a?c", "ac", false}, TMatchCase{"?", "", false}, TMatchCase{"", "", true},
        TMatchCase{"", "a", false}, TMatchCase{"*?*?", "", true}, TMatchCase{"??", "a", false},
        TMatchCase{"*ab", "aab", true}, TMatchCase{"*aab", "aaab", true},
        TMatchCase{"a*b*c", "abbbc", true}, TMatchCase{"a*b*c", "acb", false},
        // Sets.
        TMatchCase{"[!a-c]*", "d.jpg", true}, TMatchCase{"[!a-c]*", "D.jpg", true},
        TMatchCase{"[!a-c]*", "a.jpg", false}, TMatchCase{"[!a-c]*", "B.jpg", false},
        TMatchCase{"[a-z]", "Q", true}, TMatchCase{"[A-Z]", "q", true},
        TMatchCase{"[a-z]", "1", false}, TMatchCase{"[z-a]", "z", true},
        TMatchCase{"[z-a]", "Z", true}, TMatchCase{"[z-a]", "a", false},
        TMatchCase{"[z-a]", "m", false}, TMatchCase{"[a-c-e]", "d", true},
        TMatchCase{"[a-c-e]", "f", false}, TMatchCase{"[c-d-a]", "b", false},
        TMatchCase{"[c-d-a]", "c", true}, TMatchCase{"[a-]]", "]", true},
        TMatchCase{"[a-]]", "\\", true}, TMatchCase{"[a-]]", "z", true},
        TMatchCase{"[a-]]", "^", false}, TMatchCase{"[*?[]", "*", true},
        TMatchCase{"[*?[]", "[", true}, TMatchCase{"[*?[]", "a", false},
        TMatchCase{"[!!]", "!", false}, TMatchCase{"[!!]", "a", true},
        TMatchCase{"[a!]", "!", true}, TMatchCase{"[0-9]*", "7up", true},
        TMatchCase{"[0-9]*", "up", false}, TMatchCase{"*[0-9]", "pic7", true},
        TMatchCase{"x[ab]y", "xAy", true},
        // A UTF-8 character is one character, in a set like anywhere else.
        TMatchCase{"?", "ф", true}, TMatchCase{"??", "ф", false}, TMatchCase{"??", "фa", true},
        TMatchCase{"ф?", "фы", true}, TMatchCase{"ф?", "Фы", false}, TMatchCase{"*ф", "мф", true},
        TMatchCase{"[фa]", "ф", true}, TMatchCase{"[фa]", "A", true},
        TMatchCase{"[фa]", "Ф", false}, TMatchCase{"[ф]", "ф", true},
        TMatchCase{"[!ф]", "ф", false}, TMatchCase{"[!ф]", "Ф", true},
        TMatchCase{"[!a]", "ф", true}, TMatchCase{"*.jpg", "море.jpg", true},
        TMatchCase{"?.jpg", "€.jpg", true}, TMatchCase{"[a-я]", "b", true},
        TMatchCase{"[a-я]", "ф", true}, TMatchCase{"[€]", "€", true},
        TMatchCase{"[😀-😂]", "😁", true}, TMatchCase{"[😀-😂]", "😃", false},
        // Ranges go by code point: а-я and А-Я hold the 32 letters without Ё and ё.
        TMatchCase{"[а-я]*", "арбуз.jpg", true}, TMatchCase{"[а-я]*", "яблоко.jpg", true},
        TMatchCase{"[а-я]*", "Арбуз.jpg", false}, TMatchCase{"[а-я]*", "ёж.jpg", false},
        TMatchCase{"[а-я]*", "zebra.jpg", false}, TMatchCase{"[А-Я]*", "Ёж.jpg", false},
        TMatchCase{"[А-Я]*", "Щука.jpg", true}, TMatchCase{"[!а-я]*", "Щука.jpg", true},
        TMatchCase{"[а-яё]?", "ёж", true}, TMatchCase{"[я-а]", "я", true},
        TMatchCase{"[я-а]", "а", false}, TMatchCase{"[а-]]", "а", true},
        // A member that does not fold stays what it is: é-z runs backwards and holds only é.
        TMatchCase{"[aé-z]", "x", false}, TMatchCase{"[aé-z]", "é", true},
        TMatchCase{"[aé-z]", "A", true}, TMatchCase{"[aé-z]", "É", false},
        // Bytes that are not UTF-8 are characters of their own, never part of another one.
        TMatchCase{"\xFF", "\xFF", true}, TMatchCase{"\xFF", "\xFE", false},
        TMatchCase{"?", "\xFF", true}, TMatchCase{"?", "\xD0", true},
        TMatchCase{"??", "\xD0\x41", true}, TMatchCase{"[\xFF]", "\xFF", true},
        TMatchCase{"*\xD0", "ф\xD0", true}, TMatchCase{"[\xD0]", "ф", false},
        TMatchCase{"[\xD0]?", "ф", false}, TMatchCase{"[а-я]", "\xD0", false},
        TMatchCase{"[!а-я]", "\xD0", true}, TMatchCase{"[\x80-\xFF]", "\x90", true},
        TMatchCase{"[\x80-\xFF]", "ф", false}, TMatchCase{"[\xD0-я]", "ф", false}),
    TPrintedCaseName());

struct TInvalidCase {
  std::string mask;
  int position;
};

std::ostream& operator<<(std::ostream& out, const TInvalidCase& c) {
  return out << "mask '" << c.mask << "'";
}

class InvalidMaskTest : public testing::TestWithParam<TInvalidCase> {};

TEST_P(InvalidMaskTest, ReportsTheExactPosition) {
  const TMask mask(GetParam().mask);
  EXPECT_FALSE(mask.status().ok());
  EXPECT_EQ(mask.status().code(), TStatus::TCode::kInvalidArgument);
  EXPECT_EQ(mask.status().detail(), GetParam().position);
  const std::string expected = "'" + GetParam().mask + "' is an invalid mask at (" +
                               std::to_string(GetParam().position) + ")";
  EXPECT_EQ(mask.status().message(), expected);
  const TStatusOr<bool> matched = MatchFileMask("anything", GetParam().mask);
  EXPECT_FALSE(matched.ok() && *matched);
  EXPECT_EQ(matched.status().message(), expected);
  EXPECT_FALSE(mask.Matches(""));
}

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, InvalidMaskTest,
    testing::Values(
        // "-" at the start of a set.
        TInvalidCase{"[-a]", 2}, TInvalidCase{"[!-a]", 3}, TInvalidCase{"ab[-]", 4},
        // A set without members.
        TInvalidCase{"[]", 2}, TInvalidCase{"[!]", 3}, TInvalidCase{"x[]y", 3},
        TInvalidCase{"[]]", 2}, TInvalidCase{"фф[]", 4},
        // Positions count characters, not bytes.
        TInvalidCase{"ф[-a]", 3}, TInvalidCase{"[ф-", 4}, TInvalidCase{"[ф-]", 5},
        TInvalidCase{"[а-я", 5}, TInvalidCase{"\xD0[", 3}, TInvalidCase{"😀[-]", 3},
        // A set that is not closed.
        TInvalidCase{"*.[jp", 6}, TInvalidCase{"[", 2}, TInvalidCase{"[a", 3},
        TInvalidCase{"[a-", 4}, TInvalidCase{"[a-c-", 6}, TInvalidCase{"[a-]", 5},
        TInvalidCase{"abc[", 5}, TInvalidCase{"[!", 3}, TInvalidCase{"ф[", 3},
        TInvalidCase{"фф[x", 5}, TInvalidCase{Repeat("[", 4000), 4001},
        // A 31st star group.
        TInvalidCase{Repeat("*a", 31), 62}, TInvalidCase{Repeat("*a", 30) + "*", 62},
        TInvalidCase{Repeat("*a", 30) + "*[xy]", 65}, TInvalidCase{Repeat("*?a", 30) + "*?b", 93},
        TInvalidCase{Repeat("a*", 2000), 63}, TInvalidCase{Repeat("*ф", 31), 62}),
    TPrintedCaseName());

TEST(StarGroupTest, ThirtyGroupsAreValid) {
  const struct {
    std::string mask;
    std::string matching;
  } cases[] = {{Repeat("*a", 30), Repeat("xa", 30)},
               {Repeat("*a", 29) + "*", Repeat("a", 29) + "tail"},
               {Repeat("*a", 30) + "b", Repeat("a", 30) + "b"},
               {Repeat("*?*a", 30), Repeat("a", 30)}};
  for (const auto& c : cases) {
    const TMask mask(c.mask);
    EXPECT_TRUE(mask.status().ok()) << mask.status().message();
    EXPECT_TRUE(mask.Matches(c.matching)) << c.mask;
    EXPECT_FALSE(mask.Matches("")) << c.mask;
  }
}

TEST(StarGroupTest, RunOfStarsIsOneGroup) {
  const TMask mask(Repeat("*", kMaxMaskChars));
  EXPECT_TRUE(mask.status().ok());
  EXPECT_TRUE(mask.Matches(""));
  EXPECT_TRUE(mask.Matches("whatever"));
}

TEST(MaskLengthTest, CountsCharactersNotBytes) {
  EXPECT_TRUE(TMask("*" + Repeat("ф", kMaxMaskChars - 1)).status().ok());
  const TMask tooLong(Repeat("ф", kMaxMaskChars + 1));
  EXPECT_EQ(tooLong.status().message(), MaskTooLongMessage());
  EXPECT_EQ(tooLong.status().detail(), kMaxMaskChars + 1);
}

TEST(MaskMatchTest, ManyStarsAgainstLongNameStayFast) {
  // A naive backtracking matcher needs astronomically many steps for this.
  const TMask mask(Repeat("*a", 29) + "*b");
  ASSERT_TRUE(mask.status().ok());
  EXPECT_FALSE(mask.Matches(std::string(5000, 'a')));
  EXPECT_TRUE(mask.Matches(std::string(5000, 'a') + "b"));
}

TEST(MaskMatchTest, MessageQuotesTheWholeMaskText) {
  EXPECT_EQ(InvalidMaskMessage("[", 2), "'[' is an invalid mask at (2)");
  EXPECT_EQ(TMask(" *.[gif").status().message(), "' *.[gif' is an invalid mask at (8)");
}

// Checks random masks of stars, question marks and letters against an independent matcher: a
// regular expression where "?" right after stars is dropped and letters match either case.
std::string MaskAsRegex(const std::string& mask) {
  std::string regex;
  bool afterStar = false;
  for (char c : mask) {
    if (c == '*') {
      afterStar = true;
      regex += ".*";
    } else if (c == '?') {
      if (!afterStar) regex += '.';
    } else {
      afterStar = false;
      regex += std::string("[") + static_cast<char>(std::tolower(c)) +
               static_cast<char>(std::toupper(c)) + "]";
    }
  }
  return regex;
}

TEST(MaskMatchTest, AgreesWithRegexOracleOnRandomMasks) {
  std::mt19937 random(20240611);
  const std::string maskAlphabet = "ab*?A";
  const std::string nameAlphabet = "abAB";
  int checked = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string mask, name;
    const int maskLength = static_cast<int>(random() % 8);
    const int nameLength = static_cast<int>(random() % 9);
    for (int i = 0; i < maskLength; ++i) mask += maskAlphabet[random() % maskAlphabet.size()];
    for (int i = 0; i < nameLength; ++i) name += nameAlphabet[random() % nameAlphabet.size()];
    const bool expected = std::regex_match(name, std::regex(MaskAsRegex(mask)));
    EXPECT_EQ(TMask(mask).Matches(name), expected) << "mask '" << mask << "' name '" << name << "'";
    checked += expected ? 1 : 0;
  }
  EXPECT_GT(checked, 100);  // the sample holds matches as well as misses
}

// The same with Cyrillic letters and sets, against a wide-character regular expression on texts
// whose Latin letters are upper-cased first (sets and ranges then go by code point).
std::wstring Wide(const std::string& utf8) {
  std::wstring wide = QString::fromUtf8(utf8).toStdWString();
  for (wchar_t& c : wide)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
  return wide;
}

TEST(MaskMatchTest, AgreesWithRegexOracleOnCyrillicSets) {
  std::mt19937 random(1251);
  const std::vector<std::string> maskPieces = {"*", "?", "a",     "A",      "ф",
                                               "Ф", "я", "[а-я]", "[!a-ф]", "[фb]"};
  const std::vector<std::string> nameLetters = {"a", "b", "B", "ф", "Ф", "я", "ё"};
  int checked = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string mask, name;
    std::wstring regex;
    bool afterStar = false;
    for (int i = static_cast<int>(random() % 6); i > 0; --i) {
      const std::string& piece = maskPieces[random() % maskPieces.size()];
      mask += piece;
      if (piece == "*") {
        regex += L".*";
        afterStar = true;
        continue;
      }
      if (piece == "?") {
        if (!afterStar) regex += L'.';
        continue;
      }
      afterStar = false;
      std::wstring wide = Wide(piece);
      if (wide[0] == L'[' && wide[1] == L'!') wide.replace(1, 1, L"^");
      regex += wide;
    }
    for (int i = static_cast<int>(random() % 6); i > 0; --i)
      name += nameLetters[random() % nameLetters.size()];
    const bool expected = std::regex_match(Wide(name), std::wregex(regex));
    EXPECT_EQ(TMask(mask).Matches(name), expected) << "mask '" << mask << "' name '" << name << "'";
    checked += expected ? 1 : 0;
  }
  EXPECT_GT(checked, 100);
}

TEST(MaskMatchTest, AnyBytesNeverCrash) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string mask, name;
    const int maskLength = static_cast<int>(random() % 40);
    for (int i = 0; i < maskLength; ++i) mask += static_cast<char>(random() % 256);
    const int nameLength = static_cast<int>(random() % 40);
    for (int i = 0; i < nameLength; ++i) name += static_cast<char>(random() % 256);
    const TMask compiled(mask);
    const bool matched = compiled.Matches(name);
    EXPECT_TRUE(compiled.status().ok() || !matched);
    EXPECT_EQ(compiled.status().ok(), compiled.status().detail() == 0);
    if (!compiled.status().ok()) {
      EXPECT_GE(compiled.status().detail(), 1);
      EXPECT_LE(compiled.status().detail(), static_cast<int>(mask.size()) + 1);
    }
  }
}

}  // namespace

}  // namespace zetgallery
