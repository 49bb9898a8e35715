// A build's pace: page writing keeps close behind the thumbnail workers, progress counts every
// picture once in gallery order, and a build stopped midway leaves a whole gallery: every link
// and picture of the index and the pages names a file that exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "BuildDriver.h"
#include "FolderSnapshot.h"
#include "TestPictures.h"
#include "ZetFileUtils.h"

namespace fs = std::filesystem;

namespace {

class TPaceUserInterface : public TUserInterface {
 public:
  bool AskConfirmation(const std::string&) override { return true; }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void ShowPlainMessage(const std::string& text) override { errors.push_back(text); }
  void ShowStandardError(const std::string& text) override { errors.push_back(text); }
  void ProcessMessages() override {
    if (onProcessMessages) onProcessMessages();
  }
  void ReportProgress(int done, int total, const std::string& name) override {
    progress.push_back(std::to_string(done) + "/" + std::to_string(total) + " " + name);
  }
  bool StopRequested() const override {
    return stopAfterProgress >= 0 && static_cast<int>(progress.size()) >= stopAfterProgress;
  }

  std::vector<std::string> errors;
  std::vector<std::string> progress;
  std::function<void()> onProcessMessages;
  int stopAfterProgress = -1;
};

// <root>/pics holds the pictures, <root>/tpl the templates and buttons; the gallery (thumbnail
// index, a page per picture) goes into <root>.
class TPaceGallery {
 public:
  explicit TPaceGallery(const std::vector<std::string>& pictures)
      : root(folder.Path()), pics(root + "/pics") {
    fs::create_directories(pics);
    fs::create_directories(root + "/tpl");
    WriteWholeFile(root + "/tpl/index.tpl",
                   "<html>\r\n<body>\r\n~~~INDEX~~~\r\n</body>\r\n</html>\r\n");
    WriteWholeFile(root + "/tpl/page.tpl",
                   "<html>\r\n<body>\r\n~~~IMAGE~~~\r\n<p>~~~DESCR~~~</p>\r\n~~~BUTTONS~~~\r\n"
                   "</body>\r\n</html>\r\n");
    for (const char* button : {"first", "prev", "next", "last", "index"})
      WriteWholeFile(root + "/tpl/" + button + ".gif", "GIF89a");
    TSettingsSnapshot& s = inputs.Settings;
    s = DesignTimeSettingsSnapshot();
    s.ImagesFolder = pics;
    s.ResultFolder = 0;
    s.ClearResultFolder = true;
    s.ClearThumbsFolder = true;
    s.CopyButtonsFromTemplate = true;
    s.HtmlNames = 0;
    s.Descriptions = 0;
    s.IndexTemplate = root + "/tpl/index.tpl";
    s.IndexType = 3;
    s.ThumbXCount = 3;
    s.CreateThumbs = true;
    s.ThumbsFormat = 1;
    s.ThumbPrefixSuffixType = 0;
    s.ImageType = 1;
    s.ImageTemplate = root + "/tpl/page.tpl";
    s.ButtonImageFirst = root + "/tpl/first.gif";
    s.ButtonImagePrev = root + "/tpl/prev.gif";
    s.ButtonImageNext = root + "/tpl/next.gif";
    s.ButtonImageLast = root + "/tpl/last.gif";
    s.ButtonImageIndex = root + "/tpl/index.gif";
    inputs.Images = pictures;
    inputs.ResultFolderText = root;
    inputs.ThumbsFolderPrefixText = root + "/";
    inputs.ButtonsFolderPrefixText = root + "/";
  }

  // The picture pages on disk (every .htm file of the result folder but the index).
  int PagesOnDisk() const {
    int pages = 0;
    std::error_code error;
    for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error))
      if (it->path().extension() == ".htm" && it->path().filename() != "index.htm") ++pages;
    return pages;
  }

  TTempFolder folder;
  const std::string root;
  const std::string pics;
  TBuildInputs inputs;
};

std::vector<std::string> Numbered(const char* prefix, int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i)
    names.push_back(prefix + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".jpg");
  return names;
}

size_t Count(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++count;
  return count;
}

// --- Stopping midway -------------------------------------------------------------------------

struct TStopCase {
  const char* label;
  int htmlNames;  // 0 pages named after the pictures, 1 numbered pages
};

class StoppedBuild : public ::testing::TestWithParam<TStopCase> {};

