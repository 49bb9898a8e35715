// BuildDriver: the steps of a build in their order. Nothing is done before the build's inputs
// are known to be safe; folders are then checked in the order result, thumbnails, buttons, each
// cleared right after its check; generation follows.
#include "gallery/BuildDriver.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "AlbumTree.h"
#include "DecodeBudget.h"
#include "FolderClearing.h"
#include "ImageNames.h"
#include "ThumbnailOutput.h"
#include "WriterMessages.h"
#include "catalogue/ImageDescriptions.h"
#include "gallery/BuildInputFiles.h"
#include "gallery/BuildMessages.h"
#include "gallery/IndexWriter.h"
#include "gallery/PictureArchive.h"
#include "gallery/Thumbnailer.h"
#include "util/ZetFileUtils.h"
#include "util/ZetPlatform.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

// Decodes waiting their turn, for each one that may run, among which the budget finds one that
// fits beside a large decode. With two, a 16-megapixel progressive JPEG left the other core idle
// for 0.3 s of a 3.7 s build of 60 photos, since none of the pictures waiting was small enough;
// with three, mostly for a few hundredths of a second, and the build took about 6% less time.
// Four packed the budget fuller still and took the peak of some builds over 200 MB.
constexpr int kDecodeLookahead = 3;
// A decode costing at most this share of the decode limit is small (4 MiB of 128).
constexpr uint64_t kSmallDecodeShare = 32;

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
  void FileMovedToTrash(const std::string& path) override {
    trashed_.push_back(path);
    inner_.FileMovedToTrash(path);
  }
  void Beep() override { inner_.Beep(); }
  bool StopRequested() const override { return inner_.StopRequested(); }

  int Errors() const { return errors_; }
  const std::vector<std::string>& Trashed() const { return trashed_; }

 private:
  TUserInterface& inner_;
  int errors_ = 0;
  std::vector<std::string> trashed_;
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

// Makes sure `folder` exists, asking before it is created. NotFound (`refusedMessage`) when the
// user did not want it, IoError (`creationFailedMessage`) when it could not be made.
TStatus EnsureFolder(const std::string& folder, const char* refusedMessage,
                     const char* creationFailedMessage, TUserInterface& ui) {
  if (IsFolder(folder)) return TStatus::Ok();
  if (!ui.AskConfirmation(FolderMissingQuestion(folder))) return TStatus::NotFound(refusedMessage);
  if (!CreateFolder(folder)) return TStatus::IoError(creationFailedMessage);
  return TStatus::Ok();
}

TThumbnailQueue::TMaker ThumbnailMaker(const TBuildOptions& options, TBuildOutputs& outputs) {
  if (options.thumbnailMaker) return options.thumbnailMaker;
  return [&outputs](const TThumbnailJob& job) { return MakeThumbnailOutput(outputs, job); };
}

// Copies the file `source` into `file`. IoError naming `source` when it cannot be read whole, or
// the file's own failure.
TStatus CopyInto(const std::string& source, TOutputFile& file) {
  TReadOnlyFile input(source);
  TFileStatus status;
  if (!input.IsOpen() || !input.ReadStatus(status) || !status.IsRegular())
    return TStatus::IoError(source);
  std::string chunk(size_t{64} * 1024, '\0');
  for (uint64_t offset = 0;;) {
    const int64_t got = input.ReadAt(chunk.data(), chunk.size(), offset);
    if (got < 0) return TStatus::IoError(source);
    if (got == 0) return file.status();
    file.Write(chunk.substr(0, static_cast<size_t>(got)));
    offset += static_cast<uint64_t>(got);
  }
}

// One build, step by step.
class TBuildRun {
 public:
  TBuildRun(const TBuildInputs& inputs, TUserInterface& ui, const TBuildOptions& options)
      : plan_(CollectBuildParameters(inputs)),
        inputFiles_(plan_),
        outputs_(inputFiles_),
        ui_(ui),
        options_(options) {}

  TBuildResult Run() {
    TStatus prepared = NothingOfTheUsersWouldBeLost();
    if (prepared.ok()) prepared = PrepareResultFolder();
    if (prepared.ok()) prepared = PrepareThumbsFolder();
    if (prepared.ok()) prepared = PrepareDisplayFolder();
    if (prepared.ok()) prepared = PrepareButtons();
    if (!prepared.ok()) {
      ui_.ShowError(prepared.message());
      result_.stopReason = std::move(prepared);
      return Result(TBuildOutcome::Stopped);
    }
    Generate();
    return Result(TBuildOutcome::Finished);
  }

 private:
  // The checks made before anything is cleared, created or written.
  TStatus NothingOfTheUsersWouldBeLost() {
    // Clearing the thumbnails folder must never reach the pictures.
    if (plan_.ClearThumbsFolder && FolderIsOrHolds(plan_.ThumbsFolderPath, plan_.ImagesFolder))
      return TStatus::Refused(kMsgThumbsFolderIsImagesFolder);
    const std::string indexPath = IndexPagePath(plan_);
    if (inputFiles_.Holds(indexPath)) return TStatus::Refused(IndexIsInputMessage(indexPath));
    return TStatus::Ok();
  }

