// ThumbnailOutput: the up-to-date rule by the ledger, the thumbnail written into a new file of the
// outputs, and the outputs' refusals as result codes.
#include "ThumbnailOutput.h"

#include "gallery/Thumbnailer.h"

namespace zetgallery {

namespace {

// The result code of a refusal of Begin or Commit.
int RefusalCode(TOutputRefusal refusal) {
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

// Places a file made from `picture` with `shape`, or drops it when `made` is a failure.
int Place(TBuildOutputs& outputs, TOutputFile& file, int made, const TFileStatus& picture,
          const std::string& shape) {
  if (made != kThumbOk) {
    outputs.Discard(file);
    return made;
  }
  TLedgerEntry origin;
  origin.hasSource = true;
  origin.source = SourceIdentityOf(picture);
  origin.shape = shape;
  return RefusalCode(outputs.Commit(file, &origin));
}

// One output of a job: kept, begun, or refused.
struct TJobOutput {
  TOutputFile file;
  std::string shape;
  bool wanted = false;
  bool kept = false;
  int code = kThumbOk;  // a refusal of Begin

  bool ToMake() const { return wanted && !kept && code == kThumbOk; }
};

void BeginOutput(TBuildOutputs& outputs, TOutputPlace place, const std::string& name,
                 const TFileStatus* picture, TJobOutput& output) {
  output.wanted = true;
  if (picture != nullptr &&
      outputs.KeepIfUpToDate(place, name, SourceIdentityOf(*picture), output.shape)) {
    output.kept = true;
    return;
  }
  const TOutputRefusal refusal = outputs.Begin(place, name, output.file);
  // A file that could not be begun was not placed: its refusal is a failure to save it.
  output.code = refusal == TOutputRefusal::NotTrashable ? kThumbSaveFailed : RefusalCode(refusal);
}

// The job's thumbnail and display copy, from one decode.
int MakeWithDisplayCopy(TBuildOutputs& outputs, const TThumbnailJob& job) {
  TFileStatus picture;
  const bool identified = ReadFileStatus(job.source, picture);
  TJobOutput thumbnail;
  TJobOutput copy;
  if (!job.name.empty()) {
    thumbnail.shape = ThumbnailShape(job.maxWidth, job.maxHeight, job.params);
    BeginOutput(outputs, TOutputPlace::Thumbs, job.name, identified ? &picture : nullptr,
                thumbnail);
  }
  copy.shape = DisplayCopyShape(job.displaySize, job.displayQuality);
  BeginOutput(outputs, TOutputPlace::Display, job.displayName, identified ? &picture : nullptr,
              copy);

  if (copy.ToMake()) {
    const TPictureOutputResults made = WritePictureOutputs(
        job.source, copy.file.Descriptor(), {job.displaySize, job.displayQuality},
        thumbnail.ToMake() ? thumbnail.file.Descriptor() : -1, job.maxWidth, job.maxHeight,
        job.params, picture);
    copy.code = Place(outputs, copy.file, made.display, picture, copy.shape);
    if (thumbnail.ToMake())
      thumbnail.code = Place(outputs, thumbnail.file, made.thumbnail, picture, thumbnail.shape);
  } else if (thumbnail.ToMake()) {
    const int made = WriteThumbnail(job.source, thumbnail.file.Descriptor(), job.maxWidth,
                                    job.maxHeight, job.params, picture);
    thumbnail.code = Place(outputs, thumbnail.file, made, picture, thumbnail.shape);
  }
  if (thumbnail.code != kThumbOk) return thumbnail.code;
  return copy.code == kThumbOk ? kThumbOk : kDisplayCopyFailed + copy.code;
}

}  // namespace

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

int MakeThumbnailOutput(TBuildOutputs& outputs, const TThumbnailJob& job) {
  if (!job.displayName.empty()) return MakeWithDisplayCopy(outputs, job);
  const std::string shape = ThumbnailShape(job.maxWidth, job.maxHeight, job.params);
  TFileStatus picture;
  if (ReadFileStatus(job.source, picture) &&
      outputs.KeepIfUpToDate(TOutputPlace::Thumbs, job.name, SourceIdentityOf(picture), shape))
    return kThumbOk;

  TOutputFile file;
  switch (outputs.Begin(TOutputPlace::Thumbs, job.name, file)) {
    case TOutputRefusal::None:
      break;
    case TOutputRefusal::IsInput:
      return kThumbTargetIsSource;
    case TOutputRefusal::NotReplaceable:
      return kThumbTargetProtected;
    default:
      return kThumbSaveFailed;
  }
  const int made = WriteThumbnail(job.source, file.Descriptor(), job.maxWidth, job.maxHeight,
                                  job.params, picture);
  if (made != kThumbOk) {
    outputs.Discard(file);
    return made;
  }
  TLedgerEntry origin;
  origin.hasSource = true;
  origin.source = SourceIdentityOf(picture);
  origin.shape = shape;
  switch (outputs.Commit(file, &origin)) {
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

}  // namespace zetgallery
