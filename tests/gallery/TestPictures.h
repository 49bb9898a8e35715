// TestPictures: pictures drawn for the tests with libvips, in temporary folders.
#pragma once

#include <string>

namespace zetgallery {

// Writes a picture of `width` x `height` pixels to `path`; the format follows the extension
// (.jpg, .png, .gif, .bmp through ImageMagick is not offered). A smooth colour gradient, so
// every encoder has real work. `exifOrientation` 1..8 is stored in a JPEG's EXIF data.
// Returns false when the picture could not be written.
bool MakeTestPicture(const std::string& path, int width, int height, int exifOrientation = 1);

// Pixel layouts other than 8-bit RGB, as real picture files carry them.
enum class TPixelLayout { Grey, GreyAlpha, RgbAlpha, Rgb16, Cmyk };

// Writes a `width` x `height` picture in `layout` to `path` (PNG for all but Cmyk, which needs a
// JPEG). False when it could not be written.
bool MakeLayoutPicture(const std::string& path, int width, int height, TPixelLayout layout);

// The format and size a picture file really has, read back with libvips: `loader` is libvips'
// loader name ("jpegload", "gifload", "pngload", "magickload"...). False when unreadable.
bool ReadBackPicture(const std::string& path, std::string& loader, int& width, int& height);

// Average red, green and blue of the pixels in the left/top quarter of the picture file,
// to tell which way round a picture was turned. False when unreadable.
bool CornerColour(const std::string& path, double& red, double& green, double& blue);

// Starts libvips for the tests (once).
void StartTestPictures();

}  // namespace zetgallery