  TStatus PrepareResultFolder() {
    TStatus ready =
        EnsureFolder(plan_.ResultFolder, kMsgNoResultFolder, kMsgCreateResultFolderFailed, ui_);
    return ready.ok() ? outputs_.OpenResultFolder(plan_.ResultFolder) : ready;
  }

  // A folder that would stay empty (an album of albums has no pictures of its own) is neither
  // asked about nor created; one that is there is still opened, so that it is swept.
  bool Wanted(const std::string& folder) const { return !plan_.Images.empty() || IsFolder(folder); }

  TStatus PrepareThumbsFolder() {
    if (!Wanted(plan_.ThumbsFolderPath)) return TStatus::Ok();
    if (TStatus ready = EnsureFolder(plan_.ThumbsFolderPath, kMsgNoThumbsFolder,
                                     kMsgCreateThumbsFolderFailed, ui_);
        !ready.ok())
      return ready;
    if (const TStatus opened = outputs_.OpenFolder(TOutputPlace::Thumbs, plan_.ThumbsFolderPath);
        !opened.ok())
      return TStatus(opened.code(), kMsgCreateThumbsFolderFailed);
    // Checked again on the folder as opened: a link swapped in since the first look must not
    // bring the pictures into the folder that is cleared.
    if (plan_.ClearThumbsFolder &&
        outputs_.Folder(TOutputPlace::Thumbs).IsOrHolds(plan_.ImagesFolder))
      return TStatus::Refused(kMsgThumbsFolderIsImagesFolder);
    return TStatus::Ok();
  }

  TStatus PrepareDisplayFolder() {
    if (!plan_.MakeDisplayCopies || !Wanted(plan_.DisplayFolderPath)) return TStatus::Ok();
    if (TStatus ready = EnsureFolder(plan_.DisplayFolderPath, kMsgNoDisplayFolder,
                                     kMsgCreateDisplayFolderFailed, ui_);
        !ready.ok())
      return ready;
    if (const TStatus opened = outputs_.OpenFolder(TOutputPlace::Display, plan_.DisplayFolderPath);
        !opened.ok())
      return TStatus(opened.code(), kMsgCreateDisplayFolderFailed);
    return TStatus::Ok();
  }

