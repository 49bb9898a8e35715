#include "ThumbnailFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include "gallery/BuildMessages.h"
#include "gallery/BuildOutputs.h"
#include "gallery/BuildParameters.h"
#include "gallery/ThumbnailOutput.h"
#include "gallery/Thumbnailer.h"
#include "util/ZetFileUtils.h"

namespace zetgallery {

TStatus CreateThumbnailFile(const std::string& source, const std::string& target, int maxWidth,
                            int maxHeight, const TThumbSaveParams& params) {
  TBuildPlan plan;
  plan.ImagesFolder = ExtractFilePath(source);
  plan.Images = {ExtractFileName(source)};
  const TBuildInputFiles inputs(plan);
  TBuildOutputs outputs(inputs);
  const std::string folder = ExtractFilePath(target);
  // A folder that cannot be opened fails the thumbnail as a build would: at its writing.
  static_cast<void>(outputs.OpenResultFolder(folder));
  static_cast<void>(outputs.OpenFolder(TOutputPlace::Thumbs, folder));
  TThumbnailJob job;
  job.source = source;
  job.target = target;
  job.name = ExtractFileName(target);
  job.maxWidth = maxWidth;
  job.maxHeight = maxHeight;
  job.params = params;
  return MakeThumbnailOutput(outputs, job);
}

TStatus WriteThumbnailFile(const std::string& source, const std::string& target, int maxWidth,
                           int maxHeight, const TThumbSaveParams& params) {
  const int file = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file < 0) return ThumbnailFailure(kThumbSaveFailed);
  TFileStatus picture;
  TStatus made = WriteThumbnail(source, file, maxWidth, maxHeight, params, picture);
  close(file);
  return made;
}

}  // namespace zetgallery
