// Tests of the open folder: new files are new (never a file or a link planted at their name) with
// the permissions asked for, and every operation stays in the folder that was opened, whatever
// its path leads to later.
#include "util/ZetOpenFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

TEST(OpenFolderTemporaryFiles, AreNewHiddenUnguessableAndHaveTheirPermissions) {
  TTempFolder folder;
  const TOpenFolder open(folder.Path());
  ASSERT_TRUE(open.IsOpen());
  std::set<std::string> names;
  // Beyond what the usual umask lets through, so the umask cannot have chosen them; -1 takes
  // what the umask leaves of 0666.
  const mode_t mask = umask(022);
  for (const int wanted : {0600, 0666, 0640, -1}) {
    std::string name;
    const int file = open.CreateTemporaryFile(name, wanted);
    ASSERT_GE(file, 0);
    EXPECT_TRUE(IsTemporaryFileName(name)) << name;
    EXPECT_EQ(name.size(), 25u) << "16 random hexadecimal digits between .zg- and .part";
    names.insert(name);
    struct stat info {};
    ASSERT_EQ(fstat(file, &info), 0);
    EXPECT_EQ(info.st_mode & 07777, static_cast<mode_t>(wanted < 0 ? 0644 : wanted)) << wanted;
    close(file);
  }
  umask(mask);
  EXPECT_EQ(names.size(), 4u);
  for (const char* name : {".zg-1-2.part", ".zg-abc.part"})
    EXPECT_TRUE(IsTemporaryFileName(name)) << "names of older versions are recognised too";
  for (const char* name : {".zg-.part", "zg-1.part", ".zg-1.parts", "index.htm"})
    EXPECT_FALSE(IsTemporaryFileName(name)) << name;
}

TEST(OpenFolderOperations, StayInTheFolderOpenedWhenItsPathIsSwappedForALink) {
  // The thumbnails folder is opened, then its path is made a link to the pictures' folder: a
  // removal must still reach the thumbnails folder, never the pictures.
  TTempFolder root;
  const std::string thumbs = root / "thumbs";
  const std::string pics = root / "pics";
  fs::create_directories(thumbs);
  fs::create_directories(pics);
  root.Write("thumbs/sea.jpg", "thumbnail");
  root.Write("pics/sea.jpg", "photo");
  const TOpenFolder open(thumbs);
  ASSERT_TRUE(open.IsOpen());
  fs::rename(thumbs, root / "thumbs.old");
  fs::create_directory_symlink(pics, thumbs);

  EXPECT_TRUE(open.Remove("sea.jpg"));
  std::string name;
  const int file = open.CreateTemporaryFile(name, -1);
  ASSERT_GE(file, 0);
  close(file);
  EXPECT_TRUE(open.Rename(name, "new.jpg"));

  EXPECT_EQ(ReadWholeFile(pics + "/sea.jpg"), "photo");
  EXPECT_FALSE(fs::exists(pics + "/new.jpg"));
  EXPECT_TRUE(fs::exists(root / "thumbs.old/new.jpg"));
  EXPECT_FALSE(fs::exists(root / "thumbs.old/sea.jpg"));
}

TEST(OpenFolderIsOrHolds, ComparesFoldersOnDisk) {
  TTempFolder root;
  fs::create_directories(root / "gallery/pics/sub");
  fs::create_directories(root / "other");
  fs::create_directory_symlink(root / "gallery/pics", root / "link-to-pics");
  const struct {
    const char* outer;
    const char* inner;
    bool holds;
  } cases[] = {
      {"gallery/pics", "gallery/pics", true},
      {"gallery", "gallery/pics/sub", true},
      {"link-to-pics", "gallery/pics", true},
      {"gallery/pics", "link-to-pics/sub", true},
      {"gallery/pics/sub", "gallery/pics", false},
      {"other", "gallery/pics", false},
      {"gallery/pics", "gallery/pics/../../other", false},
  };
  for (const auto& c : cases) {
    const TOpenFolder outer(root / c.outer);
    ASSERT_TRUE(outer.IsOpen()) << c.outer;
    EXPECT_EQ(outer.IsOrHolds(root / c.inner), c.holds) << c.outer << " / " << c.inner;
  }
  EXPECT_TRUE(TOpenFolder("/").IsOrHolds(root.Path()));
  EXPECT_FALSE(TOpenFolder(root / "other").IsOrHolds(root / "missing"));
}

TEST(OpenFolderLock, IsHeldByOneOpenAtATime) {
  TTempFolder folder;
  const TOpenFolder first(folder.Path());
  const TOpenFolder second(folder.Path());
  EXPECT_TRUE(first.TryLock());
  EXPECT_FALSE(second.TryLock());
}

}  // namespace

}  // namespace zetgallery
