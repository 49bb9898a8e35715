// BmpFile: the bytes of the oldest, most widely read BMP variant (24-bit, uncompressed), made
// from plain pixels so that no image library is needed to write one.
#pragma once

#include <string>

// Writes the `width` x `height` picture `rgb` (rows top-down, red green blue, 3 bytes a pixel,
// no padding) to `path` as a 24-bit BMP. False when the file could not be written whole.
// REQUIRES: width > 0, height > 0.
bool WriteBmpFile(const unsigned char* rgb, int width, int height, const std::string& path);
