// Tests of the build driver on temporary folders: the folder checks and their questions, the
// clearing of the result and thumbnails folders, the button copies, the guard that keeps the
// pictures safe, re-entry, and thumbnails made in parallel matching a one-thread build.
#include "gallery/BuildDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>

#include "TestPictures.h"
#include "gallery/BuildMessages.h"
#include "gallery/ResultFolders.h"
#include "gallery/Thumbnailer.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"
#include "util/ZetFileUtils.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

// Records the thumbnails asked for, without libvips.
struct TThumbnailLog {
  std::mutex mutex;
  std::vector<std::pair<std::string, std::string>> calls;
  TThumbnailQueue::TMaker Maker() {
    return [this](const TThumbnailJob& job) {
      std::lock_guard<std::mutex> lock(mutex);
      calls.emplace_back(job.source, job.target);
      return TStatus::Ok();
    };
  }
};

// A gallery folder: <root>/pics holds the pictures, <root> is the result folder by default.
class BuildDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pics = folder / "pics";
    fs::create_directories(pics);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) WriteWholeFile(pics + "/" + name, "x");
    WriteWholeFile(folder / "index.tpl", "<html>\r\n~~~INDEX~~~\r\n</html>\r\n");
    WriteWholeFile(folder / "page.tpl", "~~~IMAGE~~~\r\n~~~DESCR~~~\r\n~~~BUTTONS~~~\r\n");
    inputs.Images = {"a.jpg", "b.jpg", "c.jpg"};
    TSettingsSnapshot& s = inputs.Settings;
    s.ImagesFolder = pics;
    s.ResultFolder = 0;
    s.ThumbsFolder = "thumbs";
    s.ButtonsFolder = "buttons";
    s.ImagesMask = "*.jpg";
    s.HtmlFirstImageFile = "01.htm";
    s.IndexFile = "index.htm";
    s.Descriptions = 0;
    s.IndexTemplate = folder / "index.tpl";
    s.IndexPlace = "~~~INDEX~~~";
    s.IndexType = 3;
    s.TableWidth = 100;
    s.TableBorderWidth = 1;
    s.CellPadding = 3;
    s.TableBorderColor = "#000000";
    s.TableBackColor = "#FFFFFF";
    s.FileSizes = 0;
    s.ThumbXCount = 5;
    s.ThumbXSize = "120";
    s.ThumbYSize = "120";
    s.CreateThumbs = true;
    s.ThumbsFormat = 1;
    s.ThumbPrefixSuffix = "_";
    s.ImageType = 0;
    s.ImageTemplate = folder / "page.tpl";
    s.ImagePlace = "~~~IMAGE~~~";
    s.DescrPlace = "~~~DESCR~~~";
    s.ButtonsPlace = "~~~BUTTONS~~~";
    for (const char* button : {"first", "prev", "next", "last", "index"}) {
      const std::string path = folder / (std::string("btn_") + button + ".gif");
      WriteWholeFile(path, std::string("button ") + button);
    }
    s.ButtonImageFirst = folder / "btn_first.gif";
    s.ButtonImagePrev = folder / "btn_prev.gif";
    s.ButtonImageNext = folder / "btn_next.gif";
    s.ButtonImageLast = folder / "btn_last.gif";
    s.ButtonImageIndex = folder / "btn_index.gif";
    s.AltFirst = "First";
    s.AltPrev = "Prev";
    s.AltNext = "Next";
    s.AltLast = "Last";
    s.AltIndex = "Index";
    ChooseResultFolder(0);
  }

  // What the window shows for result-folder entry `index` of the images folder.
  void ChooseResultFolder(int index) {
    inputs.Settings.ResultFolder = index;
    inputs.ResultFolderText =
        ResultFolderAt(ResultFolderEntries(inputs.Settings.ImagesFolder), index);
    inputs.ThumbsFolderPrefixText = EnsureTrailingBackslash(inputs.ResultFolderText);
    inputs.ButtonsFolderPrefixText = EnsureTrailingBackslash(inputs.ResultFolderText);
    inputs.ClearThumbsFolderEnabled = inputs.Settings.IndexType == 3;
  }

  TBuildResult Build() {
    TBuildOptions options;
    options.thumbnailThreads = 2;
    options.thumbnailMaker = thumbnails.Maker();
    return BuildGallery(inputs, ui, options);
  }

  static std::vector<std::string> Names(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path))
      names.push_back(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
  }

  TTempFolder folder;
  std::string pics;
  TBuildInputs inputs;
  TRecordingUserInterface ui;
  TThumbnailLog thumbnails;
};

