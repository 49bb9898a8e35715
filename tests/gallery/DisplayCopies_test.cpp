// Tests of display copies: their names, their size and orientation, the page that shows them,
// the thumbnail made from the same decode, keeping them when up to date, sweeping stale ones,
// failures, and the ~~~ORIGLINK~~~ line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include "GalleryFixture.h"
#include "TestPictures.h"
#include "gallery/BuildDriver.h"
#include "gallery/BuildMessages.h"
#include "gallery/ImageNames.h"
#include "gallery/Thumbnailer.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

struct TNameCase {
  const char* picture;
  const char* copy;
};

void PrintTo(const TNameCase& c, std::ostream* os) { PrintCase(os, c.picture, c.copy); }

class DisplayCopyNameTest : public ::testing::TestWithParam<TNameCase> {};

TEST_P(DisplayCopyNameTest, KeepsAJpegsNameAndGivesOthersTheirOwn) {
  EXPECT_EQ(DisplayCopyFileName(GetParam().picture), GetParam().copy);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayCopyNameTest,
    ::testing::Values(TNameCase{"sea.jpg", "sea.jpg"}, TNameCase{"SEA.JPEG", "SEA.JPEG"},
                      TNameCase{"sea.png", "sea.png.jpg"}, TNameCase{"sea.gif", "sea.gif.jpg"},
                      TNameCase{"sea", "sea.jpg"}, TNameCase{"море 1.Jpg", "море 1.Jpg"}),
    CaseNamesBy(&TNameCase::picture));

constexpr char kPageTemplate[] = "<html>\r\n~~~IMAGE~~~\r\n~~~ORIGLINK~~~\r\n</html>\r\n";

// A gallery with pages and display copies of at most 400 pixels, in the thumbnail index.
class DisplayCopiesTest : public ::testing::Test {
 protected:
  DisplayCopiesTest() : gallery(std::vector<std::string>{}) {
    StartTestPictures();
    WriteWholeFile(gallery.tpl + "/page.tpl", kPageTemplate);
    TSettingsSnapshot& s = gallery.settings;
    s.ImagesMask = "*.jpg;*.png";
    s.Descriptions = 0;
    s.ImageType = 1;
    s.ClearResultFolder = false;
    s.ClearThumbsFolder = false;
    s.DisplayCopies = true;
    s.DisplaySize = 400;
    s.DisplayQuality = 85;
    s.DisplayFolder = "display";
    ui.answer = true;  // the thumbnails and display folders are made when missing
  }
  TBuildResult Build() { return BuildGallery(gallery.Inputs(), ui); }
  std::string Display(const std::string& name) const { return gallery.root + "/display/" + name; }

  TGalleryFixture gallery;
  TRecordingUserInterface ui;
};

struct TPictureCase {
  const char* label;
  const char* name;
  int width, height;
  int orientation;  // EXIF, JPEG only
  TPixelLayout layout;
  bool layoutPicture;  // drawn by MakeLayoutPicture
  int copyWidth, copyHeight;
  int thumbWidth, thumbHeight;
};

void PrintTo(const TPictureCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.width, c.height, c.orientation, c.copyWidth, c.copyHeight);
}

class DisplayCopySizeTest : public DisplayCopiesTest,
                            public ::testing::WithParamInterface<TPictureCase> {};

