// ThumbnailFiles: one thumbnail made the way a build makes it (through the build's outputs, with
// the ledger of the target's folder), for the tests of the thumbnail maker.
#pragma once

#include <string>

#include "gallery/ThumbSaveParams.h"
#include "util/Status.h"

namespace zetgallery {

// Makes the thumbnail of the picture `source` in the file `target` with MakeThumbnailOutput, the
// target's folder serving as the result and thumbnails folder and `source` as the one input.
// Returns its status (Thumbnailer.h).
TStatus CreateThumbnailFile(const std::string& source, const std::string& target, int maxWidth,
                            int maxHeight, const TThumbSaveParams& params);

// Makes the thumbnail straight into the file `target` (created or truncated) with
// WriteThumbnail, without a build's outputs: for tests of the image library on several threads
// at once, where one build's lock on the folder would make them take turns.
TStatus WriteThumbnailFile(const std::string& source, const std::string& target, int maxWidth,
                           int maxHeight, const TThumbSaveParams& params);

}  // namespace zetgallery
