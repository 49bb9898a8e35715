// GridIndex: the grid index's markup.
#include "GridIndex.h"

#include "gallery/Thumbnailer.h"
#include "util/ZetHtmlEscape.h"

namespace zetgallery {

namespace {

// A URL inside srcset: candidates are separated by blanks and a trailing comma ends one, so both
// are percent-encoded too (a thumbnail of "cliff & sea.jpg" would otherwise read as two).
std::string SrcsetUrl(const std::string& name) {
  std::string url;
  for (char c : UrlEncodeFileName(name)) {
    if (c == ' ')
      url += "%20";
    else if (c == ',')
      url += "%2C";
    else
      url += c;
  }
  return url;
}

}  // namespace

std::string GridOpening(const TBuildPlan& plan) {
  return R"(<div class="zetgallery-grid" style="--thumb-width: )" +
         std::to_string(plan.ThumbXSize) +
         "px; --thumb-height: " + std::to_string(plan.ThumbYSize) + "px\">\r\n";
}

std::string GridClosing() { return "</div>\r\n"; }

void GridThumbnailSize(const TBuildPlan& plan, const std::string& picturePath, int& width,
                       int& height) {
  width = 0;
  height = 0;
  const TStatusOr<TThumbnailSize> picture = ReadPictureSize(picturePath);
  if (!picture.ok()) return;
  const TThumbnailSize size =
      ThumbnailSizeFor(picture->width, picture->height, plan.ThumbXSize, plan.ThumbYSize);
  width = size.width;
  height = size.height;
}

std::string GridFigure(const TBuildPlan& plan, const TImageNames& names, size_t i,
                       const std::string& href, const std::string& description, int width,
                       int height) {
  const std::string& altSource = description.empty() ? plan.Images[i] : description;
  std::string html = "<figure><a href=\"" + href + "\"><img src=\"" +
                     UrlEncodeFileName(plan.ThumbsUrlPrefix + names.ThumbFileName) + "\"";
  if (!names.DoubleThumbFileName.empty())
    html += " srcset=\"" + SrcsetUrl(plan.ThumbsUrlPrefix + names.DoubleThumbFileName) + " 2x\"";
  if (width > 0 && height > 0)
    html += " width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
  html += " alt=\"" + EscapeHtmlAttribute(EscapeHtmlText(altSource)) +
          R"(" loading="lazy" decoding="async"></a>)";
  if (!description.empty()) html += "<figcaption>" + description + "</figcaption>";
  html += "</figure>\r\n";
  return html;
}

}  // namespace zetgallery
