#include "util/ZetTextFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "support/ProcessFigures.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace {

using TLines = std::vector<std::string>;

class TextFileTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return dir_ / name; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    return dir_.Write(name, bytes);
  }
  TTempFolder dir_;
};

TEST_F(TextFileTest, FirstLineOnly) {
  const struct {
    std::string content, first;
  } cases[] = {{"Sunset  \r\nsecond", "Sunset  "},
               {"", ""},
               {"\r\nsecond", ""},
               {"only line", "only line"},
               {"  a\nb", "  a"},
               {"\nsecond", ""},
               {"x\x1Ay\rz", "x"}};
  for (const auto& c : cases) {
    std::string line = "left over";
    EXPECT_TRUE(ReadFirstTextLine(Write("d.txt", c.content), line).ok());
    EXPECT_EQ(line, c.first);
  }
}

TEST_F(TextFileTest, FirstLineOfALargeFileWithoutLineEnd) {
  const std::string big(200000, 'x');
  std::string line;
  ASSERT_TRUE(ReadFirstTextLine(Write("big.txt", big + "\r\nrest"), line).ok());
  EXPECT_EQ(line, big);
}

TEST_F(TextFileTest, FirstLineOfALargeLinuxFileReadsOnlyAPrefix) {
  // 32 MB of lines ended by LF alone, as Linux editors write them.
  std::string big;
  for (int i = 0; big.size() < (32u << 20); ++i) big += "line " + std::to_string(i) + "\n";
  const std::string path = Write("big.txt", "Sunset over the bay\n" + big);
  const long long before = BytesReadByThisProcess();
  if (before < 0) GTEST_SKIP() << "no /proc/self/io";
  std::string line;
  ASSERT_TRUE(ReadFirstTextLine(path, line).ok());
  ASSERT_LT(line.size(), 100u) << "the first line ran on into the rest of the file";
  EXPECT_EQ(line, "Sunset over the bay");
  EXPECT_LT(BytesReadByThisProcess() - before, 1 << 20);
}

TEST_F(TextFileTest, MissingFolderOrUnreadableFilesFail) {
  std::string line = "left over";
  EXPECT_FALSE(ReadFirstTextLine(PathOf("missing.txt"), line).ok());
  EXPECT_TRUE(line.empty());
  EXPECT_FALSE(ReadFirstTextLine(dir_.Path(), line).ok());
  if (geteuid() != 0) {  // root reads everything
    const std::string locked = Write("locked.txt", "secret\r\n");
    chmod(locked.c_str(), 0);
    EXPECT_FALSE(ReadFirstTextLine(locked, line).ok());
  }
}

TEST_F(TextFileTest, OnlyPlainFilesAreRead) {
  const std::string plain = Write("plain.txt", "plain\r\n");
  const struct {
    const char* name;
    std::function<void(const std::string& path)> make;
    bool read;
    std::string first;
  } cases[] = {
      {"link to a plain file",
       [&](const std::string& path) { std::filesystem::create_symlink(plain, path); }, true,
       "plain"},
      {"folder", [](const std::string& path) { std::filesystem::create_directory(path); }, false,
       ""},
      // A device reads without error (this one as empty, /dev/zero without end).
      {"link to a device",
       [](const std::string& path) { std::filesystem::create_symlink("/dev/null", path); }, false,
       ""},
      {"broken link",
       [&](const std::string& path) { std::filesystem::create_symlink(PathOf("gone"), path); },
       false, ""},
  };
  int number = 0;
  for (const auto& c : cases) {
    const std::string path = PathOf("case" + std::to_string(++number) + ".txt");
    c.make(path);
    std::string line = "left over";
    EXPECT_EQ(ReadFirstTextLine(path, line).ok(), c.read) << c.name;
    EXPECT_EQ(line, c.first) << c.name;
    // Templates are read through the line reader: it takes and refuses the same files.
    TTextLineReader reader;
    EXPECT_EQ(reader.Open(path).ok(), c.read) << c.name;
  }
}

TEST_F(TextFileTest, APipeIsNotWaitedFor) {
  const std::string pipe = PathOf("descript.ion");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  for (const bool firstLineOnly : {true, false}) {
    std::atomic<bool> done = false;
    bool read = true;
    std::thread reader([&] {
      std::string line;
      TTextLineReader templateReader;
      read = (firstLineOnly ? ReadFirstTextLine(pipe, line) : templateReader.Open(pipe)).ok();
      done = true;
    });
    // A reader stuck opening the pipe is let go by a writer that opens and closes it at once, so
    // that waiting shows as a failure rather than a test that never ends.
    while (!done) {
      const int writer = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) close(writer);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    reader.join();
    EXPECT_FALSE(read) << (firstLineOnly ? "first line" : "line reader");
  }
}

TEST_F(TextFileTest, PathWithZeroByteNeverNamesAnotherFile) {
  const std::string real = Write("real.txt", "real\r\n");
  const std::string cut = real + std::string("\0.other", 7);
  std::string line;
  TTextLineReader reader;
  EXPECT_FALSE(ReadFirstTextLine(cut, line).ok());
  EXPECT_FALSE(reader.Open(cut).ok());
  EXPECT_FALSE(ReadFirstTextLine("", line).ok());
}

}  // namespace

}  // namespace zetgallery
