// BuildDriver: the steps of a build in their order. Folders are checked in the order result,
// thumbnails, buttons, each cleared right after its check; generation follows.
#include "BuildDriver.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <set>
#include <system_error>

#include "BuildMessages.h"
#include "ImageDescriptions.h"
#include "IndexWriter.h"
#include "Thumbnailer.h"
#include "ZetFileUtils.h"
#include "ZetStrings.h"

namespace fs = std::filesystem;

namespace {

std::atomic<bool> g_building{false};

// Holds the re-entry flag for the length of one build.
class TBuildingFlag {
 public:
  TBuildingFlag() : acquired_(!g_building.exchange(true)) {}
  ~TBuildingFlag() {
    if (acquired_) g_building = false;
  }
  bool Acquired() const { return acquired_; }

 private:
  bool acquired_;
};

// Passes everything on to the real user interface, counts the error boxes, and while thumbnails
// are made on worker threads reports progress by finished thumbnails instead of written pages
// (the pages run far ahead of the thumbnails).
class TBuildUserInterface : public TUserInterface {
 public:
  explicit TBuildUserInterface(TUserInterface& inner) : inner_(inner) {}

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
  void ProcessMessages() override {
    ReportFinishedThumbnails();
    inner_.ProcessMessages();
  }
  void ReportProgress(int done, int total, const std::string& name) override {
    if (queue_ == nullptr) inner_.ReportProgress(done, total, name);
  }
  void SetBuilding(bool building) override { inner_.SetBuilding(building); }
  void SetScanning(bool scanning) override { inner_.SetScanning(scanning); }
  void Beep() override { inner_.Beep(); }
  bool StopRequested() const override { return inner_.StopRequested(); }

  int Errors() const { return errors_; }
  void FollowThumbnails(TThumbnailQueue* queue, int pictures) {
    queue_ = queue;
    pictures_ = pictures;
  }
  void ReportFinishedThumbnails() {
    if (queue_ == nullptr) return;
    for (const std::string& source : queue_->TakeFinishedSources()) {
      ++thumbnailsReported_;
      // A template with two index markers makes every thumbnail twice.
      const int total = std::max(pictures_, queue_->Added());
      inner_.ReportProgress(thumbnailsReported_, total, ExtractFileName(source));
    }
  }

