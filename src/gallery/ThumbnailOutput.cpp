// ThumbnailOutput: the up-to-date rule by the ledger, the thumbnail written into a new file of the
// outputs, and the outputs' refusals as result codes.
#include "ThumbnailOutput.h"

#include <vector>

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

int CodeOfRefusal(TOutputRefusal refusal) {
  switch (refusal) {
    case TOutputRefusal::None:
      return kThumbOk;
    case TOutputRefusal::IsInput:
      return kThumbTargetIsSource;
    case TOutputRefusal::NotReplaceable:
      return kThumbTargetProtected;
    case TOutputRefusal::NotTrashable:
      return kThumbNotTrashable;
    default:
      return kThumbSaveFailed;
  }
}

// One thumbnail file of a job: its name, the shape the ledger records, and the file being made.
struct TThumbnailTarget {
  std::string name;
  std::string shape;
  TOutputFile file;
  bool needed = false;  // not up to date: made anew
};

// Begins the files of the targets that are needed. kThumbOk or the first refusal's code.
int BeginTargets(TBuildOutputs& outputs, std::vector<TThumbnailTarget*>& targets) {
  for (TThumbnailTarget* target : targets) {
    if (!target->needed) continue;
    const TOutputRefusal refusal = outputs.Begin(TOutputPlace::Thumbs, target->name, target->file);
    // Before anything is written, a file in the way that no trash takes reads as a failed save.
    if (refusal == TOutputRefusal::NotTrashable) return kThumbSaveFailed;
    if (refusal != TOutputRefusal::None) return CodeOfRefusal(refusal);
  }
  return kThumbOk;
}

// Places the files made (or drops them all when `made` failed). Returns the first failure.
int CommitTargets(TBuildOutputs& outputs, std::vector<TThumbnailTarget*>& targets, int made,
                  const TFileStatus& picture) {
  int result = made;
  for (TThumbnailTarget* target : targets) {
    if (!target->needed || !target->file.IsOpen()) continue;
    if (result != kThumbOk) {
      outputs.Discard(target->file);
      continue;
    }
    TLedgerEntry origin;
    origin.hasSource = true;
    origin.source = SourceIdentityOf(picture);
    origin.shape = target->shape;
    result = CodeOfRefusal(outputs.Commit(target->file, &origin));
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

int MakeThumbnailOutput(TBuildOutputs& outputs, const TThumbnailJob& job) {
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
  if (!single.needed && !doubled.needed) return kThumbOk;

  TFileStatus picture;
  int made = BeginTargets(outputs, targets);
  if (made == kThumbOk) {
    const int singleFile = single.needed ? single.file.Descriptor() : -1;
    made = pair ? WriteThumbnailPair(job.source, singleFile,
                                     doubled.needed ? doubled.file.Descriptor() : -1, job.maxWidth,
                                     job.maxHeight, job.params, picture)
                : WriteThumbnail(job.source, singleFile, job.maxWidth, job.maxHeight, job.params,
                                 picture);
  }
  return CommitTargets(outputs, targets, made, picture);
}

}  // namespace zetgallery
