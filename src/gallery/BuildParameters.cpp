// BuildParameters: the snapshot of one build and the names derived from it.
#include "BuildParameters.h"

#include <QLocale>
#include <algorithm>
#include <cstdint>
#include <limits>

#include "ZetAlphaNums.h"
#include "ZetFileUtils.h"
#include "ZetStrings.h"

namespace {

int Clamp(int value, int low, int high) { return std::clamp(value, low, high); }

// A spin edit's value for the text it holds: a text that is not an integer gives the lower
// limit, a number outside the limits is pulled back to the nearer one.
int SpinValueOfText(const std::string& text, int low, int high) {
  int32_t value = 0;
  if (!TryStrToInt(text, value)) return low;
  return Clamp(value, low, high);
}

// `value` in decimal, "0"-padded to `width` with the sign in front, also beyond 32 bits (a page
// counter near the top of the range must still give distinct names).
std::string PaddedNumber(long long value, int width) {
  if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max())
    return IntToStrPadded(static_cast<int32_t>(value), width, '0');
  const bool negative = value < 0;
  std::string digits = std::to_string(value);
  if (negative) digits.erase(0, 1);
  const int signWidth = negative ? 1 : 0;
  const int cappedWidth = std::min(width, 255);
  if (static_cast<int>(digits.size()) + signWidth < cappedWidth)
    digits.insert(0, cappedWidth - signWidth - digits.size(), '0');
  return negative ? "-" + digits : digits;
}

void SetColumnWidths(TBuildParameters& p) {
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

void SetPageNames(TBuildParameters& p, const std::string& firstImageFileText) {
  const long long count = static_cast<long long>(p.Images.size());
  if (p.HtmlNames == 0) {
    p.PageExtension = ExtractFileExt(p.IndexFile);
    p.FirstPageFile = ExtractFileNameNoExt(p.Images.front()) + p.PageExtension;
    p.LastPageFile = ExtractFileNameNoExt(p.Images.back()) + p.PageExtension;
    return;
  }
  p.PageExtension = ExtractFileExt(firstImageFileText);
  p.PageBaseName = ExtractFileNameNoExt(firstImageFileText);
  p.FirstPageFile = p.PageBaseName + p.PageExtension;

  // Without a trailing number the whole base name is the number part: it is not an integer, so
  // the count starts at 1 and the width is one more than the name, giving 00012 for "page".
  const int length = static_cast<int>(p.PageBaseName.size());
  const int pos = TrailingNumberPos(p.PageBaseName);
  const std::string numberText = pos > 0 ? p.PageBaseName.substr(pos - 1) : p.PageBaseName;
  p.PageNumberPrefix = pos > 0 ? p.PageBaseName.substr(0, pos - 1) : std::string();
  int32_t start = 1;
  p.PageNumberStart = TryStrToInt(numberText, start) ? start : 1;
  p.PageNumberWidth = pos > 0 ? length - pos + 1 : length + 1;
  // Every page, the last included, is named by one formula, so the Last button always names a
  // page that is written (a single page is the first page).
  p.LastPageFile = SerialPageFile(p, count - 1);
}

TThumbSaveParams SaveParamsFor(int thumbsFormat) {
  TThumbSaveParams params;
  params.format = static_cast<TThumbFormat>(thumbsFormat);
  params.quality = 90;
  params.interlaced = false;
  return params;
}

std::string SystemDecimalSeparator() {
  const std::string separator = QLocale::system().decimalPoint().toStdString();
  return separator.empty() ? std::string(".") : separator;
}

}  // namespace

std::string SerialPageBaseName(const TBuildParameters& params, long long i) {
  if (i == 0)
    return params.FirstPageFile.substr(0,
                                       params.FirstPageFile.size() - params.PageExtension.size());
  return params.PageNumberPrefix + PaddedNumber(params.PageNumberStart + i, params.PageNumberWidth);
}

