// ThumbnailOutput: the up-to-date rule by the ledger, the thumbnails and display copy written into
// new files of the outputs, and the outputs' refusals as statuses.
#include "ThumbnailOutput.h"

#include <utility>
#include <vector>

#include "gallery/BuildMessages.h"
#include "gallery/Thumbnailer.h"

namespace zetgallery {

std::string ThumbnailShape(int maxWidth, int maxHeight, const TThumbSaveParams& params) {
  const char* format = params.format == TThumbFormat::Gif   ? "gif"
                       : params.format == TThumbFormat::Bmp ? "bmp"
                                                            : "jpeg";
  std::string shape =
      std::string(format) + " " + std::to_string(maxWidth) + "x" + std::to_string(maxHeight);
  if (params.format == TThumbFormat::Jpeg) shape += " q" + std::to_string(params.quality);
  if (params.format != TThumbFormat::Bmp && params.interlaced) shape += " interlaced";
  return shape;
}

std::string DisplayCopyShape(int size, int quality) {
  return "display jpeg " + std::to_string(size) + " q" + std::to_string(quality);
}

namespace {

TStatus StatusOfRefusal(TOutputRefusal refusal) {
  switch (refusal) {
    case TOutputRefusal::None:
      return TStatus::Ok();
    case TOutputRefusal::IsInput:
      return ThumbnailFailure(kThumbTargetIsSource);
    case TOutputRefusal::NotReplaceable:
      return ThumbnailFailure(kThumbTargetProtected);
    case TOutputRefusal::NotTrashable:
      return ThumbnailFailure(kThumbNotTrashable);
    default:
      return ThumbnailFailure(kThumbSaveFailed);
  }
}

// One file of a job (a thumbnail or the display copy): its folder, its name, the shape the ledger
// records, and the file being made.
struct TThumbnailTarget {
  TOutputPlace place = TOutputPlace::Thumbs;
  std::string name;
  std::string shape;
  TOutputFile file;
  bool needed = false;  // not up to date: made anew

  // The descriptor to write, or -1 when the file is not made now.
  int Descriptor() { return needed && file.IsOpen() ? file.Descriptor() : -1; }
};

// Begins the files of the targets that are needed. Ok or the first refusal's status.
TStatus BeginTargets(TBuildOutputs& outputs, std::vector<TThumbnailTarget*>& targets) {
  for (TThumbnailTarget* target : targets) {
    if (!target->needed) continue;
    const TOutputRefusal refusal =
        RefusalOf(outputs.Begin(target->place, target->name, target->file));
    // Before anything is written, a file in the way that no trash takes reads as a failed save.
    if (refusal == TOutputRefusal::NotTrashable) return ThumbnailFailure(kThumbSaveFailed);
    if (refusal != TOutputRefusal::None) return StatusOfRefusal(refusal);
  }
  return TStatus::Ok();
}

// Places the files made (or drops them all when `made` failed). Returns the first failure.
TStatus CommitTargets(TBuildOutputs& outputs, std::vector<TThumbnailTarget*>& targets, TStatus made,
                      const TFileStatus& picture) {
  TStatus result = std::move(made);
  for (TThumbnailTarget* target : targets) {
    if (!target->needed || !target->file.IsOpen()) continue;
    if (!result.ok()) {
      outputs.Discard(target->file);
      continue;
    }
    TLedgerEntry origin;
    origin.hasSource = true;
    origin.source = SourceIdentityOf(picture);
    origin.shape = target->shape;
    result = StatusOfRefusal(RefusalOf(outputs.Commit(target->file, &origin)));
  }
  return result;
}

// Marks each target needed unless the ledger shows it made from this very picture with its shape.
void FindNeededTargets(TBuildOutputs& outputs, const std::string& source,
                       const std::vector<TThumbnailTarget*>& targets) {
  TFileStatus picture;
  const bool read = ReadFileStatus(source, picture);
  for (TThumbnailTarget* target : targets)
    target->needed = !read || !outputs.KeepIfUpToDate(target->place, target->name,
                                                      SourceIdentityOf(picture), target->shape);
}

bool AnyNeeded(const std::vector<TThumbnailTarget*>& targets) {
  for (const TThumbnailTarget* target : targets)
    if (target->needed) return true;
  return false;
}

}  // namespace

TStatus MakeThumbnailOutput(TBuildOutputs& outputs, const TThumbnailJob& job) {
  const bool pair = !job.doubleName.empty();
  TThumbnailTarget single;
  single.name = job.name;
  single.shape = ThumbnailShape(job.maxWidth, job.maxHeight, job.params);
  // The grid's thumbnail is shrunk from the one of twice the size: other bytes than a
  // thumbnail made from the picture, so the ledger tells them apart.
  if (pair) single.shape += " from 2x";
  TThumbnailTarget doubled;
  doubled.name = job.doubleName;
  doubled.shape = ThumbnailShape(2 * job.maxWidth, 2 * job.maxHeight, job.params);
  std::vector<TThumbnailTarget*> thumbnails;
  if (!job.name.empty()) thumbnails.push_back(&single);
  if (pair) thumbnails.push_back(&doubled);
  TThumbnailTarget copy;
  copy.place = TOutputPlace::Display;
  copy.name = job.displayName;
  copy.shape = DisplayCopyShape(job.displaySize, job.displayQuality);
  std::vector<TThumbnailTarget*> copies;
  if (!job.displayName.empty()) copies.push_back(&copy);

  FindNeededTargets(outputs, job.source, thumbnails);
  FindNeededTargets(outputs, job.source, copies);
  const bool thumbnailsNeeded = AnyNeeded(thumbnails);
  const bool copyNeeded = AnyNeeded(copies);
  if (!thumbnailsNeeded && !copyNeeded) return TStatus::Ok();

  TFileStatus picture;
  TStatus thumbnailsMade = BeginTargets(outputs, thumbnails);
  TStatus copyMade = BeginTargets(outputs, copies);
  const bool makeThumbnails = thumbnailsNeeded && thumbnailsMade.ok();
  if (copyNeeded && copyMade.ok()) {
    // One decode for the copy and, where they fit inside it, the thumbnails.
    TPictureOutputResults made = WritePictureOutputs(
        job.source, copy.Descriptor(), {job.displaySize, job.displayQuality},
        makeThumbnails ? single.Descriptor() : -1, makeThumbnails ? doubled.Descriptor() : -1, pair,
        job.maxWidth, job.maxHeight, job.params, picture);
    copyMade = std::move(made.display);
    if (makeThumbnails) thumbnailsMade = std::move(made.thumbnails);
  } else if (makeThumbnails) {
    thumbnailsMade = pair
                         ? WriteThumbnailPair(job.source, single.Descriptor(), doubled.Descriptor(),
                                              job.maxWidth, job.maxHeight, job.params, picture)
                         : WriteThumbnail(job.source, single.Descriptor(), job.maxWidth,
                                          job.maxHeight, job.params, picture);
  }
  if (thumbnailsNeeded)
    thumbnailsMade = CommitTargets(outputs, thumbnails, std::move(thumbnailsMade), picture);
  if (copyNeeded) copyMade = CommitTargets(outputs, copies, std::move(copyMade), picture);
  if (!thumbnailsMade.ok()) return thumbnailsMade;
  return copyMade.ok() ? TStatus::Ok() : DisplayCopyFailure(copyMade);
}

}  // namespace zetgallery
