// BmpFile: the bytes of the oldest, most widely read BMP variant (24-bit, uncompressed), made
// from plain pixels so that no image library is needed to write one.
#pragma once

#include <vector>

namespace zetgallery {

// The bytes of the `width` x `height` picture `rgb` (rows top-down, red green blue, 3 bytes a
// pixel, no padding) as a 24-bit BMP file. REQUIRES: width > 0, height > 0.
std::vector<unsigned char> BmpFileBytes(const unsigned char* rgb, int width, int height);

}  // namespace zetgallery
