// Thumbnailer: the program's one seam to the image library (libvips). Starting and ending the
// library, reading a picture's upright size from its header, and making one thumbnail file. No
// type or header of the library is visible outside Thumbnailer.cpp.
#pragma once

#include <string>

#include "gallery/ThumbSaveParams.h"
#include "util/Status.h"
#include "util/ZetPlatform.h"

namespace zetgallery {

// Why a thumbnail was not made: the step that failed, kept as the detail of its status
// (ThumbnailFailure in BuildMessages.h makes the status).
enum TThumbFailure : int {
  kThumbHeaderFailed = 1,     // Unsupported: the header could not be read (broken, not a picture)
  kThumbSizeFailed = 2,       // InvalidArgument: the thumbnail size is empty (a limit of 0)
  kThumbLoadFailed = 3,       // Corrupt: decoding at the reduced size failed (truncated data)
  kThumbSaveFailed = 4,       // IoError: encoding or writing the thumbnail file failed
  kThumbTargetIsSource = 5,   // Refused: the target is one of the build's inputs
  kThumbTooLarge = 6,         // Unsupported: more pixels than the program decodes
  kThumbCannotRead = 7,       // IoError: the picture's file cannot be opened (gone, no permission)
  kThumbTargetProtected = 8,  // Refused: a folder, a device or a write-protected file is there
  kThumbNotTrashable = 9,     // Refused: someone else's file is there and no trash can take it
};

// Starts the library once per process; `programPath` is argv[0]. IoError ("the image library
// cannot start") when it cannot. Later calls do nothing and return the first result. Reading or
// making a picture starts the library too when nobody did; calling this at program start still
// reports a failure early.
TStatus StartImageLibrary(const char* programPath);

// Ends the library; call once at process end, after every thumbnail is finished.
void EndImageLibrary();

// How many thumbnails to work on at once: VIPS_CONCURRENCY when set, otherwise one more than the
// number of cores (a build starts three workers for each). Each thumbnail itself then runs on one
// thread, since pictures in parallel use the cores better than one small picture split across
// them. REQUIRES: StartImageLibrary succeeded.
int ThumbnailThreadCount();
// How many of them decode at once: one a core (or VIPS_CONCURRENCY); the others wait their turn
// at the decode budget with their pictures' headers read.
int ThumbnailDecodeCount();

struct TThumbnailSize {
  int width = 0;
  int height = 0;
};

// The thumbnail size of a picture of `width` x `height` (upright) for the limits `maxWidth` x
// `maxHeight`: only the longer side is limited, by its own limit (a square counts as high); the
// picture is never enlarged; the other side follows the proportions, rounded half to even. A
// side that rounds to 0 under a positive limit becomes 1, so a thin strip still gets a thumbnail.
TThumbnailSize ThumbnailSizeFor(int width, int height, int maxWidth, int maxHeight);

// Reads only the header of `path`: the upright size (EXIF orientation applied), or why not.
TStatusOr<TThumbnailSize> ReadPictureSize(const std::string& path);

// Makes the thumbnail of the picture `source` by ThumbnailSizeFor, decoding at the reduced size,
// in the format of `params` (JPEG at params.quality, metadata stripped), into the open file
// `target` (written from its current position; the caller places the file), and gives that file
// the picture's modification time. `picture` receives the status of the picture as it was
// opened, which tells exactly which file the thumbnail was made from. Pictures over 16384 x 16384
// pixels are refused from their header, and decodes running in parallel share a memory budget.
// Returns ok or the failing step's status (TThumbFailure); shows nothing. Safe to call from
// several threads at once.
TStatus WriteThumbnail(const std::string& source, int target, int maxWidth, int maxHeight,
                       const TThumbSaveParams& params, TFileStatus& picture);

// Makes the two thumbnails of the grid in one decoding: the thumbnail of twice the limits
// (`2 * maxWidth` x `2 * maxHeight`, the same pixels WriteThumbnail gives for those limits) into
// `doubleTarget`, and the thumbnail within `maxWidth` x `maxHeight` shrunk from it into `target`.
// A target of -1 is not written (its file is up to date), and the other is made exactly as when
// both are. Otherwise as WriteThumbnail.
TStatus WriteThumbnailPair(const std::string& source, int target, int doubleTarget, int maxWidth,
                           int maxHeight, const TThumbSaveParams& params, TFileStatus& picture);

// A display copy: a JPEG at `quality`, not interlaced, metadata stripped, upright, at most `size`
// pixels on its longer side and never larger than the picture.
struct TDisplayCopyParams {
  int size = 0;
  int quality = 0;
};

// What WritePictureOutputs made: a status for the thumbnails asked for and one for the copy.
struct TPictureOutputResults {
  TStatus thumbnails;
  TStatus display;
};

// Makes the display copy of `source` into the open file `displayTarget` and its thumbnails: with
// `pair` false, the thumbnail into `thumbnailTarget` as WriteThumbnail would size and save it;
// with `pair`, the two of WriteThumbnailPair into `thumbnailTarget` and `doubleTarget`. A target
// of -1 is not written. The picture is decoded once when the thumbnails fit inside the copy: the
// copy is made first and the thumbnails shrunk from it (the smaller of a pair from the larger);
// otherwise they are made on their own. Every file gets the picture's modification time.
// Thread-safe; decodes share the memory budget of WriteThumbnail.
TPictureOutputResults WritePictureOutputs(const std::string& source, int displayTarget,
                                          const TDisplayCopyParams& display, int thumbnailTarget,
                                          int doubleTarget, bool pair, int maxWidth, int maxHeight,
                                          const TThumbSaveParams& params, TFileStatus& picture);

}  // namespace zetgallery
