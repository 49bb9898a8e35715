// Rebuilding a gallery: thumbnails that are up to date are kept, also when the thumbnails folder
// is cleared, and the gallery a rebuild leaves is the one a build from nothing would leave.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <map>

#include "FolderSnapshot.h"
#include "GalleryFixture.h"
#include "ThumbnailFiles.h"
#include "WriterTestSupport.h"
#include "gallery/BuildDriver.h"
#include "gallery/Thumbnailer.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

// Which file stands at `path`: its inode and the time its inode last changed. A file written
// anew may reuse a freed inode, but never with the old change time.
std::pair<ino_t, long long> IdentityOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return {0, 0};
  return {status.st_ino, status.st_ctim.tv_sec * 1000000000LL + status.st_ctim.tv_nsec};
}

void Build(const TGalleryFixture& gallery) {
  TRecordingUserInterface ui;
  ui.answer = true;
  const TBuildResult result = BuildGallery(gallery.Inputs(), ui);
  ASSERT_EQ(result.outcome, TBuildOutcome::Finished);
  ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
}

struct TRebuildCase {
  const char* label;
  std::function<void(TGalleryFixture&)> change;  // made between the two builds
  std::vector<std::string> remade;               // thumbnails that must be made anew
};

void PrintTo(const TRebuildCase& c, std::ostream* os) { PrintCase(os, c.label, c.remade); }

class Rebuild : public ::testing::TestWithParam<TRebuildCase> {};

TEST_P(Rebuild, KeepsExactlyTheUpToDateThumbnailsAndEndsAsABuildFromNothing) {
  const TRebuildCase& c = GetParam();
  for (const bool clearing : {true, false}) {
    TGalleryFixture gallery({"a.jpg", "b.jpg", "sea.jpg"});
    gallery.settings.ClearThumbsFolder = clearing;
    Build(gallery);
    const std::string thumbs = gallery.root + "/thumbs/";
    std::map<std::string, std::pair<ino_t, long long>> identities;
    for (const char* name : {"_a.jpg", "_b.jpg", "_sea.jpg"})
      identities[name] = IdentityOf(thumbs + name);

    c.change(gallery);
    Build(gallery);
    for (const auto& [name, identity] : identities) {
      const bool remade = std::count(c.remade.begin(), c.remade.end(), name) != 0;
      EXPECT_EQ(IdentityOf(thumbs + name) != identity, remade)
          << c.label << (clearing ? ", clearing on: " : ", clearing off: ") << name;
    }

    const auto rebuilt = FolderContents(gallery.root);
    fs::remove_all(thumbs);
    fs::create_directory(thumbs);
    Build(gallery);
    EXPECT_EQ(FolderContents(gallery.root), rebuilt) << c.label;
  }
}

void SetTime(const std::string& path, fs::file_time_type time) { fs::last_write_time(path, time); }

const TRebuildCase kRebuildCases[] = {
    {"nothing changed", [](TGalleryFixture&) {}, {}},
    {"a picture touched",
     [](TGalleryFixture& g) {
       const std::string sea = g.pics + "/sea.jpg";
       SetTime(sea, fs::last_write_time(sea) + std::chrono::seconds(5));
     },
     {"_sea.jpg"}},
    {"a picture replaced by an older file",
     [](TGalleryFixture& g) {
       const std::string sea = g.pics + "/sea.jpg";
       const auto old = fs::last_write_time(sea) - std::chrono::hours(24 * 400);
       ASSERT_TRUE(MakeLayoutPicture(sea, 64, 48, TPixelLayout::Cmyk));
       SetTime(sea, old);
     },
     {"_sea.jpg"}},
    {"a picture resized with its time kept",
     [](TGalleryFixture& g) {
       const std::string b = g.pics + "/b.jpg";
       const auto time = fs::last_write_time(b);
       ASSERT_TRUE(MakeTestPicture(b, 48, 64));
       SetTime(b, time);
     },
     {"_b.jpg"}},
    {"other thumbnail limits",
     [](TGalleryFixture& g) { g.settings.ThumbXSize = "32"; },
     {"_a.jpg", "_b.jpg", "_sea.jpg"}},
    {"a thumbnail edited by hand",
     [](TGalleryFixture& g) {
       const std::string thumb = g.root + "/thumbs/_a.jpg";
       const auto time = fs::last_write_time(thumb);
       WriteWholeFile(thumb, "not a thumbnail");
       SetTime(thumb, time);
     },
     {"_a.jpg"}},
};

INSTANTIATE_TEST_SUITE_P(Table, Rebuild, ::testing::ValuesIn(kRebuildCases), [](const auto& info) {
  std::string name;
  for (const char ch : std::string(info.param.label))
    name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
  return name;
});

TEST(RebuildClearing, TakesEveryFileThatIsNotAnUpToDateThumbnailOfThisBuild) {
  TGalleryFixture gallery({"a.jpg", "sea.jpg"});
  Build(gallery);
  const std::string thumbs = gallery.root + "/thumbs/";
  // An old thumbnail of a picture no longer there, a thumbnail of another format, a stray file.
  fs::copy_file(thumbs + "_a.jpg", thumbs + "_gone.jpg");
  WriteWholeFile(thumbs + "_a.gif", "GIF89a");
  WriteWholeFile(thumbs + "notes.txt", "mine");
  Build(gallery);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(thumbs))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"_a.jpg", "_sea.jpg"}));
  // None of them was the build's own: they went to the trash.
  EXPECT_EQ(gallery.Trashed().size(), 3u);
}

}  // namespace

namespace {

TEST(RebuildSharedNames, TheLaterPictureGivesTheThumbnailEvenOnAFirstBuild) {
  // sea.jpg and sea.png from one archive: same size, same time. The thumbnail named _sea.jpg is
  // the later picture's, as its page is.
  TGalleryFixture gallery({"sea.jpg"});
  gallery.settings.ImagesMask = "*.jpg;*.png";
  ASSERT_TRUE(MakeLayoutPicture(gallery.pics + "/sea.png", 64, 48, TPixelLayout::RgbAlpha));
  fs::last_write_time(gallery.pics + "/sea.png", fs::last_write_time(gallery.pics + "/sea.jpg"));
  TTempFolder scratch;
  ASSERT_EQ(WriteThumbnailFile(gallery.pics + "/sea.png", scratch / "fresh.jpg", 120, 120, {}),
            TStatus::Ok());
  for (int build = 0; build < 2; ++build) {
    Build(gallery);
    EXPECT_TRUE(ReadWholeFile(gallery.root + "/thumbs/_sea.jpg") ==
                ReadWholeFile(scratch / "fresh.jpg"))
        << "build " << build + 1;
  }
}

TEST(RebuildClearing, AnIndexWithoutThumbnailsKeepsNoneOfTheOldOnes) {
  TGalleryFixture gallery({"a.jpg", "sea.jpg"});
  Build(gallery);
  ASSERT_TRUE(fs::exists(gallery.root + "/thumbs/_a.jpg"));
  WriteWholeFile(gallery.tpl + "/index.tpl", "<html>no marker</html>\r\n");
  Build(gallery);
  EXPECT_TRUE(fs::is_empty(gallery.root + "/thumbs"));
  EXPECT_TRUE(gallery.Trashed().empty()) << "the build's own thumbnails go, not to the trash";
}

}  // namespace

}  // namespace zetgallery
