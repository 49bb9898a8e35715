// TestPictures: drawing and reading back pictures for the gallery tests.
#include "TestPictures.h"

#include <cctype>
#include <filesystem>
#include <vips/vips8>

#include "gallery/Thumbnailer.h"

namespace zetgallery {

using vips::VImage;

void StartTestPictures() { static_cast<void>(StartImageLibrary("gallery_tests")); }

bool MakeTestPicture(const std::string& path, int width, int height, int exifOrientation) {
  StartTestPictures();
  try {
    // Red grows to the right, green downwards, blue is constant: the top-left corner is dark
    // and the bottom-right corner yellow, so a turn of the picture can be seen in its pixels.
    VImage xy = VImage::xyz(width, height);
    VImage red = xy[0] * (255.0 / std::max(1, width - 1));
    VImage green = xy[1] * (255.0 / std::max(1, height - 1));
    VImage blue = VImage::black(width, height) + 64;
    VImage picture = red.bandjoin(green)
                         .bandjoin(blue)
                         .cast(VIPS_FORMAT_UCHAR)
                         .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".jpg" || extension == ".jpeg") {
      if (exifOrientation != 1) picture.set("orientation", exifOrientation);
      picture.jpegsave(path.c_str(), VImage::option()->set("Q", 85));
    } else if (extension == ".png") {
      picture.pngsave(path.c_str());
    } else if (extension == ".gif") {
      picture.gifsave(path.c_str());
    } else {
      return false;
    }
    return true;
  } catch (const vips::VError&) {
    return false;
  }
}

bool MakeLayoutPicture(const std::string& path, int width, int height, TPixelLayout layout) {
  StartTestPictures();
  try {
    VImage xy = VImage::xyz(width, height);
    VImage grey = (xy[0] * (255.0 / std::max(1, width - 1))).cast(VIPS_FORMAT_UCHAR);
    VImage alpha = (xy[1] * (255.0 / std::max(1, height - 1))).cast(VIPS_FORMAT_UCHAR);
    VImage rgb = grey.bandjoin(alpha)
                     .bandjoin(VImage::black(width, height) + 64)
                     .cast(VIPS_FORMAT_UCHAR)
                     .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    switch (layout) {
      case TPixelLayout::Grey:
        grey.copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_B_W))
            .pngsave(path.c_str());
        break;
      case TPixelLayout::GreyAlpha:
        grey.bandjoin(alpha)
            .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_B_W))
            .pngsave(path.c_str());
        break;
      case TPixelLayout::RgbAlpha:
        rgb.bandjoin(alpha).pngsave(path.c_str());
        break;
      case TPixelLayout::Rgb16:
        rgb.colourspace(VIPS_INTERPRETATION_RGB16).pngsave(path.c_str());
        break;
      case TPixelLayout::Cmyk:
        rgb.bandjoin(alpha)
            .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_CMYK))
            .jpegsave(path.c_str());
        break;
    }
    return true;
  } catch (const vips::VError&) {
    return false;
  }
}

bool ReadBackPicture(const std::string& path, std::string& loader, int& width, int& height) {
  StartTestPictures();
  try {
    // Read without turning: the stored size is what the file holds.
    VImage image = VImage::new_from_file(path.c_str());
    const char* name = nullptr;
    if (vips_image_get_string(image.get_image(), "vips-loader", &name) != 0) return false;
    loader = name;
    width = image.width();
    height = image.height();
    return true;
  } catch (const vips::VError&) {
    return false;
  }
}

bool CornerColour(const std::string& path, double& red, double& green, double& blue) {
  StartTestPictures();
  try {
    VImage image = VImage::new_from_file(path.c_str());
    VImage corner =
        image.extract_area(0, 0, std::max(1, image.width() / 4), std::max(1, image.height() / 4));
    red = corner.extract_band(0).avg();
    green = corner.bands() > 1 ? corner.extract_band(1).avg() : red;
    blue = corner.bands() > 2 ? corner.extract_band(2).avg() : red;
    return true;
  } catch (const vips::VError&) {
    return false;
  }
}

}  // namespace zetgallery
