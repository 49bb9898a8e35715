// BuildPipeline: queued thumbnails, the writer's pace, and progress in gallery order.
#include "gallery/BuildPipeline.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "ImageNames.h"
#include "gallery/BuildMessages.h"
#include "util/ZetFileUtils.h"

namespace zetgallery {

namespace {

// How often a waiting build lets the user interface breathe.
constexpr std::chrono::milliseconds kBreath(50);

}  // namespace

TBuildPipeline::TBuildPipeline(const TBuildPlan& plan, TBuildOutputs& outputs,
                               TThumbnailQueue& queue, int aheadLimit, TUserInterface& ui)
    : plan_(plan),
      outputs_(outputs),
      queue_(queue),
      aheadLimit_(std::max(1, aheadLimit)),
      ui_(ui) {}

TBuildPipeline::TPicture& TBuildPipeline::Current() {
  if (pictures_.empty() || pictures_.back().written) pictures_.emplace_back();
  return pictures_.back();
}

void TBuildPipeline::MakeThumbnail(size_t i, const std::string& sourcePath,
                                   const std::string& targetPath) {
  TPicture& picture = Current();
  picture.index = i;
  const std::string folder = EnsureTrailingBackslash(plan_.ThumbsFolderPath);
  const std::string name =
      targetPath.starts_with(folder) ? targetPath.substr(folder.size()) : targetPath;
  // A name of several parts (a prefix such as "../") would put the thumbnail outside the folder
  // the build keeps; it is not made.
  if (name.find('/') != std::string::npos) {
    ui_.ShowError(ThumbnailOutsideFolderMessage(targetPath));
    return;
  }
  if (outputs_.IsInput(TOutputPlace::Thumbs, name)) {
    ui_.ShowError(ThumbnailIsInputMessage(targetPath));
    return;
  }
  TThumbnailJob job;
  job.tag = frontNumber_ + pictures_.size() - 1;
  job.source = sourcePath;
  job.target = targetPath;
  job.name = name;
  job.maxWidth = plan_.ThumbXSize;
  job.maxHeight = plan_.ThumbYSize;
  job.params = plan_.ThumbSaveParams;
  if (plan_.IndexType == TIndexKind::Grid) {
    // The grid's thumbnail of twice the size, for high-density screens, keeps the same rules.
    const std::string doubleName = DoubleThumbnailFileName(name);
    if (outputs_.IsInput(TOutputPlace::Thumbs, doubleName)) {
      ui_.ShowError(ThumbnailIsInputMessage(folder + doubleName));
    } else {
      job.doubleName = doubleName;
      job.doubleTarget = folder + doubleName;
    }
  }
  picture.thumbnailQueued = true;
  picture.job = std::move(job);
}

void TBuildPipeline::AddDisplayCopy(size_t i, TThumbnailJob& job) {
  const std::string name = DisplayCopyFileName(plan_.Images[i]);
  const std::string path = EnsureTrailingBackslash(plan_.DisplayFolderPath) + name;
  if (outputs_.IsInput(TOutputPlace::Display, name)) {
    ui_.ShowError(DisplayCopyIsInputMessage(path));
    return;
  }
  job.tag = frontNumber_ + pictures_.size() - 1;
  job.source = EnsureTrailingBackslash(plan_.ImagesFolder) + plan_.Images[i];
  job.displayTarget = path;
  job.displayName = name;
  job.displaySize = plan_.DisplaySize;
  job.displayQuality = plan_.DisplayQuality;
}

void TBuildPipeline::PictureWritten(size_t i, size_t count) {
  TPicture& picture = Current();
  picture.index = i;
  picture.count = count;
  picture.written = true;
  if (plan_.MakeDisplayCopies) AddDisplayCopy(i, picture.job);
  if (!picture.job.target.empty() || !picture.job.displayTarget.empty()) {
    picture.thumbnailPending = true;
    queue_.Add(std::exchange(picture.job, TThumbnailJob()));
  }
  TakeFinishedThumbnails();
  ReportCompletePictures();
  while (queue_.Unfinished() >= aheadLimit_ && !ui_.StopRequested()) {
    queue_.WaitUntilUnfinishedBelow(aheadLimit_, kBreath);
    TakeFinishedThumbnails();
    ReportCompletePictures();
    ui_.ProcessMessages();
  }
}

void TBuildPipeline::Finish() {
  // Thumbnails already queued belong to pictures the index names: they are finished even after
  // a stop, so that every thumbnail the index shows exists.
  while (!queue_.WaitFor(kBreath)) {
    TakeFinishedThumbnails();
    ReportCompletePictures();
    ui_.ProcessMessages();
  }
  TakeFinishedThumbnails();
  ReportCompletePictures();
}

void TBuildPipeline::ReportOutputs() {
  for (const std::string& path : outputs_.TakeTrashed()) ui_.FileMovedToTrash(path);
  for (const std::string& path : outputs_.TakeUntrashable())
    ui_.ShowError(NotTrashableMessage(path));
}

void TBuildPipeline::TakeFinishedThumbnails() {
  for (const TFinishedThumbnail& finished : queue_.TakeFinished()) {
    // A picture is reported only after its thumbnail is finished, so its entry is still here.
    TPicture& picture = pictures_[finished.tag - frontNumber_];
    picture.thumbnailPending = false;
    picture.thumbnailResult = finished.result;
  }
}

void TBuildPipeline::ReportCompletePictures() {
  ReportOutputs();
  while (!pictures_.empty() && pictures_.front().written && !pictures_.front().thumbnailPending) {
    const TPicture& picture = pictures_.front();
    const std::string& name = plan_.Images[picture.index];
    if (IsDisplayCopyFailure(picture.thumbnailResult)) {
      const TStatus& failed = picture.thumbnailResult;
      failures_.push_back(
          {name, TStatus(failed.code(), failed.message(), failed.detail() - kDisplayCopyFailed),
           true});
    } else if (!picture.thumbnailResult.ok()) {
      failures_.push_back({name, picture.thumbnailResult});
    }
    ++picturesDone_;
    // A failed display copy leaves the thumbnail in place.
    if (picture.thumbnailQueued &&
        (picture.thumbnailResult.ok() || IsDisplayCopyFailure(picture.thumbnailResult)))
      ++thumbnailsDone_;
    ui_.ReportProgress(static_cast<int>(picture.index + 1), static_cast<int>(picture.count), name);
    pictures_.pop_front();
    ++frontNumber_;
  }
}

}  // namespace zetgallery
