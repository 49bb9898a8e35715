// GridIndex: the cells of the responsive grid index. Each picture is a <figure> holding its linked
// thumbnail (with its size, lazy loading and a thumbnail of twice the size for high-density
// screens) and its description as the caption; the cells wrap to the screen's width by the
// template's style sheet alone (the class "zetgallery-grid"), with no script.
#pragma once

#include <string>

#include "ImageNames.h"
#include "gallery/BuildParameters.h"

namespace zetgallery {

// The grid's opening and closing lines. The opening gives the style sheet the thumbnail limits as
// the properties --thumb-width and --thumb-height, so cells can be of one size.
std::string GridOpening(const TBuildPlan& plan);
std::string GridClosing();

// The size a thumbnail of the picture at `picturePath` has under the plan's limits, read from the
// picture's header; 0 x 0 when the header cannot be read.
void GridThumbnailSize(const TBuildPlan& plan, const std::string& picturePath, int& width,
                       int& height);

// Picture i's cell, one line: the link `href` around the thumbnail, whose alt text is the
// description or else the picture's file name (escaped), and the description (copied as it is,
// it may hold markup) as the caption when it is not empty. `width` and `height` are written when
// both are positive.
std::string GridFigure(const TBuildPlan& plan, const TImageNames& names, size_t i,
                       const std::string& href, const std::string& description, int width,
                       int height);

}  // namespace zetgallery
