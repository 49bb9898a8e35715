// IndexWriter: writes the gallery's index page from its template and drives the per-picture work
// (index entry, thumbnail, picture page) while it writes the index entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gallery/BuildOutputs.h"
#include "gallery/BuildParameters.h"
#include "gallery/PictureArchive.h"
#include "util/Status.h"
#include "util/UserInterface.h"

namespace zetgallery {

// What the index writer hands on while it goes through the pictures: the thumbnails to make and
// the pictures it has finished. The build driver makes the thumbnails on worker threads, reports
// progress and keeps the writer from running far ahead of the thumbnails.
class TPictureSink {
 public:
  virtual ~TPictureSink() = default;
  // Picture i's thumbnail is wanted from `sourcePath` in `targetPath`. Called in the thumbnail
  // and grid indexes with CreateThumbs only, after the picture's cell is opened and before its
  // link.
  virtual void MakeThumbnail(size_t i, const std::string& sourcePath,
                             const std::string& targetPath) = 0;
  // Picture i of `count` is done: its index entry and its page are written. Returns when the
  // next picture may begin.
  virtual void PictureWritten(size_t i, size_t count) = 0;
  // Every picture is written: returns when the thumbnails asked for are finished, so that the
  // index, placed after this, never names a thumbnail still being made.
  virtual void Finish() {}
};

// Copies the index template into IndexFile in the result folder of `outputs`, replacing every
// template line that holds IndexPlace by a complete index of all pictures (no line without
// pictures), a line holding kAlbumsMarker by the list of plan.SubAlbums and one holding
// kParentLinkMarker by the link to plan.ParentIndexHref (AlbumList.h; each line dropped when
// there is nothing to show). For every picture of
// every such line: ui.ProcessMessages(), the index entry (in the thumbnail and grid kinds with
// CreateThumbs, sink.MakeThumbnail is called inside the cell), WriteImagePage,
// ui.ProcessMessages(), sink.PictureWritten. The index is placed last, after sink.Finish(), and
// appears whole or not at all: a failure leaves the older index in place. An index that would
// replace one of the build's inputs is not written. Returns true in `indexPlaced` (when given)
// when the new index took its place. When ui.StopRequested() after a picture, the index is closed
// properly, the rest of the template is copied without further indexes, and the pages written so
// far are made the pages of a gallery of the pictures done (their Last buttons name the last page
// written). Failures are shown with ui.ShowError (a file that no trash could take is named by the
// outputs instead); returns the index's failure, else the first page's, else ok. A template line
// that holds the zip's marker (ArchiveLink.h) waits for the zip of `archive` and links it when
// it is placed, and is left out otherwise; the index is placed only once the zip is done.
// REQUIRES: descriptions[i] belongs to picture i (a missing entry is the empty description).
TStatus WriteIndexPage(const TBuildPlan& plan, TBuildOutputs& outputs,
                       const std::vector<std::string>& descriptions, TUserInterface& ui,
                       TPictureSink& sink, bool* indexPlaced = nullptr,
                       TArchiveWriter* archive = nullptr);

// The index page's path: EnsureTrailingBackslash(ResultFolder) + IndexFile.
std::string IndexPagePath(const TBuildPlan& plan);

// The alt attribute of picture i's thumbnail: " alt=\"description\"" (attribute-escaped) when
// DescrAsThumbAlt is on and the description is not empty, else "".
std::string ThumbAltText(const TBuildPlan& plan, const std::vector<std::string>& descriptions,
                         size_t i);

// Size in bytes of the file at `path`, or -1 when there is none.
int64_t GetImageFileSize(const std::string& path);

// The size column's text for `size` bytes: kilobytes rounded half away from zero and "k";
// megabytes with one decimal, `decimalSeparator`, and "M"; otherwise the bytes. A negative
// (unknown) size is "-1" in bytes and 0 in the other units.
std::string FileSizeText(int64_t size, TFileSizeUnit unit, const std::string& decimalSeparator);

}  // namespace zetgallery
