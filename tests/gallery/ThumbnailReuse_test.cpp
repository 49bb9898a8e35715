// Tests of keeping an up-to-date thumbnail by the ledger: a second make of an unchanged picture
// leaves the file alone, and every change of the picture, of the settings or of the thumbnail
// itself makes it again.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "TestPictures.h"
#include "ThumbnailFiles.h"
#include "gallery/Thumbnailer.h"
#include "support/CaseNames.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace {

struct stat StatusOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return status;
}

void SetModificationTime(const std::string& path, time_t seconds, long nanoseconds) {
  const timespec times[2] = {{0, UTIME_OMIT}, {seconds, nanoseconds}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// A picture with a thumbnail made once, and a way to make a fresh thumbnail for comparison.
class ThumbnailReuseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeTestPicture(picture_, 800, 600));
    // Nanoseconds that a copy of the time in whole seconds or microseconds would lose.
    SetModificationTime(picture_, 1600000000, 123456789);
    ASSERT_EQ(CreateThumbnailFile(picture_, thumbnail_, 120, 120, params_), TStatus::Ok());
  }
  // The bytes a make from nothing gives for the picture as it is now.
  std::string FreshBytes(int maxWidth, int maxHeight, const TThumbSaveParams& params) {
    const std::string fresh = folder_ / "fresh.out";
    std::filesystem::remove(fresh);
    EXPECT_EQ(CreateThumbnailFile(picture_, fresh, maxWidth, maxHeight, params), TStatus::Ok());
    return ReadWholeFile(fresh);
  }

  TTempFolder folder_;
  const std::string picture_ = folder_ / "sea.jpg";
  const std::string thumbnail_ = folder_ / "_sea.jpg";
  TThumbSaveParams params_;
};

TEST_F(ThumbnailReuseTest, TheThumbnailTakesThePicturesTimeToTheNanosecond) {
  EXPECT_EQ(StatusOf(thumbnail_).st_mtim.tv_sec, 1600000000);
  EXPECT_EQ(StatusOf(thumbnail_).st_mtim.tv_nsec, 123456789);
}

TEST_F(ThumbnailReuseTest, AnUnchangedPictureKeepsItsThumbnailFile) {
  const struct stat before = StatusOf(thumbnail_);
  ASSERT_EQ(CreateThumbnailFile(picture_, thumbnail_, 120, 120, params_), TStatus::Ok());
  const struct stat after = StatusOf(thumbnail_);
  // A rewrite goes through a new file renamed into place: another inode, another change time.
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_ctim.tv_sec, before.st_ctim.tv_sec);
  EXPECT_EQ(after.st_ctim.tv_nsec, before.st_ctim.tv_nsec);
  EXPECT_EQ(ReadWholeFile(thumbnail_), FreshBytes(120, 120, params_));
}

// One change between two makes, and the limits and format of the second make.
struct TChangeCase {
  const char* label;
  std::function<void(const TTempFolder&, const std::string& picture, const std::string& thumb)>
      change;
  int maxWidth = 120;
  int maxHeight = 120;
  TThumbFormat format = TThumbFormat::Jpeg;
  bool interlaced = false;
};

void PrintTo(const TChangeCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.maxWidth, c.maxHeight, c.format, c.interlaced);
}

class ThumbnailChangeTest : public ThumbnailReuseTest,
                            public ::testing::WithParamInterface<TChangeCase> {};

TEST_P(ThumbnailChangeTest, MakesTheThumbnailAgain) {
  const TChangeCase& c = GetParam();
  c.change(folder_, picture_, thumbnail_);
  // Taken after the change: the file the change left must be replaced, not kept.
  const ino_t before = StatusOf(thumbnail_).st_ino;
  TThumbSaveParams params;
  params.format = c.format;
  params.interlaced = c.interlaced;
  ASSERT_EQ(CreateThumbnailFile(picture_, thumbnail_, c.maxWidth, c.maxHeight, params),
            TStatus::Ok());
  EXPECT_NE(StatusOf(thumbnail_).st_ino, before) << "the old file was kept";
  const struct stat made = StatusOf(thumbnail_);
  EXPECT_EQ(ReadWholeFile(thumbnail_), FreshBytes(c.maxWidth, c.maxHeight, params));
  // Now up to date: a third make keeps it.
  ASSERT_EQ(CreateThumbnailFile(picture_, thumbnail_, c.maxWidth, c.maxHeight, params),
            TStatus::Ok());
  EXPECT_EQ(StatusOf(thumbnail_).st_ino, made.st_ino);
}

