// PageWriter: the picture pages.
#include "PageWriter.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "PageTemplate.h"
#include "WriterMessages.h"
#include "catalogue/PictureFacts.h"
#include "gallery/BuildMessages.h"
#include "util/ZetFileUtils.h"
#include "util/ZetHtmlEscape.h"
#include "util/ZetStrings.h"
#include "util/ZetTextFile.h"

namespace zetgallery {

namespace {

const std::string& DescriptionOf(const std::vector<std::string>& descriptions, size_t i) {
  static const std::string kEmpty;
  return i < descriptions.size() ? descriptions[i] : kEmpty;
}

bool IsLastPicture(const TBuildPlan& plan, size_t i) { return i + 1 >= plan.Images.size(); }

// Every marker of `line` replaced by what the picture's metadata says, HTML-escaped; the
// picture is read the first time a line needs it.
std::string WithPictureFacts(const std::string& line, const TBuildPlan& plan, size_t i,
                             std::optional<TPictureFacts>& facts) {
  if (line.find(kPictureFactMarkerStart) == std::string::npos) return line;
  if (!facts) facts = ReadPictureFacts(EnsureTrailingBackslash(plan.ImagesFolder) + plan.Images[i]);
  const std::pair<const char*, std::string> replacements[] = {
      {kDateMarker, DateTakenText(facts->taken)},
      {kCameraMarker, CameraText(facts->make, facts->model)},
      {kExposureMarker, ExposureText(*facts)},
  };
  std::string result = line;
  for (const auto& [marker, text] : replacements) {
    const std::string html = EscapeHtmlText(text);
    const size_t length = std::char_traits<char>::length(marker);
    for (size_t at = result.find(marker); at != std::string::npos;
         at = result.find(marker, at + html.size()))
      result.replace(at, length, html);
  }
  return result;
}

// One of the First, Prev, Next and Last buttons: half transparent and without a link when it
// would lead nowhere.
std::string NavigationButton(const TBuildPlan& plan, const std::string& picture,
                             const std::string& alt, bool active, const std::string& target) {
  std::string html = "<img";
  if (!active) html += " style=\"filter: alpha(opacity=50)\"";
  html += " src=\"" + UrlEncodeFileName(plan.ButtonsUrlPrefix + picture) + "\" " + "border=\"0\" " +
          "alt=\"" + EscapeHtmlAttribute(alt) + "\">";
  if (active) html = "<a href=\"" + UrlEncodeFileName(target) + "\">" + html + "</a>";
  return html;
}

// `path` made absolute, with "." and ".." and every link resolved as far as it exists.
std::filesystem::path Normalised(const std::string& path) {
  std::error_code error;
  return std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
}

// True when `pagePath` is the index page of this build, by path or (when both exist) as a file.
// The index is written under a temporary name until it is complete, so the path decides.
bool IsIndexPage(const TBuildPlan& plan, const std::string& pagePath) {
  const std::string indexPath = EnsureTrailingBackslash(plan.ResultFolder) + plan.IndexFile;
  if (pagePath == indexPath || Normalised(pagePath) == Normalised(indexPath)) return true;
  std::error_code error;
  return std::filesystem::equivalent(pagePath, indexPath, error) && !error;
}

// The head-link marker `line` holds, or nullptr.
const char* HeadLinkMarkerOf(const std::string& line) {
  for (const char* marker : {kPrevLinkPlace, kNextLinkPlace, kIconLinkPlace})
    if (line.find(marker) != std::string::npos) return marker;
  return nullptr;
}

}  // namespace

std::string PictureParagraph(const TBuildPlan& plan, const TImageNames& names, size_t i) {
  const bool clickable = plan.ImageClickEqualNext && !IsLastPicture(plan, i);
  std::string html = "<p align=\"center\">";
  if (clickable) html += "<a href=\"" + UrlEncodeFileName(names.NextPageFile) + "\">";
  // With display copies the page shows the picture's copy; the original is one link away.
  const std::string shown = names.DisplayFileName.empty()
                                ? plan.ImagesUrlPrefix + plan.Images[i]
                                : plan.DisplayUrlPrefix + names.DisplayFileName;
  html += "<img src=\"" + UrlEncodeFileName(shown) + "\"";
  if (clickable) html += " alt=\"" + EscapeHtmlAttribute(plan.AltNext) + "\"";
  html += ">";
  if (clickable) html += "</a>";
  html += "</p>";
  return html;
}

std::string NavigationTableHtml(const TBuildPlan& plan, const TImageNames& names, size_t i) {
  const bool hasPrevious = i > 0;
  const bool hasNext = !IsLastPicture(plan, i);
  const std::string indexButton =
      "<a href=\"" + UrlEncodeFileName(plan.IndexFile) + "\">" + "<img src=\"" +
      UrlEncodeFileName(plan.ButtonsUrlPrefix + plan.ButtonImageIndex) + "\" " + "border=\"0\" " +
      "alt=\"" + EscapeHtmlAttribute(plan.AltIndex) + "\"></a>";
  std::string html = "<table border=\"0\" align=\"center\">\r\n<tr>\r\n";
  html += "<td>" +
          NavigationButton(plan, plan.ButtonImageFirst, plan.AltFirst, hasPrevious,
                           plan.FirstPageFile) +
          "</td>\r\n";
  html +=
      "<td>" +
      NavigationButton(plan, plan.ButtonImagePrev, plan.AltPrev, hasPrevious, names.PrevPageFile) +
      "</td>\r\n";
  html += "<td>" + indexButton + "</td>\r\n";
  html += "<td>" +
          NavigationButton(plan, plan.ButtonImageNext, plan.AltNext, hasNext, names.NextPageFile) +
          "</td>\r\n";
  html += "<td>" +
          NavigationButton(plan, plan.ButtonImageLast, plan.AltLast, hasNext, plan.LastPageFile) +
          "</td>\r\n";
  html += "</tr>\r\n</table>\r\n";
  return html;
}

std::string OriginalLinkHtml(const TBuildPlan& plan, const TImageNames& names, size_t i) {
  if (names.DisplayFileName.empty()) return std::string();
  return R"(<p align="center"><a href=")" +
         UrlEncodeFileName(plan.ImagesUrlPrefix + plan.Images[i]) + "\">" +
         EscapeHtmlText(plan.Images[i]) + "</a></p>\r\n";
}

