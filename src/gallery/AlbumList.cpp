// AlbumList: the markup of the sub-albums. The cells reuse the grid index's classes, so both
// default templates lay them out without a style of their own.
#include "gallery/AlbumList.h"

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
  // A grid like the pictures' (GridIndex.cpp); its second class lets a template tell them apart.
  std::string html = R"(<div class="zetgallery-grid zetgallery-albums" style="--thumb-width: )" +
                     std::to_string(plan.ThumbXSize) +
                     "px; --thumb-height: " + std::to_string(plan.ThumbYSize) +
                     "px; margin-bottom: 2em\">\r\n";  // apart from the pictures below
  for (const TAlbumLink& album : plan.SubAlbums) {
    const std::string name = EscapeHtmlText(album.name);
    html += "<figure><a href=\"" + UrlEncodeFileName(album.indexHref) + "\">";
    if (album.coverSrc.empty())
      html += name + "</a><figcaption>";
    else
      html += "<img src=\"" + UrlEncodeFileName(album.coverSrc) + "\" alt=\"" +
              EscapeHtmlAttribute(name) + R"(" loading="lazy" decoding="async"></a>)" +
              "<figcaption>" + name + "<br>";
    html += PictureCountText(album.pictures) + "</figcaption></figure>\r\n";
  }
  return html + "</div>\r\n";
}

std::string ParentLinkHtml(const TBuildPlan& plan) {
  return R"(<p class="zetgallery-parent"><a href=")" + UrlEncodeFileName(plan.ParentIndexHref) +
         "\">" + kParentAlbumLinkText + "</a></p>\r\n";
}

}  // namespace zetgallery
