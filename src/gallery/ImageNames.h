// ImageNames: the file names belonging to picture i of a build (its page, the index link, the
// neighbouring pages and its thumbnail), worked out from the build plan and i alone, so any
// picture's names can be had in any order.
#pragma once

#include <cstddef>
#include <string>

#include "gallery/BuildParameters.h"

namespace zetgallery {

struct TImageNames {
  // The picture's page file name; empty when the pictures get no pages.
  std::string PageFile;
  // What the index links to: the page, or the picture file itself when there are no pages.
  std::string ImageLink;
  // The pages of the previous and the next picture; empty where there is none, and when the
  // pictures get no pages.
  std::string PrevPageFile;
  std::string NextPageFile;
  // The thumbnail's file name inside the thumbs folder.
  std::string ThumbFileName;
  // The display copy's file name inside the display folder; empty when no copies are made.
  std::string DisplayFileName;
  // The thumbnail of twice the size for high-density screens (grid index only), else empty.
  std::string DoubleThumbFileName;
};

// The names of picture i.
// REQUIRES: i < plan.Images.size().
TImageNames PrepareImageNames(const TBuildPlan& plan, size_t i);

// The file name of numbered page i (0 = FirstPageFile): PageNumberPrefix + (PageNumberStart + i,
// "0"-padded to PageNumberWidth) + PageExtension. Distinct for every i, also past 32 bits.
std::string SerialPageFile(const TBuildPlan& plan, long long i);

// The thumbnail file name of `pictureName`: its name without extension with `text` in front or
// behind, and ".gif", ".jpg" or ".bmp" for the format.
std::string ThumbnailFileName(const std::string& pictureName, TThumbTextPlace place,
                              const std::string& text, TThumbFormat format);

// The display copy's file name of `pictureName`: the name itself for a JPEG (".jpg" or ".jpeg" in
// any letter case), else the whole name followed by ".jpg", so that sea.jpg and sea.png keep
// copies of their own.
std::string DisplayCopyFileName(const std::string& pictureName);

// The name of the thumbnail of twice the size beside `thumbFileName`: "@2x" before its extension
// ("_sea.jpg" gives "_sea@2x.jpg").
std::string DoubleThumbnailFileName(const std::string& thumbFileName);

}  // namespace zetgallery
