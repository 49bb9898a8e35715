// Thumbnails that could not be made: the build lists them in gallery order with their result
// codes and shows nothing (the window stays silent); the command line names each picture with
// the reason in a few words.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "GalleryFixture.h"
#include "ProgramRunner.h"
#include "WriterTestSupport.h"
#include "gallery/BuildDriver.h"
#include "gallery/BuildMessages.h"
#include "gallery/Thumbnailer.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"
#include "util/ZetFileUtils.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

TEST(ThumbnailFailureReason, GivesEveryResultCodeItsOwnReason) {
  const int codes[] = {kThumbHeaderFailed,   kThumbSizeFailed, kThumbLoadFailed, kThumbSaveFailed,
                       kThumbTargetIsSource, kThumbTooLarge,   kThumbCannotRead};
  std::set<std::string> reasons;
  for (int code : codes) {
    const std::string reason = ThumbnailFailureReason(code);
    EXPECT_EQ(reason.find(std::to_string(code)), std::string::npos) << "a reason for " << code;
    reasons.insert(reason);
  }
  EXPECT_EQ(reasons.size(), std::size(codes));
  EXPECT_EQ(ThumbnailFailureReason(42), "ошибка 42");
  EXPECT_EQ(ThumbnailFailedMessage("sea.jpg", ThumbnailFailure(kThumbTooLarge)),
            "Миниатюра для sea.jpg не создана: картинка слишком большая.");
}

struct TFailureCase {
  TThumbFailure failure;
  TStatus::TCode code;
};

void PrintTo(const TFailureCase& c, std::ostream* os) {
  *os << c.failure << " " << StatusCodeName(c.code);
}

class ThumbnailFailureTest : public testing::TestWithParam<TFailureCase> {};

TEST_P(ThumbnailFailureTest, KeepsTheStepAndItsReason) {
  const TStatus status = ThumbnailFailure(GetParam().failure);
  EXPECT_EQ(status.code(), GetParam().code);
  EXPECT_EQ(status.detail(), GetParam().failure);
  EXPECT_EQ(status.message(), ThumbnailFailureReason(GetParam().failure));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ThumbnailFailureTest,
    testing::Values(TFailureCase{kThumbHeaderFailed, TStatus::TCode::kUnsupported},
                    TFailureCase{kThumbSizeFailed, TStatus::TCode::kInvalidArgument},
                    TFailureCase{kThumbLoadFailed, TStatus::TCode::kCorrupt},
                    TFailureCase{kThumbSaveFailed, TStatus::TCode::kIoError},
                    TFailureCase{kThumbTargetIsSource, TStatus::TCode::kRefused},
                    TFailureCase{kThumbTooLarge, TStatus::TCode::kUnsupported},
                    TFailureCase{kThumbCannotRead, TStatus::TCode::kIoError},
                    TFailureCase{kThumbTargetProtected, TStatus::TCode::kRefused},
                    TFailureCase{kThumbNotTrashable, TStatus::TCode::kRefused}),
    [](const testing::TestParamInfo<TFailureCase>& info) {
      return "failure_" + std::to_string(info.param.failure);
    });

TEST(ThumbnailFailures, AreListedInGalleryOrderAndNotShown) {
  TGalleryFixture gallery({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
  TBuildOptions options;
  options.thumbnailThreads = 3;
  options.thumbnailMaker = [](const TThumbnailJob& job) {
    const std::string name = ExtractFileName(job.source);
    return name == "b.jpg"   ? ThumbnailFailure(kThumbTooLarge)
           : name == "d.jpg" ? ThumbnailFailure(kThumbCannotRead)
                             : TStatus::Ok();
  };
  TRecordingUserInterface ui;
  ui.answer = true;

  const TBuildResult result = BuildGallery(gallery.Inputs(), ui, options);

  ASSERT_EQ(result.thumbnailFailures.size(), 2u);
  EXPECT_EQ(result.thumbnailFailures[0].picture, "b.jpg");
  EXPECT_EQ(result.thumbnailFailures[0].status.detail(), kThumbTooLarge);
  EXPECT_EQ(result.thumbnailFailures[1].picture, "d.jpg");
  EXPECT_EQ(result.thumbnailFailures[1].status.detail(), kThumbCannotRead);
  EXPECT_EQ(result.thumbnailsFailed, 2);
  EXPECT_EQ(ui.errors, std::vector<std::string>{}) << "the build itself shows nothing";
  EXPECT_EQ(result.picturesWritten, 5);
  EXPECT_EQ(result.thumbnailsWritten, 3);
}

// What a build says the gallery holds: the pictures indexed, the pages (the index, and a page
// per picture when pictures have pages) and the thumbnails in place.
TEST(BuildResult, CountsWhatTheGalleryHolds) {
  const struct {
    int imageType;
    int pages;
  } cases[] = {{0, 1}, {1, 5}};
  for (const auto& c : cases) {
    TGalleryFixture gallery({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    TBuildInputs inputs = gallery.Inputs();
    inputs.Settings.ImageType = c.imageType;
    TBuildOptions options;
    options.thumbnailMaker = [](const TThumbnailJob& job) {
      return ExtractFileName(job.source) == "c.jpg" ? ThumbnailFailure(kThumbLoadFailed)
                                                    : TStatus::Ok();
    };
    TRecordingUserInterface ui;
    ui.answer = true;
    const TBuildResult result = BuildGallery(inputs, ui, options);
    EXPECT_EQ(result.picturesWritten, 4) << c.imageType;
    EXPECT_EQ(result.pagesWritten, c.pages) << c.imageType;
    EXPECT_EQ(result.thumbnailsWritten, 3) << c.imageType;
  }
}

TEST(ThumbnailFailures, TheCommandLineNamesEachPictureAndWhy) {
  TTempFolder folder;
  fs::create_directories(folder / "photos/trip");
  ASSERT_TRUE(MakeTestPicture(folder / "photos/trip/good.jpg", 64, 48));
  WriteWholeFile(folder / "photos/trip/notes.jpg", "these are my notes, not a picture");
  const TCommandRun run =
      RunZetGallery(folder.Path(), folder / "registry.db", {"--build", "--yes", "photos/trip"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("\nМиниатюра для notes.jpg не создана: это не картинка.\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.err.find("Миниатюра для good.jpg"), std::string::npos) << run.err;
}

}  // namespace

}  // namespace zetgallery
