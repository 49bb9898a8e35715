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

// Makes the thumbnail of `job` in the thumbnails folder of `outputs` under `job.name`. When the job
// names a thumbnail of twice the limits (`job.doubleName`), both come from one decoding
// (WriteThumbnailPair), each kept or made by the same rules; the smaller one's ledger shape then
// says it was shrunk from the larger. Returns ok or the status of the first step that failed
// (TThumbFailure). Safe to call from several threads at once.
TStatus MakeThumbnailOutput(TBuildOutputs& outputs, const TThumbnailJob& job);

}  // namespace zetgallery