// --- The folder checks -------------------------------------------------------------------

struct TFolderCase {
  const char* label;
  bool resultExists, thumbsExists;
  int imageType;
  std::vector<bool> answers;
  std::vector<std::string> askedFolders;  // relative to the temporary folder
  const char* error;                      // nullptr: no error
  TBuildOutcome outcome;
};

void PrintTo(const TFolderCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.resultExists, c.thumbsExists, c.imageType, c.answers, c.askedFolders,
            c.error, c.outcome);
}

class FolderChecks : public BuildDriverTest, public ::testing::WithParamInterface<TFolderCase> {};

TEST_P(FolderChecks, AskInOrderAndStopOnRefusal) {
  const TFolderCase& c = GetParam();
  inputs.Settings.ImageType = c.imageType;
  inputs.Settings.CopyButtonsFromTemplate = true;
  // The result folder is a new folder "site" beside the pictures' folder when it must be made.
  const std::string result = c.resultExists ? folder.Path() : folder / "site";
  inputs.ResultFolderText = result;
  inputs.ThumbsFolderPrefixText = inputs.ButtonsFolderPrefixText = result + "/";
  if (c.thumbsExists) fs::create_directories(result + "/thumbs");
  ui.answers.assign(c.answers.begin(), c.answers.end());

  const TBuildResult outcome = Build();

  std::vector<std::string> expectedQuestions;
  for (const std::string& asked : c.askedFolders)
    expectedQuestions.push_back(FolderMissingQuestion(folder / asked));
  EXPECT_EQ(ui.questions, expectedQuestions);
  if (c.error == nullptr) {
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(outcome.stopReason, TStatus::Ok());
  } else {
    EXPECT_EQ(ui.errors, std::vector<std::string>{c.error});
    // The user said No: the folder is not there.
    EXPECT_EQ(outcome.stopReason, TStatus::NotFound(c.error));
  }
  EXPECT_EQ(outcome.outcome, c.outcome);
  EXPECT_EQ(outcome.errorsShown, c.error == nullptr ? 0 : 1);
  if (c.outcome == TBuildOutcome::Stopped) {
    EXPECT_TRUE(ui.events.empty()) << "a stopped build must not touch caption, button or beep";
    EXPECT_TRUE(thumbnails.calls.empty());
  } else {
    EXPECT_EQ(ui.events, (std::vector<std::string>{"building", "built", "beep"}));
    EXPECT_TRUE(fs::exists(result + "/index.htm"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderChecks,
                         ::testing::Values(TFolderCase{"ResultRefused",
                                                       false,
                                                       false,
                                                       0,
                                                       {false},
                                                       {"site"},
                                                       kMsgNoResultFolder,
                                                       TBuildOutcome::Stopped},
                                           TFolderCase{"ThumbsRefused",
                                                       false,
                                                       false,
                                                       0,
                                                       {true, false},
                                                       {"site", "site/thumbs"},
                                                       kMsgNoThumbsFolder,
                                                       TBuildOutcome::Stopped},
                                           TFolderCase{"ThumbsRefusedResultThere",
                                                       true,
                                                       false,
                                                       0,
                                                       {false},
                                                       {"thumbs"},
                                                       kMsgNoThumbsFolder,
                                                       TBuildOutcome::Stopped},
                                           TFolderCase{"ButtonsRefused",
                                                       true,
                                                       true,
                                                       1,
                                                       {false},
                                                       {"buttons"},
                                                       kMsgNoButtonsFolder,
                                                       TBuildOutcome::Stopped},
                                           TFolderCase{"AllAccepted",
                                                       false,
                                                       false,
                                                       1,
                                                       {true, true, true},
                                                       {"site", "site/thumbs", "site/buttons"},
                                                       nullptr,
                                                       TBuildOutcome::Finished},
                                           TFolderCase{"PicturesAsFilesNeedNoButtons",
                                                       true,
                                                       true,
                                                       0,
                                                       {},
                                                       {},
                                                       nullptr,
                                                       TBuildOutcome::Finished}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(BuildDriverTest, TheThumbnailsFolderIsDemandedWhateverTheIndexKind) {
  const struct {
    int indexType;
    bool createThumbs;
  } cases[] = {{0, false}, {1, true}, {2, false}, {-1, false}, {3, false}};
  for (const auto& c : cases) {
    fs::remove_all(folder / "thumbs");
    ui.questions.clear();
    ui.answers = {true};
    inputs.Settings.IndexType = c.indexType;
    inputs.Settings.CreateThumbs = c.createThumbs;
    Build();
    EXPECT_EQ(ui.questions, std::vector<std::string>{FolderMissingQuestion(folder / "thumbs")})
        << c.indexType;
    EXPECT_TRUE(fs::is_directory(folder / "thumbs")) << c.indexType;
  }
}

TEST_F(BuildDriverTest, RefusedFoldersAreNotCreated) {
  inputs.ResultFolderText = folder / "site";
  ui.answers = {false};
  Build();
  EXPECT_FALSE(fs::exists(folder / "site"));
}

struct TCreationCase {
  const char* label;
  const char* blockedFolder;  // "result", "thumbs" or "buttons": a plain file has its name
  const char* error;
};

void PrintTo(const TCreationCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.blockedFolder, c.error);
}

class FolderCreationFails : public BuildDriverTest,
                            public ::testing::WithParamInterface<TCreationCase> {};

TEST_P(FolderCreationFails, StopsWithItsMessage) {
  const TCreationCase& c = GetParam();
  inputs.Settings.ImageType = 1;
  inputs.Settings.CopyButtonsFromTemplate = true;
  const std::string blocked = c.blockedFolder;
  std::string result = folder.Path();
  if (blocked == "result") {
    WriteWholeFile(folder / "site", "a file, not a folder");
    result = folder / "site/inner";
  }
  if (blocked == "thumbs") WriteWholeFile(folder / "thumbs", "a file");
  if (blocked == "buttons") WriteWholeFile(folder / "buttons", "a file");
  inputs.ResultFolderText = result;
  inputs.ThumbsFolderPrefixText = inputs.ButtonsFolderPrefixText = result + "/";
  ui.answers = {true, true, true};
  const TBuildResult outcome = Build();
  EXPECT_EQ(outcome.outcome, TBuildOutcome::Stopped);
  EXPECT_EQ(ui.errors, std::vector<std::string>{c.error});
  EXPECT_EQ(outcome.stopReason, TStatus::IoError(c.error));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderCreationFails,
    ::testing::Values(TCreationCase{"Result", "result", kMsgCreateResultFolderFailed},
                      TCreationCase{"Thumbs", "thumbs", kMsgCreateThumbsFolderFailed},
                      TCreationCase{"Buttons", "buttons", kMsgCreateButtonsFolderFailed}),
    [](const auto& info) { return std::string(info.param.label); });

// --- Clearing --------------------------------------------------------------------------

TEST_F(BuildDriverTest, ClearingTheResultFolderTakesOnlyHtmlFiles) {
  inputs.Settings.ClearResultFolder = true;
  for (const char* name : {"old.htm", "old.html", "SHOUT.HTM", "page.htmx", "x.htm.bak",
                           "trip.html.jpg", "photo.jpg", "notes.txt", "x.shtml", ".hidden.htm"})
    WriteWholeFile(folder / name, "old");
  fs::create_directories(folder / "folder.htm");
  fs::create_directories(folder / "sub");
  WriteWholeFile(folder / "sub/inner.htm", "old");
  fs::create_directories(folder / "thumbs");

  Build();

  EXPECT_EQ(
      Names(folder.Path()),
      (std::vector<std::string>{
          ".zetgallery-ledger", "btn_first.gif", "btn_index.gif", "btn_last.gif", "btn_next.gif",
          "btn_prev.gif", "folder.htm/", "index.htm", "index.tpl", "notes.txt", "page.tpl",
          "photo.jpg", "pics/", "sub/", "thumbs/", "trip.html.jpg", "x.htm.bak", "x.shtml"}));
  EXPECT_TRUE(fs::exists(folder / "sub/inner.htm"));
}

// Files that clearing must leave alone although their names are taken: the user protected them,
// or the build itself reads them.
struct TKeptFileCase {
  const char* label;
  const char* folderName;  // "" the result folder, "thumbs" the thumbnails folder
  const char* fileName;
  bool writeProtected;
  const char* role;  // "index", "page" or "button": the setting that names the file; "" none
  bool kept;
};

void PrintTo(const TKeptFileCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.folderName, c.fileName, c.writeProtected, c.role, c.kept);
}

class ClearingKeeps : public BuildDriverTest,
                      public ::testing::WithParamInterface<TKeptFileCase> {};

TEST_P(ClearingKeeps, ProtectedFilesAndTheBuildsInputs) {
  const TKeptFileCase& c = GetParam();
  inputs.Settings.ClearResultFolder = true;
  inputs.Settings.ClearThumbsFolder = true;
  inputs.Settings.ImageType = 1;
  ChooseResultFolder(1);  // the pages beside the pictures
  fs::create_directories(pics + "/thumbs");
  const std::string where = std::string(c.folderName).empty() ? pics : pics + "/" + c.folderName;
  const std::string path = where + "/" + c.fileName;
  WriteWholeFile(path, "<p>~~~IMAGE~~~</p>\r\n");
  const std::string role = c.role;
  if (role == "index") {
    WriteWholeFile(path, "<html>\r\n~~~INDEX~~~\r\n</html>\r\n");
    inputs.Settings.IndexTemplate = path;
  }
  if (role == "page") inputs.Settings.ImageTemplate = "\"" + path + "\"";
  if (role == "button") inputs.Settings.ButtonImageNext = path;
  if (c.writeProtected) fs::permissions(path, fs::perms::owner_read, fs::perm_options::replace);

  Build();

  EXPECT_EQ(fs::exists(path), c.kept);
  if (c.kept && role != "button") {
    EXPECT_NE(ReadWholeFile(path), "") << "not overwritten";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClearingKeeps,
    ::testing::Values(
        TKeptFileCase{"OrdinaryOldPage", "", "old.htm", false, "", false},
        TKeptFileCase{"WriteProtectedPage", "", "keep.htm", true, "", true},
        TKeptFileCase{"OrdinaryOldThumbnail", "thumbs", "_old.jpg", false, "", false},
        TKeptFileCase{"WriteProtectedThumbnail", "thumbs", "_keep.jpg", true, "", true},
        TKeptFileCase{"IndexTemplateBesideThePages", "", "my template.htm", false, "index", true},
        TKeptFileCase{"PageTemplateBesideThePages", "", "page template.html", false, "page", true},
        TKeptFileCase{"PageTemplateInTheThumbnails", "thumbs", "page.tpl", false, "page", true},
        TKeptFileCase{"ButtonInTheThumbnails", "thumbs", "next.gif", false, "button", true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(BuildDriverTest, WithoutClearingOldPagesStay) {
  inputs.Settings.ClearResultFolder = false;
  WriteWholeFile(folder / "old.htm", "old");
  fs::create_directories(folder / "thumbs");
  Build();
  EXPECT_TRUE(fs::exists(folder / "old.htm"));
}

struct TThumbsClearCase {
  const char* label;
  bool checked;
  int indexType;  // the check box is enabled only for the thumbnail index
  bool cleared;
};

void PrintTo(const TThumbsClearCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.checked, c.indexType, c.cleared);
}

class ThumbsFolderClearing : public BuildDriverTest,
                             public ::testing::WithParamInterface<TThumbsClearCase> {};

TEST_P(ThumbsFolderClearing, DeletesEveryFileButNoFolder) {
  const TThumbsClearCase& c = GetParam();
  inputs.Settings.ClearThumbsFolder = c.checked;
  inputs.Settings.IndexType = c.indexType;
  ChooseResultFolder(0);
  const std::string thumbs = folder / "thumbs";
  fs::create_directories(thumbs + "/keep");
  for (const char* name : {"_a.jpg", "stray.png", ".hidden", "readme"})
    WriteWholeFile(thumbs + "/" + name, "old");
  WriteWholeFile(thumbs + "/keep/inner.jpg", "old");

  Build();

  std::vector<std::string> expected = {"keep/"};
  if (!c.cleared) expected = {".hidden", "_a.jpg", "keep/", "readme", "stray.png"};
  // The fake thumbnail maker writes nothing, so only old files can be there.
  EXPECT_EQ(Names(thumbs), expected);
  EXPECT_TRUE(fs::exists(thumbs + "/keep/inner.jpg"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ThumbsFolderClearing,
                         ::testing::Values(TThumbsClearCase{"CheckedAndEnabled", true, 3, true},
                                           TThumbsClearCase{"CheckedButDisabled", true, 2, false},
                                           TThumbsClearCase{"NotChecked", false, 3, false}),
                         [](const auto& info) { return std::string(info.param.label); });

// --- Buttons ---------------------------------------------------------------------------

TEST_F(BuildDriverTest, CopiesTheFiveButtonsUnderTheirFileNames) {
  inputs.Settings.ImageType = 1;
  inputs.Settings.CopyButtonsFromTemplate = true;
  fs::create_directories(folder / "thumbs");
  fs::create_directories(folder / "buttons");
  WriteWholeFile(folder / "buttons/btn_next.gif", "stale");
  // A quoted path is used without its quotes.
  inputs.Settings.ButtonImageLast = "\"" + inputs.Settings.ButtonImageLast + "\"";
  Build();
  EXPECT_EQ(Names(folder / "buttons"),
            (std::vector<std::string>{"btn_first.gif", "btn_index.gif", "btn_last.gif",
                                      "btn_next.gif", "btn_prev.gif"}));
  EXPECT_EQ(ReadWholeFile(folder / "buttons/btn_next.gif"), "button next");
  EXPECT_EQ(ReadWholeFile(folder / "buttons/btn_last.gif"), "button last");
  EXPECT_TRUE(ui.errors.empty());
}

struct TButtonModeCase {
  const char* label;
  int imageType;
  bool copyButtons;
  bool copied;
};

void PrintTo(const TButtonModeCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.imageType, c.copyButtons, c.copied);
}

class ButtonCopies : public BuildDriverTest,
                     public ::testing::WithParamInterface<TButtonModeCase> {};

TEST_P(ButtonCopies, OnlyForPicturePagesWithCopyingOn) {
  const TButtonModeCase& c = GetParam();
  inputs.Settings.ImageType = c.imageType;
  inputs.Settings.CopyButtonsFromTemplate = c.copyButtons;
  fs::create_directories(folder / "thumbs");
  fs::create_directories(folder / "buttons");
  Build();
  EXPECT_EQ(fs::exists(folder / "buttons/btn_first.gif"), c.copied);
  EXPECT_TRUE(ui.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ButtonCopies,
                         ::testing::Values(TButtonModeCase{"PagesAndCopy", 1, true, true},
                                           TButtonModeCase{"PagesNoCopy", 1, false, false},
                                           TButtonModeCase{"FilesAndCopy", 0, true, false}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(BuildDriverTest, AMissingButtonPictureIsPassedOverSilently) {
  inputs.Settings.ImageType = 1;
  inputs.Settings.CopyButtonsFromTemplate = true;
  inputs.Settings.ButtonImagePrev = folder / "no-such.gif";
  fs::create_directories(folder / "thumbs");
  fs::create_directories(folder / "buttons");
  const TBuildResult outcome = Build();
  EXPECT_EQ(outcome.outcome, TBuildOutcome::Finished);
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_FALSE(fs::exists(folder / "buttons/no-such.gif"));
  EXPECT_TRUE(fs::exists(folder / "buttons/btn_next.gif"));
}

// --- No picture is lost ---------------------------------------------------------------

struct TGuardCase {
  const char* label;
  int resultEntry;         // 0 the parent of the pictures, 1 the pictures' folder
  const char* thumbsName;  // the thumbnails folder name inside the result folder
  bool clear;
  bool stopped;
};

void PrintTo(const TGuardCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.resultEntry, c.thumbsName, c.clear, c.stopped);
}

class PictureGuard : public BuildDriverTest, public ::testing::WithParamInterface<TGuardCase> {};

TEST_P(PictureGuard, ThumbsFolderHoldingThePicturesIsNeverCleared) {
  const TGuardCase& c = GetParam();
  inputs.Settings.ThumbsFolder = c.thumbsName;
  inputs.Settings.ClearThumbsFolder = c.clear;
  inputs.Settings.ClearResultFolder = true;
  ChooseResultFolder(c.resultEntry);
  fs::create_directories(inputs.ThumbsFolderPrefixText + c.thumbsName);
  WriteWholeFile(folder / "old.htm", "old page");
  WriteWholeFile(pics + "/old.htm", "old page");

  const TBuildResult outcome = Build();

  if (c.stopped) {
    EXPECT_EQ(ui.errors, std::vector<std::string>{kMsgThumbsFolderIsImagesFolder});
    EXPECT_EQ(outcome.outcome, TBuildOutcome::Stopped);
    EXPECT_TRUE(ui.questions.empty());
    // Nothing at all was deleted, not even the old pages of the result folder.
    EXPECT_TRUE(fs::exists(folder / "old.htm"));
    EXPECT_TRUE(fs::exists(pics + "/old.htm"));
  } else {
    EXPECT_EQ(outcome.outcome, TBuildOutcome::Finished);
  }
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) EXPECT_TRUE(fs::exists(pics + "/" + name));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureGuard,
    ::testing::Values(TGuardCase{"ThumbsNamedLikeThePictures", 0, "pics", true, true},
                      TGuardCase{"ThumbsAreTheResultFolder", 1, ".", true, true},
                      TGuardCase{"ThumbsHoldThePictures", 1, "..", true, true},
                      TGuardCase{"SameFolderWithoutClearing", 0, "pics", false, false},
                      TGuardCase{"OrdinaryThumbsFolder", 0, "thumbs", true, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(BuildDriverTest, NoThumbnailIsMadeOverAPicture) {
  // Thumbnails beside the pictures with no prefix and the pictures' own extension would
  // replace the pictures: those are not made.
  inputs.Settings.ThumbsFolder = "pics";
  inputs.Settings.ThumbPrefixSuffix = "";
  inputs.Images = {"a.jpg", "b.png", "b.jpg", "c.jpg"};
  WriteWholeFile(pics + "/b.png", "x");
  ChooseResultFolder(0);
  Build();
  EXPECT_TRUE(thumbnails.calls.empty());
}

TEST_F(BuildDriverTest, NoThumbnailIsMadeOverAPictureThroughItsPrefix) {
  // A prefix that climbs out of the thumbnails folder could reach the pictures: a thumbnail
  // whose name leads out of its folder is not made, with a message for each.
  const struct {
    const char* thumbsFolder;
    const char* prefix;
  } cases[] = {{"thumbs", "../pics/"}, {"pics/sub", "../"}, {"thumbs", "../"}, {"thumbs", "x/"}};
  for (const auto& c : cases) {
    thumbnails.calls.clear();
    ui.errors.clear();
    inputs.Settings.ThumbsFolder = c.thumbsFolder;
    inputs.Settings.ThumbPrefixSuffix = c.prefix;
    ChooseResultFolder(0);
    fs::create_directories(inputs.ThumbsFolderPrefixText + c.thumbsFolder);
    fs::create_directories(inputs.ThumbsFolderPrefixText + c.thumbsFolder + "/x");
    Build();
    EXPECT_EQ(thumbnails.calls.size(), 0u) << c.thumbsFolder << " " << c.prefix;
    EXPECT_EQ(ui.errors.size(), 3u) << c.thumbsFolder << " " << c.prefix;
  }
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
    EXPECT_EQ(ReadWholeFile(pics + "/" + name), "x");
}

// --- Re-entry and stopping ---------------------------------------------------------------

TEST_F(BuildDriverTest, ABuildStartedDuringABuildIsIgnored) {
  fs::create_directories(folder / "thumbs");
  TGalleryBuilder builder;
  std::vector<TBuildOutcome> inner;
  bool runningSeen = false;
  ui.onProcessMessages = [&] {
    runningSeen = runningSeen || builder.IsRunning();
    if (inner.empty()) {
      TRecordingUserInterface other;
      inner.push_back(builder.Build(inputs, other).outcome);
      EXPECT_TRUE(other.questions.empty());
      EXPECT_TRUE(other.events.empty());
    }
  };
  TBuildOptions options;
  options.thumbnailThreads = 2;
  options.thumbnailMaker = thumbnails.Maker();
  const TBuildResult outer = builder.Build(inputs, ui, options);
  EXPECT_EQ(outer.outcome, TBuildOutcome::Finished);
  EXPECT_EQ(inner, std::vector<TBuildOutcome>{TBuildOutcome::Ignored});
  EXPECT_TRUE(runningSeen);
  EXPECT_FALSE(builder.IsRunning());
  EXPECT_EQ(thumbnails.calls.size(), 3u);
}

TEST_F(BuildDriverTest, AStopRequestEndsTheBuildAfterTheCurrentPicture) {
  fs::create_directories(folder / "thumbs");
  inputs.Images.clear();
  for (int i = 0; i < 20; ++i) {
    const std::string name = "p" + std::to_string(10 + i) + ".jpg";
    WriteWholeFile(pics + "/" + name, "x");
    inputs.Images.push_back(name);
  }
  ui.stopAfterProcessing = 1;
  const TBuildResult outcome = Build();
  EXPECT_TRUE(outcome.stoppedByUser);
  EXPECT_LT(thumbnails.calls.size(), 20u);
  EXPECT_EQ(ui.events, (std::vector<std::string>{"building", "built", "beep"}));
}

TEST_F(BuildDriverTest, ErrorsOfThePageWritersAreCountedAndTheBuildEndsNormally) {
  fs::create_directories(folder / "thumbs");
  inputs.Settings.IndexTemplate = folder / "missing.tpl";
  const TBuildResult outcome = Build();
  EXPECT_EQ(outcome.outcome, TBuildOutcome::Finished);
  EXPECT_EQ(outcome.errorsShown, 1);
  EXPECT_EQ(ui.events, (std::vector<std::string>{"building", "built", "beep"}));
}

// --- Parallel thumbnails -------------------------------------------------------------------

TEST_F(BuildDriverTest, ParallelThumbnailsEqualAOneThreadBuild) {
  // Two pictures share the thumbnail name _sea.jpg: the later one in gallery order must win,
  // as it does when the thumbnails are made one after another.
  inputs.Images = {"beach.png", "dune.jpg", "sea.jpg", "sea.png", "tall.jpg", "wave.gif"};
  MakeTestPicture(pics + "/beach.png", 500, 300);
  MakeTestPicture(pics + "/dune.jpg", 640, 480, 6);
  MakeTestPicture(pics + "/sea.jpg", 900, 600);
  MakeTestPicture(pics + "/sea.png", 300, 500);
  MakeTestPicture(pics + "/tall.jpg", 200, 700);
  MakeTestPicture(pics + "/wave.gif", 100, 60);
  std::map<std::string, std::string> files[2];
  const int threads[2] = {1, 4};
  for (int run = 0; run < 2; ++run) {
    fs::remove_all(folder / "thumbs");
    fs::create_directories(folder / "thumbs");
    TBuildOptions options;
    options.thumbnailThreads = threads[run];
    TRecordingUserInterface quiet;
    ASSERT_EQ(BuildGallery(inputs, quiet, options).outcome, TBuildOutcome::Finished);
    for (const auto& entry : fs::directory_iterator(folder / "thumbs"))
      files[run][entry.path().filename().string()] = ReadWholeFile(entry.path().string());
  }
  EXPECT_EQ(files[0].size(), 5u);
  EXPECT_EQ(files[0], files[1]);
  std::string loader;
  int width = 0, height = 0;
  ASSERT_TRUE(ReadBackPicture(folder / "thumbs/_sea.jpg", loader, width, height));
  EXPECT_EQ(width, 72);  // from sea.png, 300 x 500
  EXPECT_EQ(height, 120);
}

}  // namespace

}  // namespace zetgallery