 private:
  TUserInterface& inner_;
  int errors_ = 0;
  TThumbnailQueue* queue_ = nullptr;
  int pictures_ = 0;
  int thumbnailsReported_ = 0;
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

// The files that clearing a folder must never take, as absolute paths with links resolved: the
// two templates and the five button pictures, which this very build reads. A template kept beside
// the gallery has an ".htm" name; deleting it would lose the user's work and fail the build.
std::set<std::string> BuildInputFiles(const TBuildInputs& inputs, const TBuildParameters& params) {
  const TSettingsSnapshot& s = inputs.Settings;
  std::vector<std::string> paths = {params.IndexTemplate,
                                    StripQuotes(params.ImageTemplate),
                                    StripQuotes(s.ButtonImageFirst),
                                    StripQuotes(s.ButtonImagePrev),
                                    StripQuotes(s.ButtonImageNext),
                                    StripQuotes(s.ButtonImageLast),
                                    StripQuotes(s.ButtonImageIndex)};
  std::set<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (path.empty()) continue;
    const fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
    if (!error) files.insert(resolved.string());
  }
  return files;
}

// A file whose owner may not write it was protected on purpose (the read-only attribute of other
// systems, which keeps a file from being deleted there): clearing passes it over, although a
// writable folder would let it go.
bool IsWriteProtected(const fs::directory_entry& entry) {
  std::error_code error;
  const fs::file_status status = entry.status(error);
  return !error && (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// Deletes the files directly in `folder` that `selected` takes. Folders, write-protected files
// and the build's own input files are never deleted, and a file that cannot be deleted is passed
// over in silence.
template <typename TSelect>
void DeleteFilesIn(const std::string& folder, TSelect selected, const std::set<std::string>& kept) {
  std::error_code error;
  std::vector<fs::path> doomed;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kindError;
    if (it->is_directory(kindError)) continue;
    if (!selected(it->path().filename().string()) || IsWriteProtected(*it)) continue;
    std::error_code resolveError;
    const fs::path resolved = fs::weakly_canonical(it->path(), resolveError);
    if (!resolveError && kept.count(resolved.string()) != 0) continue;
    doomed.push_back(it->path());
  }
  for (const fs::path& file : doomed) fs::remove(file, error);
}

void CopyButtonPictures(const TBuildInputs& inputs, const TBuildParameters& params) {
  const TSettingsSnapshot& settings = inputs.Settings;
  const std::pair<const std::string*, const std::string*> buttons[] = {
      {&settings.ButtonImageFirst, &params.ButtonImageFirst},
      {&settings.ButtonImagePrev, &params.ButtonImagePrev},
      {&settings.ButtonImageIndex, &params.ButtonImageIndex},
      {&settings.ButtonImageNext, &params.ButtonImageNext},
      {&settings.ButtonImageLast, &params.ButtonImageLast},
  };
  const std::string folder = EnsureTrailingBackslash(params.ButtonsFolderPath);
  for (const auto& [sourceText, targetName] : buttons) {
    std::error_code error;
    const std::string source = StripQuotes(*sourceText);
    const std::string target = folder + *targetName;
    // A button already in place is its own source; copying it onto itself would empty it.
    if (fs::equivalent(source, target, error) && !error) continue;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
  }
}

}  // namespace

bool BuildIsRunning() { return g_building; }

bool FolderIsOrHolds(const std::string& folder, const std::string& inner) {
  std::error_code error;
  const fs::path outer = fs::weakly_canonical(fs::absolute(folder, error), error);
  if (error) return false;
  const fs::path contained = fs::weakly_canonical(fs::absolute(inner, error), error);
  if (error) return false;
  auto outerPart = outer.begin();
  auto innerPart = contained.begin();
  for (; outerPart != outer.end(); ++outerPart, ++innerPart) {
    // A trailing separator gives a last empty component; it stands for no folder.
    if (outerPart->empty()) continue;
    if (innerPart == contained.end() || *outerPart != *innerPart) return false;
  }
  return true;
}

bool MatchesHtmlWildcard(const std::string& fileName) {
  // Only the extension counts: with the pages beside the pictures, a picture such as
  // "trip.html.jpg" would otherwise be deleted with the old pages.
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return false;
  std::string extension = fileName.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension.starts_with(".htm");
}

TBuildResult BuildGallery(const TBuildInputs& inputs, TUserInterface& userInterface,
                          const TBuildOptions& options) {
  TBuildResult result;
  TBuildingFlag flag;
  if (!flag.Acquired()) return result;
  result.outcome = TBuildOutcome::Stopped;
  TBuildUserInterface ui(userInterface);

  TBuildParameters params = CollectBuildParameters(inputs);

  // Clearing the thumbnails folder must never reach the pictures: stop before anything is
  // deleted or created.
  if (params.ClearThumbsFolder && FolderIsOrHolds(params.ThumbsFolderPath, params.ImagesFolder)) {
    ui.ShowError(kMsgThumbsFolderIsImagesFolder);
    result.errorsShown = ui.Errors();
    return result;
  }

  const auto stop = [&result, &ui]() {
    result.errorsShown = ui.Errors();
    return result;
  };
  if (!EnsureFolder(params.ResultFolder, kMsgNoResultFolder, kMsgCreateResultFolderFailed, ui))
    return stop();
  const std::set<std::string> inputFiles = BuildInputFiles(inputs, params);
  if (params.ClearResultFolder) DeleteFilesIn(params.ResultFolder, MatchesHtmlWildcard, inputFiles);

  if (!EnsureFolder(params.ThumbsFolderPath, kMsgNoThumbsFolder, kMsgCreateThumbsFolderFailed, ui))
    return stop();
  if (params.ClearThumbsFolder)
    DeleteFilesIn(
        params.ThumbsFolderPath, [](const std::string&) { return true; }, inputFiles);

  if (params.CopyButtonsFromTemplate && params.ImageType == 1) {
    if (!EnsureFolder(params.ButtonsFolderPath, kMsgNoButtonsFolder, kMsgCreateButtonsFolderFailed,
                      ui))
      return stop();
    CopyButtonPictures(inputs, params);
  }

  result.outcome = TBuildOutcome::Finished;
  ui.SetBuilding(true);
  const std::vector<std::string> descriptions =
      GetDescriptions(params.Images, inputs.Settings.ImagesFolder, inputs.Settings.Descriptions);

  // A thumbnail that would land on one of the pictures (thumbnails kept beside the pictures and
  // named without prefix, or a prefix such as "../" that leads back to them) is not made: the
  // picture stays.
  std::error_code error;
  const fs::path picturesFolder =
      fs::weakly_canonical(fs::absolute(params.ImagesFolder, error), error);
  const std::set<std::string> pictureNames(params.Images.begin(), params.Images.end());
  const auto landsOnAPicture = [&](const std::string& target) {
    std::error_code resolveError;
    const fs::path resolved =
        fs::weakly_canonical(fs::absolute(target, resolveError), resolveError);
    return !resolveError && resolved.parent_path() == picturesFolder &&
           pictureNames.count(resolved.filename().string()) != 0;
  };
  const int threads =
      options.thumbnailThreads > 0 ? options.thumbnailThreads : ThumbnailThreadCount();
  TThumbnailQueue::TMaker maker = options.thumbnailMaker;
  if (!maker) {
    maker = [](const TThumbnailJob& job) {
      return CreateThumbnailFile(job.source, job.target, job.maxWidth, job.maxHeight, job.params);
    };
  }
  {
    TThumbnailQueue queue(threads, maker);
    if (params.IndexType == 3 && params.CreateThumbs)
      ui.FollowThumbnails(&queue, static_cast<int>(params.Images.size()));
    const TThumbnailMaker makeThumbnail = [&](const std::string& source,
                                              const std::string& target) {
      if (landsOnAPicture(target)) return;
      TThumbnailJob job;
      job.source = source;
      job.target = target;
      job.maxWidth = params.ThumbXSize;
      job.maxHeight = params.ThumbYSize;
      job.params = params.ThumbSaveParams;
      queue.Add(std::move(job));
    };
    WriteIndexPage(params, descriptions, ui, makeThumbnail);

    // The build is done when its last thumbnail is; the user interface stays alive meanwhile.
    while (!queue.WaitFor(std::chrono::milliseconds(50))) {
      if (ui.StopRequested()) {
        result.stoppedByUser = true;
        queue.CancelPending();
      }
      ui.ProcessMessages();
    }
    ui.ReportFinishedThumbnails();
    if (ui.StopRequested()) result.stoppedByUser = true;
    result.thumbnailsFailed = queue.Failed();
    ui.FollowThumbnails(nullptr, 0);
  }

  ui.SetBuilding(false);
  ui.Beep();
  result.errorsShown = ui.Errors();
  return result;
}
