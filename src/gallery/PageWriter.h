// PageWriter: the names of the picture pages and thumbnails, and the picture pages themselves
// (picture, description and a table of five navigation buttons put into the page template).
#pragma once

#include <string>
#include <vector>

#include "BuildParameters.h"
#include "UserInterface.h"

class TTextWriter;

// Sets ImageLink, PageBaseName, PrevPageFile, NextPageFile and ThumbFileName for picture i.
// REQUIRES: called for i = 0, 1, ..., n - 1 in turn (the previous page name is carried over).
void PrepareImageNames(TBuildParameters& params, size_t i);

// Writes picture i's page (ImageType 1 only) into the result folder, named ImageLink. A page
// that would replace the index page is not written. Failures are shown with ui.ShowError and
// the build goes on; returns false when an error was shown.
// REQUIRES: PrepareImageNames(params, i) was the last naming call.
bool WriteImagePage(const TBuildParameters& params, const std::vector<std::string>& descriptions,
                    size_t i, TUserInterface& ui);

// The picture paragraph of picture i: the picture, linked to the next page when
// ImageClickEqualNext is on and i is not the last picture.
std::string PictureParagraph(const TBuildParameters& params, size_t i);

// The nine lines of the navigation table of picture i (each ending in CR LF).
std::string NavigationTableHtml(const TBuildParameters& params, size_t i);

// Writes NavigationTableHtml into the page being written.
void WriteNavigationTable(const TBuildParameters& params, size_t i, TTextWriter& page);

// The thumbnail file name of `pictureName`: its name without extension with `prefixSuffix` in
// front (type 0) or behind (type 1), and ".gif", ".jpg" or ".bmp" for thumbsFormat 0, 1, 2.
std::string ThumbnailFileName(const std::string& pictureName, int prefixSuffixType,
                              const std::string& prefixSuffix, int thumbsFormat);
