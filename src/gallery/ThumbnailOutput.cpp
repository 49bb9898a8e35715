// ThumbnailOutput: the up-to-date rule by the ledger, the thumbnail written into a new file of the
// outputs, and the outputs' refusals as statuses.
#include "ThumbnailOutput.h"

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

TStatus MakeThumbnailOutput(TBuildOutputs& outputs, const TThumbnailJob& job) {
  const std::string shape = ThumbnailShape(job.maxWidth, job.maxHeight, job.params);
  TFileStatus picture;
  if (ReadFileStatus(job.source, picture) &&
      outputs.KeepIfUpToDate(TOutputPlace::Thumbs, job.name, SourceIdentityOf(picture), shape))
    return TStatus::Ok();

  TOutputFile file;
  switch (RefusalOf(outputs.Begin(TOutputPlace::Thumbs, job.name, file))) {
    case TOutputRefusal::None:
      break;
    case TOutputRefusal::IsInput:
      return ThumbnailFailure(kThumbTargetIsSource);
    case TOutputRefusal::NotReplaceable:
      return ThumbnailFailure(kThumbTargetProtected);
    default:
      return ThumbnailFailure(kThumbSaveFailed);
  }
  TStatus made = WriteThumbnail(job.source, file.Descriptor(), job.maxWidth, job.maxHeight,
                                job.params, picture);
  if (!made.ok()) {
    outputs.Discard(file);
    return made;
  }
  TLedgerEntry origin;
  origin.hasSource = true;
  origin.source = SourceIdentityOf(picture);
  origin.shape = shape;
  switch (RefusalOf(outputs.Commit(file, &origin))) {
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

}  // namespace zetgallery
