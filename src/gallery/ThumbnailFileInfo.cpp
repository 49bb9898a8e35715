// ThumbnailFileInfo: small readers of the three thumbnail formats' headers. Only the first bytes
// and the last ones are read, so checking a folder of thumbnails costs a few reads a file.
#include "ThumbnailFileInfo.h"

#include <cstdint>
#include <vector>

#include "ZetPlatform.h"

namespace {

// Enough for any header the program writes (a GIF's global palette is at most 768 bytes, and a
// stripped JPEG carries its frame header within its first few hundred bytes).
constexpr size_t kHeadBytes = 4096;

unsigned Little16(const unsigned char* p) { return p[0] | (p[1] << 8); }
uint32_t Little32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
unsigned Big16(const unsigned char* p) { return (p[0] << 8) | p[1]; }

bool ReadGif(const std::vector<unsigned char>& head, TThumbnailFileInfo& info) {
  if (head.size() < 13) return false;
  info.format = TThumbFormat::Gif;
  info.width = static_cast<int>(Little16(&head[6]));
  info.height = static_cast<int>(Little16(&head[8]));
  size_t at = 13;
  if (head[10] & 0x80) at += 3u << ((head[10] & 7) + 1);
  // Extensions come before the first image, each a label and a chain of sized blocks.
  while (at < head.size() && head[at] == 0x21) {
    at += 2;
    while (at < head.size() && head[at] != 0) at += head[at] + 1u;
    ++at;
  }
  if (at + 10 > head.size() || head[at] != 0x2C) return false;
  info.interlaced = (head[at + 9] & 0x40) != 0;
  return true;
}

bool ReadJpeg(const std::vector<unsigned char>& head, TThumbnailFileInfo& info) {
  info.format = TThumbFormat::Jpeg;
  size_t at = 2;
  while (at + 4 <= head.size()) {
    if (head[at] != 0xFF) return false;
    const unsigned char marker = head[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const unsigned length = Big16(&head[at + 2]);
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > head.size()) return false;
      info.height = static_cast<int>(Big16(&head[at + 5]));
      info.width = static_cast<int>(Big16(&head[at + 7]));
      info.interlaced = (marker & 3) == 2;
      return true;
    }
    if (marker == 0xDA || marker == 0xD9 || length < 2) return false;
    at += 2 + length;
  }
  return false;
}

bool ReadBmp(const std::vector<unsigned char>& head, uint64_t fileSize, TThumbnailFileInfo& info) {
  if (head.size() < 54) return false;
  const int32_t width = static_cast<int32_t>(Little32(&head[18]));
  const int32_t height = static_cast<int32_t>(Little32(&head[22]));
  // Only the variant the program writes: 24 bits, uncompressed, rows bottom-up.
  if (Little32(&head[14]) < 40 || Little16(&head[28]) != 24 || Little32(&head[30]) != 0 ||
      width <= 0 || height <= 0)
    return false;
  const uint64_t row = (static_cast<uint64_t>(width) * 3 + 3) & ~uint64_t{3};
  if (fileSize < Little32(&head[10]) + row * static_cast<uint64_t>(height)) return false;
  info.format = TThumbFormat::Bmp;
  info.width = width;
  info.height = height;
  info.interlaced = false;
  return true;
}

// The file ends as a whole file of its format does: a JPEG with its end marker, a GIF with its
// trailer byte.
bool EndsWhole(const TReadOnlyFile& file, uint64_t size, TThumbFormat format) {
  unsigned char tail[2] = {0, 0};
  if (size < 2 || file.ReadAt(tail, 2, size - 2) != 2) return false;
  if (format == TThumbFormat::Jpeg) return tail[0] == 0xFF && tail[1] == 0xD9;
  if (format == TThumbFormat::Gif) return tail[1] == 0x3B;
  return true;
}

}  // namespace

bool ReadThumbnailFileInfo(const std::string& path, TThumbnailFileInfo& info) {
  const TReadOnlyFile file(path);  // a FIFO does not block the opening
  if (!file.IsOpen()) return false;
  TFileStatus status;
  std::vector<unsigned char> head(kHeadBytes);
  int64_t got = -1;
  if (file.ReadStatus(status) && status.IsRegular()) got = file.ReadAt(head.data(), head.size(), 0);
  bool known = false;
  if (got > 0) {
    head.resize(static_cast<size_t>(got));
    TThumbnailFileInfo read;
    if (head.size() >= 6 && (head[0] == 'G' && head[1] == 'I' && head[2] == 'F' && head[3] == '8' &&
                             (head[4] == '7' || head[4] == '9') && head[5] == 'a'))
      known = ReadGif(head, read);
    else if (head.size() >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
      known = ReadJpeg(head, read);
    else if (head.size() >= 2 && head[0] == 'B' && head[1] == 'M')
      known = ReadBmp(head, status.size, read);
    known = known && EndsWhole(file, status.size, read.format);
    if (known) info = read;
  }
  return known;
}
