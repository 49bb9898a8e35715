// Thumbnailer: the program's one seam to the image library (libvips). Starting and ending the
// library, reading a picture's upright size from its header, and making one thumbnail file. No
// type or header of the library is visible outside Thumbnailer.cpp.
#pragma once

#include <string>

#include "gallery/ThumbSaveParams.h"
#include "util/ZetPlatform.h"

namespace zetgallery {

// Result codes of making a thumbnail: 0 on success, otherwise the step that failed.
enum : int {
  kThumbOk = 0,
  kThumbHeaderFailed = 1,    // the picture's header could not be read (broken, not a picture)
  kThumbSizeFailed = 2,      // the computed thumbnail size is empty (a limit of 0)
  kThumbLoadFailed = 3,      // decoding at the reduced size failed (truncated or corrupt data)
  kThumbSaveFailed = 4,      // encoding or writing the thumbnail file failed
  kThumbTargetIsSource = 5,  // the target is one of the build's inputs; nothing is written
  kThumbTooLarge = 6,        // the header claims more pixels than the program decodes
  kThumbCannotRead = 7,  // the picture's file cannot be opened for reading (gone, no permission)
  kThumbTargetProtected = 8,  // a folder, a device or a write-protected file is in the way
  kThumbNotTrashable = 9,     // someone else's file is in the way and no trash can take it
};

// Starts the library once per process; `programPath` is argv[0]. False when it cannot start.
// Later calls do nothing and return the first result. Reading or making a picture starts the
// library too when nobody did; calling this at program start still reports a failure early.
bool StartImageLibrary(const char* programPath);

// Ends the library; call once at process end, after every thumbnail is finished.
void EndImageLibrary();

// How many thumbnails to make at once: VIPS_CONCURRENCY when set, otherwise one more than the
// number of cores. Each thumbnail itself then runs on one thread, since pictures in parallel use
// the cores better than one small picture split across them. REQUIRES: StartImageLibrary
// succeeded.
int ThumbnailThreadCount();

struct TThumbnailSize {
  int width = 0;
  int height = 0;
};

// The thumbnail size of a picture of `width` x `height` (upright) for the limits `maxWidth` x
// `maxHeight`: only the longer side is limited, by its own limit (a square counts as high); the
// picture is never enlarged; the other side follows the proportions, rounded half to even. A
// side that rounds to 0 under a positive limit becomes 1, so a thin strip still gets a thumbnail.
TThumbnailSize ThumbnailSizeFor(int width, int height, int maxWidth, int maxHeight);

// Reads only the header of `path`; on success sets the upright size (EXIF orientation applied)
// and returns true.
bool ReadPictureSize(const std::string& path, int& width, int& height);

// Makes the thumbnail of the picture `source` by ThumbnailSizeFor, decoding at the reduced size,
// in the format of `params` (JPEG at params.quality, metadata stripped), into the open file
// `target` (written from its current position; the caller places the file), and gives that file
// the picture's modification time. `picture` receives the status of the picture as it was
// opened, which tells exactly which file the thumbnail was made from. Pictures over 16384 x 16384
// pixels are refused from their header, and decodes running in parallel share a memory budget.
// Returns kThumbOk or the failing step's code; shows nothing. Safe to call from several threads
// at once.
int WriteThumbnail(const std::string& source, int target, int maxWidth, int maxHeight,
                   const TThumbSaveParams& params, TFileStatus& picture);

// A display copy: a JPEG at `quality`, not interlaced, metadata stripped, upright, at most `size`
// pixels on its longer side and never larger than the picture.
struct TDisplayCopyParams {
  int size = 0;
  int quality = 0;
};

// What WritePictureOutputs made: a result code for each output asked for (kThumbOk otherwise).
struct TPictureOutputResults {
  int thumbnail = 0;
  int display = 0;
};

// Makes the display copy of `source` into the open file `displayTarget` and, when
// `thumbnailTarget` is not -1, its thumbnail as WriteThumbnail would size and save it. The
// picture is decoded once when the thumbnail fits inside the copy: the copy is made first and
// the thumbnail shrunk from it. Both files get the picture's modification time. Thread-safe;
// decodes share the memory budget of WriteThumbnail.
TPictureOutputResults WritePictureOutputs(const std::string& source, int displayTarget,
                                          const TDisplayCopyParams& display, int thumbnailTarget,
                                          int maxWidth, int maxHeight,
                                          const TThumbSaveParams& params, TFileStatus& picture);

}  // namespace zetgallery
