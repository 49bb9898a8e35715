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

// The settings that shape a display copy, as the ledger records them.
std::string DisplayCopyShape(int size, int quality);

// Makes the thumbnail of `job` in the thumbnails folder of `outputs` under `job.name` (when it
// names one) and its display copy in the display folder under `job.displayName` (when it names
// one). When the job names a thumbnail of twice the limits (`job.doubleName`), both thumbnails
// come from one decoding (WriteThumbnailPair), each kept or made by the same rules; the smaller
// one's ledger shape then says it was shrunk from the larger. With a display copy, every file
// comes from one decode where it can (WritePictureOutputs). Returns ok, or the status of the
// first thumbnail step that failed (TThumbFailure), else the display copy's failure
// (DisplayCopyFailure). Safe to call from several threads at once.
TStatus MakeThumbnailOutput(TBuildOutputs& outputs, const TThumbnailJob& job);

}  // namespace zetgallery
