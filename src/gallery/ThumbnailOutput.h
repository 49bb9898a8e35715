// ThumbnailOutput: one thumbnail of a build, made through the build's outputs: kept when the
// ledger shows it made from this very picture with these settings, else made anew and placed by
// the outputs' rules.
#pragma once

#include <string>

#include "gallery/BuildOutputs.h"
#include "gallery/ThumbnailQueue.h"

namespace zetgallery {

// The settings that shape a thumbnail, as the ledger records them: the limits and how it is
// saved.
std::string ThumbnailShape(int maxWidth, int maxHeight, const TThumbSaveParams& params);

// Makes the thumbnail of `job` in the thumbnails folder of `outputs` under `job.name`. Returns ok
// or the status of the step that failed (TThumbFailure). Safe to call from several threads at
// once.
TStatus MakeThumbnailOutput(TBuildOutputs& outputs, const TThumbnailJob& job);

}  // namespace zetgallery
