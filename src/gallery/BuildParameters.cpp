// BuildParameters: the plan of one build, derived once from the window's values.
#include "gallery/BuildParameters.h"

#include <QLocale>
#include <algorithm>
#include <cstdint>

#include "ImageNames.h"
#include "util/ZetAlphaNums.h"
#include "util/ZetFileUtils.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

int Clamp(int value, int low, int high) { return std::clamp(value, low, high); }

// A spin edit's value for the text it holds: a text that is not an integer gives the lower
// limit, a number outside the limits is pulled back to the nearer one.
int SpinValueOfText(const std::string& text, int low, int high) {
  int32_t value = 0;
  if (!TryStrToInt(text, value)) return low;
  return Clamp(value, low, high);
}

void SetColumnWidths(TBuildPlan& p) {
  if (p.ShowDescriptions && p.ShowFileSizes) {
    p.LinkColumnWidth = 25, p.DescrColumnWidth = 60, p.SizeColumnWidth = 15;
  } else if (p.ShowDescriptions) {
    p.LinkColumnWidth = 30, p.DescrColumnWidth = 70, p.SizeColumnWidth = 0;
  } else if (p.ShowFileSizes) {
    p.LinkColumnWidth = 70, p.DescrColumnWidth = 0, p.SizeColumnWidth = 30;
  } else {
    p.LinkColumnWidth = 100, p.DescrColumnWidth = 0, p.SizeColumnWidth = 0;
  }
}

// The page of the last picture: with serial naming every page, the last included, is named by
// one formula, so the Last button always names a page that is written.
std::string LastPageFileOf(const TBuildPlan& p) {
  if (p.HtmlNames == TPageNaming::AfterPicture)
    return ExtractFileNameNoExt(p.Images.back()) + p.PageExtension;
  return SerialPageFile(p, static_cast<long long>(p.Images.size()) - 1);
}

void SetPageNames(TBuildPlan& p, const std::string& firstImageFileText) {
  if (p.HtmlNames == TPageNaming::AfterPicture) {
    p.PageExtension = ExtractFileExt(p.IndexFile);
    p.FirstPageFile = ExtractFileNameNoExt(p.Images.front()) + p.PageExtension;
    p.LastPageFile = LastPageFileOf(p);
    return;
  }
  p.PageExtension = ExtractFileExt(firstImageFileText);
  const std::string baseName = ExtractFileNameNoExt(firstImageFileText);
  p.FirstPageFile = baseName + p.PageExtension;

  // Without a trailing number the whole base name is the number part: it is not an integer, so
  // the count starts at 1 and the width is one more than the name, giving 00012 for "page".
  const int length = static_cast<int>(baseName.size());
  const int pos = TrailingNumberPos(baseName);
  const std::string numberText = pos > 0 ? baseName.substr(pos - 1) : baseName;
  p.PageNumberPrefix = pos > 0 ? baseName.substr(0, pos - 1) : std::string();
  int32_t start = 1;
  p.PageNumberStart = TryStrToInt(numberText, start) ? start : 1;
  p.PageNumberWidth = pos > 0 ? length - pos + 1 : length + 1;
  p.LastPageFile = LastPageFileOf(p);
}

// The enum value of a drop-down index or radio pair, `fallback` for an index out of range.
template <typename TEnum>
TEnum Choice(int index, int first, int last, TEnum fallback) {
  return index >= first && index <= last ? static_cast<TEnum>(index) : fallback;
}

TThumbSaveParams SaveParamsFor(TThumbFormat format) {
  TThumbSaveParams params;
  params.format = format;
  params.quality = 90;
  params.interlaced = false;
  return params;
}

std::string SystemDecimalSeparator() {
  const std::string separator = QLocale::system().decimalPoint().toStdString();
  return separator.empty() ? std::string(".") : separator;
}

}  // namespace

std::vector<std::string> ImagesInBuildOrder(const TSettingsSnapshot& settings,
                                            const std::vector<std::string>& names) {
  const auto order = Choice(settings.ImageOrder, 0, 2, TImageOrder::Name);
  if (order == TImageOrder::Name && !settings.ImageOrderDescending) return names;
  const std::string folder =
      EnsureTrailingBackslash(NormalizeFolderPath(StripQuotes(settings.ImagesFolder)));
  return OrderedImages(names, folder, order, settings.ImageOrderDescending);
}

