// ThumbnailFileInfo: the format and size of a thumbnail file, read from its first bytes without
// an image library, to tell whether a thumbnail already on disk is the one a build would write.
#pragma once

#include <string>

#include "ThumbSaveParams.h"

struct TThumbnailFileInfo {
  TThumbFormat format = TThumbFormat::Jpeg;
  int width = 0;
  int height = 0;
  bool interlaced = false;  // progressive JPEG, interlaced GIF
};

// Reads the header of the GIF, JPEG or 24-bit BMP file at `path` into `info`. False when the file
// cannot be read, is none of these, or visibly lacks its end (a JPEG without its end marker, a GIF
// without its trailer, a BMP shorter than its pixel rows).
bool ReadThumbnailFileInfo(const std::string& path, TThumbnailFileInfo& info);
