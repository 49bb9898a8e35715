// Tests of the text writer's whole-or-nothing rule: the target is replaced only by a complete
// file, a failed or abandoned write leaves it as it was, and no temporary file stays behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "WholeFiles.h"
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

}  // namespace
