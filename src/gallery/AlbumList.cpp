// AlbumList: the markup of the sub-albums. The cells reuse the grid index's classes, so both
// default templates lay them out without a style of their own.
#include "gallery/AlbumList.h"

#include "GridIndex.h"
#include "WriterMessages.h"
#include "util/ZetHtmlEscape.h"

namespace zetgallery {

std::string PictureCountText(int count) {
  const int lastTwo = count % 100;
  const int last = count % 10;
  const char* noun = "картинок";
  if (last == 1 && lastTwo != 11)
    noun = "картинка";
  else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
    noun = "картинки";
  return std::to_string(count) + " " + noun;
}

std::string AlbumListHtml(const TBuildPlan& plan) {
  std::string html = GridOpening(plan);
  // The opening names the grid; the albums' class lets a template tell them from the pictures.
  html.replace(html.find("zetgallery-grid"), 15, "zetgallery-grid zetgallery-albums");
  for (const TAlbumLink& album : plan.SubAlbums) {
    const std::string name = EscapeHtmlText(album.name);
    html += "<figure><a href=\"" + UrlEncodeFileName(album.indexHref) + "\">";
    if (album.coverSrc.empty())
      html += name + "</a><figcaption>";
    else
      html += "<img src=\"" + UrlEncodeFileName(album.coverSrc) + "\" alt=\"" +
              EscapeHtmlAttribute(name) + "\" loading=\"lazy\" decoding=\"async\"></a>" +
              "<figcaption>" + name + "<br>";
    html += PictureCountText(album.pictures) + "</figcaption></figure>\r\n";
  }
  return html + GridClosing();
}

std::string ParentLinkHtml(const TBuildPlan& plan) {
  return "<p class=\"zetgallery-parent\"><a href=\"" + UrlEncodeFileName(plan.ParentIndexHref) +
         "\">" + kParentAlbumLinkText + "</a></p>\r\n";
}

}  // namespace zetgallery