std::string HeadLinkHtml(const TBuildPlan& plan, const TImageNames& names, size_t i,
                         const std::string& marker) {
  std::string rel, target;
  if (marker == kPrevLinkPlace && i > 0) {
    rel = "prev", target = names.PrevPageFile;
  } else if (marker == kNextLinkPlace && !IsLastPicture(plan, i)) {
    rel = "next", target = names.NextPageFile;
  } else if (marker == kIconLinkPlace) {
    rel = "icon", target = plan.ButtonsUrlPrefix + plan.ButtonImageIndex;
  }
  if (rel.empty()) return std::string();
  return "<link rel=\"" + rel + "\" href=\"" + UrlEncodeFileName(target) + "\">\r\n";
}

void WriteNavigationTable(const TBuildPlan& plan, const TImageNames& names, size_t i,
                          TOutputFile& page) {
  page.Write(NavigationTableHtml(plan, names, i));
}

std::string PageTemplatePath(const TBuildPlan& plan) { return StripQuotes(plan.ImageTemplate); }

TStatus WriteImagePage(const TBuildPlan& plan, TBuildOutputs& outputs,
                       const std::vector<std::string>& descriptions, size_t i, TUserInterface& ui) {
  TPageTemplate pageTemplate(PageTemplatePath(plan));
  return WriteImagePage(plan, outputs, descriptions, i, ui, pageTemplate);
}

TStatus WriteImagePage(const TBuildPlan& plan, TBuildOutputs& outputs,
                       const std::vector<std::string>& descriptions, size_t i, TUserInterface& ui,
                       TPageTemplate& pageTemplate) {
  if (plan.ImageType == TPictureMode::File) return TStatus::Ok();
  // The build goes on after a page that failed: the failure is shown now.
  const auto shown = [&ui](TStatus failure) {
    ui.ShowError(failure.message());
    return failure;
  };

  if (!pageTemplate.Begin().ok()) return shown(TStatus::IoError(kMsgImageTemplateOpen));

  const TImageNames names = PrepareImageNames(plan, i);
  const std::string pagePath = EnsureTrailingBackslash(plan.ResultFolder) + names.PageFile;
  // A picture named like the index page (index.jpg beside index.htm) would wipe out the index.
  if (IsIndexPage(plan, pagePath))
    return shown(TStatus::Refused(kMsgImagePageIsIndex + names.PageFile));
  TOutputFile page;
  const TOutputRefusal refusal =
      RefusalOf(outputs.Begin(TOutputPlace::Result, names.PageFile, page));
  if (refusal == TOutputRefusal::IsInput)
    return shown(TStatus::Refused(PageIsInputMessage(pagePath)));
  if (refusal != TOutputRefusal::None) return shown(TStatus::IoError(kMsgImagePageOpen));

  auto contains = [](const std::string& line, const std::string& place) {
    return !place.empty() && line.find(place) != std::string::npos;
  };
  std::optional<TPictureFacts> facts;
  for (std::string line; page.status().ok() && pageTemplate.Next(line);) {
    if (plan.PictureFacts) line = WithPictureFacts(line, plan, i, facts);
    if (contains(line, plan.ImagePlace)) {
      page.Write(PictureParagraph(plan, names, i));
    } else if (contains(line, plan.DescrPlace)) {
      const size_t pos = line.find(plan.DescrPlace);
      page.Write(line.substr(0, pos));
      page.Write(DescriptionOf(descriptions, i));
      page.Write(line.substr(pos + plan.DescrPlace.size()));
    } else if (contains(line, plan.ButtonsPlace)) {
      WriteNavigationTable(plan, names, i, page);
    } else if (contains(line, kOriginalLinkPlace)) {
      page.Write(OriginalLinkHtml(plan, names, i));
    } else if (const char* marker = HeadLinkMarkerOf(line)) {
      page.Write(HeadLinkHtml(plan, names, i, marker));
    } else {
      page.WriteLine(line);
    }
  }
  if (pageTemplate.TakeLineCutNotice()) ui.ShowError(LongLineCutMessage(PageTemplatePath(plan)));
  // A template that cannot be read to its end leaves the older page, like a failed write.
  if (!pageTemplate.status().ok()) page.Fail(pageTemplate.status());
  switch (RefusalOf(outputs.Commit(page))) {
    case TOutputRefusal::None:
      return TStatus::Ok();
    case TOutputRefusal::IsInput:
      return shown(TStatus::Refused(PageIsInputMessage(pagePath)));
    case TOutputRefusal::NotTrashable:
      // The outputs name the file that stayed.
      return TStatus::Refused(NotTrashableMessage(pagePath));
    default:
      return shown(TStatus::IoError(kMsgImagePageWrite));
  }
}

}  // namespace zetgallery
