// BuildDriver: the steps of a build in their order. Nothing is done before the build's inputs
// are known to be safe; folders are then checked in the order result, thumbnails, buttons, each
// cleared right after its check; generation follows.
#include "BuildDriver.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "BuildInputFiles.h"
#include "BuildMessages.h"
#include "ImageDescriptions.h"
#include "ImageNames.h"
#include "IndexWriter.h"
#include "Thumbnailer.h"
#include "WriterMessages.h"
#include "ZetFileUtils.h"
#include "ZetTempFiles.h"

namespace fs = std::filesystem;

namespace {

// Passes everything on to the real user interface and counts the error boxes.
class TCountingUserInterface : public TUserInterface {
 public:
  explicit TCountingUserInterface(TUserInterface& inner) : inner_(inner) {}

  bool AskConfirmation(const std::string& text) override { return inner_.AskConfirmation(text); }
  void ShowError(const std::string& text) override {
    ++errors_;
    inner_.ShowError(text);
  }
  void ShowPlainMessage(const std::string& text) override { inner_.ShowPlainMessage(text); }
  void ShowStandardError(const std::string& text) override {
    ++errors_;
    inner_.ShowStandardError(text);
  }
  void ProcessMessages() override { inner_.ProcessMessages(); }
  void ReportProgress(int done, int total, const std::string& name) override {
    inner_.ReportProgress(done, total, name);
  }
  void SetBuilding(bool building) override { inner_.SetBuilding(building); }
  void SetScanning(bool scanning) override { inner_.SetScanning(scanning); }
  void Beep() override { inner_.Beep(); }
  bool StopRequested() const override { return inner_.StopRequested(); }

  int Errors() const { return errors_; }

 private:
  TUserInterface& inner_;
  int errors_ = 0;
};

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

bool CreateFolder(const std::string& path) {
  std::error_code error;
  fs::create_directories(path, error);
  return IsFolder(path);
}

// Makes sure `folder` exists, asking before it is created. False when the build must stop (the
// message has then been shown).
bool EnsureFolder(const std::string& folder, const char* refusedMessage,
                  const char* creationFailedMessage, TUserInterface& ui) {
  if (IsFolder(folder)) return true;
  if (!ui.AskConfirmation(FolderMissingQuestion(folder))) {
    ui.ShowError(refusedMessage);
    return false;
  }
  if (!CreateFolder(folder)) {
    ui.ShowError(creationFailedMessage);
    return false;
  }
  return true;
}

// Copies `source` over `target` whole or not at all. False when nothing was copied.
bool CopyWhole(const std::string& source, const std::string& target) {
  std::error_code error;
  const std::string temporary = TemporaryPathBeside(target);
  if (fs::copy_file(source, temporary, error) && !error) {
    fs::rename(temporary, target, error);
    if (!error) return true;
  }
  fs::remove(temporary, error);
  return false;
}

TThumbnailQueue::TMaker ThumbnailMaker(const TBuildOptions& options) {
  if (options.thumbnailMaker) return options.thumbnailMaker;
  return [](const TThumbnailJob& job) {
    return CreateThumbnailFile(job.source, job.target, job.maxWidth, job.maxHeight, job.params);
  };
}

// One build, step by step.
class TBuildRun {
 public:
  TBuildRun(const TBuildInputs& inputs, TUserInterface& ui, const TBuildOptions& options)
      : plan_(CollectBuildParameters(inputs)), inputFiles_(plan_), ui_(ui), options_(options) {}

  TBuildResult Run() {
    if (!NothingOfTheUsersWouldBeLost() || !PrepareResultFolder() || !PrepareThumbsFolder() ||
        !PrepareButtons())
      return Result(TBuildOutcome::Stopped);
    Generate();
    return Result(TBuildOutcome::Finished);
  }

 private:
  // The checks made before anything is cleared, created or written.
  bool NothingOfTheUsersWouldBeLost() {
    // Clearing the thumbnails folder must never reach the pictures.
    if (plan_.ClearThumbsFolder && FolderIsOrHolds(plan_.ThumbsFolderPath, plan_.ImagesFolder)) {
      ui_.ShowError(kMsgThumbsFolderIsImagesFolder);
      return false;
    }
    const std::string indexPath = IndexPagePath(plan_);
    if (inputFiles_.Holds(indexPath)) {
      ui_.ShowError(IndexIsInputMessage(indexPath));
      return false;
    }
    return true;
  }

  bool PrepareResultFolder() {
    if (!EnsureFolder(plan_.ResultFolder, kMsgNoResultFolder, kMsgCreateResultFolderFailed, ui_))
      return false;
    if (plan_.ClearResultFolder) {
      ClearFolderFiles(plan_.ResultFolder, [this](const fs::directory_entry& file) {
        return !MatchesHtmlWildcard(file.path().filename().string()) || KeptAnyway(file);
      });
    }
    return true;
  }

  bool PrepareThumbsFolder() {
    if (!EnsureFolder(plan_.ThumbsFolderPath, kMsgNoThumbsFolder, kMsgCreateThumbsFolderFailed,
                      ui_))
      return false;
    if (plan_.ClearThumbsFolder) {
      const std::map<std::string, size_t> madeHere = ThumbnailsMadeHere();
      ClearFolderFiles(plan_.ThumbsFolderPath, [&](const fs::directory_entry& file) {
        return KeptAnyway(file) || IsUpToDateThumbnail(file, madeHere);
      });
    }
    return true;
  }

