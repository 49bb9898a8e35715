// Tests of the default templates and button pictures shipped with the program: the markers the
// page writers look for must stand on lines of their own (the writers replace whole lines), the
// lines must end in CR (a text line ends only there), and the five buttons must be pictures.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestPictures.h"
#include "support/CaseNames.h"
#include "support/WholeFiles.h"
#include "util/ZetTextFile.h"

namespace zetgallery {

namespace {

const std::string kTemplates = ZETGALLERY_TEMPLATES_DIR;
const std::string kArchiveLine = "<p style=\"text-align: center\">~~~ARCHIVELINK~~~</p>";

struct TTemplateCase {
  const char* file;
  std::vector<std::string> markerLines;  // each must appear as a line, once
};

void PrintTo(const TTemplateCase& c, std::ostream* os) { PrintCase(os, c.file, c.markerLines); }

class DefaultTemplateTest : public ::testing::TestWithParam<TTemplateCase> {};

TEST_P(DefaultTemplateTest, HoldsEachMarkerOnceOnItsOwnLine) {
  std::vector<std::string> lines;
  TTextLineReader reader;
  ASSERT_TRUE(reader.Open(kTemplates + "/" + GetParam().file).ok());
  for (std::string line; reader.ReadLine(line);) lines.push_back(line);
  // A template saved without line ends would read as one single line.
  ASSERT_GT(lines.size(), 10u);
  for (const std::string& marker : GetParam().markerLines)
    EXPECT_EQ(std::count(lines.begin(), lines.end(), marker), 1) << marker;
  const std::vector<std::string> markers = {
      "~~~INDEX~~~",    "~~~IMAGE~~~",    "~~~DESCR~~~",    "~~~BUTTONS~~~",    "~~~ORIGLINK~~~",
      "~~~PREVLINK~~~", "~~~NEXTLINK~~~", "~~~ICONLINK~~~", "~~~ARCHIVELINK~~~"};
  for (const std::string& line : lines) {
    int found = 0;
    for (const std::string& marker : markers) found += line.find(marker) != std::string::npos;
    EXPECT_LE(found, 1) << "two markers share a line: " << line;
  }
  const std::string whole = ReadWholeFile(kTemplates + "/" + GetParam().file);
  EXPECT_NE(whole.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(whole.find("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DefaultTemplateTest,
    ::testing::Values(TTemplateCase{"IndexTemplate.htm", {"~~~INDEX~~~", kArchiveLine}},
                      TTemplateCase{"GridTemplate.htm", {"~~~INDEX~~~", kArchiveLine}},
                      TTemplateCase{"ImageTemplate.htm",
                                    {"~~~IMAGE~~~", "<p class=\"description\">~~~DESCR~~~</p>",
                                     "~~~ORIGLINK~~~", "~~~BUTTONS~~~", "~~~PREVLINK~~~",
                                     "~~~NEXTLINK~~~", "~~~ICONLINK~~~"}}),
    CaseNamesBy(&TTemplateCase::file));

class DefaultButtonTest : public ::testing::TestWithParam<const char*> {};

TEST_P(DefaultButtonTest, IsASmallGif) {
  std::string loader;
  int width = 0, height = 0;
  ASSERT_TRUE(ReadBackPicture(kTemplates + "/" + GetParam(), loader, width, height));
  EXPECT_EQ(loader, "gifload");
  EXPECT_EQ(width, 44);
  EXPECT_EQ(height, 44);
}

INSTANTIATE_TEST_SUITE_P(Buttons, DefaultButtonTest,
                         ::testing::Values("amber_first.gif", "amber_prev.gif", "amber_index.gif",
                                           "amber_next.gif", "amber_last.gif"),
                         TPrintedCaseName());

}  // namespace

}  // namespace zetgallery