TEST_P(StoppedBuild, LeavesAWholeGalleryWhoseEveryLinkExists) {
  TPaceGallery gallery(Numbered("photo", 40));
  for (const std::string& name : gallery.inputs.Images)
    ASSERT_TRUE(MakeTestPicture(gallery.pics + "/" + name, 80, 60));
  gallery.inputs.Settings.HtmlNames = GetParam().htmlNames;
  gallery.inputs.Settings.HtmlFirstImageFile = "page_01.htm";
  TPaceUserInterface ui;
  ui.stopAfterProgress = 12;
  TBuildOptions options;
  options.thumbnailThreads = 2;

  const TBuildResult result = BuildGallery(gallery.inputs, ui, options);

  EXPECT_TRUE(result.stoppedByUser);
  const std::string index = ReadWholeFile(gallery.root + "/index.htm");
  const size_t pictures = Count(index, "<td align=\"center\"");
  EXPECT_GE(pictures, 12u);
  EXPECT_LT(pictures, 40u) << "stopped midway";
  // Well formed: every row and the table closed, the rest of the template copied.
  EXPECT_EQ(Count(index, "<tr"), Count(index, "</tr>"));
  EXPECT_EQ(Count(index, "<table"), Count(index, "</table>"));
  EXPECT_TRUE(index.ends_with("</table>\r\n<br>\r\n</body>\r\n</html>\r\n")) << index;

  std::set<std::string> pages;
  for (const std::string& link : LinkedPaths(index)) {
    EXPECT_TRUE(fs::exists(gallery.root + "/" + link)) << "index: " << link;
    if (link.ends_with(".htm")) pages.insert(link);
  }
  EXPECT_EQ(pages.size(), pictures);
  for (const std::string& page : pages) {
    for (const std::string& link : LinkedPaths(ReadWholeFile(gallery.root + "/" + page)))
      EXPECT_TRUE(fs::exists(gallery.root + "/" + link)) << page << ": " << link;
  }
  EXPECT_EQ(PartFilesUnder(gallery.root), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Naming, StoppedBuild,
                         ::testing::Values(TStopCase{"AfterThePictures", 0},
                                           TStopCase{"Numbered", 1}),
                         [](const auto& info) { return std::string(info.param.label); });

// --- Pace -------------------------------------------------------------------------------------

// Thumbnails that wait at a gate: nothing is finished until the test opens it.
class TGatedMaker {
 public:
  TThumbnailQueue::TMaker Maker() {
    return [this](const TThumbnailJob&) {
      std::unique_lock<std::mutex> lock(mutex_);
      opened_.wait(lock, [this] { return open_; });
      ++finished_;
      return 0;
    };
  }
  void Open() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      open_ = true;
    }
    opened_.notify_all();
  }
  int Finished() {
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = false;
  int finished_ = 0;
};

TEST(BuildPace, PagesRunAtMostTwiceTheWorkerCountAheadOfTheThumbnails) {
  TPaceGallery gallery(Numbered("photo", 40));
  for (const std::string& name : gallery.inputs.Images)
    WriteWholeFile(gallery.pics + "/" + name, "x");
  TGatedMaker thumbnails;
  TPaceUserInterface ui;
  int calls = 0;
  int mostAhead = 0;
  ui.onProcessMessages = [&] {
    mostAhead = std::max(mostAhead, gallery.PagesOnDisk() - thumbnails.Finished());
    // Long enough for the pages to run far ahead if nothing held them back (the writer lets the
    // window breathe twice per picture).
    if (++calls == 24) thumbnails.Open();
  };
  TBuildOptions options;
  options.thumbnailThreads = 2;
  options.thumbnailMaker = thumbnails.Maker();

  const TBuildResult result = BuildGallery(gallery.inputs, ui, options);

  thumbnails.Open();  // in case the build ended before the gate opened
  EXPECT_EQ(result.outcome, TBuildOutcome::Finished);
  EXPECT_EQ(gallery.PagesOnDisk(), 40);
  EXPECT_GT(mostAhead, 0);
  EXPECT_LE(mostAhead, 4);
}

TEST(BuildProgress, CountsEveryPictureOnceInGalleryOrder) {
  // Later pictures finish first, one thumbnail fails, and the thumbnail of b.jpg would land on
  // the picture _b.jpg (the thumbnails go beside the pictures): all are counted, in order.
  const std::vector<std::string> pictures = {"a.jpg", "b.jpg", "_b.jpg", "c.jpg", "d.jpg",
                                             "e.jpg", "f.jpg", "g.jpg",  "h.jpg"};
  TPaceGallery gallery(pictures);
  for (const std::string& name : pictures) WriteWholeFile(gallery.pics + "/" + name, "x");
  gallery.inputs.Settings.ThumbsFolder = "pics";
  gallery.inputs.Settings.ClearThumbsFolder = false;
  gallery.inputs.Settings.ImageType = 0;
  TPaceUserInterface ui;
  TBuildOptions options;
  options.thumbnailThreads = 4;
  options.thumbnailMaker = [&pictures](const TThumbnailJob& job) {
    const std::string name = ExtractFileName(job.source);
    const auto at = std::find(pictures.begin(), pictures.end(), name);
    std::this_thread::sleep_for(std::chrono::milliseconds(10 * (pictures.end() - at)));
    return name == "d.jpg" ? 1 : 0;
  };

  const TBuildResult result = BuildGallery(gallery.inputs, ui, options);

  std::vector<std::string> expected;
  for (size_t i = 0; i < pictures.size(); ++i)
    expected.push_back(std::to_string(i + 1) + "/9 " + pictures[i]);
  EXPECT_EQ(ui.progress, expected);
  EXPECT_EQ(result.thumbnailsFailed, 1);
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find("_b.jpg"), std::string::npos) << ui.errors[0];
}

}  // namespace
