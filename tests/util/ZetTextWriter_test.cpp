// Tests of the text writer's whole-or-nothing rule: the target is replaced only by a complete
// file, a failed or abandoned write leaves it as it was, and no temporary file stays behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "CaseNames.h"
#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "WholeFiles.h"
#include "ZetPlatform.h"
#include "ZetTextFile.h"

namespace fs = std::filesystem;

namespace {

class TextWriterTest : public ::testing::Test {
 protected:
  // The old index is all there is in the folder.
  void ExpectOnlyTheOldIndex() const {
    EXPECT_EQ(ReadWholeFile(index_), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 1);
  }

  TTempFolder folder_;
  const std::string index_ = folder_.Write("index.htm", "old");
};

TEST_F(TextWriterTest, TheTargetChangesOnlyWhenTheFileIsComplete) {
  TTextWriter writer;
  ASSERT_TRUE(writer.Open(index_));
  writer.WriteLine("new");
  writer.Flush();
  EXPECT_EQ(ReadWholeFile(index_), "old");
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(ReadWholeFile(index_), "new\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 1);
}

TEST_F(TextWriterTest, AnAbandonedFileLeavesTheTargetAsItWas) {
  {
    TTextWriter discarded;
    ASSERT_TRUE(discarded.Open(index_));
    discarded.Write("half");
    discarded.Discard();
    EXPECT_FALSE(discarded.Close());
    TTextWriter forgotten;  // goes out of scope unclosed
    ASSERT_TRUE(forgotten.Open(index_));
    forgotten.Write("half");
  }
  ExpectOnlyTheOldIndex();
}

TEST_F(TextWriterTest, AFullDiskLeavesTheTargetAsItWas) {
  bool opened = false;
  bool closed = false;
  {
    TFileSizeLimit fullDisk(1000);
    TTextWriter writer;
    opened = writer.Open(index_);
    writer.WriteLine(std::string(100000, 'x'));
    closed = writer.Close();
  }
  EXPECT_TRUE(opened);
  EXPECT_FALSE(closed);
  ExpectOnlyTheOldIndex();
}

TEST_F(TextWriterTest, RefusesTargetsThatMustNotBeReplaced) {
  // As root, too: the owner's missing write permission protects a file.
  fs::permissions(index_, fs::perms::owner_read, fs::perm_options::replace);
  for (const std::string& path :
       {index_, folder_.Path(), std::string("/dev/null"), folder_ / "no such folder/page.htm"}) {
    TTextWriter writer;
    EXPECT_FALSE(writer.Open(path)) << path;
  }
  ExpectOnlyTheOldIndex();
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(TextWriterTest, AReplacedFileKeepsItsPermissionsAndALinkItsTarget) {
  const fs::perms privateFile = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(index_, privateFile, fs::perm_options::replace);
  const std::string link = folder_ / "page.htm";
  fs::create_symlink(index_, link);
  for (const std::string& path : {index_, link}) {
    TTextWriter writer;
    ASSERT_TRUE(writer.Open(path));
    writer.Write("new " + path);
    ASSERT_TRUE(writer.Close());
  }
  EXPECT_EQ(fs::status(index_).permissions(), privateFile);
  EXPECT_EQ(ReadWholeFile(index_), "new " + index_) << "the file a link led to is not written";
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(link), "new " + link);
}

// The file an existing target is, and when it was last changed.
struct TFileMark {
  uint64_t inode = 0;
  TFileTime modified;
};

TFileMark MarkOf(const std::string& path) {
  TFileStatus status;
  EXPECT_TRUE(ReadEntryStatus(path, status)) << path;
  return {status.inode, status.modified};
}

struct TRewriteCase {
  const char* before;
  const char* written;
  bool kept;  // the very same file, its time unchanged
};

class TextWriterRewriteTest : public ::testing::TestWithParam<TRewriteCase> {};

TEST_P(TextWriterRewriteTest, AFileAlreadyHoldingTheTextIsLeftAsItWas) {
  const TRewriteCase& c = GetParam();
  TTempFolder folder;
  const std::string page = folder.Write("page.htm", c.before);
  // An old time, so that a rewrite could not keep it by chance.
  ASSERT_TRUE(SetFileModificationTime(page, TFileTime{1000000000, 0}));
  const TFileMark before = MarkOf(page);
  TTextWriter writer;
  ASSERT_TRUE(writer.Open(page));
  writer.Write(c.written);
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadWholeFile(page), c.written);
  const TFileMark after = MarkOf(page);
  EXPECT_EQ(after.inode == before.inode && after.modified == before.modified, c.kept);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextWriterRewriteTest,
    ::testing::Values(TRewriteCase{"<p>same</p>\r\n", "<p>same</p>\r\n", true},
                      TRewriteCase{"", "", true},
                      TRewriteCase{"<p>same</p>\r\n", "<p>sane</p>\r\n", false},
                      TRewriteCase{"<p>same</p>\r\n", "<p>same</p>\r\n\r\n", false},
                      TRewriteCase{"<p>same</p>\r\n", "<p>same</p>", false},
                      TRewriteCase{"", "text", false}, TRewriteCase{"text", "", false}),
    CaseNamesBy(&TRewriteCase::before, &TRewriteCase::written));

TEST(TextWriterRewrite, ALinkToAFileWithTheSameTextIsStillReplacedByAFile) {
  TTempFolder folder;
  const std::string original = folder.Write("original.htm", "same");
  const std::string link = folder / "page.htm";
  fs::create_symlink(original, link);
  TTextWriter writer;
  ASSERT_TRUE(writer.Open(link));
  writer.Write("same");
  ASSERT_TRUE(writer.Close());
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(link), "same");
}

}  // namespace
