// Tests of the trash: a file goes where a file manager finds it, with the information that
// restores it, under a name no other trashed file has; where no trash can take it, it stays.
#include "util/ZetTrash.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

// XDG_DATA_HOME set to a folder of the test's own for as long as it lives.
class TrashTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_DATA_HOME", (home_ / "data").c_str(), 1); }
  std::string Trash() const { return home_ / "data/Trash"; }

  TTempFolder home_;
  TTempFolder folder_;
};

TEST_F(TrashTest, KeepsWhatRestoresTheFileAndMakesTheTrashWhenMissing) {
  // A name that needs escaping in the information file, in a folder that the data folder's
  // absence would otherwise have put files into (Qt 6.4 did, under the current folder).
  const std::string name = "мой файл %1.html";
  folder_.Write(name, "mine");
  const TOpenFolder open(folder_.Path());
  const TStatusOr<std::string> trashed = MoveToTrash(open, name);
  ASSERT_TRUE(trashed.ok());
  const std::string& trashedAs = trashed.value();

  EXPECT_FALSE(fs::exists(folder_ / name));
  EXPECT_EQ(trashedAs, Trash() + "/files/" + name);
  EXPECT_EQ(ReadWholeFile(trashedAs), "mine");
  const std::string info = ReadWholeFile(Trash() + "/info/" + name + ".trashinfo");
  EXPECT_TRUE(info.starts_with("[Trash Info]\nPath=" + TrashInfoPathEscaped(folder_ / name) +
                               "\nDeletionDate="))
      << info;
  EXPECT_EQ(fs::status(Trash()).permissions(), fs::perms::owner_all);
}

TEST_F(TrashTest, GivesEachTrashedFileANameOfItsOwn) {
  const TOpenFolder open(folder_.Path());
  // A file already in "files" without its information takes its name too.
  fs::create_directories(Trash() + "/files");
  WriteWholeFile(Trash() + "/files/a.htm.2", "orphan");
  for (const char* content : {"first", "second", "third"}) {
    folder_.Write("a.htm", content);
    ASSERT_TRUE(MoveToTrash(open, "a.htm").ok());
  }
  EXPECT_EQ(ReadWholeFile(Trash() + "/files/a.htm"), "first");
  EXPECT_EQ(ReadWholeFile(Trash() + "/files/a.htm.2"), "orphan");
  EXPECT_EQ(ReadWholeFile(Trash() + "/files/a.htm.3"), "second");
  EXPECT_EQ(ReadWholeFile(Trash() + "/files/a.htm.4"), "third");
  EXPECT_FALSE(fs::exists(Trash() + "/info/a.htm.2.trashinfo"));
  EXPECT_TRUE(fs::exists(Trash() + "/info/a.htm.4.trashinfo"));
}

TEST_F(TrashTest, MovesALinkItselfNotWhatItLeadsTo) {
  folder_.Write("target.txt", "kept");
  fs::create_symlink(folder_ / "target.txt", folder_ / "link.htm");
  const TOpenFolder open(folder_.Path());
  ASSERT_TRUE(MoveToTrash(open, "link.htm").ok());
  EXPECT_EQ(ReadWholeFile(folder_ / "target.txt"), "kept");
  EXPECT_TRUE(fs::is_symlink(Trash() + "/files/link.htm"));
}

TEST_F(TrashTest, WithoutATrashTheFileStays) {
  // The data folder cannot be made: a file stands where its parent should be.
  WriteWholeFile(home_ / "file", "");
  setenv("XDG_DATA_HOME", (home_ / "file/data").c_str(), 1);
  folder_.Write("a.htm", "mine");
  fs::create_directory(folder_ / "sub");
  const TOpenFolder open(folder_.Path());
  EXPECT_FALSE(MoveToTrash(open, "a.htm").ok());
  EXPECT_FALSE(MoveToTrash(open, "sub").ok()) << "folders are never trashed";
  EXPECT_FALSE(MoveToTrash(open, "missing").ok());
  // Each failure says why, and names the entry.
  const std::pair<std::string, TStatus> failures[] = {
      {"a.htm", TStatus::IoError(folder_ / "a.htm")},
      {"sub", TStatus::Unsupported(folder_ / "sub")},
      {"missing", TStatus::NotFound(folder_ / "missing")},
  };
  for (const auto& [entry, status] : failures)
    EXPECT_EQ(MoveToTrash(open, entry).status(), status) << entry;
  EXPECT_EQ(ReadWholeFile(folder_ / "a.htm"), "mine");
}

TEST(TrashInfoPath, EscapesAllButThePlainCharacters) {
  EXPECT_EQ(TrashInfoPathEscaped("/home/u/a-b_c.~d/E9.htm"), "/home/u/a-b_c.~d/E9.htm");
  EXPECT_EQ(TrashInfoPathEscaped("/a b%\n"), "/a%20b%25%0A");
  EXPECT_EQ(TrashInfoPathEscaped("я"), "%D1%8F");
}

}  // namespace

}  // namespace zetgallery
