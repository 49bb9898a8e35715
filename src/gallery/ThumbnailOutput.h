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

// A job's result when its thumbnail is fine (or not wanted) and its display copy failed:
// kDisplayCopyFailed plus the copy's result code.
inline constexpr int kDisplayCopyFailed = 100;

// Makes the thumbnail of `job` in the thumbnails folder of `outputs` under `job.name` (when it
// names one) and its display copy in the display folder under `job.displayName` (when it names
// one), each kept when up to date, from one decode where it can. Returns a result code of
// Thumbnailer.h for the thumbnail, else kDisplayCopyFailed plus the copy's code, else kThumbOk.
// Safe to call from several threads at once.
int MakeThumbnailOutput(TBuildOutputs& outputs, const TThumbnailJob& job);

}  // namespace zetgallery
