// Tests of the text writer's whole-or-nothing rule: the target is replaced only by a complete
// file, a failed or abandoned write leaves it as it was, and no temporary file stays behind.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

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
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(folder_, error);
  }

  std::string PathOf(const std::string& name) const { return folder_ + "/" + name; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
    return PathOf(name);
  }
  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Every name in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder_;
};

TEST_F(TextWriterTest, TheTargetChangesOnlyWhenTheFileIsComplete) {
  const std::string path = Write("index.htm", "old");
  TTextWriter writer;
  ASSERT_TRUE(writer.Open(path));
  writer.WriteLine("new");
  writer.Flush();
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(path), "new\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"index.htm"});
}

TEST_F(TextWriterTest, AnAbandonedFileLeavesTheTargetAsItWas) {
  const std::string path = Write("index.htm", "old");
  {
    TTextWriter discarded;
    ASSERT_TRUE(discarded.Open(path));
    discarded.Write("half");
    discarded.Discard();
    EXPECT_FALSE(discarded.Close());
  }
  {
    TTextWriter forgotten;  // goes out of scope unclosed
    ASSERT_TRUE(forgotten.Open(PathOf("new.htm")));
    forgotten.Write("half");
  }
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"index.htm"});
}

TEST_F(TextWriterTest, AFullDiskLeavesTheTargetAsItWas) {
  const std::string path = Write("index.htm", "old");
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = 1000;
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limited);
  TTextWriter writer;
  const bool opened = writer.Open(path);
  writer.WriteLine(std::string(100000, 'x'));
  const bool closed = writer.Close();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, handler);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(closed);
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"index.htm"});
}

TEST_F(TextWriterTest, RefusesTargetsThatMustNotBeReplaced) {
  const std::string protectedFile = Write("protected.htm", "mine");
  fs::permissions(protectedFile, fs::perms::owner_read, fs::perm_options::replace);
  fs::create_directory(PathOf("folder.htm"));
  for (const std::string& path : {protectedFile, PathOf("folder.htm"), std::string("/dev/null"),
                                  PathOf("no such folder/page.htm")}) {
    TTextWriter writer;
    EXPECT_FALSE(writer.Open(path)) << path;
  }
  EXPECT_EQ(ReadBytes(protectedFile), "mine");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"folder.htm", "protected.htm"}));
}

TEST_F(TextWriterTest, AReplacedFileKeepsItsPermissions) {
  const std::string path = Write("private.htm", "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
  TTextWriter writer;
  ASSERT_TRUE(writer.Open(path));
  writer.Write("new");
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(TextWriterTest, ALinkIsReplacedAndWhatItLedToStays) {
  const std::string elsewhere = Write("elsewhere.txt", "someone's file");
  fs::create_symlink(elsewhere, PathOf("index.htm"));
  TTextWriter writer;
  ASSERT_TRUE(writer.Open(PathOf("index.htm")));
  writer.Write("the index");
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(elsewhere), "someone's file");
  EXPECT_FALSE(fs::is_symlink(PathOf("index.htm")));
  EXPECT_EQ(ReadBytes(PathOf("index.htm")), "the index");
}

TEST_F(TextWriterTest, ALongTargetNameIsWritten) {
  // A temporary name made from a 250-byte target name would pass the file name limit.
  const std::string name = std::string(246, 'p') + ".htm";
  TTextWriter writer;
  ASSERT_TRUE(writer.Open(PathOf(name)));
  writer.Write("page");
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(PathOf(name)), "page");
}

}  // namespace
