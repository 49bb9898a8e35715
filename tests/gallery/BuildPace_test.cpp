// A build's pace: page writing keeps close behind the thumbnail workers, progress counts every
// picture once in gallery order, and a build stopped midway leaves a whole gallery: every link
// and picture of the index and the pages names a file that exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <set>

#include "FolderSnapshot.h"
#include "GalleryFixture.h"
#include "WriterTestSupport.h"
#include "gallery/BuildDriver.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"
#include "support/WholeFiles.h"
#include "util/ZetFileUtils.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

// `count` picture names photo00.jpg, photo01.jpg, ...
std::vector<std::string> Photos(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i)
    names.push_back((i < 10 ? "photo0" : "photo") + std::to_string(i) + ".jpg");
  return names;
}

size_t Count(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++count;
  return count;
}

class StoppedBuild : public ::testing::TestWithParam<int> {};  // the page naming

TEST_P(StoppedBuild, LeavesAWholeGalleryWhoseEveryLinkExists) {
  TGalleryFixture gallery(Photos(40));
  gallery.settings.ImageType = 1;
  gallery.settings.HtmlNames = GetParam();
  gallery.settings.HtmlFirstImageFile = "page_01.htm";
  gallery.settings.ThumbXCount = 3;
  TRecordingUserInterface ui;
  ui.answer = true;
  ui.stopAfterProgress = 12;
  TBuildOptions options;
  options.thumbnailThreads = 2;

  const TBuildResult result = BuildGallery(gallery.Inputs(), ui, options);

  EXPECT_TRUE(result.stoppedByUser);
  const std::string index = ReadWholeFile(gallery.root + "/index.htm");
  const size_t pictures = Count(index, "<td align=\"center\"");
  EXPECT_GE(pictures, 12u);
  EXPECT_LT(pictures, 40u) << "stopped midway";
  // Well formed: every row and the table closed, the rest of the template copied.
  EXPECT_EQ(Count(index, "<tr"), Count(index, "</tr>"));
  EXPECT_TRUE(index.ends_with("</tr>\r\n</table>\r\n<br>\r\n</html>\r\n")) << index;
  std::set<std::string> pages;
  for (const std::string& link : LinkedPaths(index)) {
    EXPECT_TRUE(fs::exists(gallery.root + "/" + link)) << "index: " << link;
    if (link.ends_with(".htm")) pages.insert(link);
  }
  EXPECT_EQ(pages.size(), pictures);
  for (const std::string& page : pages)
    for (const std::string& link : LinkedPaths(ReadWholeFile(gallery.root + "/" + page)))
      EXPECT_TRUE(fs::exists(gallery.root + "/" + link)) << page << ": " << link;
  EXPECT_EQ(PartFilesUnder(gallery.root), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(PageNaming, StoppedBuild, ::testing::Values(0, 1), TPrintedCaseName());

TEST(BuildPace, PagesRunAtMostTenAheadOfTheThumbnailsOnTwoThreads) {
  TGalleryFixture gallery(Photos(40));
  gallery.settings.ImageType = 1;
  // Thumbnails wait at a gate, opened once the pages had time to run far ahead if nothing held
  // them back (the writer lets the window breathe twice per picture).
  std::mutex mutex;
  std::condition_variable opened;
  bool open = false;
  int finished = 0;
  const auto Open = [&] {
    std::lock_guard<std::mutex> lock(mutex);
    open = true;
    opened.notify_all();
  };
  TBuildOptions options;
  options.thumbnailThreads = 2;
  options.thumbnailMaker = [&](const TThumbnailJob&) {
    std::unique_lock<std::mutex> lock(mutex);
    opened.wait(lock, [&] { return open; });
    ++finished;
    return TStatus::Ok();
  };
  TRecordingUserInterface ui;
  ui.answer = true;
  int mostAhead = 0;
  ui.onProcessMessages = [&] {
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(gallery.root))
      pages += entry.path().extension() == ".htm" && entry.path().filename() != "index.htm";
    std::lock_guard<std::mutex> lock(mutex);
    mostAhead = std::max(mostAhead, pages - finished);
    if (ui.processCount == 24) {
      open = true;
      opened.notify_all();
    }
  };

  const TBuildResult result = BuildGallery(gallery.Inputs(), ui, options);

  Open();  // in case the build ended before the gate opened
  EXPECT_EQ(result.outcome, TBuildOutcome::Finished);
  EXPECT_EQ(ui.progress.size(), 40u);
  EXPECT_GT(mostAhead, 0);
  // Two decodes at once, six more waiting their turn at the decode budget, two queued.
  EXPECT_LE(mostAhead, 10);
}

TEST(BuildProgress, CountsEveryPictureOnceInGalleryOrder) {
  // The first picture's thumbnail finishes last, one thumbnail fails, and the thumbnail of
  // b.jpg would land on the picture _b.jpg (the thumbnails go beside the pictures), so it is
  // not made: all are counted, in order.
  TGalleryFixture gallery({"a.jpg", "b.jpg", "_b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"});
  gallery.settings.ThumbsFolder = "pics";
  gallery.settings.ClearThumbsFolder = false;
  const TBuildInputs inputs = gallery.Inputs();
  TRecordingUserInterface ui;
  ui.answer = true;
  TBuildOptions options;
  options.thumbnailThreads = 4;
  std::mutex mutex;
  std::condition_variable changed;
  int othersLeft = static_cast<int>(inputs.Images.size()) - 2;  // all but a.jpg and b.jpg
  options.thumbnailMaker = [&](const TThumbnailJob& job) {
    const std::string name = ExtractFileName(job.source);
    std::unique_lock<std::mutex> lock(mutex);
    // Seven pictures stay below the pace limit of four workers, so every job is queued while
    // this one waits; the time limit only ends a build that lost a job.
    if (name == "a.jpg")
      changed.wait_for(lock, std::chrono::seconds(10), [&] { return othersLeft == 0; });
    else
      --othersLeft;
    changed.notify_all();
    return name == "d.jpg" ? TStatus::IoError(name) : TStatus::Ok();
  };

  const TBuildResult result = BuildGallery(inputs, ui, options);

  std::vector<std::string> expected;
  for (size_t i = 0; i < inputs.Images.size(); ++i)
    expected.push_back(std::to_string(i + 1) + "/7 " + inputs.Images[i]);
  EXPECT_EQ(ui.progress, expected);
  EXPECT_EQ(othersLeft, 0) << "a.jpg's thumbnail finished last";
  EXPECT_EQ(result.thumbnailsFailed, 1);
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find("_b.jpg"), std::string::npos) << ui.errors[0];
}

}  // namespace

}  // namespace zetgallery
