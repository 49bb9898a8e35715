// BmpFile: rows bottom-up, blue green red, each row padded to four bytes; 72 dpi.
#include "BmpFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zetgallery {

namespace {

void PutLittleEndian(std::vector<unsigned char>& out, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

std::vector<unsigned char> BmpFileBytes(const unsigned char* rgb, int width, int height) {
  const size_t rowIn = static_cast<size_t>(width) * 3;
  const size_t rowOut = (rowIn + 3) & ~static_cast<size_t>(3);
  const size_t headerBytes = 14 + 40;
  std::vector<unsigned char> file(headerBytes + rowOut * height, 0);
  file[0] = 'B';
  file[1] = 'M';
  PutLittleEndian(file, 2, static_cast<uint32_t>(file.size()), 4);
  PutLittleEndian(file, 10, static_cast<uint32_t>(headerBytes), 4);
  PutLittleEndian(file, 14, 40, 4);
  PutLittleEndian(file, 18, static_cast<uint32_t>(width), 4);
  PutLittleEndian(file, 22, static_cast<uint32_t>(height), 4);
  PutLittleEndian(file, 26, 1, 2);   // planes
  PutLittleEndian(file, 28, 24, 2);  // bits per pixel
  PutLittleEndian(file, 34, static_cast<uint32_t>(rowOut * height), 4);
  PutLittleEndian(file, 38, 2835, 4);  // 72 dpi, in pixels per metre
  PutLittleEndian(file, 42, 2835, 4);
  for (int y = 0; y < height; ++y) {
    const unsigned char* in = rgb + static_cast<size_t>(height - 1 - y) * rowIn;
    unsigned char* out = file.data() + headerBytes + static_cast<size_t>(y) * rowOut;
    for (int x = 0; x < width; ++x) {
      const size_t at = 3 * static_cast<size_t>(x);
      out[at] = in[at + 2];
      out[at + 1] = in[at + 1];
      out[at + 2] = in[at];
    }
  }
  return file;
}

}  // namespace zetgallery
