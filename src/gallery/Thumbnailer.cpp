// Thumbnailer: libvips behind the program's own small interface. Every libvips failure arrives
// as a vips::VError and is turned into a status here.
//
// A picture is opened once: one descriptor, one status and one header read through it. A small
// picture that does not shrink while loading is shrunk from that very image; any other is decoded
// again from the same descriptor, a JPEG with its DCT shrink. The pixels are computed once, as the
// thumbnail is saved. So a folder of small pictures does not pay for repeated opens,
// identifications, file-status calls and hand-overs between threads.
#include "gallery/Thumbnailer.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <vips/vips8>
// vector.h takes its types from the headers above.
#include <vips/vector.h>

#include "BmpFile.h"
#include "DecodeBudget.h"
#include "ImageModules.h"
#include "VectorCodeLock.h"
#include "gallery/BuildMessages.h"
#include "util/ZetPlatform.h"

namespace zetgallery {

using vips::VError;
using vips::VImage;
using vips::VSource;
using vips::VTarget;

namespace {

std::once_flag g_startOnce;
bool g_started = false;
int g_threadCount = 1;
int g_decodeCount = 1;

// A picture file opened for one thumbnail: its status when opened, and its header.
struct TOpenedPicture {
  std::optional<VSource> source;  // empty for formats only a file-name loader reads
  VImage header;
  TFileStatus status;
  int uprightWidth = 0;
  int uprightHeight = 0;
  int chromaShare = 0;  // of a JPEG, from its frame header; 0 when unknown
};

int64_t ReadPictureAt(const void* file, uint64_t offset, void* buffer, size_t size) {
  return static_cast<const TReadOnlyFile*>(file)->ReadAt(buffer, size, offset);
}

// Opens `path` and reads its header. Ok, kThumbCannotRead or kThumbHeaderFailed.
TStatus OpenPicture(const std::string& path, TOpenedPicture& picture) {
  std::optional<VSource> opened;
  {
    // Not blocking: a FIFO named like a picture must not hold the build until someone writes
    // to it.
    const TReadOnlyFile file(path);
    if (!file.IsOpen()) return ThumbnailFailure(kThumbCannotRead);
    const bool statusRead = file.ReadStatus(picture.status);
    if (!statusRead || !picture.status.IsRegular())
      return ThumbnailFailure(statusRead ? kThumbHeaderFailed : kThumbCannotRead);
    picture.chromaShare = JpegChromaShare(ReadPictureAt, &file);
    try {
      opened = VSource::new_from_descriptor(file.Descriptor());  // holds its own duplicate
    } catch (const VError&) {
    }
  }
  if (!opened) return ThumbnailFailure(kThumbCannotRead);
  VSource& source = *opened;
  try {
    // The loader is chosen from the first bytes; a format that only a file-name loader reads
    // (ImageMagick's, for BMP and others) is opened by name instead. A format the library does
    // not read itself may be a module's, loaded now if not yet.
    bool known = vips_foreign_find_load_source(source.get_source()) != nullptr;
    if (!known) {
      vips_error_clear();
      LoadDeferredImageModules();
      known = vips_foreign_find_load_source(source.get_source()) != nullptr;
    }
    if (known) {
      // Opened as the thumbnail reads it, so that the same image can be shrunk directly.
      picture.header = VImage::new_from_source(source, "",
                                               VImage::option()
                                                   ->set("access", VIPS_ACCESS_SEQUENTIAL)
                                                   ->set("fail_on", VIPS_FAIL_ON_TRUNCATED));
      picture.source = source;
    } else {
      vips_error_clear();
      picture.header = VImage::new_from_file(path.c_str());
    }
  } catch (const VError&) {
    return ThumbnailFailure(kThumbHeaderFailed);
  }
  const bool quarterTurn = vips_image_get_orientation_swap(picture.header.get_image());
  picture.uprightWidth = quarterTurn ? picture.header.height() : picture.header.width();
  picture.uprightHeight = quarterTurn ? picture.header.width() : picture.header.height();
  if (picture.uprightWidth <= 0 || picture.uprightHeight <= 0)
    return ThumbnailFailure(kThumbHeaderFailed);
  return TStatus::Ok();
}

TDecodeFacts DecodeFactsOf(const TOpenedPicture& picture) {
  const VImage& header = picture.header;
  TDecodeFacts facts;
  facts.alpha = header.has_alpha();
  facts.width = header.width();
  facts.height = header.height();
  facts.bands = header.bands();
  facts.bytesPerSample = static_cast<int>(vips_format_sizeof(header.format()));
  VipsImage* image = header.get_image();
  const char* loader = nullptr;
  facts.jpeg = vips_image_get_typeof(image, VIPS_META_LOADER) != 0 &&
               vips_image_get_string(image, VIPS_META_LOADER, &loader) == 0 &&
               std::string(loader).starts_with("jpegload");
  int multiscan = 0;
  facts.progressive = vips_image_get_typeof(image, "jpeg-multiscan") != 0 &&
                      vips_image_get_int(image, "jpeg-multiscan", &multiscan) == 0 &&
                      multiscan != 0;
  const char* subsampling = nullptr;
  if (vips_image_get_typeof(image, "jpeg-chroma-subsample") != 0 &&
      vips_image_get_string(image, "jpeg-chroma-subsample", &subsampling) == 0) {
    const std::string scheme(subsampling);
    // The library says "4:2:0" for 4:2:2 too: without the frame header, the larger share of
    // colour is assumed.
    facts.chromaShare = scheme == "4:4:4" ? 1 : 2;
  }
  if (picture.chromaShare > 0) facts.chromaShare = picture.chromaShare;
  return facts;
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

bool SaveBmp(const VImage& thumbnail, int target) {
  const VImage rgb = AsEightBitSrgb(WithoutAlpha(thumbnail));
  size_t bytes = 0;
  void* pixels = rgb.write_to_memory(&bytes);
  if (pixels == nullptr) return false;
  const std::vector<unsigned char> file =
      BmpFileBytes(static_cast<const unsigned char*>(pixels), rgb.width(), rgb.height());
  g_free(pixels);
  size_t done = 0;
  while (done < file.size()) {
    const ssize_t n = ::write(target, file.data() + done, file.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// The colour quantizer's effort for GIF thumbnails. Below 6 the palettes are visibly poorer in
// smooth areas (skies, blurred backgrounds: more dither grain), and at 4 and 5 they also depend on
// how many OpenMP threads the quantizer runs (so on the machine). 6 looks the same as the default
// 7 at about a fifth less time, with the same palettes on any number of threads.
constexpr int kGifEffort = 6;

bool SaveThumbnail(const VImage& thumbnail, int target, const TThumbSaveParams& params) {
  if (params.format == TThumbFormat::Bmp) return SaveBmp(thumbnail, target);
  // The target holds a duplicate of the descriptor and flushes when the save ends.
  VTarget output = VTarget::new_to_descriptor(target);
  if (params.format == TThumbFormat::Gif) {
    thumbnail.gifsave_target(
        output, VImage::option()->set("interlace", params.interlaced)->set("effort", kGifEffort));
    return true;
  }
  WithoutAlpha(thumbnail).jpegsave_target(output, VImage::option()
                                                      ->set("Q", params.quality)
                                                      ->set("interlace", params.interlaced)
                                                      ->set("strip", true));
  return true;
}

// True when the picture's loader would decode it at a reduced size for this thumbnail (a JPEG
// shrinking by 2 or more in its DCT), or when it is a kind whose loader might; PNG and GIF never
// shrink while loading.
bool ShrinksWhileLoading(const VImage& header, const TDecodeFacts& facts, int storedWidth,
                         int storedHeight) {
  if (facts.jpeg) return JpegShrinkOnLoad(facts.width, facts.height, storedWidth, storedHeight) > 1;
  const char* loader = nullptr;
  if (vips_image_get_typeof(header.get_image(), VIPS_META_LOADER) == 0 ||
      vips_image_get_string(header.get_image(), VIPS_META_LOADER, &loader) != 0)
    return true;
  const std::string name(loader);
  return !name.starts_with("pngload") && !name.starts_with("gifload");
}

// Pictures of up to this many pixels are shrunk from the image opened to read their header.
constexpr int64_t kReuseOpenedPixels = 2000000;

// The picture's size in its stored orientation, which the loaders and the budget work in.
TThumbnailSize StoredSize(const TOpenedPicture& picture, const TThumbnailSize& size) {
  const bool quarterTurn = picture.uprightWidth != picture.header.width();
  return quarterTurn ? TThumbnailSize{size.height, size.width} : size;
}

// The thumbnail of an opened picture at `size`, not decoded yet: its pixels are computed once,
// while it is saved, as one pipeline. Throws VError.
VImage ThumbnailOf(const std::string& path, TOpenedPicture& picture, const TThumbnailSize& size) {
  const TThumbnailSize stored = StoredSize(picture, size);
  // "force" gives exactly the size of the rule (computed with the picture's own proportions).
  vips::VOption* options = VImage::option()
                               ->set("height", size.height)
                               ->set("size", VIPS_SIZE_FORCE)
                               ->set("fail_on", VIPS_FAIL_ON_TRUNCATED);
  // A small picture already opened is shrunk as it is: the same pixels as a second opening,
  // without identifying and reading the header again (most of its cost). A larger one is opened
  // anew: the library's own thumbnail pipeline then holds fewer rows (5 to 9 MB less for photos
  // 2,000 to 6,000 pixels wide made into copies of 1600) and took 3% less processor time.
  const int64_t pixels = static_cast<int64_t>(picture.header.width()) * picture.header.height();
  if (picture.source && pixels <= kReuseOpenedPixels &&
      !ShrinksWhileLoading(picture.header, DecodeFactsOf(picture), stored.width, stored.height)) {
    return picture.header.thumbnail_image(size.width, options);
  }
  picture.header = VImage();  // the thumbnail opens the picture with a shrink of its own
  if (!picture.source) return VImage::thumbnail(path.c_str(), size.width, options);
  // Through a source, the loader takes its fail level from the option string only.
  options->set("option_string", "fail_on=truncated");
  return VImage::thumbnail_source(*picture.source, size.width, options);
}

// After a failed save, whether the picture itself decodes: a broken picture and a thumbnail
// that could not be written are told apart without decoding twice when all goes well.
bool PictureDecodes(const std::string& path, const TThumbnailSize& size) {
  TOpenedPicture picture;
  if (!OpenPicture(path, picture).ok()) return false;
  const TThumbnailSize stored = StoredSize(picture, size);
  TDecodeAdmission admission(ThumbnailDecodeBudget(),
                             DecodeCostFor(DecodeFactsOf(picture), stored.width, stored.height));
  try {
    ThumbnailOf(path, picture, size).copy_memory();
    return true;
  } catch (const VError&) {
    return false;
  }
}

}  // namespace

TStatus StartImageLibrary(const char* programPath) {
  std::call_once(g_startOnce, [programPath] {
    g_started = StartVipsDeferringModules(programPath != nullptr ? programPath : "zetgallery") == 0;
    if (g_started) {
      // Every picture is read once: caching its operations would only hold memory and could
      // hand back an old thumbnail after the file changed between two builds.
      vips_cache_set_max(0);
      // Run-time compiled vector code (liborc) only when its compiling and freeing are locked:
      // the liborc of Debian 12 frees that code without a lock, and pictures finishing on two
      // workers at once crashed the program. The plain C loops cost about 2% more processor
      // time a photo, in the vertical step of the resize.
      if (!VectorCodeIsLocked()) vips_vector_set_enabled(FALSE);
      // A damaged picture is a status, not console noise: the build goes on quietly.
      g_log_set_handler(
          "VIPS", G_LOG_LEVEL_WARNING, [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {},
          nullptr);
      // One thumbnail more than there are cores, unless VIPS_CONCURRENCY says how many. A
      // thumbnail's work passes from thread to thread (opening the picture, the library's
      // decoding thread, its writing thread), and with one thumbnail a core the core stands idle
      // at each hand-over: two-core builds kept 1.8 to 1.9 cores busy, and 1.95 with a third.
      const int cores = vips_concurrency_get() > 0 ? vips_concurrency_get() : 1;
      g_threadCount = std::getenv("VIPS_CONCURRENCY") != nullptr ? cores : cores + 1;
      // Decodes at once: one a core. A third beside two on two cores overlapped the hand-overs
      // too, but with workers waiting their turn it mostly packed the decode budget fuller: the
      // peak of a build with display copies went over 200 MB at the same time.
      g_decodeCount = cores;
      // Decodes hold large buffers for a short time. When several run at once, on several
      // threads, those buffers go back to the system as soon as they are freed, so the process's
      // peak stays that of the decode budget (the freed memory of one heap is of no use to the
      // decode on another). With one decode at a time, one heap keeps up to 32 MB free for the
      // next picture's buffers: a third fewer page faults, the same peak (that of the largest
      // decode, which runs alone anyway), 0.2 s less system time on 60 photos.
      constexpr size_t kMiB = size_t{1024} * 1024;
      if (g_decodeCount > 1)
        LimitAllocatorRetention(kMiB / 8, kMiB / 8, 2);
      else
        LimitAllocatorRetention(kMiB, 32 * kMiB, 1);
      vips_concurrency_set(1);
    }
  });
  return g_started ? TStatus::Ok() : TStatus::IoError("the image library cannot start");
}

void EndImageLibrary() {
  if (g_started) vips_shutdown();
}

int ThumbnailThreadCount() { return g_threadCount; }

int ThumbnailDecodeCount() { return g_decodeCount; }

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

TStatusOr<TThumbnailSize> ReadPictureSize(const std::string& path) {
  // Started here as well, so that a caller who forgot cannot crash the library.
  if (!StartImageLibrary(nullptr).ok()) return ThumbnailFailure(kThumbHeaderFailed);
  TOpenedPicture picture;
  if (TStatus opened = OpenPicture(path, picture); !opened.ok()) return opened;
  return TThumbnailSize{picture.uprightWidth, picture.uprightHeight};
}

TStatus WriteThumbnail(const std::string& source, int target, int maxWidth, int maxHeight,
                       const TThumbSaveParams& params, TFileStatus& pictureStatus) {
  if (!StartImageLibrary(nullptr).ok()) return ThumbnailFailure(kThumbHeaderFailed);
  TOpenedPicture picture;
  TStatus opened = OpenPicture(source, picture);
  pictureStatus = picture.status;
  if (!opened.ok()) return opened;
  if (ExceedsPixelLimit(picture.header.width(), picture.header.height()))
    return ThumbnailFailure(kThumbTooLarge);
  const TThumbnailSize size =
      ThumbnailSizeFor(picture.uprightWidth, picture.uprightHeight, maxWidth, maxHeight);
  if (size.width <= 0 || size.height <= 0) return ThumbnailFailure(kThumbSizeFailed);

  bool saved = false;
  {
    // The pixels are decoded while the thumbnail is saved, under the memory budget; a truncated
    // picture fails the save.
    const TThumbnailSize stored = StoredSize(picture, size);
    TDecodeAdmission admission(ThumbnailDecodeBudget(),
                               DecodeCostFor(DecodeFactsOf(picture), stored.width, stored.height));
    try {
      saved = SaveThumbnail(ThumbnailOf(source, picture, size), target, params);
    } catch (const VError&) {
      saved = false;
    }
  }
  if (!saved)
    return ThumbnailFailure(PictureDecodes(source, size) ? kThumbSaveFailed : kThumbLoadFailed);
  // The picture's own time, read before decoding: a thumbnail shows when its picture was made.
  SetDescriptorModificationTime(target, picture.status.modified);
  return TStatus::Ok();
}

TStatus WriteThumbnailPair(const std::string& source, int target, int doubleTarget, int maxWidth,
                           int maxHeight, const TThumbSaveParams& params,
                           TFileStatus& pictureStatus) {
  if (!StartImageLibrary(nullptr).ok()) return ThumbnailFailure(kThumbHeaderFailed);
  TOpenedPicture picture;
  TStatus opened = OpenPicture(source, picture);
  pictureStatus = picture.status;
  if (!opened.ok()) return opened;
  if (ExceedsPixelLimit(picture.header.width(), picture.header.height()))
    return ThumbnailFailure(kThumbTooLarge);
  const TThumbnailSize size =
      ThumbnailSizeFor(picture.uprightWidth, picture.uprightHeight, maxWidth, maxHeight);
  const TThumbnailSize doubled =
      ThumbnailSizeFor(picture.uprightWidth, picture.uprightHeight, 2 * maxWidth, 2 * maxHeight);
  if (size.width <= 0 || size.height <= 0) return ThumbnailFailure(kThumbSizeFailed);

  bool saved = false;
  {
    const TThumbnailSize stored = StoredSize(picture, doubled);
    TDecodeAdmission admission(ThumbnailDecodeBudget(),
                               DecodeCostFor(DecodeFactsOf(picture), stored.width, stored.height));
    try {
      // Decoded once, into memory, since both thumbnails read it.
      const VImage large = ThumbnailOf(source, picture, doubled).copy_memory();
      saved = doubleTarget < 0 || SaveThumbnail(large, doubleTarget, params);
      if (saved && target >= 0) {
        const VImage small = large.thumbnail_image(
            size.width, VImage::option()->set("height", size.height)->set("size", VIPS_SIZE_FORCE));
        saved = SaveThumbnail(small, target, params);
      }
    } catch (const VError&) {
      saved = false;
    }
  }
  if (!saved)
    return ThumbnailFailure(PictureDecodes(source, doubled) ? kThumbSaveFailed : kThumbLoadFailed);
  for (const int file : {target, doubleTarget})
    if (file >= 0) SetDescriptorModificationTime(file, picture.status.modified);
  return TStatus::Ok();
}

TPictureOutputResults WritePictureOutputs(const std::string& source, int displayTarget,
                                          const TDisplayCopyParams& display, int thumbnailTarget,
                                          int doubleTarget, bool pair, int maxWidth, int maxHeight,
                                          const TThumbSaveParams& params,
                                          TFileStatus& pictureStatus) {
  TPictureOutputResults results;
  const bool thumbnailsWanted = thumbnailTarget >= 0 || (pair && doubleTarget >= 0);
  auto failBoth = [&results, thumbnailsWanted](const TStatus& failure) {
    results.display = failure;
    if (thumbnailsWanted) results.thumbnails = failure;
    return results;
  };
  if (!StartImageLibrary(nullptr).ok()) return failBoth(ThumbnailFailure(kThumbHeaderFailed));
  TOpenedPicture picture;
  const TStatus opened = OpenPicture(source, picture);
  pictureStatus = picture.status;
  if (!opened.ok()) return failBoth(opened);
  if (ExceedsPixelLimit(picture.header.width(), picture.header.height()))
    return failBoth(ThumbnailFailure(kThumbTooLarge));
  const TThumbnailSize copySize =
      ThumbnailSizeFor(picture.uprightWidth, picture.uprightHeight, display.size, display.size);
  if (copySize.width <= 0 || copySize.height <= 0)
    return failBoth(ThumbnailFailure(kThumbSizeFailed));
  const TThumbnailSize thumbSize =
      ThumbnailSizeFor(picture.uprightWidth, picture.uprightHeight, maxWidth, maxHeight);
  // The largest thumbnail: the one of twice the limits when there is a pair.
  const TThumbnailSize largest = pair
                                     ? ThumbnailSizeFor(picture.uprightWidth, picture.uprightHeight,
                                                        2 * maxWidth, 2 * maxHeight)
                                     : thumbSize;
  // Thumbnails larger than the copy (a copy smaller than their limits) are decoded anew.
  const bool thumbnailsFromCopy = thumbnailsWanted && thumbSize.width > 0 && thumbSize.height > 0 &&
                                  largest.width <= copySize.width &&
                                  largest.height <= copySize.height;

  bool copySaved = false;
  bool thumbnailsSaved = false;
  {
    const TThumbnailSize stored = StoredSize(picture, copySize);
    const TDecodeFacts facts = DecodeFactsOf(picture);
    // The copy is held in memory while the thumbnails are shrunk from it, and so is the larger
    // of a pair.
    const auto bands = static_cast<uint64_t>(facts.bands);
    uint64_t held = 0;
    if (thumbnailsFromCopy) {
      held = static_cast<uint64_t>(copySize.width) * static_cast<uint64_t>(copySize.height) * bands;
      if (pair)
        held +=
            static_cast<uint64_t>(largest.width) * static_cast<uint64_t>(largest.height) * bands;
    }
    TDecodeAdmission admission(ThumbnailDecodeBudget(),
                               DecodeCostFor(facts, stored.width, stored.height) + held);
    try {
      VImage copy = ThumbnailOf(source, picture, copySize);
      if (thumbnailsFromCopy) {
        // Decoded: the picture is closed, and saving the copy and the thumbnails holds only
        // what is counted in `held`, so another decode may use the rest meanwhile.
        copy = copy.copy_memory();
        admission.ShrinkTo(held);
      }
      copySaved = SaveThumbnail(copy, displayTarget,
                                TThumbSaveParams{TThumbFormat::Jpeg, display.quality, false});
      if (copySaved && thumbnailsFromCopy) {
        auto shrink = [](const VImage& image, const TThumbnailSize& size) {
          return image.thumbnail_image(
              size.width,
              VImage::option()->set("height", size.height)->set("size", VIPS_SIZE_FORCE));
        };
        thumbnailsSaved = true;
        if (pair) {
          const VImage large = shrink(copy, largest).copy_memory();
          if (doubleTarget >= 0) thumbnailsSaved = SaveThumbnail(large, doubleTarget, params);
          if (thumbnailsSaved && thumbnailTarget >= 0)
            thumbnailsSaved = SaveThumbnail(shrink(large, thumbSize), thumbnailTarget, params);
        } else {
          thumbnailsSaved = SaveThumbnail(shrink(copy, thumbSize), thumbnailTarget, params);
        }
      }
    } catch (const VError&) {
      thumbnailsSaved = false;
    }
  }
  if (!copySaved) {
    results.display =
        ThumbnailFailure(PictureDecodes(source, copySize) ? kThumbSaveFailed : kThumbLoadFailed);
  } else {
    SetDescriptorModificationTime(displayTarget, picture.status.modified);
  }
  if (thumbnailsFromCopy && copySaved) {
    if (thumbnailsSaved) {
      for (const int file : {thumbnailTarget, pair ? doubleTarget : -1})
        if (file >= 0) SetDescriptorModificationTime(file, picture.status.modified);
    } else {
      results.thumbnails = ThumbnailFailure(kThumbSaveFailed);
    }
  } else if (thumbnailsWanted) {
    // Nothing was written into the thumbnails' files yet: they are made on their own.
    TFileStatus again;
    results.thumbnails =
        pair ? WriteThumbnailPair(source, thumbnailTarget, doubleTarget, maxWidth, maxHeight,
                                  params, again)
             : WriteThumbnail(source, thumbnailTarget, maxWidth, maxHeight, params, again);
  }
  return results;
}

}  // namespace zetgallery