  TStatus PrepareButtons() {
    if (!plan_.CopyButtonsFromTemplate || plan_.ImageType != TPictureMode::Page ||
        !Wanted(plan_.ButtonsFolderPath))
      return TStatus::Ok();
    if (TStatus ready = EnsureFolder(plan_.ButtonsFolderPath, kMsgNoButtonsFolder,
                                     kMsgCreateButtonsFolderFailed, ui_);
        !ready.ok())
      return ready;
    // A buttons folder that cannot be opened gets no copies, like a copy that fails.
    if (outputs_.OpenFolder(TOutputPlace::Buttons, plan_.ButtonsFolderPath).ok())
      CopyButtonPictures();
    return TStatus::Ok();
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
      // A button already in place is its own source: there is nothing to copy.
      std::error_code error;
      if (fs::equivalent(*source, folder + *name, error) && !error) {
        outputs_.KeepAsWritten(TOutputPlace::Buttons, *name);
        continue;
      }
      TOutputFile copy;
      const TOutputRefusal refusal = RefusalOf(outputs_.Begin(TOutputPlace::Buttons, *name, copy));
      if (refusal == TOutputRefusal::IsInput) {
        ui_.ShowError(ButtonIsInputMessage(folder + *name));
        continue;
      }
      // A button that cannot be copied (a missing picture) is passed over in silence.
      if (refusal != TOutputRefusal::None) continue;
      if (TStatus copied = CopyInto(*source, copy); !copied.ok()) copy.Fail(std::move(copied));
      // A copy that could not be placed is passed over too; a file no trash took is named below.
      static_cast<void>(outputs_.Commit(copy));
    }
    ReportOutputs();
  }

  // The files moved to the trash so far, and those no trash could take.
  void ReportOutputs() {
    for (const std::string& path : outputs_.TakeTrashed()) ui_.FileMovedToTrash(path);
    for (const std::string& path : outputs_.TakeUntrashable())
      ui_.ShowError(NotTrashableMessage(path));
  }

  void Generate() {
    ui_.SetBuilding(true);
    std::vector<std::string> filesCut;
    const std::vector<std::string> descriptions =
        GetDescriptions(plan_.Images, plan_.ImagesFolder, plan_.Descriptions, &filesCut);
    for (const std::string& path : filesCut) ui_.ShowError(LongLineCutMessage(path));
    const int threads =
        options_.thumbnailThreads > 0 ? options_.thumbnailThreads : ThumbnailThreadCount();
    const int decodes =
        options_.thumbnailThreads > 0 ? options_.thumbnailThreads : ThumbnailDecodeCount();
    {
      // Workers beyond the decodes that run at once wait at the decode budget with their
      // pictures' headers read (no pixels yet): when the oldest decode is too large to run beside
      // the one running, a smaller one among them keeps the other core busy. With one decode at
      // a time there is nothing to fill.
      const int workers = decodes > 1 ? threads * (1 + kDecodeLookahead) : threads;
      // One decode more than that when it is small (the thumbnail of a baseline JPEG, decoded at
      // an eighth of its size): a thumbnail's work passes from thread to thread, and the third
      // keeps the cores busy at the hand-overs (200 photos on two cores: 2.4% less time). Not
      // in a build of display copies: saving a copy holds more than its decode's cost counts,
      // and a third decode beside two large ones took the peak over 200 MB.
      const uint64_t small =
          plan_.MakeDisplayCopies ? 0 : ThumbnailDecodeBudget().Limit() / kSmallDecodeShare;
      TDecodeRunningLimit running(ThumbnailDecodeBudget(), decodes, small);
      TThumbnailQueue queue(workers, ThumbnailMaker(options_, outputs_));
      // One more job a thread keeps the workers supplied while the next page is written.
      TBuildPipeline pipeline(plan_, outputs_, queue, workers + threads, ui_);
      // The zip is made beside the pages and thumbnails; the index waits for it, since it links
      // it with its size.
      TArchiveWriter archive(plan_, outputs_);
      bool indexPlaced = false;
      // Its failures are shown as they happen, and counted in errorsShown.
      static_cast<void>(
          WriteIndexPage(plan_, outputs_, descriptions, ui_, pipeline, &indexPlaced, &archive));
      if (const TArchiveOutcome* zip = archive.Wait(ui_)) result_.archiveFailure = zip->failure;
      pipeline.Finish();
      result_.thumbnailFailures = pipeline.Failures();
      result_.picturesWritten = pipeline.PicturesDone();
      result_.thumbnailsWritten = pipeline.ThumbnailsDone();
      const bool picturePages = plan_.ImageType == TPictureMode::Page;
      result_.pagesWritten = (picturePages ? result_.picturesWritten : 0) + (indexPlaced ? 1 : 0);
      // Clearing comes after the new gallery is in place, and only then: a build that could not
      // place its index leaves the older gallery whole, pages and thumbnails included.
      if (indexPlaced) Sweep();
    }
    outputs_.Finish();
    ReportOutputs();
    // A failed display copy is listed with the thumbnails but is not one of them.
    result_.thumbnailsFailed = static_cast<int>(
        std::count_if(result_.thumbnailFailures.begin(), result_.thumbnailFailures.end(),
                      [](const TThumbnailFailure& failure) { return !failure.displayCopy; }));
    result_.stoppedByUser = ui_.StopRequested();
    ui_.SetBuilding(false);
    ui_.Beep();
  }

  // The folders hold afterwards what clearing before the build left in them, with the files
  // of this build: the old pages and thumbnails that this build did not write go.
  void Sweep() {
    if (plan_.ClearResultFolder) outputs_.Sweep(TOutputPlace::Result, MatchesHtmlWildcard);
    if (plan_.ClearThumbsFolder)
      outputs_.Sweep(TOutputPlace::Thumbs, [](const std::string&) { return true; });
    // Copies of pictures no longer in the gallery go; a file the build did not write stays.
    if (plan_.MakeDisplayCopies)
      outputs_.Sweep(
          TOutputPlace::Display, [](const std::string&) { return true; }, false);
    // Older zips of pictures this build did not write (the setting off, another name, or a zip
    // that failed and is not linked) go; a file of that name the build did not write stays.
    const std::set<std::string> zips =
        outputs_.OwnFilesShaped(TOutputPlace::Result, kArchiveShapePrefix);
    if (!zips.empty())
      outputs_.Sweep(
          TOutputPlace::Result, [&zips](const std::string& name) { return zips.count(name) != 0; },
          false);
  }

  TBuildResult Result(TBuildOutcome outcome) {
    ReportOutputs();
    result_.outcome = outcome;
    result_.errorsShown = ui_.Errors();
    result_.trashed = ui_.Trashed();
    return result_;
  }

  const TBuildPlan plan_;
  const TBuildInputFiles inputFiles_;
  TBuildOutputs outputs_;
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
  if (inputs.Settings.SubAlbums)
    return BuildAlbumTree(
        inputs, ui, options,
        [](const TBuildInputs& album, TUserInterface& albumUi, const TBuildOptions& albumOptions) {
          return TBuildRun(album, albumUi, albumOptions).Run();
        });
  return TBuildRun(inputs, ui, options).Run();
}

TBuildResult BuildGallery(const TBuildInputs& inputs, TUserInterface& ui,
                          const TBuildOptions& options) {
  TGalleryBuilder builder;
  return builder.Build(inputs, ui, options);
}

}  // namespace zetgallery
