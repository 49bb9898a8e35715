// IndexWriter: writes the gallery's index page from its template and drives the per-picture work
// (page names, thumbnails, picture pages) while it writes the index entries.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "BuildParameters.h"
#include "UserInterface.h"

// Makes one thumbnail file. It may run the work on another thread; its outcome is never looked at.
using TThumbnailMaker =
    std::function<void(const std::string& sourcePath, const std::string& targetPath)>;

// Copies the index template into EnsureTrailingBackslash(ResultFolder) + IndexFile, replacing
// every template line that holds IndexPlace by a complete index of all pictures. For every
// picture of every such line: ui.ProcessMessages(), PrepareImageNames, the index entry (in the
// thumbnail kind with CreateThumbs, `makeThumbnail` is called before the cell is written),
// WriteImagePage, ui.ProcessMessages(), ui.ReportProgress(i + 1, n, name). The file is flushed
// after every written piece. When ui.StopRequested() after a picture, the index is closed
// properly, the rest of the template is copied without further indexes, and it returns.
// Failures are shown with ui.ShowError; returns false when any error was shown (pages included).
// REQUIRES: params came from CollectBuildParameters; descriptions[i] belongs to picture i (a
// missing entry is the empty description).
bool WriteIndexPage(TBuildParameters& params, const std::vector<std::string>& descriptions,
                    TUserInterface& ui, const TThumbnailMaker& makeThumbnail);

// The alt attribute of picture i's thumbnail: " alt=\"description\"" (attribute-escaped) when
// DescrAsThumbAlt is on and the description is not empty, else "".
std::string ThumbAltText(const TBuildParameters& params,
                         const std::vector<std::string>& descriptions, size_t i);

// Size in bytes of the file at `path`, or -1 when there is none.
int64_t GetImageFileSize(const std::string& path);

// The size column's text for `size` bytes: unit 1 gives kilobytes rounded half away from zero
// and "k"; unit 2 megabytes with one decimal, `decimalSeparator`, and "M"; any other unit the
// bytes. A negative (unknown) size is "-1" in bytes and 0 in the other units.
std::string FileSizeText(int64_t size, int unit, const std::string& decimalSeparator);
