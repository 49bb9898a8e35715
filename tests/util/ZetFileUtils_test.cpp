#include "util/ZetFileUtils.h"

#include <gtest/gtest.h>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TPathCase {
  TPathStyle style;
  const char* path;
  const char* expected;
};

std::ostream& operator<<(std::ostream& out, const TPathCase& c) {
  return out << (c.style == TPathStyle::Windows ? "windows " : "posix ") << '"' << c.path << '"';
}

constexpr TPathStyle W = TPathStyle::Windows;
constexpr TPathStyle P = TPathStyle::Posix;

class ExtractFileNameNoExtTest : public testing::TestWithParam<TPathCase> {};

TEST_P(ExtractFileNameNoExtTest, CutsOnlyTheFinalExtension) {
  EXPECT_EQ(ExtractFileNameNoExt(GetParam().path, GetParam().style), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExtractFileNameNoExtTest,
    testing::Values(TPathCase{W, R"(C:\Pics\sea.jpg)", "sea"},
                    TPathCase{W, "sea.old.jpg", "sea.old"},
                    TPathCase{W, "pic.jpg_small.jpg", "pic.jpg_small"},
                    TPathCase{W, "readme", "readme"}, TPathCase{W, R"(C:\Pics.d\sea)", "sea"},
                    TPathCase{W, ".jpg", ""}, TPathCase{W, "C:sea.jpg", "sea"},
                    TPathCase{W, "", ""}, TPathCase{W, "/home/a.b/sea", "/home/a"},
                    TPathCase{P, "/pics/sea.jpg", "sea"}, TPathCase{P, "sea.old.jpg", "sea.old"},
                    TPathCase{P, "pic.jpg_small.jpg", "pic.jpg_small"},
                    TPathCase{P, "readme", "readme"}, TPathCase{P, "/pics.d/sea", "sea"},
                    TPathCase{P, ".jpg", ""}, TPathCase{P, "C:sea.jpg", "C:sea"},
                    TPathCase{P, R"(C:\Pics\sea.jpg)", R"(C:\Pics\sea)"},
                    TPathCase{P, "/pics/", ""}, TPathCase{P, "", ""}),
    TPrintedCaseName());

class EnsureTrailingBackslashTest : public testing::TestWithParam<TPathCase> {};

TEST_P(EnsureTrailingBackslashTest, AddsOneSeparatorToNonEmptyPath) {
  EXPECT_EQ(EnsureTrailingBackslash(GetParam().path, GetParam().style), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EnsureTrailingBackslashTest,
    testing::Values(TPathCase{W, R"(C:\Pics)", R"(C:\Pics\)"},
                    TPathCase{W, R"(C:\Pics\)", R"(C:\Pics\)"}, TPathCase{W, "C:", R"(C:\)"},
                    TPathCase{W, "", ""}, TPathCase{W, "/pics/", R"(/pics/\)"},
                    TPathCase{P, "/pics", "/pics/"}, TPathCase{P, "/pics/", "/pics/"},
                    TPathCase{P, "/", "/"}, TPathCase{P, "pics//", "pics//"},
                    TPathCase{P, R"(C:\Pics)", R"(C:\Pics/)"}, TPathCase{P, "", ""}),
    TPrintedCaseName());

class NormalizeFolderPathTest : public testing::TestWithParam<TPathCase> {};

TEST_P(NormalizeFolderPathTest, DropsOneTrailingSeparatorButKeepsRoots) {
  EXPECT_EQ(NormalizeFolderPath(GetParam().path, GetParam().style), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NormalizeFolderPathTest,
    testing::Values(
        TPathCase{W, "C:", R"(C:\)"}, TPathCase{W, R"(C:\)", R"(C:\)"},
        TPathCase{W, R"(C:\Pics\)", R"(C:\Pics)"}, TPathCase{W, R"(C:\Pics)", R"(C:\Pics)"},
        TPathCase{W, R"(C:\Pics\\)", R"(C:\Pics\)"}, TPathCase{W, R"(Pics\)", "Pics"},
        TPathCase{W, R"(\)", R"(\)"}, TPathCase{W, R"(\\server\share)", R"(\\server\share\)"},
        TPathCase{W, R"(\\server\share\)", R"(\\server\share\)"},
        TPathCase{W, R"(\\server\share\Pics\)", R"(\\server\share\Pics)"}, TPathCase{W, "", ""},
        TPathCase{W, R"(c:\)", R"(c:\)"}, TPathCase{P, "/", "/"}, TPathCase{P, "//", "/"},
        TPathCase{P, "/pics/", "/pics"}, TPathCase{P, "/pics", "/pics"},
        TPathCase{P, "/pics//", "/pics/"}, TPathCase{P, "pics/", "pics"}, TPathCase{P, "C:", "C:"},
        TPathCase{P, R"(C:\)", R"(C:\)"}, TPathCase{P, "", ""}),
    TPrintedCaseName());

class ExtractFileDriveTest : public testing::TestWithParam<TPathCase> {};

TEST_P(ExtractFileDriveTest, FindsDriveLetterOrShare) {
  EXPECT_EQ(ExtractFileDrive(GetParam().path, GetParam().style), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ExtractFileDriveTest,
                         testing::Values(TPathCase{W, R"(C:\Pics)", "C:"}, TPathCase{W, "C:", "C:"},
                                         TPathCase{W, R"(\\server\share\dir)", R"(\\server\share)"},
                                         TPathCase{W, R"(\\server\share)", R"(\\server\share)"},
                                         TPathCase{W, R"(\\server)", R"(\\server)"},
                                         TPathCase{W, R"(\Pics)", ""}, TPathCase{W, "Pics", ""},
                                         TPathCase{W, "", ""}, TPathCase{P, "C:/x", ""},
                                         TPathCase{P, "//server/share", ""}, TPathCase{P, "/", ""}),
                         TPrintedCaseName());

class ExtractFileNameTest : public testing::TestWithParam<TPathCase> {};

TEST_P(ExtractFileNameTest, TakesPartAfterLastDelimiter) {
  EXPECT_EQ(ExtractFileName(GetParam().path, GetParam().style), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExtractFileNameTest,
    testing::Values(TPathCase{W, R"(C:\Pics\sea.jpg)", "sea.jpg"},
                    TPathCase{W, "C:sea.jpg", "sea.jpg"}, TPathCase{W, "sea.jpg", "sea.jpg"},
                    TPathCase{W, R"(C:\Pics\)", ""}, TPathCase{W, "a/b", "a/b"},
                    TPathCase{P, "/pics/sea.jpg", "sea.jpg"},
                    TPathCase{P, "C:sea.jpg", "C:sea.jpg"}, TPathCase{P, R"(a\b)", R"(a\b)"},
                    TPathCase{P, "/pics/", ""}),
    TPrintedCaseName());

class ExtractFileExtTest : public testing::TestWithParam<TPathCase> {};

TEST_P(ExtractFileExtTest, TakesFinalDotPartOfName) {
  EXPECT_EQ(ExtractFileExt(GetParam().path, GetParam().style), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ExtractFileExtTest,
                         testing::Values(TPathCase{W, R"(C:\Pics\sea.old.jpg)", ".jpg"},
                                         TPathCase{W, R"(C:\Pics.d\sea)", ""},
                                         TPathCase{W, ".jpg", ".jpg"}, TPathCase{W, "a.:b", ""},
                                         TPathCase{W, "sea.", "."}, TPathCase{P, "/pics.d/sea", ""},
                                         TPathCase{P, "a.:b", ".:b"},
                                         TPathCase{P, "/p/.hidden", ".hidden"}),
                         TPrintedCaseName());

class ExtractFilePathTest : public testing::TestWithParam<TPathCase> {};

TEST_P(ExtractFilePathTest, KeepsEverythingUpToLastDelimiter) {
  EXPECT_EQ(ExtractFilePath(GetParam().path, GetParam().style), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ExtractFilePathTest,
                         testing::Values(TPathCase{W, R"(C:\Pics\sea.jpg)", R"(C:\Pics\)"},
                                         TPathCase{W, "C:sea.jpg", "C:"},
                                         TPathCase{W, "sea.jpg", ""},
                                         TPathCase{P, "/pics/sea.jpg", "/pics/"},
                                         TPathCase{P, "sea.jpg", ""},
                                         TPathCase{P, "/sea.jpg", "/"}),
                         TPrintedCaseName());

TEST(PathSeparatorTest, NativeStyleOnThisPlatformIsPosix) {
  EXPECT_EQ(PathSeparator(TPathStyle::Windows), '\\');
  EXPECT_EQ(PathSeparator(TPathStyle::Posix), '/');
#ifndef _WIN32
  EXPECT_EQ(EnsureTrailingBackslash("/pics"), "/pics/");
  EXPECT_EQ(NormalizeFolderPath("/pics/"), "/pics");
#endif
}

}  // namespace

}  // namespace zetgallery
