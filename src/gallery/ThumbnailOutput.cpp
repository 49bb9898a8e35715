// ThumbnailOutput: the up-to-date rule by the ledger, the thumbnail written into a new file of the
// outputs, and the outputs' refusals as result codes.
#include "ThumbnailOutput.h"

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

// One thumbnail file `name` of `source` within `maxWidth` x `maxHeight`.
int MakeOneThumbnail(TBuildOutputs& outputs, const std::string& source, const std::string& name,
                     int maxWidth, int maxHeight, const TThumbSaveParams& params) {
  const std::string shape = ThumbnailShape(maxWidth, maxHeight, params);
  TFileStatus picture;
  if (ReadFileStatus(source, picture) &&
      outputs.KeepIfUpToDate(TOutputPlace::Thumbs, name, SourceIdentityOf(picture), shape))
    return kThumbOk;

  TOutputFile file;
  switch (outputs.Begin(TOutputPlace::Thumbs, name, file)) {
    case TOutputRefusal::None:
      break;
    case TOutputRefusal::IsInput:
      return kThumbTargetIsSource;
    case TOutputRefusal::NotReplaceable:
      return kThumbTargetProtected;
    default:
      return kThumbSaveFailed;
  }
  const int made = WriteThumbnail(source, file.Descriptor(), maxWidth, maxHeight, params, picture);
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

}  // namespace

int MakeThumbnailOutput(TBuildOutputs& outputs, const TThumbnailJob& job) {
  const int made =
      MakeOneThumbnail(outputs, job.source, job.name, job.maxWidth, job.maxHeight, job.params);
  if (made != kThumbOk || job.doubleName.empty()) return made;
  return MakeOneThumbnail(outputs, job.source, job.doubleName, 2 * job.maxWidth, 2 * job.maxHeight,
                          job.params);
}

}  // namespace zetgallery
