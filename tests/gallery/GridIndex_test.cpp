// Tests of the grid index: the cell of a picture (alt text, caption, size, the srcset of the
// thumbnail of twice the size), and a built grid gallery, whose thumbnails of both sizes come
// from one decoding and follow the ledger's rules.
#include "gallery/GridIndex.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "GalleryFixture.h"
#include "TestPictures.h"
#include "gallery/BuildDriver.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace {

struct TFigureCase {
  const char* title;
  const char* picture;
  const char* description;
  int width, height;
  const char* expected;
};

void PrintTo(const TFigureCase& c, std::ostream* os) {
  PrintCase(os, c.title, c.picture, c.description, c.width, c.height);
}

class GridFigureTest : public ::testing::TestWithParam<TFigureCase> {};

TEST_P(GridFigureTest, WritesTheCell) {
  const TFigureCase& c = GetParam();
  TBuildPlan plan;
  plan.IndexType = TIndexKind::Grid;
  plan.ImageType = TPictureMode::Page;
  plan.ThumbsUrlPrefix = "thumbs/";
  plan.ThumbPrefixSuffix = "_";
  plan.Images = {c.picture};
  plan.IndexFile = "index.htm";
  plan.PageExtension = ".htm";
  const TImageNames names = PrepareImageNames(plan, 0);
  EXPECT_EQ(GridFigure(plan, names, 0, "p.htm", c.description, c.width, c.height), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridFigureTest,
    ::testing::Values(
        TFigureCase{"Described", "sea.jpg", "Sea at <b>dawn</b>", 120, 80,
                    "<figure><a href=\"p.htm\"><img src=\"thumbs/_sea.jpg\" "
                    "srcset=\"thumbs/_sea@2x.jpg 2x\" width=\"120\" height=\"80\" "
                    "alt=\"Sea at &lt;b&gt;dawn&lt;/b&gt;\" loading=\"lazy\" decoding=\"async\">"
                    "</a><figcaption>Sea at <b>dawn</b></figcaption></figure>\r\n"},
        TFigureCase{"NamedByItsFile", "a \"b\" & c.jpg", "", 90, 120,
                    "<figure><a href=\"p.htm\"><img src=\"thumbs/_a %22b%22 &amp; c.jpg\" "
                    "srcset=\"thumbs/_a%20%22b%22%20&amp;%20c@2x.jpg 2x\" width=\"90\" "
                    "height=\"120\" alt=\"a &quot;b&quot; &amp; c.jpg\" loading=\"lazy\" "
                    "decoding=\"async\"></a></figure>\r\n"},
        TFigureCase{"CommaInTheName", "x,y.jpg", "", 10, 20,
                    "<figure><a href=\"p.htm\"><img src=\"thumbs/_x,y.jpg\" "
                    "srcset=\"thumbs/_x%2Cy@2x.jpg 2x\" width=\"10\" height=\"20\" "
                    "alt=\"x,y.jpg\" loading=\"lazy\" decoding=\"async\"></a></figure>\r\n"},
        TFigureCase{"SizeUnknown", "gone.jpg", "", 0, 0,
                    "<figure><a href=\"p.htm\"><img src=\"thumbs/_gone.jpg\" "
                    "srcset=\"thumbs/_gone@2x.jpg 2x\" alt=\"gone.jpg\" loading=\"lazy\" "
                    "decoding=\"async\"></a></figure>\r\n"}),
    CaseNamesBy(&TFigureCase::title));

struct TDoubleNameCase {
  const char* thumb;
  const char* expected;
};

void PrintTo(const TDoubleNameCase& c, std::ostream* os) { PrintCase(os, c.thumb, c.expected); }

class DoubleThumbnailNameTest : public ::testing::TestWithParam<TDoubleNameCase> {};

TEST_P(DoubleThumbnailNameTest, PutsTheMarkBeforeTheExtension) {
  EXPECT_EQ(DoubleThumbnailFileName(GetParam().thumb), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DoubleThumbnailNameTest,
                         ::testing::Values(TDoubleNameCase{"_sea.jpg", "_sea@2x.jpg"},
                                           TDoubleNameCase{"sea_t.gif", "sea_t@2x.gif"},
                                           TDoubleNameCase{"a.b.bmp", "a.b@2x.bmp"},
                                           TDoubleNameCase{"_.jpg", "_@2x.jpg"}),
                         TPrintedCaseName());

TEST(GridThumbnailSize, FollowsTheThumbnailRuleOrIsUnknown) {
  TGalleryFixture gallery(std::vector<std::string>{});
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/wide.jpg", 800, 600));
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/turned.jpg", 800, 600, 6));
  TBuildPlan plan;
  plan.ThumbXSize = 120;
  plan.ThumbYSize = 100;
  int width = -1, height = -1;
  GridThumbnailSize(plan, gallery.pics + "/wide.jpg", width, height);
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(120, 90));
  GridThumbnailSize(plan, gallery.pics + "/turned.jpg", width, height);
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(75, 100)) << "shown upright";
  GridThumbnailSize(plan, gallery.pics + "/none.jpg", width, height);
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(0, 0));
}

