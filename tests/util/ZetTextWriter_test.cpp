// Tests of the text writer's whole-or-nothing rule: the target is replaced only by a complete
// file, a failed or abandoned write leaves it as it was, and no temporary file stays behind.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ZetTextFile.h"

namespace fs = std::filesystem;

namespace {

class TextWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zetgallery-writer-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    index_ = folder_ + "/index.htm";
    std::ofstream(index_, std::ios::binary) << "old";
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The old index is all there is in the folder.
  void ExpectOnlyTheOldIndex() const {
    EXPECT_EQ(ReadBytes(index_), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
  }

  std::string folder_;
  std::string index_;
};

TEST_F(TextWriterTest, TheTargetChangesOnlyWhenTheFileIsComplete) {
  TTextWriter writer;
  ASSERT_TRUE(writer.Open(index_));
  writer.WriteLine("new");
  writer.Flush();
  EXPECT_EQ(ReadBytes(index_), "old");
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(index_), "new\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
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
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = 1000;
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limited);
  TTextWriter writer;
  const bool opened = writer.Open(index_);
  writer.WriteLine(std::string(100000, 'x'));
  const bool closed = writer.Close();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, handler);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(closed);
  ExpectOnlyTheOldIndex();
}

TEST_F(TextWriterTest, RefusesTargetsThatMustNotBeReplaced) {
  // As root, too: the owner's missing write permission protects a file.
  fs::permissions(index_, fs::perms::owner_read, fs::perm_options::replace);
  for (const std::string& path :
       {index_, folder_, std::string("/dev/null"), folder_ + "/no such folder/page.htm"}) {
    TTextWriter writer;
    EXPECT_FALSE(writer.Open(path)) << path;
  }
  ExpectOnlyTheOldIndex();
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(TextWriterTest, AReplacedFileKeepsItsPermissionsAndALinkItsTarget) {
  const fs::perms privateFile = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(index_, privateFile, fs::perm_options::replace);
  const std::string link = folder_ + "/page.htm";
  fs::create_symlink(index_, link);
  for (const std::string& path : {index_, link}) {
    TTextWriter writer;
    ASSERT_TRUE(writer.Open(path));
    writer.Write("new " + path);
    ASSERT_TRUE(writer.Close());
  }
  EXPECT_EQ(fs::status(index_).permissions(), privateFile);
  EXPECT_EQ(ReadBytes(index_), "new " + index_) << "the file a link led to is not written";
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(link), "new " + link);
}

}  // namespace
