// ImageNames: page, link and thumbnail names of one picture.
#include "ImageNames.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "util/ZetAlphaNums.h"
#include "util/ZetFileUtils.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

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

// The page of picture i in page mode.
std::string PageFileOf(const TBuildPlan& plan, size_t i) {
  if (plan.HtmlNames == TPageNaming::AfterPicture)
    return ExtractFileNameNoExt(plan.Images[i]) + plan.PageExtension;
  return SerialPageFile(plan, static_cast<long long>(i));
}

}  // namespace

std::string SerialPageFile(const TBuildPlan& plan, long long i) {
  if (i == 0) return plan.FirstPageFile;
  return plan.PageNumberPrefix + PaddedNumber(plan.PageNumberStart + i, plan.PageNumberWidth) +
         plan.PageExtension;
}

std::string ThumbnailFileName(const std::string& pictureName, TThumbTextPlace place,
                              const std::string& text, TThumbFormat format) {
  const std::string name = ExtractFileNameNoExt(pictureName);
  const std::string thumb = place == TThumbTextPlace::Prefix ? text + name : name + text;
  switch (format) {
    case TThumbFormat::Gif:
      return thumb + ".gif";
    case TThumbFormat::Bmp:
      return thumb + ".bmp";
    case TThumbFormat::Jpeg:
      break;
  }
  return thumb + ".jpg";
}

std::string DisplayCopyFileName(const std::string& pictureName) {
  const std::string extension = ExtractFileExt(pictureName);
  if (SameTextIgnoringCase(extension, ".jpg") || SameTextIgnoringCase(extension, ".jpeg"))
    return pictureName;
  return pictureName + ".jpg";
}

std::string DoubleThumbnailFileName(const std::string& thumbFileName) {
  const std::string extension = ExtractFileExt(thumbFileName);
  return thumbFileName.substr(0, thumbFileName.size() - extension.size()) + "@2x" + extension;
}

TImageNames PrepareImageNames(const TBuildPlan& plan, size_t i) {
  TImageNames names;
  const std::string& picture = plan.Images[i];
  if (plan.ImageType == TPictureMode::File) {
    names.ImageLink = picture;
  } else {
    names.PageFile = PageFileOf(plan, i);
    names.ImageLink = names.PageFile;
    if (i > 0) names.PrevPageFile = PageFileOf(plan, i - 1);
    if (i + 1 < plan.Images.size()) names.NextPageFile = PageFileOf(plan, i + 1);
  }
  names.ThumbFileName = ThumbnailFileName(picture, plan.ThumbPrefixSuffixType,
                                          plan.ThumbPrefixSuffix, plan.ThumbsFormat);
  if (plan.MakeDisplayCopies) names.DisplayFileName = DisplayCopyFileName(picture);
  if (plan.IndexType == TIndexKind::Grid)
    names.DoubleThumbFileName = DoubleThumbnailFileName(names.ThumbFileName);
  return names;
}

}  // namespace zetgallery