  // The thumbnails this build makes in its thumbnails folder, by file name, each with the picture
  // it is made from (when two pictures share a name, the later one, whose thumbnail stays).
  std::map<std::string, size_t> ThumbnailsMadeHere() const {
    std::map<std::string, size_t> made;
    if (plan_.IndexType != TIndexKind::Thumbnails || !plan_.CreateThumbs) return made;
    for (size_t i = 0; i < plan_.Images.size(); ++i)
      made[ThumbnailFileName(plan_.Images[i], plan_.ThumbPrefixSuffixType, plan_.ThumbPrefixSuffix,
                             plan_.ThumbsFormat)] = i;
    return made;
  }

  // A thumbnail this build would write again byte for byte: clearing it would only cost the
  // decoding of its picture, so it stays, and the build keeps it.
  bool IsUpToDateThumbnail(const fs::directory_entry& file,
                           const std::map<std::string, size_t>& madeHere) const {
    const auto made = madeHere.find(file.path().filename().string());
    if (made == madeHere.end()) return false;
    const std::string picture =
        EnsureTrailingBackslash(plan_.ImagesFolder) + plan_.Images[made->second];
    return ThumbnailIsUpToDate(picture, file.path().string(), plan_.ThumbXSize, plan_.ThumbYSize,
                               plan_.ThumbSaveParams);
  }

  // What clearing never takes: files the user protected, and the build's own inputs.
  bool KeptAnyway(const fs::directory_entry& file) const {
    return IsWriteProtected(file) || inputFiles_.Holds(file.path().string());
  }

  bool PrepareButtons() {
    if (!plan_.CopyButtonsFromTemplate || plan_.ImageType != TPictureMode::Page) return true;
    if (!EnsureFolder(plan_.ButtonsFolderPath, kMsgNoButtonsFolder, kMsgCreateButtonsFolderFailed,
                      ui_))
      return false;
    CopyButtonPictures();
    return true;
  }

  void CopyButtonPictures() {
    const std::pair<const std::string*, const std::string*> buttons[] = {
        {&plan_.ButtonSourceFirst, &plan_.ButtonImageFirst},
        {&plan_.ButtonSourcePrev, &plan_.ButtonImagePrev},
        {&plan_.ButtonSourceIndex, &plan_.ButtonImageIndex},
        {&plan_.ButtonSourceNext, &plan_.ButtonImageNext},
        {&plan_.ButtonSourceLast, &plan_.ButtonImageLast},
    };
    const std::string folder = EnsureTrailingBackslash(plan_.ButtonsFolderPath);
    for (const auto& [source, name] : buttons) {
      const std::string target = folder + *name;
      // A button already in place is its own source: there is nothing to copy.
      std::error_code error;
      if (fs::equivalent(*source, target, error) && !error) continue;
      if (inputFiles_.Holds(target)) {
        ui_.ShowError(ButtonIsInputMessage(target));
        continue;
      }
      // A button that cannot be copied (a missing picture) is passed over in silence.
      CopyWhole(*source, target);
    }
  }

  void Generate() {
    ui_.SetBuilding(true);
    std::vector<std::string> filesCut;
    const std::vector<std::string> descriptions =
        GetDescriptions(plan_.Images, plan_.ImagesFolder, plan_.Descriptions, &filesCut);
    for (const std::string& path : filesCut) ui_.ShowError(LongLineCutMessage(path));
    const int threads =
        options_.thumbnailThreads > 0 ? options_.thumbnailThreads : ThumbnailThreadCount();
    {
      TThumbnailQueue queue(threads, ThumbnailMaker(options_));
      // Twice the workers keeps each of them supplied while the next page is written.
      TBuildPipeline pipeline(plan_, inputFiles_, queue, 2 * threads, ui_);
      WriteIndexPage(plan_, inputFiles_, descriptions, ui_, pipeline);
      pipeline.Finish();
      result_.thumbnailFailures = pipeline.Failures();
    }
    result_.thumbnailsFailed = static_cast<int>(result_.thumbnailFailures.size());
    result_.stoppedByUser = ui_.StopRequested();
    ui_.SetBuilding(false);
    ui_.Beep();
  }

  TBuildResult Result(TBuildOutcome outcome) {
    result_.outcome = outcome;
    result_.errorsShown = ui_.Errors();
    return result_;
  }

  const TBuildPlan plan_;
  const TBuildInputFiles inputFiles_;
  TCountingUserInterface ui_;
  const TBuildOptions& options_;
  TBuildResult result_;
};

}  // namespace

TBuildResult TGalleryBuilder::Build(const TBuildInputs& inputs, TUserInterface& ui,
                                    const TBuildOptions& options) {
  if (running_) return TBuildResult{};
  // Set for the length of the build, however it ends.
  struct TRunning {
    explicit TRunning(bool& flag) : flag_(flag) { flag_ = true; }
    ~TRunning() { flag_ = false; }
    bool& flag_;
  } running(running_);
  return TBuildRun(inputs, ui, options).Run();
}

TBuildResult BuildGallery(const TBuildInputs& inputs, TUserInterface& ui,
                          const TBuildOptions& options) {
  TGalleryBuilder builder;
  return builder.Build(inputs, ui, options);
}
