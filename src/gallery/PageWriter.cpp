// PageWriter: page and thumbnail names, and the picture pages.
#include "PageWriter.h"

#include <filesystem>
#include <system_error>

#include "WriterMessages.h"
#include "ZetFileUtils.h"
#include "ZetHtmlEscape.h"
#include "ZetStrings.h"
#include "ZetTextFile.h"

namespace {

const std::string& DescriptionOf(const std::vector<std::string>& descriptions, size_t i) {
  static const std::string kEmpty;
  return i < descriptions.size() ? descriptions[i] : kEmpty;
}

bool IsLastPicture(const TBuildParameters& params, size_t i) {
  return i + 1 >= params.Images.size();
}

// One of the First, Prev, Next and Last buttons: half transparent and without a link when it
// would lead nowhere.
std::string NavigationButton(const TBuildParameters& params, const std::string& picture,
                             const std::string& alt, bool active, const std::string& target) {
  std::string html = "<img";
  if (!active) html += " style=\"filter: alpha(opacity=50)\"";
  html += " src=\"" + UrlEncodeFileName(params.ButtonsUrlPrefix + picture) + "\" " +
          "border=\"0\" " + "alt=\"" + EscapeHtmlAttribute(alt) + "\">";
  if (active) html = "<a href=\"" + UrlEncodeFileName(target) + "\">" + html + "</a>";
  return html;
}

// True when `pagePath` is the index page of this build, by name or (when both exist) as a file.
bool IsIndexPage(const TBuildParameters& params, const std::string& pagePath) {
  const std::string indexPath = EnsureTrailingBackslash(params.ResultFolder) + params.IndexFile;
  if (pagePath == indexPath) return true;
  std::error_code error;
  return std::filesystem::equivalent(pagePath, indexPath, error) && !error;
}

}  // namespace

std::string ThumbnailFileName(const std::string& pictureName, int prefixSuffixType,
                              const std::string& prefixSuffix, int thumbsFormat) {
  const std::string name = ExtractFileNameNoExt(pictureName);
  std::string thumb = prefixSuffixType == 0 ? prefixSuffix + name : name + prefixSuffix;
  switch (thumbsFormat) {
    case 0:
      return thumb + ".gif";
    case 2:
      return thumb + ".bmp";
    default:
      return thumb + ".jpg";  // JPEG, and the fallback CollectBuildParameters also uses
  }
}

void PrepareImageNames(TBuildParameters& params, size_t i) {
  const std::string& picture = params.Images[i];
  if (params.ImageType == 0) {
    params.PageBaseName = ExtractFileNameNoExt(picture);
    params.ImageLink = picture;
  } else {
    // Taken before the base name moves on: the page of the previous picture.
    params.PrevPageFile = params.PageBaseName + params.PageExtension;
    if (params.HtmlNames == 0) {
      params.PageBaseName = ExtractFileNameNoExt(picture);
      if (!IsLastPicture(params, i))
        params.NextPageFile = ExtractFileNameNoExt(params.Images[i + 1]) + params.PageExtension;
    } else {
      const long long index = static_cast<long long>(i);
      params.PageBaseName = SerialPageBaseName(params, index);
      params.NextPageFile = SerialPageFile(params, index + 1);
    }
    params.ImageLink = params.PageBaseName + params.PageExtension;
  }
  params.ThumbFileName = ThumbnailFileName(picture, params.ThumbPrefixSuffixType,
                                           params.ThumbPrefixSuffix, params.ThumbsFormat);
}

std::string PictureParagraph(const TBuildParameters& params, size_t i) {
  const bool clickable = params.ImageClickEqualNext && !IsLastPicture(params, i);
  std::string html = "<p align=\"center\">";
  if (clickable) html += "<a href=\"" + UrlEncodeFileName(params.NextPageFile) + "\">";
  html += "<img src=\"" + UrlEncodeFileName(params.ImagesUrlPrefix + params.Images[i]) + "\"";
  if (clickable) html += " alt=\"" + EscapeHtmlAttribute(params.AltNext) + "\"";
  html += ">";
  if (clickable) html += "</a>";
  html += "</p>";
  return html;
}

std::string NavigationTableHtml(const TBuildParameters& params, size_t i) {
  const bool hasPrevious = i > 0;
  const bool hasNext = !IsLastPicture(params, i);
  const std::string indexButton =
      "<a href=\"" + UrlEncodeFileName(params.IndexFile) + "\">" + "<img src=\"" +
      UrlEncodeFileName(params.ButtonsUrlPrefix + params.ButtonImageIndex) + "\" " +
      "border=\"0\" " + "alt=\"" + EscapeHtmlAttribute(params.AltIndex) + "\"></a>";
  std::string html = "<table border=\"0\" align=\"center\">\r\n<tr>\r\n";
  html += "<td>" +
          NavigationButton(params, params.ButtonImageFirst, params.AltFirst, hasPrevious,
                           params.FirstPageFile) +
          "</td>\r\n";
  html += "<td>" +
          NavigationButton(params, params.ButtonImagePrev, params.AltPrev, hasPrevious,
                           params.PrevPageFile) +
          "</td>\r\n";
  html += "<td>" + indexButton + "</td>\r\n";
  html += "<td>" +
          NavigationButton(params, params.ButtonImageNext, params.AltNext, hasNext,
                           params.NextPageFile) +
          "</td>\r\n";
  html += "<td>" +
          NavigationButton(params, params.ButtonImageLast, params.AltLast, hasNext,
                           params.LastPageFile) +
          "</td>\r\n";
  html += "</tr>\r\n</table>\r\n";
  return html;
}

void WriteNavigationTable(const TBuildParameters& params, size_t i, TTextWriter& page) {
  page.Write(NavigationTableHtml(params, i));
}

bool WriteImagePage(const TBuildParameters& params, const std::vector<std::string>& descriptions,
                    size_t i, TUserInterface& ui) {
  if (params.ImageType == 0) return true;

  std::vector<std::string> lines;
  if (!ReadTextFileLines(StripQuotes(params.ImageTemplate), lines)) {
    ui.ShowError(kMsgImageTemplateOpen);
    return false;
  }

  const std::string pageFile = params.PageBaseName + params.PageExtension;
  const std::string pagePath = EnsureTrailingBackslash(params.ResultFolder) + pageFile;
  // A picture named like the index page (index.jpg beside index.htm) would wipe out the index.
  if (IsIndexPage(params, pagePath)) {
    ui.ShowError(kMsgImagePageIsIndex + pageFile);
    return false;
  }

  TTextWriter page;
  if (!page.Open(pagePath)) {
    ui.ShowError(kMsgImagePageOpen);
    return false;
  }

  auto contains = [](const std::string& line, const std::string& place) {
    return !place.empty() && line.find(place) != std::string::npos;
  };
  for (const std::string& line : lines) {
    if (contains(line, params.ImagePlace)) {
      page.Write(PictureParagraph(params, i));
    } else if (contains(line, params.DescrPlace)) {
      const size_t pos = line.find(params.DescrPlace);
      page.Write(line.substr(0, pos));
      page.Write(DescriptionOf(descriptions, i));
      page.Write(line.substr(pos + params.DescrPlace.size()));
    } else if (contains(line, params.ButtonsPlace)) {
      WriteNavigationTable(params, i, page);
    } else {
      page.WriteLine(line);
    }
    if (!page.Ok()) break;
  }
  if (!page.Close()) {
    ui.ShowError(kMsgImagePageWrite);
    return false;
  }
  return true;
}