std::string SerialPageFile(const TBuildParameters& params, long long i) {
  return SerialPageBaseName(params, i) + params.PageExtension;
}

TBuildParameters CollectBuildParameters(const TBuildInputs& inputs) {
  const TSettingsSnapshot& s = inputs.Settings;
  TBuildParameters p;
  p.Images = inputs.Images;
  p.ImagesFolder = NormalizeFolderPath(StripQuotes(s.ImagesFolder));
  p.ResultFolder = NormalizeFolderPath(inputs.ResultFolderText);
  p.ThumbsFolderPath = EnsureTrailingBackslash(inputs.ThumbsFolderPrefixText) + s.ThumbsFolder;
  p.ButtonsFolderPath = EnsureTrailingBackslash(inputs.ButtonsFolderPrefixText) + s.ButtonsFolder;
  p.ClearResultFolder = s.ClearResultFolder;
  p.ClearThumbsFolder = s.ClearThumbsFolder && inputs.ClearThumbsFolderEnabled;
  p.CopyButtonsFromTemplate = s.CopyButtonsFromTemplate;
  p.ImagesUrlPrefix =
      p.ResultFolder == p.ImagesFolder ? std::string() : ExtractFileName(p.ImagesFolder) + "/";
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
  p.IndexPlace = s.IndexPlace;
  p.ImagePlace = s.ImagePlace;
  p.DescrPlace = s.DescrPlace;
  p.ButtonsPlace = s.ButtonsPlace;
  p.IndexType = s.IndexType >= 0 && s.IndexType <= 3 ? s.IndexType : -1;
  p.TableWidth = Clamp(s.TableWidth, 0, 100);
  p.TableBorderWidth = Clamp(s.TableBorderWidth, 0, 10);
  p.CellSpacing = Clamp(s.CellSpacing, 0, 10);
  p.CellPadding = Clamp(s.CellPadding, 0, 10);
  p.TableBorderColor = s.TableBorderColor;
  p.TableBackColor = s.TableBackColor;
  p.ShowTableHeaders = s.ShowTableHeaders;
  p.ShowDescriptions = s.ShowDescriptions;
  p.ShowFileSizes = s.ShowFileSizes;
  p.FileSizes = s.FileSizes >= 0 && s.FileSizes <= 2 ? s.FileSizes : -1;
  SetColumnWidths(p);
  p.ThumbXCount = Clamp(s.ThumbXCount, 1, 10);
  p.ThumbXSize = SpinValueOfText(s.ThumbXSize, 0, 200);
  p.ThumbYSize = SpinValueOfText(s.ThumbYSize, 0, 200);
  p.ThumbBorderWidth = Clamp(s.ThumbBorderWidth, 0, 10);
  p.DescrAsThumbAlt = s.DescrAsThumbAlt;
  p.CreateThumbs = s.CreateThumbs;
  // No format selected: the thumbnails are still made and named in one format, the default JPEG.
  p.ThumbsFormat = s.ThumbsFormat >= 0 && s.ThumbsFormat <= 2 ? s.ThumbsFormat : 1;
  p.ThumbPrefixSuffixType = s.ThumbPrefixSuffixType == 0 ? 0 : 1;
  p.ThumbPrefixSuffix = s.ThumbPrefixSuffix;
  p.ImageType = s.ImageType == 0 ? 0 : 1;
  p.HtmlNames = s.HtmlNames == 0 ? 0 : 1;
  if (!p.Images.empty()) SetPageNames(p, s.HtmlFirstImageFile);
  p.AltFirst = s.AltFirst;
  p.AltPrev = s.AltPrev;
  p.AltNext = s.AltNext;
  p.AltLast = s.AltLast;
  p.AltIndex = s.AltIndex;
  p.ImageClickEqualNext = s.ImageClickEqualNext;
  p.DecimalSeparator = SystemDecimalSeparator();
  p.ThumbSaveParams = SaveParamsFor(p.ThumbsFormat);
  return p;
}
