// The manual page and `zetgallery --help` say the same things: the same usage forms with the
// same words, the same options explained, the environment variables of --help named.
#include <gtest/gtest.h>

#include <filesystem>

#include "RunCommand.h"
#include "TempFolder.h"
#include "UsageTexts.h"
#include "WholeFiles.h"

namespace fs = std::filesystem;

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "  " + line + "\n";
  return text;
}

// --- The comparison itself notices every kind of difference ---------------------------------

const char kHelp[] =
    "Usage:\n"
    "  zetgallery [FOLDER]                         open the window\n"
    "  zetgallery --list [--preset NAME] [FOLDER]  print the pictures\n"
    "  zetgallery --help                           this text\n"
    "The settings are read from $ZETGALLERY_REGISTRY when it is set.\n";

const char kManual[] =
    ".TH ZETGALLERY 1\n"
    ".SH SYNOPSIS\n"
    ".nf\n"
    "\\fBzetgallery\\fR [\\fIFOLDER\\fR]\n"
    "\\fBzetgallery \\-\\-list\\fR [\\fB\\-\\-preset\\fR \\fINAME\\fR] [\\fIFOLDER\\fR]\n"
    "\\fBzetgallery \\-\\-help\\fR\n"
    ".fi\n"
    ".SH DESCRIPTION\n"
    "Examples name other programs' options: \\fBls \\-l\\fR, \\fBxargs \\-\\-null\\fR.\n"
    ".SH OPTIONS\n"
    ".TP\n"
    ".B \\-\\-list\n"
    "Print the pictures.\n"
    ".TP\n"
    ".BI \\-\\-preset \" NAME\"\n"
    "A saved preset.\n"
    ".TP\n"
    ".B \\-\\-help\n"
    "This text.\n"
    ".SH ENVIRONMENT\n"
    ".B ZETGALLERY_REGISTRY\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

struct TCompareCase {
  const char* what;
  std::string help;
  std::string manual;
  const char* mentioned;  // a word every difference found must name; "" when they agree
  size_t count;           // how many differences
};

void PrintTo(const TCompareCase& c, std::ostream* out) { *out << c.what; }

class UsageComparison : public ::testing::TestWithParam<TCompareCase> {};

TEST_P(UsageComparison, FindsExactlyTheDifferences) {
  const TCompareCase& c = GetParam();
  const std::vector<std::string> differences =
      UsageDifferences(ReadHelpUsage(c.help), ReadManualUsage(c.manual));
  EXPECT_EQ(differences.size(), c.count) << c.what << ":\n" << Joined(differences);
  for (const std::string& difference : differences)
    EXPECT_NE(difference.find(c.mentioned), std::string::npos) << c.what << ": " << difference;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageComparison,
    ::testing::Values(
        TCompareCase{"the same", kHelp, kManual, "", 0},
        TCompareCase{"words of a form in another order", kHelp,
                     Replaced(kManual, "[\\fB\\-\\-preset\\fR \\fINAME\\fR] [\\fIFOLDER\\fR]",
                              "[\\fIFOLDER\\fR] [\\fB\\-\\-preset\\fR \\fINAME\\fR]"),
                     "", 0},
        TCompareCase{"a form of --help missing from the synopsis and the options",
                     Replaced(kHelp, "  zetgallery --help",
                              "  zetgallery --version  v\n"
                              "  zetgallery --help"),
                     kManual, "--version", 2},
        TCompareCase{"an option explained only by the manual page", kHelp,
                     Replaced(kManual, ".SH ENVIRONMENT",
                              ".TP\n.B \\-\\-null\nNUL.\n"
                              ".SH ENVIRONMENT"),
                     "--null", 1},
        TCompareCase{"an option in a synopsis form only",
                     Replaced(kHelp, "--list [--preset NAME]", "--list [--preset NAME] [--null]"),
                     kManual, "--null", 2},
        TCompareCase{"a form without one of its words",
                     Replaced(kHelp, "--list [--preset NAME] [FOLDER]", "--list [--preset NAME]"),
                     kManual, "--list", 1},
        TCompareCase{"a short option of --help", Replaced(kHelp, "this text", "-h: this text"),
                     kManual, "-h", 1},
        TCompareCase{"a variable of --help not in the manual page", kHelp,
                     Replaced(kManual, ".B ZETGALLERY_REGISTRY", ".B HOME"), "ZETGALLERY_REGISTRY",
                     1},
        TCompareCase{
            "a form missing from --help",
            Replaced(kHelp, "  zetgallery --help                           this text\n", ""),
            kManual, "--help", 2}));

// --- The real --help and the real manual page ---------------------------------------------

class ManualPage : public ::testing::Test {
 protected:
  TCommandRun Program(const std::string& arguments) {
    return RunCommand("ZETGALLERY_REGISTRY=" + ShellQuoted(folder / "registry.db") + " " +
                          ShellQuoted(ZETGALLERY_EXECUTABLE) + " " + arguments,
                      folder.Path());
  }

  TTempFolder folder;
};

TEST_F(ManualPage, SaysWhatHelpSays) {
  const TCommandRun help = Program("--help");
  ASSERT_EQ(help.status, 0) << help.err;
  const TUsage helpUsage = ReadHelpUsage(help.out);
  ASSERT_TRUE(helpUsage.forms.contains("--build")) << "no usage form read from\n" << help.out;
  const TUsage manual = ReadManualUsage(ReadWholeFile(ZETGALLERY_MANUAL_PAGE));
  ASSERT_TRUE(manual.forms.contains("--build")) << "no SYNOPSIS form read";
  const std::vector<std::string> differences = UsageDifferences(helpUsage, manual);
  EXPECT_TRUE(differences.empty()) << Joined(differences);
}

}  // namespace
