// The platform call whose promises the rest of the tests do not reach: a new file is new (never
// an existing file or a link planted there) and has exactly the permissions asked for.
#include "ZetPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "WholeFiles.h"

namespace fs = std::filesystem;

namespace {

class CreateNewFileTest : public testing::Test {
 protected:
  std::string PathOf(const char* name) const { return dir_ / name; }
  TTempFolder dir_;
};

TEST_F(CreateNewFileTest, RefusesANameThatIsTaken) {
  dir_.Write("file", "kept");
  dir_.Write("target", "kept");
  fs::create_symlink(PathOf("target"), PathOf("link"));
  fs::create_symlink(PathOf("nowhere"), PathOf("dangling"));
  for (const char* name : {"file", "link", "dangling"}) {
    std::FILE* file = CreateNewFile(PathOf(name), nullptr);
    EXPECT_EQ(file, nullptr) << name;
    if (file != nullptr) std::fclose(file);
  }
  EXPECT_FALSE(fs::exists(PathOf("nowhere"))) << "a planted link must not be followed";
  EXPECT_EQ(ReadWholeFile(PathOf("target")), "kept");
}

TEST_F(CreateNewFileTest, GivesExactlyThePermissionsAsked) {
  // Beyond what the usual umask lets through, so the umask cannot have chosen them.
  for (const fs::perms wanted : {fs::perms::owner_read | fs::perms::owner_write,
                                 fs::perms::owner_read | fs::perms::owner_write |
                                     fs::perms::group_write | fs::perms::others_write}) {
    const std::string path = PathOf("new");
    std::FILE* file = CreateNewFile(path, &wanted);
    ASSERT_NE(file, nullptr);
    EXPECT_GE(std::fputs("x", file), 0);
    EXPECT_EQ(std::fclose(file), 0);
    EXPECT_EQ(fs::status(path).permissions(), wanted);
    fs::remove(path);
  }
}

}  // namespace