TBuildPlan CollectBuildParameters(const TBuildInputs& inputs) {
  const TSettingsSnapshot& s = inputs.Settings;
  TBuildPlan p;
  p.Images = inputs.Images;
  p.ImagesFolder = NormalizeFolderPath(StripQuotes(s.ImagesFolder));
  p.Images = ImagesInBuildOrder(s, p.Images);
  p.ResultFolder = NormalizeFolderPath(inputs.ResultFolderText);
  p.ThumbsFolderPath = EnsureTrailingBackslash(inputs.ThumbsFolderPrefixText) + s.ThumbsFolder;
  p.ButtonsFolderPath = EnsureTrailingBackslash(inputs.ButtonsFolderPrefixText) + s.ButtonsFolder;
  p.ClearResultFolder = s.ClearResultFolder;
  p.ClearThumbsFolder = s.ClearThumbsFolder && inputs.ClearThumbsFolderEnabled;
  p.CopyButtonsFromTemplate = s.CopyButtonsFromTemplate;
  p.ImagesUrlPrefix =
      p.ResultFolder == p.ImagesFolder ? std::string() : ExtractFileName(p.ImagesFolder) + "/";
  if (inputs.ImagesUrlPrefix) p.ImagesUrlPrefix = *inputs.ImagesUrlPrefix;
  p.ThumbsUrlPrefix = s.ThumbsFolder + "/";
  p.ButtonsUrlPrefix = s.ButtonsFolder + "/";
  p.IndexFile = StripQuotes(s.IndexFile);
  p.IndexTemplate = StripQuotes(s.IndexTemplate);
  p.ImageTemplate = StripQuotes(s.ImageTemplate);
  p.ButtonImageFirst = ExtractFileName(StripQuotes(s.ButtonImageFirst));
  p.ButtonImagePrev = ExtractFileName(StripQuotes(s.ButtonImagePrev));
  p.ButtonImageNext = ExtractFileName(StripQuotes(s.ButtonImageNext));
  p.ButtonImageLast = ExtractFileName(StripQuotes(s.ButtonImageLast));
  p.ButtonImageIndex = ExtractFileName(StripQuotes(s.ButtonImageIndex));
  p.ButtonSourceFirst = StripQuotes(s.ButtonImageFirst);
  p.ButtonSourcePrev = StripQuotes(s.ButtonImagePrev);
  p.ButtonSourceNext = StripQuotes(s.ButtonImageNext);
  p.ButtonSourceLast = StripQuotes(s.ButtonImageLast);
  p.ButtonSourceIndex = StripQuotes(s.ButtonImageIndex);
  p.IndexPlace = s.IndexPlace;
  p.ImagePlace = s.ImagePlace;
  p.DescrPlace = s.DescrPlace;
  p.ButtonsPlace = s.ButtonsPlace;
  p.Descriptions = Choice(s.Descriptions, 0, 3, TDescriptionSource::None);
  p.IndexType = Choice(s.IndexType, 0, 4, TIndexKind::None);
  p.TableWidth = Clamp(s.TableWidth, 0, 100);
  p.TableBorderWidth = Clamp(s.TableBorderWidth, 0, 10);
  p.CellSpacing = Clamp(s.CellSpacing, 0, 10);
  p.CellPadding = Clamp(s.CellPadding, 0, 10);
  p.TableBorderColor = s.TableBorderColor;
  p.TableBackColor = s.TableBackColor;
  p.ShowTableHeaders = s.ShowTableHeaders;
  p.ShowDescriptions = s.ShowDescriptions;
  p.ShowFileSizes = s.ShowFileSizes;
  p.FileSizes = Choice(s.FileSizes, 0, 2, TFileSizeUnit::None);
  SetColumnWidths(p);
  p.ThumbXCount = Clamp(s.ThumbXCount, 1, 10);
  p.ThumbXSize = SpinValueOfText(s.ThumbXSize, 0, 200);
  p.ThumbYSize = SpinValueOfText(s.ThumbYSize, 0, 200);
  p.ThumbBorderWidth = Clamp(s.ThumbBorderWidth, 0, 10);
  p.DescrAsThumbAlt = s.DescrAsThumbAlt;
  p.CreateThumbs = s.CreateThumbs;
  // No format selected: the thumbnails are still made and named in one format, the default JPEG.
  p.ThumbsFormat = Choice(s.ThumbsFormat, 0, 2, TThumbFormat::Jpeg);
  // A radio pair reads "first checked, else second".
  p.ThumbPrefixSuffixType = Choice(s.ThumbPrefixSuffixType, 0, 0, TThumbTextPlace::Suffix);
  p.ThumbPrefixSuffix = s.ThumbPrefixSuffix;
  p.ImageType = Choice(s.ImageType, 0, 0, TPictureMode::Page);
  p.HtmlNames = Choice(s.HtmlNames, 0, 0, TPageNaming::Serial);
  if (!p.Images.empty()) SetPageNames(p, s.HtmlFirstImageFile);
  p.AltFirst = s.AltFirst;
  p.AltPrev = s.AltPrev;
  p.AltNext = s.AltNext;
  p.AltLast = s.AltLast;
  p.AltIndex = s.AltIndex;
  p.ImageClickEqualNext = s.ImageClickEqualNext;
  p.PictureFacts = s.PictureFacts;
  p.DecimalSeparator = SystemDecimalSeparator();
  p.ThumbSaveParams = SaveParamsFor(p.ThumbsFormat);
  p.MakeDisplayCopies = s.DisplayCopies && p.ImageType == TPictureMode::Page;
  p.DisplayFolderPath = EnsureTrailingBackslash(inputs.ThumbsFolderPrefixText) + s.DisplayFolder;
  p.DisplayUrlPrefix = s.DisplayFolder + "/";
  p.DisplaySize = Clamp(s.DisplaySize, 200, 8192);
  p.DisplayQuality = Clamp(s.DisplayQuality, 10, 100);
  p.SubAlbums = inputs.SubAlbums;
  p.ParentIndexHref = inputs.ParentIndexHref;
  p.MakeArchive = s.OriginalsArchive;
  p.ArchiveName = s.ArchiveName;
  return p;
}

TBuildPlan PlanForFirstPictures(const TBuildPlan& plan, size_t count) {
  TBuildPlan first = plan;
  first.Images.resize(count);
  first.LastPageFile = LastPageFileOf(first);
  return first;
}

}  // namespace zetgallery
