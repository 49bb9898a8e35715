// Thumbnailer: libvips behind the program's own small interface. Every libvips failure arrives
// as a vips::VError and is turned into a result code here.
#include "Thumbnailer.h"

#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>
#include <vips/vips8>

using vips::VError;
using vips::VImage;

namespace {

std::once_flag g_startOnce;
bool g_started = false;
int g_threadCount = 1;

// A name beside the target that no other thread and no other process uses at the same time.
std::string TemporaryNameFor(const std::string& target) {
  static std::atomic<unsigned long> counter{0};
  const std::filesystem::path targetPath(target);
  std::string name = "." + targetPath.filename().string() + ".part-" +
                     std::to_string(static_cast<long>(getpid())) + "-" +
                     std::to_string(counter.fetch_add(1));
  return (targetPath.parent_path() / name).string();
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

void PutLittleEndian(std::vector<unsigned char>& out, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A 24-bit uncompressed BMP of an 8-bit, 3-band sRGB image: rows bottom-up, blue green red,
// each row padded to four bytes. Every viewer reads this oldest variant of the format.
bool WriteBmpFile(const VImage& rgb, const std::string& path) {
  const int width = rgb.width();
  const int height = rgb.height();
  size_t pixelBytes = 0;
  void* pixels = rgb.write_to_memory(&pixelBytes);
  if (pixels == nullptr) return false;
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
  const auto* source = static_cast<const unsigned char*>(pixels);
  for (int y = 0; y < height; ++y) {
    const unsigned char* in = source + static_cast<size_t>(height - 1 - y) * rowIn;
    unsigned char* out = file.data() + headerBytes + static_cast<size_t>(y) * rowOut;
    for (int x = 0; x < width; ++x) {
      out[3 * x] = in[3 * x + 2];
      out[3 * x + 1] = in[3 * x + 1];
      out[3 * x + 2] = in[3 * x];
    }
  }
  g_free(pixels);
  std::FILE* handle = std::fopen(path.c_str(), "wb");
  if (handle == nullptr) return false;
  const bool written = std::fwrite(file.data(), 1, file.size(), handle) == file.size();
  return (std::fclose(handle) == 0) && written;
}

// JPEG and BMP have no transparency: a transparent area shows white, as on a web page.
VImage WithoutAlpha(const VImage& image) {
  if (!image.has_alpha()) return image;
  return image.flatten(VImage::option()->set("background", std::vector<double>{255, 255, 255}));
}

VImage AsEightBitSrgb(const VImage& image) {
  VImage rgb = image.colourspace(VIPS_INTERPRETATION_sRGB);
  if (rgb.format() != VIPS_FORMAT_UCHAR) rgb = rgb.cast(VIPS_FORMAT_UCHAR);
  return rgb;
}

bool SaveThumbnail(const VImage& thumbnail, const std::string& path,
                   const TThumbSaveParams& params) {
  switch (params.format) {
    case TThumbFormat::Gif:
      thumbnail.gifsave(path.c_str(), VImage::option()->set("interlace", params.interlaced));
      return true;
    case TThumbFormat::Jpeg:
      WithoutAlpha(thumbnail).jpegsave(path.c_str(), VImage::option()
                                                         ->set("Q", params.quality)
                                                         ->set("interlace", params.interlaced)
                                                         ->set("strip", true));
      return true;
    case TThumbFormat::Bmp:
      return WriteBmpFile(AsEightBitSrgb(WithoutAlpha(thumbnail)), path);
  }
  return false;
}

}  // namespace

bool StartImageLibrary(const char* programPath) {
  std::call_once(g_startOnce, [programPath] {
    g_started = VIPS_INIT(programPath != nullptr ? programPath : "zetgallery") == 0;
    if (g_started) {
      // Every picture is read once: caching its operations would only hold memory and could
      // hand back an old thumbnail after the file changed between two builds.
      vips_cache_set_max(0);
      // A damaged picture is a result code, not console noise: the build goes on quietly.
      g_log_set_handler(
          "VIPS", G_LOG_LEVEL_WARNING, [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {},
          nullptr);
      g_threadCount = vips_concurrency_get() > 0 ? vips_concurrency_get() : 1;
      vips_concurrency_set(1);
    }
  });
  return g_started;
}

void EndImageLibrary() {
  if (g_started) vips_shutdown();
}

int ThumbnailThreadCount() { return g_threadCount; }

TThumbnailSize ThumbnailSizeFor(int width, int height, int maxWidth, int maxHeight) {
  TThumbnailSize size;
  if (width <= 0 || height <= 0) return size;
  if (height < width) {
    const double ratio = static_cast<double>(height) / width;
    size.width = width > maxWidth ? maxWidth : width;
    size.height = static_cast<int>(std::nearbyint(size.width * ratio));
    if (size.height == 0 && size.width > 0) size.height = 1;
  } else {
    const double ratio = static_cast<double>(width) / height;
    size.height = height > maxHeight ? maxHeight : height;
    size.width = static_cast<int>(std::nearbyint(size.height * ratio));
    if (size.width == 0 && size.height > 0) size.width = 1;
  }
  if (size.width < 0) size.width = 0;
  if (size.height < 0) size.height = 0;
  return size;
}

bool ReadPictureSize(const std::string& path, int& width, int& height) {
  // Started here as well, so that a caller who forgot cannot crash the library.
  if (!StartImageLibrary(nullptr)) return false;
  try {
    // Opening reads the header only; the pixels are decoded later, and only at reduced size.
    VImage header = VImage::new_from_file(path.c_str());
    const bool quarterTurn = vips_image_get_orientation_swap(header.get_image());
    width = quarterTurn ? header.height() : header.width();
    height = quarterTurn ? header.width() : header.height();
    return width > 0 && height > 0;
  } catch (const VError&) {
    return false;
  }
}

int CreateThumbnailFile(const std::string& source, const std::string& target, int maxWidth,
                        int maxHeight, const TThumbSaveParams& params) {
  if (source == target || SameFile(source, target)) return kThumbTargetIsSource;
  int width = 0;
  int height = 0;
  if (!ReadPictureSize(source, width, height)) return kThumbHeaderFailed;
  const TThumbnailSize size = ThumbnailSizeFor(width, height, maxWidth, maxHeight);
  if (size.width <= 0 || size.height <= 0) return kThumbSizeFailed;

  VImage thumbnail;
  try {
    // "force" gives exactly the size of the rule (computed with the picture's own proportions),
    // while the loader still shrinks during decoding (JPEG DCT scaling).
    thumbnail = VImage::thumbnail(source.c_str(), size.width,
                                  VImage::option()
                                      ->set("height", size.height)
                                      ->set("size", VIPS_SIZE_FORCE)
                                      ->set("fail_on", VIPS_FAIL_ON_TRUNCATED));
    // Decode now, once: a truncated file must fail here, not half way through the save.
    thumbnail = thumbnail.copy_memory();
  } catch (const VError&) {
    return kThumbLoadFailed;
  }

  const std::string temporary = TemporaryNameFor(target);
  bool saved = false;
  try {
    saved = SaveThumbnail(thumbnail, temporary, params);
  } catch (const VError&) {
    saved = false;
  }
  std::error_code error;
  if (saved) std::filesystem::rename(temporary, target, error);
  if (!saved || error) {
    std::filesystem::remove(temporary, error);
    return kThumbSaveFailed;
  }
  return kThumbOk;
}
