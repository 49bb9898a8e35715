#include "catalogue/ImageScan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "catalogue/Masks.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

using TNames = std::vector<std::string>;

struct TPiecesCase {
  std::string maskText;
  TNames pieces;
};

void PrintTo(const TPiecesCase& c, std::ostream* os) { PrintCase(os, c.maskText, c.pieces); }

class SplitMaskPiecesTest : public testing::TestWithParam<TPiecesCase> {};

TEST_P(SplitMaskPiecesTest, SplitsAtSemicolonsKeepingBlanks) {
  EXPECT_EQ(SplitMaskPieces(GetParam().maskText), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(Table, SplitMaskPiecesTest,
                         testing::Values(TPiecesCase{"", {}}, TPiecesCase{"*.jpg", {"*.jpg"}},
                                         TPiecesCase{"*.jpg;*.gif", {"*.jpg", "*.gif"}},
                                         TPiecesCase{"*.jpg;", {"*.jpg"}},
                                         TPiecesCase{";*.jpg", {"", "*.jpg"}},
                                         TPiecesCase{"a;;b", {"a", "", "b"}},
                                         TPiecesCase{"*.jpg; *.gif", {"*.jpg", " *.gif"}},
                                         TPiecesCase{";", {""}}, TPiecesCase{";;", {"", ""}},
                                         TPiecesCase{" ", {" "}},
                                         TPiecesCase{"a ; b ", {"a ", " b "}}),
                         CaseNamesBy(&TPiecesCase::maskText));

struct TAcceptCase {
  std::string maskText;
  std::string name;
  bool accepted;
  std::string error;
};

void PrintTo(const TAcceptCase& c, std::ostream* os) {
  PrintCase(os, c.maskText, c.name, c.accepted, c.error);
}

class MaskTextAcceptsTest : public testing::TestWithParam<TAcceptCase> {};

TEST_P(MaskTextAcceptsTest, TriesPiecesInOrder) {
  const TStatusOr<bool> accepted = MaskTextAccepts(GetParam().name, GetParam().maskText);
  EXPECT_EQ(accepted.ok() && *accepted, GetParam().accepted);
  EXPECT_EQ(accepted.status().message(), GetParam().error);
  EXPECT_EQ(accepted.ok(), GetParam().error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MaskTextAcceptsTest,
    testing::Values(
        TAcceptCase{"*.*", "README", true, ""}, TAcceptCase{"*.*;*.jpg", "README", false, ""},
        TAcceptCase{"*.*;*.jpg", "a.jpg", true, ""}, TAcceptCase{"*", "README", true, ""},
        TAcceptCase{"", "a.jpg", false, ""}, TAcceptCase{" *.*", "README", false, ""},
        TAcceptCase{"*.jpg; *.gif", "a.gif", false, ""},
        TAcceptCase{"*.jpg; *.gif", " a.gif", true, ""}, TAcceptCase{"*.jpg;[", "a.jpg", true, ""},
        TAcceptCase{"*.jpg;[", "a.txt", false, "'[' is an invalid mask at (2)"},
        TAcceptCase{"[];*", "a.txt", false, "'[]' is an invalid mask at (2)"},
        TAcceptCase{";*.jpg", "a.jpg", true, ""},
        // The length limit holds for the whole text, however short its pieces.
        TAcceptCase{"*.jpg" + std::string(kMaxMaskChars - 5, ';'), "a.jpg", true, ""},
        TAcceptCase{"*.jpg" + std::string(kMaxMaskChars - 4, ';'), "a.jpg", false,
                    MaskTooLongMessage()}),
    CaseNamesBy(&TAcceptCase::maskText, &TAcceptCase::name));

class ImageScanTest : public testing::Test {
 protected:
  TScanResult Scan(const std::string& maskText) {
    return ScanImages(folder_.Path(), maskText, nullptr);
  }
  TTempFolder folder_;
};

struct TScanCase {
  TNames files;
  std::string maskText;
  TNames listed;
};

void PrintTo(const TScanCase& c, std::ostream* os) { PrintCase(os, c.files, c.maskText, c.listed); }

class ImageScanTableTest : public testing::TestWithParam<TScanCase> {};

TEST_P(ImageScanTableTest, ListsMatchingFilesSorted) {
  TTempFolder folder;
  for (const std::string& file : GetParam().files) folder.Write(file);
  const TScanResult result = ScanImages(folder.Path(), GetParam().maskText, nullptr);
  EXPECT_TRUE(result.scanned);
  EXPECT_EQ(result.names, GetParam().listed);
  EXPECT_EQ(result.status.message(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImageScanTableTest,
    testing::Values(
        TScanCase{{"sea.jpg", "sky.png"}, "*.JPG", {"sea.jpg"}},
        TScanCase{{"фото1.jpg", "Фото2.jpg"}, "Фото*", {"Фото2.jpg"}},
        TScanCase{{"фото1.jpg", "Фото2.jpg"}, "фото*", {"фото1.jpg"}},
        TScanCase{{"README", "a.jpg"}, "*.*", {"a.jpg", "README"}},
        TScanCase{{"README", "a.jpg"}, "*.*;*.jpg", {"a.jpg"}},
        TScanCase{{"README", "a.jpg"}, "*", {"a.jpg", "README"}},
        TScanCase{{"README", "a.jpg"}, "", {}},
        TScanCase{{"a.jpg", "b.gif", " c.gif"}, "*.jpg; *.gif", {" c.gif", "a.jpg"}},
        TScanCase{
            {"b.jpg", "A.jpg", "c.JPG", "a2.jpg"}, "*.jpg", {"A.jpg", "a2.jpg", "b.jpg", "c.JPG"}},
        TScanCase{{"sea.jpg"}, "*.jpg;*.JPG;sea*;*", {"sea.jpg"}},
        TScanCase{{"a.jpg", "b.jpg"}, "*.jpg;[", {"a.jpg", "b.jpg"}},
        TScanCase{{"d.jpg", "D2.jpg", "a.jpg", "B.jpg"}, "[!a-c]*", {"d.jpg", "D2.jpg"}},
        TScanCase{{"x.jpg"}, "*.gif", {}}),
    CaseNamesBy(&TScanCase::maskText));

TEST_F(ImageScanTest, HiddenFilesFoldersAndSpecialFilesNeverAppear) {
  folder_.Write("a.jpg");
  folder_.Write(".hidden.jpg");
  folder_.Write("target.dat");
  std::filesystem::create_directory(folder_ / "sub.jpg");
  std::filesystem::create_directory(folder_ / ".git");
  std::filesystem::create_symlink(folder_ / "target.dat", folder_ / "link.jpg");
  std::filesystem::create_directory_symlink(folder_ / "sub.jpg", folder_ / "dirlink.jpg");
  std::filesystem::create_symlink(folder_ / "gone.dat", folder_ / "broken.jpg");
  mkfifo((folder_ / "pipe.jpg").c_str(), 0600);
  EXPECT_EQ(Scan("*.jpg").names, (TNames{"a.jpg", "link.jpg"}));
  EXPECT_EQ(Scan("*.*").names, (TNames{"a.jpg", "link.jpg", "target.dat"}));
  EXPECT_EQ(Scan(".*").names, TNames{});
}

TEST_F(ImageScanTest, InvalidPieceReachedReportsAndKeepsEarlierNames) {
  const TNames jpgs = {"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
  for (const std::string& name : jpgs) folder_.Write(name);
  folder_.Write("notes.txt");
  const TScanResult result = Scan("*.jpg;[");
  EXPECT_TRUE(result.scanned);
  EXPECT_EQ(result.status.message(), "'[' is an invalid mask at (2)");
  // Which names came before the text file depends on the file system's order.
  EXPECT_TRUE(std::includes(jpgs.begin(), jpgs.end(), result.names.begin(), result.names.end()));
}

TEST_F(ImageScanTest, InvalidPiecePositions) {
  folder_.Write("a.jpg");
  const struct {
    std::string maskText, error;
  } cases[] = {{"[]", "'[]' is an invalid mask at (2)"},
               {"[-a]", "'[-a]' is an invalid mask at (2)"},
               {"*.[jp", "'*.[jp' is an invalid mask at (6)"},
               {"*.gif; *.[jp", "' *.[jp' is an invalid mask at (7)"},
               {"*.gif;;[", "'[' is an invalid mask at (2)"}};
  for (const auto& c : cases) {
    const TScanResult result = Scan(c.maskText);
    EXPECT_EQ(result.status.message(), c.error);
    EXPECT_TRUE(result.names.empty());
  }
}

TEST_F(ImageScanTest, FolderTextForms) {
  folder_.Write("a.jpg");
  const struct {
    std::string folderText;
    bool scanned;
    TNames names;
  } cases[] = {{folder_.Path(), true, {"a.jpg"}},
               {"\"" + folder_.Path() + "\"", true, {"a.jpg"}},
               {folder_.Path() + "/", true, {"a.jpg"}},
               {"\"" + folder_.Path() + "/\"", true, {"a.jpg"}},
               {"", false, {}},
               {"   ", false, {}},
               {"\"  \"", false, {}},
               {"\t\r\n", false, {}},
               {"\"\"", false, {}},
               // Blanks around a real folder name are part of the name the user typed.
               {" " + folder_.Path(), true, {}},
               {folder_ / "missing", true, {}},
               {folder_ / "a.jpg", true, {}},
               {std::string("\xFF\xFE"), true, {}},
               {folder_.Path() + std::string("\0/x", 3), true, {}}};
  for (const auto& c : cases) {
    const TScanResult result = ScanImages(c.folderText, "*.jpg", nullptr);
    EXPECT_EQ(result.scanned, c.scanned) << c.folderText;
    EXPECT_EQ(result.names, c.names) << c.folderText;
    EXPECT_EQ(result.status.message(), "");
  }
}

TEST_F(ImageScanTest, UnreadableFolderGivesNothing) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  folder_.Write("a.jpg");
  chmod(folder_.Path().c_str(), 0);
  const TScanResult result = Scan("*");
  chmod(folder_.Path().c_str(), 0700);
  EXPECT_TRUE(result.scanned);
  EXPECT_TRUE(result.names.empty());
  EXPECT_EQ(result.status.message(), "");
}

TEST_F(ImageScanTest, TellsTheUserInterface) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "x.txt"}) folder_.Write(name);
  TRecordingUserInterface ui;
  const TScanResult result = ScanImages(folder_.Path(), "*.jpg", &ui);
  EXPECT_EQ(result.names.size(), 3u);
  EXPECT_EQ(ui.processCount, 3);  // once per accepted name
  EXPECT_EQ(ui.events, (std::vector<std::string>{"scanning", "scanned"}));

  TRecordingUserInterface idle;
  EXPECT_FALSE(ScanImages("  ", "*.jpg", &idle).scanned);
  EXPECT_TRUE(idle.events.empty());
  EXPECT_EQ(idle.processCount, 0);
}

TEST_F(ImageScanTest, StopRequestEndsTheScan) {
  for (int i = 0; i < 10; ++i) folder_.Write("p" + std::to_string(i) + ".jpg");
  TRecordingUserInterface ui;
  ui.stopAfterProcessing = 4;
  const TScanResult result = ScanImages(folder_.Path(), "*", &ui);
  EXPECT_TRUE(result.stopped);
  EXPECT_EQ(result.names.size(), 4u);
  EXPECT_EQ(ui.events, (std::vector<std::string>{"scanning", "scanned"}));
}

TEST(ImageScanVanishTest, FolderRemovedDuringTheScan) {
  auto folder = std::make_unique<TTempFolder>();
  for (int i = 0; i < 2000; ++i) folder->Write("p" + std::to_string(i) + ".jpg");
  TRecordingUserInterface ui;
  const std::string path = folder->Path();
  ui.onProcessMessages = [&] {
    if (ui.processCount == 1) std::filesystem::remove_all(path);
  };
  const TScanResult result = ScanImages(path, "*.jpg", &ui);
  EXPECT_TRUE(result.scanned);
  EXPECT_GE(result.names.size(), 1u);
  EXPECT_LE(result.names.size(), 2000u);
  EXPECT_TRUE(std::is_sorted(result.names.begin(), result.names.end(),
                             [](auto& a, auto& b) { return CompareForSortedList(a, b) < 0; }));
}

TEST_F(ImageScanTest, OddMaskTextsDoNotCrash) {
  folder_.Write("a.jpg");
  folder_.Write("\xFF\xFE.jpg");
  const std::string longMask(kMaxMaskChars, '?');
  EXPECT_TRUE(Scan(longMask).names.empty());
  EXPECT_EQ(Scan(std::string(kMaxMaskChars, '*')).names.size(), 2u);
  EXPECT_EQ(Scan(std::string(kMaxMaskChars, ';')).names.size(), 0u);
  EXPECT_EQ(Scan("\xFF\xFE*").names, TNames{"\xFF\xFE.jpg"});
  const TScanResult manyGroups = Scan(std::string(2000, 'a') + std::string(2000, '*') + "[");
  EXPECT_NE(manyGroups.status.message(), "");
}

TEST_F(ImageScanTest, ManyFilesEachOnceInOrder) {
  const int count = 5000;
  for (int i = 0; i < count; ++i)
    folder_.Write((i % 2 ? "IMG_" : "img_") + std::to_string(i) + ".jpg");
  const TScanResult result = Scan("*.jpg");
  ASSERT_EQ(result.names.size(), static_cast<size_t>(count));
  for (size_t i = 1; i < result.names.size(); ++i) {
    ASSERT_LT(CompareForSortedList(result.names[i - 1], result.names[i]), 0);
  }
}

}  // namespace

}  // namespace zetgallery
