// ThumbnailOutput: the up-to-date rule by the ledger, the thumbnail written into a new file of the
// outputs, and the outputs' refusals as statuses.
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

// One thumbnail file of a job: its name, the shape the ledger records, and the file being made.
struct TThumbnailTarget {
  std::string name;
  std::string shape;
  TOutputFile file;
  bool needed = false;  // not up to date: made anew
};

// Begins the files of the targets that are needed. Ok or the first refusal's status.
TStatus BeginTargets(TBuildOutputs& outputs, std::vector<TThumbnailTarget*>& targets) {
  for (TThumbnailTarget* target : targets) {
    if (!target->needed) continue;
    const TOutputRefusal refusal =
        RefusalOf(outputs.Begin(TOutputPlace::Thumbs, target->name, target->file));
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
                       std::vector<TThumbnailTarget*>& targets) {
  TFileStatus picture;
  const bool read = ReadFileStatus(source, picture);
  for (TThumbnailTarget* target : targets)
    target->needed = !read || !outputs.KeepIfUpToDate(TOutputPlace::Thumbs, target->name,
                                                      SourceIdentityOf(picture), target->shape);
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
  std::vector<TThumbnailTarget*> targets = {&single};
  if (pair) targets.push_back(&doubled);
  FindNeededTargets(outputs, job.source, targets);
  if (!single.needed && !doubled.needed) return TStatus::Ok();

  TFileStatus picture;
  TStatus made = BeginTargets(outputs, targets);
  if (made.ok()) {
    const int singleFile = single.needed ? single.file.Descriptor() : -1;
    made = pair ? WriteThumbnailPair(job.source, singleFile,
                                     doubled.needed ? doubled.file.Descriptor() : -1, job.maxWidth,
                                     job.maxHeight, job.params, picture)
                : WriteThumbnail(job.source, singleFile, job.maxWidth, job.maxHeight, job.params,
                                 picture);
  }
  return CommitTargets(outputs, targets, std::move(made), picture);
}

}  // namespace zetgallery
