#include "util/ZetHtmlEscape.h"

#include <gtest/gtest.h>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TEscapeCase {
  std::string input, expected;
};

void PrintTo(const TEscapeCase& c, std::ostream* os) { PrintCase(os, c.input, c.expected); }

class UrlEncodeFileNameTest : public testing::TestWithParam<TEscapeCase> {};

TEST_P(UrlEncodeFileNameTest, EncodesOnlyBytesThatBreakAUrl) {
  EXPECT_EQ(UrlEncodeFileName(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UrlEncodeFileNameTest,
    testing::Values(TEscapeCase{"", ""}, TEscapeCase{"sea.jpg", "sea.jpg"},
                    TEscapeCase{"my sea.jpg", "my sea.jpg"},
                    TEscapeCase{"фото/море.jpg", "фото/море.jpg"},
                    TEscapeCase{"100%.jpg", "100%25.jpg"}, TEscapeCase{"a\"b.jpg", "a%22b.jpg"},
                    TEscapeCase{"#1.jpg", "%231.jpg"}, TEscapeCase{"what?.jpg", "what%3F.jpg"},
                    TEscapeCase{"<b>.jpg", "%3Cb%3E.jpg"}, TEscapeCase{"a&b.jpg", "a&amp;b.jpg"},
                    TEscapeCase{"tab\t.jpg", "tab%09.jpg"}, TEscapeCase{"del\x7F", "del%7F"},
                    TEscapeCase{std::string("\0", 1), "%00"}, TEscapeCase{"'x'.jpg", "'x'.jpg"},
                    TEscapeCase{"%25", "%2525"},
                    // Nothing may read as a scheme or as another host.
                    TEscapeCase{"javascript:alert(1);x.jpg", "javascript%3Aalert(1);x.jpg"},
                    TEscapeCase{"\\\\host\\x.jpg", "%5C%5Chost%5Cx.jpg"},
                    TEscapeCase{"c:pics/a.jpg", "c%3Apics/a.jpg"}),
    CaseNamesBy(&TEscapeCase::input));

class EscapeHtmlTextTest : public testing::TestWithParam<TEscapeCase> {};

TEST_P(EscapeHtmlTextTest, EscapesAmpersandAndAngles) {
  EXPECT_EQ(EscapeHtmlText(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, EscapeHtmlTextTest,
                         testing::Values(TEscapeCase{"", ""}, TEscapeCase{"sea.jpg", "sea.jpg"},
                                         TEscapeCase{"a&b<c>d", "a&amp;b&lt;c&gt;d"},
                                         TEscapeCase{"\"q\" 'q'", "\"q\" 'q'"},
                                         TEscapeCase{"&amp;", "&amp;amp;"},
                                         TEscapeCase{"море", "море"}),
                         CaseNamesBy(&TEscapeCase::input));

class EscapeHtmlAttributeTest : public testing::TestWithParam<TEscapeCase> {};

TEST_P(EscapeHtmlAttributeTest, EscapesDoubleQuoteOnly) {
  EXPECT_EQ(EscapeHtmlAttribute(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, EscapeHtmlAttributeTest,
                         testing::Values(TEscapeCase{"", ""}, TEscapeCase{"#FF0000", "#FF0000"},
                                         TEscapeCase{"say \"hi\"", "say &quot;hi&quot;"},
                                         TEscapeCase{"a<b>&c", "a<b>&c"},
                                         TEscapeCase{"\"", "&quot;"}),
                         CaseNamesBy(&TEscapeCase::input));

}  // namespace

}  // namespace zetgallery
