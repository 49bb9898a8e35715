#include "util/ZetTerminalText.h"

#include <gtest/gtest.h>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TTerminalCase {
  std::string text, shown;
};

void PrintTo(const TTerminalCase& c, std::ostream* os) { PrintCase(os, c.text, c.shown); }

class EscapeForTerminalTest : public testing::TestWithParam<TTerminalCase> {};

TEST_P(EscapeForTerminalTest, ShowsWhatCouldDriveTheTerminalAsOctalEscapes) {
  EXPECT_EQ(EscapeForTerminal(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EscapeForTerminalTest,
    testing::Values(
        TTerminalCase{"", ""}, TTerminalCase{"sea.jpg", "sea.jpg"},
        TTerminalCase{"my sea ~!@#$%^&*()[]{}'\";:,.<>?|`.jpg",
                      "my sea ~!@#$%^&*()[]{}'\";:,.<>?|`.jpg"},
        TTerminalCase{"море €😀.jpg", "море €😀.jpg"},
        // Control bytes: the title sequence, a newline that would split a progress line, a
        // carriage return that would overwrite it, and the rest of 0..31 and 127.
        TTerminalCase{"\x1B]0;pwned\x07.jpg", "\\033]0;pwned\\007.jpg"},
        TTerminalCase{"two\nlines", "two\\012lines"}, TTerminalCase{"a\rb", "a\\015b"},
        TTerminalCase{"\t", "\\011"}, TTerminalCase{std::string("\0", 1), "\\000"},
        TTerminalCase{"\x1F\x7F", "\\037\\177"}, TTerminalCase{" ", " "},
        // A backslash is doubled, so an escape shown always means a byte that was escaped.
        TTerminalCase{"a\\033b", "a\\\\033b"}, TTerminalCase{"\\", "\\\\"},
        // C1 controls (U+0080..U+009F; U+009B is CSI to some terminals), byte by byte.
        TTerminalCase{"\xC2\x9B"
                      "31m",
                      "\\302\\23331m"},
        TTerminalCase{"\xC2\x80", "\\302\\200"}, TTerminalCase{"\xC2\xA0", "\xC2\xA0"},
        // Bytes that are not UTF-8 are escaped, so what is shown is always valid UTF-8.
        TTerminalCase{"\xFF", "\\377"}, TTerminalCase{"\xD0", "\\320"},
        TTerminalCase{"\xD0"
                      "a\xD0\xB0",
                      "\\320aа"},
        TTerminalCase{"\xED\xA0\x80", "\\355\\240\\200"}, TTerminalCase{"\xC0\xAF", "\\300\\257"}),
    CaseNamesBy(&TTerminalCase::text));

}  // namespace

}  // namespace zetgallery