TEST_P(DisplayCopySizeTest, IsAnUprightJpegNoLargerThanTheEdgeOrThePicture) {
  const TPictureCase& c = GetParam();
  const std::string path = gallery.pics + "/" + c.name;
  ASSERT_TRUE(c.layoutPicture ? MakeLayoutPicture(path, c.width, c.height, c.layout)
                              : MakeTestPicture(path, c.width, c.height, c.orientation));
  const TBuildResult result = Build();
  ASSERT_EQ(result.outcome, TBuildOutcome::Finished);
  EXPECT_TRUE(result.thumbnailFailures.empty());
  std::string loader;
  int width = 0, height = 0;
  ASSERT_TRUE(ReadBackPicture(Display(DisplayCopyFileName(c.name)), loader, width, height));
  EXPECT_EQ(loader, "jpegload");
  EXPECT_EQ(width, c.copyWidth);
  EXPECT_EQ(height, c.copyHeight);
  // Metadata stripped: no EXIF block (which would also turn the copy again).
  EXPECT_EQ(ReadWholeFile(Display(DisplayCopyFileName(c.name))).find("Exif"), std::string::npos);
  // The thumbnail of the same job follows the thumbnail rule of the picture itself.
  ASSERT_TRUE(
      ReadBackPicture(gallery.root + "/thumbs/_" + fs::path(c.name).stem().string() + ".jpg",
                      loader, width, height));
  EXPECT_EQ(width, c.thumbWidth);
  EXPECT_EQ(height, c.thumbHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayCopySizeTest,
    ::testing::Values(
        TPictureCase{"LandscapeShrinks", "sea.jpg", 800, 600, 1, {}, false, 400, 300, 120, 90},
        TPictureCase{"PortraitShrinks", "tall.jpg", 300, 900, 1, {}, false, 133, 400, 40, 120},
        TPictureCase{"SmallerThanTheEdgeKeepsItsSize",
                     "small.jpg",
                     320,
                     200,
                     1,
                     {},
                     false,
                     320,
                     200,
                     120,
                     75},
        TPictureCase{
            "ExifTurnedIsUpright", "turned.jpg", 800, 600, 6, {}, false, 300, 400, 90, 120},
        TPictureCase{"PngWithAlphaBecomesAJpeg", "clear.png", 1000, 500, 1, TPixelLayout::RgbAlpha,
                     true, 400, 200, 120, 60},
        TPictureCase{
            "TinyPictureKeepsItsSizeInBoth", "tiny.jpg", 100, 60, 1, {}, false, 100, 60, 100, 60}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(DisplayCopiesTest, ThePageShowsTheCopyAndLinksTheOriginal) {
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/sea & sky.png", 800, 600));
  ASSERT_EQ(Build().outcome, TBuildOutcome::Finished);
  EXPECT_EQ(ReadWholeFile(gallery.root + "/sea & sky.htm"),
            "<html>\r\n<p align=\"center\"><img src=\"display/sea &amp; sky.png.jpg\"></p>"
            "<p align=\"center\"><a href=\"pics/sea &amp; sky.png\">sea &amp; sky.png</a></p>\r\n"
            "</html>\r\n");
}

TEST_F(DisplayCopiesTest, WithoutCopiesTheLinkLineIsDroppedAndThePictureShown) {
  gallery.settings.DisplayCopies = false;
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/sea.jpg", 800, 600));
  ASSERT_EQ(Build().outcome, TBuildOutcome::Finished);
  EXPECT_EQ(ReadWholeFile(gallery.root + "/sea.htm"),
            "<html>\r\n<p align=\"center\"><img src=\"pics/sea.jpg\"></p></html>\r\n");
  EXPECT_FALSE(fs::exists(gallery.root + "/display"));
}

TEST_F(DisplayCopiesTest, NoCopiesWithoutPages) {
  gallery.settings.ImageType = 0;
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/sea.jpg", 800, 600));
  ASSERT_EQ(Build().outcome, TBuildOutcome::Finished);
  EXPECT_FALSE(fs::exists(gallery.root + "/display"));
}

ino_t InodeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return status.st_ino;
}

TEST_F(DisplayCopiesTest, AnUpToDateCopyIsKeptAndAChangedSettingMakesItAgain) {
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/sea.jpg", 800, 600));
  ASSERT_EQ(Build().outcome, TBuildOutcome::Finished);
  const ino_t first = InodeOf(Display("sea.jpg"));
  ASSERT_EQ(Build().outcome, TBuildOutcome::Finished);
  EXPECT_EQ(InodeOf(Display("sea.jpg")), first);
  gallery.settings.DisplayQuality = 60;
  ASSERT_EQ(Build().outcome, TBuildOutcome::Finished);
  EXPECT_NE(InodeOf(Display("sea.jpg")), first);
}

// The grid's two thumbnails and the display copy come from one job: each of the right size, and
// each kept by the next build. A copy smaller than the larger thumbnail leaves the pair to its own
// decode.
struct TGridCase {
  const char* label;
  int displaySize;
  int copyWidth, copyHeight;
};

void PrintTo(const TGridCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.displaySize, c.copyWidth, c.copyHeight);
}

class GridWithCopiesTest : public DisplayCopiesTest,
                           public ::testing::WithParamInterface<TGridCase> {};

TEST_P(GridWithCopiesTest, MakesBothThumbnailsAndTheCopyThenKeepsThem) {
  gallery.settings.IndexType = 4;  // the grid
  gallery.settings.DisplaySize = GetParam().displaySize;
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/sea.jpg", 800, 600));
  const TBuildResult result = Build();
  ASSERT_EQ(result.outcome, TBuildOutcome::Finished);
  EXPECT_TRUE(result.thumbnailFailures.empty());
  const std::string thumbs = gallery.root + "/thumbs/";
  const std::vector<std::tuple<std::string, int, int>> expected = {
      {thumbs + "_sea.jpg", 120, 90},
      {thumbs + "_sea@2x.jpg", 240, 180},
      {Display("sea.jpg"), GetParam().copyWidth, GetParam().copyHeight}};
  std::vector<ino_t> inodes;
  for (const auto& [path, expectedWidth, expectedHeight] : expected) {
    std::string loader;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadBackPicture(path, loader, width, height)) << path;
    EXPECT_EQ(width, expectedWidth) << path;
    EXPECT_EQ(height, expectedHeight) << path;
    inodes.push_back(InodeOf(path));
  }
  ASSERT_EQ(Build().outcome, TBuildOutcome::Finished);
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(InodeOf(std::get<0>(expected[i])), inodes[i]) << std::get<0>(expected[i]);
}