const auto kNoChange = [](const TTempFolder&, const std::string&, const std::string&) {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ThumbnailChangeTest,
    ::testing::Values(
        TChangeCase{"PictureTouched",
                    [](const TTempFolder&, const std::string& picture, const std::string&) {
                      SetModificationTime(picture, 1600000000, 123456790);
                    }},
        TChangeCase{"PictureReplacedByAnOlderFile",
                    [](const TTempFolder& folder, const std::string& picture, const std::string&) {
                      ASSERT_TRUE(MakeTestPicture(folder / "older.jpg", 600, 800));
                      SetModificationTime(folder / "older.jpg", 1500000000, 0);
                      std::filesystem::rename(folder / "older.jpg", picture);
                    }},
        // A lossless turn by half (same size, same header) with the time set back.
        TChangeCase{"PictureRewrittenWithItsSizeAndTimeKept",
                    [](const TTempFolder&, const std::string& picture, const std::string&) {
                      ASSERT_TRUE(MakeLayoutPicture(picture, 800, 600, TPixelLayout::Cmyk));
                      SetModificationTime(picture, 1600000000, 123456789);
                    }},
        TChangeCase{"PictureResizedWithItsTimeKept",
                    [](const TTempFolder&, const std::string& picture, const std::string&) {
                      ASSERT_TRUE(MakeTestPicture(picture, 1000, 600));
                      SetModificationTime(picture, 1600000000, 123456789);
                    }},
        TChangeCase{"SmallerLimits", kNoChange, 100, 100},
        TChangeCase{"LargerLimits", kNoChange, 200, 90},
        TChangeCase{"OtherFormat", kNoChange, 120, 120, TThumbFormat::Gif},
        TChangeCase{"Bmp", kNoChange, 120, 120, TThumbFormat::Bmp},
        TChangeCase{"Interlaced", kNoChange, 120, 120, TThumbFormat::Jpeg, true},
        TChangeCase{"ThumbnailEditedSince",
                    [](const TTempFolder&, const std::string&, const std::string& thumb) {
                      SetModificationTime(thumb, 1700000000, 0);
                    }},
        TChangeCase{"ThumbnailCutShort",
                    [](const TTempFolder&, const std::string& picture, const std::string& thumb) {
                      const std::string bytes = ReadWholeFile(thumb);
                      ASSERT_TRUE(WriteWholeFile(thumb, bytes.substr(0, bytes.size() / 2)));
                      SetModificationTime(thumb, 1600000000, 123456789);
                      (void)picture;
                    }},
        TChangeCase{"ThumbnailReplacedByAnotherPicture",
                    [](const TTempFolder& folder, const std::string&, const std::string& thumb) {
                      ASSERT_TRUE(MakeTestPicture(folder / "other.png", 120, 90));
                      std::filesystem::rename(folder / "other.png", thumb);
                      SetModificationTime(thumb, 1600000000, 123456789);
                    }}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ThumbnailReuse, ALinkToAGoodThumbnailIsNotKept) {
  // Only a plain file is kept; a link is replaced by a file of its own.
  TTempFolder folder;
  ASSERT_TRUE(MakeTestPicture(folder / "a.jpg", 300, 200));
  ASSERT_EQ(CreateThumbnailFile(folder / "a.jpg", folder / "real.jpg", 120, 120, {}),
            TStatus::Ok());
  std::filesystem::create_symlink(folder / "real.jpg", folder / "_a.jpg");
  ASSERT_EQ(CreateThumbnailFile(folder / "a.jpg", folder / "_a.jpg", 120, 120, {}), TStatus::Ok());
  EXPECT_FALSE(std::filesystem::is_symlink(folder / "_a.jpg"));
}

}  // namespace

}  // namespace zetgallery