ino_t InodeOf(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

TEST(GridGallery, MakesBothThumbnailsAndKeepsThemByTheLedger) {
  TGalleryFixture gallery(std::vector<std::string>{});
  ASSERT_TRUE(MakeTestPicture(gallery.pics + "/sea.jpg", 800, 600));
  gallery.settings.IndexType = static_cast<int>(TIndexKind::Grid);
  gallery.settings.ClearThumbsFolder = false;
  const std::string thumbs = gallery.root + "/thumbs/";
  // Someone else's file where the thumbnail of twice the size goes.
  std::filesystem::create_directories(thumbs);
  ASSERT_TRUE(WriteWholeFile(gallery.root + "/thumbs/_sea@2x.jpg", "mine"));
  TRecordingUserInterface ui;
  ui.answer = true;
  ASSERT_EQ(BuildGallery(gallery.Inputs(), ui).outcome, TBuildOutcome::Finished);
  EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();

  std::string loader;
  int width = 0, height = 0;
  ASSERT_TRUE(ReadBackPicture(thumbs + "_sea.jpg", loader, width, height));
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(120, 90));
  ASSERT_TRUE(ReadBackPicture(thumbs + "_sea@2x.jpg", loader, width, height));
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(240, 180));
  EXPECT_EQ(gallery.Trashed().size(), 1u) << "the file in the way went to the trash";
  const std::string index = ReadWholeFile(gallery.root + "/index.htm");
  EXPECT_NE(index.find("<img src=\"thumbs/_sea.jpg\" srcset=\"thumbs/_sea@2x.jpg 2x\" "
                       "width=\"120\" height=\"90\""),
            std::string::npos)
      << index;

  // A second build keeps both files as they are.
  const ino_t single = InodeOf(thumbs + "_sea.jpg"), twice = InodeOf(thumbs + "_sea@2x.jpg");
  ASSERT_EQ(BuildGallery(gallery.Inputs(), ui).outcome, TBuildOutcome::Finished);
  EXPECT_EQ(InodeOf(thumbs + "_sea.jpg"), single);
  EXPECT_EQ(InodeOf(thumbs + "_sea@2x.jpg"), twice);

  // Either one lost is made again as it was, from the one decoding both come from.
  for (const char* name : {"_sea.jpg", "_sea@2x.jpg"}) {
    const std::string bytes = ReadWholeFile(thumbs + name);
    std::filesystem::remove(thumbs + name);
    ASSERT_EQ(BuildGallery(gallery.Inputs(), ui).outcome, TBuildOutcome::Finished);
    EXPECT_EQ(ReadWholeFile(thumbs + name), bytes) << name;
  }
  // The table's thumbnail is made from the picture itself: not the grid's, which is shrunk from
  // the larger one.
  const ino_t grid = InodeOf(thumbs + "_sea.jpg");
  gallery.settings.IndexType = static_cast<int>(TIndexKind::Thumbnails);
  ASSERT_EQ(BuildGallery(gallery.Inputs(), ui).outcome, TBuildOutcome::Finished);
  EXPECT_NE(InodeOf(thumbs + "_sea.jpg"), grid);
}

}  // namespace

}  // namespace zetgallery