INSTANTIATE_TEST_SUITE_P(Cases, GridWithCopiesTest,
                         ::testing::Values(TGridCase{"FromTheCopy", 400, 400, 300},
                                           TGridCase{"CopySmallerThanThe2x", 200, 200, 150}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(DisplayCopiesTest, StaleCopiesGoAndFilesOfOthersStay) {
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/sea.jpg", 800, 600));
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/old.jpg", 800, 600));
  ASSERT_EQ(Build().outcome, TBuildOutcome::Finished);
  ASSERT_TRUE(fs::exists(Display("old.jpg")));
  WriteWholeFile(Display("notes.txt"), "mine");
  fs::remove(gallery.pics + "/old.jpg");
  ASSERT_EQ(Build().outcome, TBuildOutcome::Finished);
  EXPECT_FALSE(fs::exists(Display("old.jpg")));
  EXPECT_EQ(ReadWholeFile(Display("notes.txt")), "mine");
  EXPECT_TRUE(gallery.Trashed().empty());
}

TEST_F(DisplayCopiesTest, AFileOfOthersInTheWayGoesToTheTrash) {
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/sea.jpg", 800, 600));
  fs::create_directories(gallery.root + "/display");
  WriteWholeFile(Display("sea.jpg"), "someone's own");
  ASSERT_EQ(Build().outcome, TBuildOutcome::Finished);
  EXPECT_EQ(gallery.Trashed().size(), 1u);
  std::string loader;
  int width = 0, height = 0;
  EXPECT_TRUE(ReadBackPicture(Display("sea.jpg"), loader, width, height));
}

TEST_F(DisplayCopiesTest, ABrokenPicturesCopyIsReportedAsACopy) {
  gallery.settings.IndexType = 0;  // no thumbnails: only the copy fails
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/sea.jpg", 800, 600));
  WriteWholeFile(gallery.pics + "/broken.jpg", "not a picture");
  const TBuildResult result = Build();
  ASSERT_EQ(result.thumbnailFailures.size(), 1u);
  EXPECT_EQ(result.thumbnailFailures[0].picture, "broken.jpg");
  EXPECT_EQ(result.thumbnailFailures[0].status.detail(), kThumbHeaderFailed);
  EXPECT_TRUE(result.thumbnailFailures[0].displayCopy);
  EXPECT_EQ(DisplayCopyFailedMessage("broken.jpg", result.thumbnailFailures[0].status),
            "Копия для показа broken.jpg не создана: " +
                ThumbnailFailureReason(kThumbHeaderFailed) + ".");
  EXPECT_FALSE(fs::exists(Display("broken.jpg")));
  EXPECT_TRUE(fs::exists(Display("sea.jpg")));
}

TEST_F(DisplayCopiesTest, ACopyNamedLikeAnInputIsRefused) {
  // The display folder is the pictures' folder: a copy would replace its own picture.
  gallery.settings.DisplayFolder = "pics";
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/sea.jpg", 800, 600));
  const std::string before = ReadWholeFile(gallery.pics + "/sea.jpg");
  Build();
  EXPECT_EQ(ReadWholeFile(gallery.pics + "/sea.jpg"), before);
  ASSERT_FALSE(ui.errors.empty());
  EXPECT_NE(ui.errors[0].find("Копия для показа"), std::string::npos);
}

}  // namespace

}  // namespace zetgallery
