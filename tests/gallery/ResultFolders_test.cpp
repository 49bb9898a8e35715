// Tests of the result-folder choices offered for an images folder, in both path styles.
#include "gallery/ResultFolders.h"

#include <gtest/gtest.h>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TEntriesCase {
  TPathStyle style;
  std::string imagesFolderText;
  std::vector<std::string> expected;
};

void PrintTo(const TEntriesCase& c, std::ostream* os) {
  PrintCase(os, c.style, c.imagesFolderText, c.expected);
}

class ResultFolderEntriesTest : public ::testing::TestWithParam<TEntriesCase> {};

TEST_P(ResultFolderEntriesTest, ParentFirstThenTheFolder) {
  const TEntriesCase& c = GetParam();
  EXPECT_EQ(ResultFolderEntries(c.imagesFolderText, c.style), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ResultFolderEntriesTest,
    ::testing::Values(
        TEntriesCase{TPathStyle::Windows, "C:\\Photos\\Sea", {"C:\\Photos", "C:\\Photos\\Sea"}},
        TEntriesCase{
            TPathStyle::Windows, "\"C:\\Photos\\Sea\\\"", {"C:\\Photos", "C:\\Photos\\Sea"}},
        TEntriesCase{TPathStyle::Windows, "C:\\Photos", {"C:\\", "C:\\Photos"}},
        TEntriesCase{TPathStyle::Windows, "C:\\", {"C:\\"}},
        TEntriesCase{TPathStyle::Windows, "C:", {"C:\\"}},
        TEntriesCase{TPathStyle::Windows,
                     "\\\\server\\share\\pics",
                     {"\\\\server\\share\\", "\\\\server\\share\\pics"}},
        TEntriesCase{TPathStyle::Windows, "Photos", {"", "Photos"}},
        TEntriesCase{TPathStyle::Windows, "", {}}, TEntriesCase{TPathStyle::Windows, "   ", {}}),
    CaseNamesBy(&TEntriesCase::imagesFolderText));

INSTANTIATE_TEST_SUITE_P(
    Posix, ResultFolderEntriesTest,
    ::testing::Values(
        TEntriesCase{TPathStyle::Posix,
                     "/home/ann/Pictures/Sea",
                     {"/home/ann/Pictures", "/home/ann/Pictures/Sea"}},
        TEntriesCase{TPathStyle::Posix, "\"/home/ann/My Sea/\"", {"/home/ann", "/home/ann/My Sea"}},
        TEntriesCase{TPathStyle::Posix, "/photos", {"/", "/photos"}},
        TEntriesCase{TPathStyle::Posix, "/", {"/"}},
        TEntriesCase{TPathStyle::Posix, "photos", {"", "photos"}},
        TEntriesCase{TPathStyle::Posix, "C:photos", {"", "C:photos"}},
        TEntriesCase{TPathStyle::Posix, "\t", {}}),
    CaseNamesBy(&TEntriesCase::imagesFolderText));

struct TIndexCase {
  int index;
  std::string expectedFolder;  // ResultFolderAt
  int expectedKept;            // KeptResultFolderIndex
};

void PrintTo(const TIndexCase& c, std::ostream* os) {
  PrintCase(os, c.index, c.expectedFolder, c.expectedKept);
}

class ResultFolderIndexTest : public ::testing::TestWithParam<TIndexCase> {};

TEST_P(ResultFolderIndexTest, SelectsByPosition) {
  const std::vector<std::string> entries = {"/pics", "/pics/sea"};
  EXPECT_EQ(ResultFolderAt(entries, GetParam().index), GetParam().expectedFolder);
  EXPECT_EQ(KeptResultFolderIndex(GetParam().index, entries), GetParam().expectedKept);
}

INSTANTIATE_TEST_SUITE_P(Cases, ResultFolderIndexTest,
                         ::testing::Values(TIndexCase{0, "/pics", 0}, TIndexCase{1, "/pics/sea", 1},
                                           TIndexCase{2, "", 0}, TIndexCase{-1, "", 0},
                                           TIndexCase{1000, "", 0}),
                         CaseNamesBy(&TIndexCase::index));

TEST(ResultFolderAt, ARootHasOnlyOneChoice) {
  const std::vector<std::string> entries = ResultFolderEntries("/", TPathStyle::Posix);
  EXPECT_EQ(ResultFolderAt(entries, 1), "");
  EXPECT_EQ(KeptResultFolderIndex(1, entries), 0);
}

}  // namespace

}  // namespace zetgallery
