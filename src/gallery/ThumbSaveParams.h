// ThumbSaveParams: how every thumbnail of one build is saved. Filled once at the start of a build
// and unchanged during it.
#pragma once

namespace zetgallery {

enum class TThumbFormat { Gif = 0, Jpeg = 1, Bmp = 2 };

struct TThumbSaveParams {
  TThumbFormat format = TThumbFormat::Jpeg;
  int quality = 90;         // JPEG quality, 0..100
  bool interlaced = false;  // progressive JPEG / interlaced GIF
};

}  // namespace zetgallery
