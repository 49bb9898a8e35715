// Tests of the thumbnail maker: the sizing rule, real pictures of every kind through libvips,
// and pictures that cannot be read.
#include "gallery/Thumbnailer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vips/vips.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "ThumbnailFiles.h"
// vector.h takes its types from the headers above.
#include <vips/vector.h>

#include "TestPictures.h"
#include "gallery/OutputLedger.h"
#include "support/CaseNames.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace {

struct TSizeCase {
  int width, height, maxWidth, maxHeight;
  int expectedWidth, expectedHeight;
};

void PrintTo(const TSizeCase& c, std::ostream* os) {
  PrintCase(os, c.width, c.height, c.maxWidth, c.maxHeight, c.expectedWidth, c.expectedHeight);
}

class ThumbnailSizeTest : public ::testing::TestWithParam<TSizeCase> {};

TEST_P(ThumbnailSizeTest, FollowsTheLongerSideRule) {
  const TSizeCase& c = GetParam();
  const TThumbnailSize size = ThumbnailSizeFor(c.width, c.height, c.maxWidth, c.maxHeight);
  EXPECT_EQ(size.width, c.expectedWidth);
  EXPECT_EQ(size.height, c.expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThumbnailSizeTest,
    ::testing::Values(TSizeCase{800, 600, 120, 120, 120, 90},  // wide: width limited
                      TSizeCase{600, 800, 120, 120, 90, 120},  // tall: height limited
                      TSizeCase{100, 50, 120, 120, 100,
                                50},  // smaller than the box: never enlarged
                      TSizeCase{300, 300, 120, 120, 120, 120},  // square counts as high
                      TSizeCase{300, 300, 200, 60, 60, 60},     // square: the height limit decides
                      TSizeCase{800, 600, 120, 60, 120, 90},    // the short side is not checked
                      TSizeCase{800, 200, 200, 10, 200, 50},    // wide with a small height limit
                      TSizeCase{200, 800, 10, 200, 50, 200},    // tall with a small width limit
                      TSizeCase{16, 5, 8, 8, 8, 2},             // 2.5 rounds to the even 2
                      TSizeCase{16, 7, 8, 8, 8, 4},             // 3.5 rounds to the even 4
                      TSizeCase{5, 16, 8, 8, 2, 8},             // the same for a tall picture
                      TSizeCase{121, 120, 120, 120, 120, 119},  // 119.0083 rounds down
                      TSizeCase{1000, 3, 120, 120, 120, 1},     // a thin strip keeps one pixel
                      TSizeCase{800, 600, 0, 0, 0, 0},          // a limit of 0 gives an empty size
                      TSizeCase{0, 600, 120, 120, 0, 0}),
    CaseNamesBy(&TSizeCase::width, &TSizeCase::height, &TSizeCase::maxWidth,
                &TSizeCase::maxHeight));  // a picture without pixels

struct TPictureCase {
  const char* name;  // the source file, drawn by the test
  int width, height, orientation;
  TThumbFormat format;
  int maxWidth, maxHeight;
  const char* expectedLoader;  // what the thumbnail file really is
  int expectedWidth, expectedHeight;
};

void PrintTo(const TPictureCase& c, std::ostream* os) {
  PrintCase(os, c.name, c.width, c.height, c.orientation, c.format, c.maxWidth, c.maxHeight,
            c.expectedLoader, c.expectedWidth, c.expectedHeight);
}

class CreateThumbnailTest : public ::testing::TestWithParam<TPictureCase> {};

TEST_P(CreateThumbnailTest, WritesTheFormatAndSizeOfTheRule) {
  const TPictureCase& c = GetParam();
  TTempFolder folder;
  const std::string source = folder / c.name;
  const std::string target = folder / "thumb";
  ASSERT_TRUE(MakeTestPicture(source, c.width, c.height, c.orientation));
  TThumbSaveParams params;
  params.format = c.format;
  ASSERT_EQ(CreateThumbnailFile(source, target, c.maxWidth, c.maxHeight, params), TStatus::Ok());
  std::string loader;
  int width = 0, height = 0;
  if (c.format == TThumbFormat::Bmp) {
    // Read the BMP header directly: the oldest 24-bit variant, bottom-up rows.
    const std::string bytes = ReadWholeFile(target);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    auto word = [&bytes](size_t at) {
      return static_cast<int>(static_cast<unsigned char>(bytes[at]) |
                              static_cast<unsigned char>(bytes[at + 1]) << 8 |
                              static_cast<unsigned char>(bytes[at + 2]) << 16 |
                              static_cast<unsigned char>(bytes[at + 3]) << 24);
    };
    EXPECT_EQ(word(18), c.expectedWidth);
    EXPECT_EQ(word(22), c.expectedHeight);
    EXPECT_EQ(word(28) & 0xFFFF, 24);
    const size_t row = (static_cast<size_t>(c.expectedWidth) * 3 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), 54 + row * c.expectedHeight);
  } else {
    ASSERT_TRUE(ReadBackPicture(target, loader, width, height));
    EXPECT_EQ(loader, c.expectedLoader);
    EXPECT_EQ(width, c.expectedWidth);
    EXPECT_EQ(height, c.expectedHeight);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CreateThumbnailTest,
    ::testing::Values(
        TPictureCase{"wide.jpg", 800, 600, 1, TThumbFormat::Gif, 120, 120, "gifload", 120, 90},
        TPictureCase{"tall.png", 600, 800, 1, TThumbFormat::Jpeg, 120, 120, "jpegload", 90, 120},
        TPictureCase{"square.gif", 300, 300, 1, TThumbFormat::Bmp, 120, 120, "", 120, 120},
        TPictureCase{"small.png", 100, 50, 1, TThumbFormat::Jpeg, 120, 120, "jpegload", 100, 50},
        TPictureCase{"big.jpg", 4000, 3000, 1, TThumbFormat::Jpeg, 200, 200, "jpegload", 200, 150},
        TPictureCase{"odd.jpg", 333, 101, 1, TThumbFormat::Bmp, 120, 120, "", 120, 36},
        TPictureCase{"exif6.jpg", 800, 600, 6, TThumbFormat::Jpeg, 120, 120, "jpegload", 90, 120},
        TPictureCase{"exif8.jpg", 400, 200, 8, TThumbFormat::Gif, 50, 120, "gifload", 60, 120},
        TPictureCase{"exif3.jpg", 400, 200, 3, TThumbFormat::Gif, 50, 120, "gifload", 50, 25}),
    CaseNamesBy(&TPictureCase::name));

struct TLayoutCase {
  const char* label;
  TPixelLayout layout;
  const char* extension;
};

void PrintTo(const TLayoutCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.layout, c.extension);
}

class PixelLayoutTest : public ::testing::TestWithParam<TLayoutCase> {};

TEST_P(PixelLayoutTest, EveryFormatAcceptsIt) {
  TTempFolder folder;
  const std::string source = folder / (std::string("picture") + GetParam().extension);
  ASSERT_TRUE(MakeLayoutPicture(source, 300, 200, GetParam().layout));
  const std::pair<TThumbFormat, const char*> formats[] = {
      {TThumbFormat::Gif, "gifload"}, {TThumbFormat::Jpeg, "jpegload"}, {TThumbFormat::Bmp, ""}};
  for (const auto& [format, loader] : formats) {
    TThumbSaveParams params;
    params.format = format;
    const std::string target = folder / ("thumb" + std::to_string(static_cast<int>(format)));
    ASSERT_EQ(CreateThumbnailFile(source, target, 120, 120, params), TStatus::Ok())
        << "format " << static_cast<int>(format);
    if (format == TThumbFormat::Bmp) {
      const std::string bytes = ReadWholeFile(target);
      // 54 header bytes and 80 rows of 360 bytes (120 pixels of 3 bytes).
      EXPECT_EQ(bytes.size(), 54u + 80u * 360u);
      continue;
    }
    std::string actualLoader;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadBackPicture(target, actualLoader, width, height));
    EXPECT_EQ(actualLoader, loader);
    EXPECT_EQ(width, 120);
    EXPECT_EQ(height, 80);
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, PixelLayoutTest,
                         ::testing::Values(TLayoutCase{"Grey", TPixelLayout::Grey, ".png"},
                                           TLayoutCase{"GreyAlpha", TPixelLayout::GreyAlpha,
                                                       ".png"},
                                           TLayoutCase{"RgbAlpha", TPixelLayout::RgbAlpha, ".png"},
                                           TLayoutCase{"Rgb16", TPixelLayout::Rgb16, ".png"},
                                           TLayoutCase{"Cmyk", TPixelLayout::Cmyk, ".jpg"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(CreateThumbnailFile, TransparencyBecomesWhiteInJpeg) {
  TTempFolder folder;
  // Alpha grows downwards: the top rows are fully transparent.
  ASSERT_TRUE(MakeLayoutPicture(folder / "clear.png", 300, 200, TPixelLayout::RgbAlpha));
  ASSERT_EQ(CreateThumbnailFile(folder / "clear.png", folder / "t.jpg", 120, 120, {}),
            TStatus::Ok());
  double red = 0, green = 0, blue = 0;
  ASSERT_TRUE(CornerColour(folder / "t.jpg", red, green, blue));
  EXPECT_GT(blue, 200) << "a transparent corner should be white, not black";
}

TEST(CreateThumbnailFile, TurnsAPictureUprightByItsExifOrientation) {
  TTempFolder folder;
  const std::string source = folder / "turned.jpg";
  const std::string target = folder / "turned_thumb.jpg";
  // Orientation 6: the stored picture must be turned clockwise to be upright. The stored
  // bottom-left corner (no red, full green) then becomes the top-left one.
  ASSERT_TRUE(MakeTestPicture(source, 800, 600, 6));
  ASSERT_EQ(CreateThumbnailFile(source, target, 120, 120, TThumbSaveParams{}), TStatus::Ok());
  double red = 0, green = 0, blue = 0;
  ASSERT_TRUE(CornerColour(target, red, green, blue));
  EXPECT_LT(red, 80);
  EXPECT_GT(green, 170);
}

TEST(CreateThumbnailFile, WritesBaselineJpegAtQuality90WithoutMetadata) {
  TTempFolder folder;
  const std::string source = folder / "photo.jpg";
  const std::string target = folder / "photo_t.jpg";
  ASSERT_TRUE(MakeTestPicture(source, 640, 480, 6));
  ASSERT_EQ(CreateThumbnailFile(source, target, 120, 120, TThumbSaveParams{}), TStatus::Ok());
  const std::string bytes = ReadWholeFile(target);
  EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos) << "baseline frame expected";
  EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos) << "progressive frame found";
  EXPECT_EQ(bytes.find("Exif"), std::string::npos) << "metadata was not stripped";
  // libjpeg scales its base luminance table (first entry 16) by 200 - 2 * Q percent: 3 at Q 90.
  const size_t table = bytes.find("\xFF\xDB");
  ASSERT_NE(table, std::string::npos);
  EXPECT_EQ(static_cast<unsigned char>(bytes[table + 5]), 3);
}

struct TBrokenCase {
  const char* label;
  std::string content;  // empty: a zero-byte file
};

void PrintTo(const TBrokenCase& c, std::ostream* os) { PrintCase(os, c.label, c.content); }

class BrokenPictureTest : public ::testing::TestWithParam<TBrokenCase> {};

TEST_P(BrokenPictureTest, LeavesNoThumbnailAndNoTemporaryFile) {
  TTempFolder folder;
  std::string content = GetParam().content;
  if (content == "truncated") {
    ASSERT_TRUE(MakeTestPicture(folder / "whole.jpg", 800, 600));
    content = ReadWholeFile(folder / "whole.jpg");
    content.resize(content.size() / 2);
    std::filesystem::remove(folder / "whole.jpg");
  }
  const std::string source = folder / "broken.jpg";
  ASSERT_TRUE(WriteWholeFile(source, content));
  for (TThumbFormat format : {TThumbFormat::Gif, TThumbFormat::Jpeg, TThumbFormat::Bmp}) {
    TThumbSaveParams params;
    params.format = format;
    EXPECT_NE(CreateThumbnailFile(source, folder / "_broken.out", 120, 120, params), TStatus::Ok());
  }
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"broken.jpg"});
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenPictureTest,
                         ::testing::Values(TBrokenCase{"ZeroBytes", ""},
                                           TBrokenCase{"TextNamedJpg", "this is not a picture\n"},
                                           TBrokenCase{"TruncatedJpeg", "truncated"}),
                         [](const auto& info) { return std::string(info.param.label); });

// Files named as pictures that cannot be opened at all, as against readable files that are no
// pictures: the build names the two reasons apart.
struct TUnreadableCase {
  const char* label;
  std::function<std::string(const TTempFolder&)> make;  // returns the picture's path
  int expected;
};

void PrintTo(const TUnreadableCase& c, std::ostream* os) { PrintCase(os, c.label, c.expected); }

class UnreadablePictureTest : public ::testing::TestWithParam<TUnreadableCase> {};

TEST_P(UnreadablePictureTest, GivesItsOwnResultAndNoFile) {
  TTempFolder folder;
  const std::string source = GetParam().make(folder);
  EXPECT_EQ(CreateThumbnailFile(source, folder / "t.jpg", 120, 120, {}).detail(),
            GetParam().expected);
  EXPECT_FALSE(std::filesystem::exists(folder / "t.jpg"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnreadablePictureTest,
    ::testing::Values(TUnreadableCase{"Missing",
                                      [](const TTempFolder& f) { return f / "none.jpg"; },
                                      kThumbCannotRead},
                      TUnreadableCase{"DanglingLink",
                                      [](const TTempFolder& f) {
                                        std::filesystem::create_symlink(f / "gone.jpg",
                                                                        f / "link.jpg");
                                        return f / "link.jpg";
                                      },
                                      kThumbCannotRead},
                      TUnreadableCase{"PathThroughAFile",
                                      [](const TTempFolder& f) {
                                        WriteWholeFile(f / "file", "x");
                                        return f / "file/sea.jpg";
                                      },
                                      kThumbCannotRead},
                      TUnreadableCase{"FolderNamedLikeAPicture",
                                      [](const TTempFolder& f) {
                                        std::filesystem::create_directory(f / "sea.jpg");
                                        return f / "sea.jpg";
                                      },
                                      kThumbHeaderFailed},
                      TUnreadableCase{"FifoNamedLikeAPicture",  // must not wait for a writer
                                      [](const TTempFolder& f) {
                                        mkfifo((f / "sea.jpg").c_str(), 0600);
                                        return f / "sea.jpg";
                                      },
                                      kThumbHeaderFailed},
                      TUnreadableCase{"TextNamedLikeAPicture",
                                      [](const TTempFolder& f) {
                                        WriteWholeFile(f / "sea.jpg", "not a picture");
                                        return f / "sea.jpg";
                                      },
                                      kThumbHeaderFailed}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CreateThumbnailFile, APictureWithoutReadPermissionCannotBeRead) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not hold for root";
  TTempFolder folder;
  ASSERT_TRUE(MakeTestPicture(folder / "locked.jpg", 80, 60));
  std::filesystem::permissions(folder / "locked.jpg", std::filesystem::perms::none);
  EXPECT_EQ(CreateThumbnailFile(folder / "locked.jpg", folder / "t.jpg", 120, 120, {}).detail(),
            kThumbCannotRead);
}

// A GIF of a few hundred bytes whose screen and image claim `width` x `height` pixels.
std::string GifClaiming(int width, int height) {
  std::string gif = "GIF89a";
  auto put16 = [&gif](int value) {
    gif += static_cast<char>(value & 0xFF);
    gif += static_cast<char>((value >> 8) & 0xFF);
  };
  put16(width);
  put16(height);
  gif += std::string("\x80\0\0", 3) + std::string("\0\0\0\xFF\xFF\xFF", 6);  // 2 colours
  gif += ',';
  put16(0);
  put16(0);
  put16(width);
  put16(height);
  gif += std::string("\0\x02", 2);  // no local palette; LZW code size 2
  gif += static_cast<char>(200) + std::string(200, '\x44') + std::string("\0;", 2);
  return gif;
}

// A JPEG header claiming `width` x `height` (progressive or baseline), followed by a little data.
std::string JpegClaiming(int width, int height, bool progressive) {
  std::string jpeg("\xFF\xD8\xFF\xDB\x00\x43\x00", 7);
  jpeg += std::string(64, '\x01');
  jpeg += std::string(progressive ? "\xFF\xC2" : "\xFF\xC0", 2) + std::string("\x00\x11\x08", 3);
  jpeg += static_cast<char>(height >> 8);
  jpeg += static_cast<char>(height & 0xFF);
  jpeg += static_cast<char>(width >> 8);
  jpeg += static_cast<char>(width & 0xFF);
  jpeg += std::string("\x03\x01\x11\x00\x02\x11\x00\x03\x11\x00", 10);
  jpeg += std::string("\xFF\xDA\x00\x0C\x03\x01\x00\x02\x00\x03\x00\x00\x00\x00", 14);
  jpeg += std::string(100, '\x55') + std::string("\xFF\xD9", 2);
  return jpeg;
}

struct TClaimCase {
  const char* label;
  std::string content;
};

void PrintTo(const TClaimCase& c, std::ostream* os) { PrintCase(os, c.label, c.content); }

class HugeClaimTest : public ::testing::TestWithParam<TClaimCase> {};

// Refused from the header: decoding such a claim would take seconds and gigabytes.
TEST_P(HugeClaimTest, IsRefusedAsTooLargeBeforeDecoding) {
  TTempFolder folder;
  const std::string source = folder / "huge.pic";
  ASSERT_TRUE(WriteWholeFile(source, GetParam().content));
  ASSERT_TRUE(ReadPictureSize(source).ok()) << "the header itself must be readable";
  for (TThumbFormat format : {TThumbFormat::Gif, TThumbFormat::Jpeg, TThumbFormat::Bmp}) {
    TThumbSaveParams params;
    params.format = format;
    EXPECT_EQ(CreateThumbnailFile(source, folder / "t", 120, 120, params).detail(), kThumbTooLarge);
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "t"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HugeClaimTest,
    ::testing::Values(TClaimCase{"Gif20000Square", GifClaiming(20000, 20000)},
                      TClaimCase{"Gif65535By4097", GifClaiming(65535, 4097)},
                      TClaimCase{"ProgressiveJpeg30000Square", JpegClaiming(30000, 30000, true)},
                      TClaimCase{"BaselineJpeg16385By16384", JpegClaiming(16385, 16384, false)}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CreateThumbnailFile, ALongPictureNameGetsItsThumbnail) {
  TTempFolder folder;
  // 240 bytes of picture name; with its prefix the thumbnail's name is 246 bytes, still within
  // the 255-byte limit, so the thumbnail must be made.
  const std::string stem(236, 'a');
  const std::string source = folder / (stem + ".jpg");
  const std::string target = folder / ("small_" + stem + ".jpg");
  ASSERT_TRUE(MakeTestPicture(source, 400, 300));
  ASSERT_EQ(CreateThumbnailFile(source, target, 120, 120, {}), TStatus::Ok());
  std::string loader;
  int width = 0, height = 0;
  ASSERT_TRUE(ReadBackPicture(target, loader, width, height));
  EXPECT_EQ(width, 120);
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    entries += entry.path().filename() != kLedgerFileName;
  EXPECT_EQ(entries, 2) << "a temporary file was left behind";
}

// A failure names its step: a picture broken inside its data, against a thumbnail that cannot be
// written, in every format.
TEST(CreateThumbnailFile, TellsABrokenPictureFromAnUnwritableThumbnail) {
  TTempFolder folder;
  ASSERT_TRUE(MakeTestPicture(folder / "whole.jpg", 800, 600));
  std::string bytes = ReadWholeFile(folder / "whole.jpg");
  ASSERT_TRUE(WriteWholeFile(folder / "cut.jpg", bytes.substr(0, bytes.size() / 2)));
  std::filesystem::create_directory(folder / "taken.out");
  for (TThumbFormat format : {TThumbFormat::Gif, TThumbFormat::Jpeg, TThumbFormat::Bmp}) {
    TThumbSaveParams params;
    params.format = format;
    EXPECT_EQ(CreateThumbnailFile(folder / "cut.jpg", folder / "t.out", 120, 120, params).detail(),
              kThumbLoadFailed);
    EXPECT_EQ(
        CreateThumbnailFile(folder / "whole.jpg", folder / "none/t.out", 120, 120, params).detail(),
        kThumbSaveFailed);
    EXPECT_EQ(
        CreateThumbnailFile(folder / "whole.jpg", folder / "taken.out", 120, 120, params).detail(),
        kThumbTargetProtected);
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "t.out"));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.out"));
}

TEST(CreateThumbnailFile, ZeroLimitMakesNoFile) {
  TTempFolder folder;
  ASSERT_TRUE(MakeTestPicture(folder / "a.png", 80, 60));
  EXPECT_EQ(CreateThumbnailFile(folder / "a.png", folder / "t.jpg", 0, 0, {}).detail(),
            kThumbSizeFailed);
  EXPECT_FALSE(std::filesystem::exists(folder / "t.jpg"));
}

TEST(CreateThumbnailFile, NeverWritesOverItsOwnSource) {
  TTempFolder folder;
  const std::string source = folder / "sea.gif";
  ASSERT_TRUE(MakeTestPicture(source, 400, 300));
  const std::string before = ReadWholeFile(source);
  TThumbSaveParams params;
  params.format = TThumbFormat::Gif;
  // Named the same way, and through a different spelling of the same path.
  EXPECT_EQ(CreateThumbnailFile(source, source, 120, 120, params).detail(), kThumbTargetIsSource);
  EXPECT_EQ(CreateThumbnailFile(source, folder.Path() + "/./sea.gif", 120, 120, params).detail(),
            kThumbTargetIsSource);
  EXPECT_EQ(ReadWholeFile(source), before);
}

TEST(CreateThumbnailFile, AFailedThumbnailKeepsTheOldFile) {
  TTempFolder folder;
  ASSERT_TRUE(WriteWholeFile(folder / "sea.jpg", "not a picture"));
  ASSERT_TRUE(WriteWholeFile(folder / "_sea.jpg", "old thumbnail"));
  EXPECT_NE(CreateThumbnailFile(folder / "sea.jpg", folder / "_sea.jpg", 120, 120, {}),
            TStatus::Ok());
  EXPECT_EQ(ReadWholeFile(folder / "_sea.jpg"), "old thumbnail");
}

TEST(CreateThumbnailFile, ReplacesAnExistingThumbnail) {
  TTempFolder folder;
  ASSERT_TRUE(MakeTestPicture(folder / "sea.png", 300, 200));
  ASSERT_TRUE(WriteWholeFile(folder / "_sea.jpg", "old thumbnail"));
  ASSERT_EQ(CreateThumbnailFile(folder / "sea.png", folder / "_sea.jpg", 120, 120, {}),
            TStatus::Ok());
  std::string loader;
  int width = 0, height = 0;
  ASSERT_TRUE(ReadBackPicture(folder / "_sea.jpg", loader, width, height));
  EXPECT_EQ(width, 120);
  EXPECT_EQ(height, 80);
}

TEST(ReadPictureSize, GivesTheUprightSize) {
  TTempFolder folder;
  ASSERT_TRUE(MakeTestPicture(folder / "r.jpg", 640, 480, 6));
  ASSERT_TRUE(MakeTestPicture(folder / "n.jpg", 640, 480, 1));
  TStatusOr<TThumbnailSize> size = ReadPictureSize(folder / "r.jpg");
  ASSERT_TRUE(size.ok());
  EXPECT_EQ(size->width, 480);
  EXPECT_EQ(size->height, 640);
  size = ReadPictureSize(folder / "n.jpg");
  ASSERT_TRUE(size.ok());
  EXPECT_EQ(size->width, 640);
  EXPECT_EQ(size->height, 480);
  EXPECT_EQ(ReadPictureSize(folder / "none.jpg").status().detail(), kThumbCannotRead);
}

// GIF palettes come from a quantizer that runs threads of its own: the thumbnails must not
// depend on how many pictures are made at the same time.
TEST(CreateThumbnailFile, GifThumbnailsAreTheSameMadeAloneOrSideBySide) {
  TTempFolder folder;
  const int kPictures = 4;
  for (int i = 0; i < kPictures; ++i)
    ASSERT_TRUE(MakeLayoutPicture(folder / ("p" + std::to_string(i) + ".png"), 400 + 40 * i, 300,
                                  i % 2 == 0 ? TPixelLayout::RgbAlpha : TPixelLayout::Rgb16));
  TThumbSaveParams params;
  params.format = TThumbFormat::Gif;
  const auto make = [&](int i, const std::string& suffix) {
    const std::string stem = folder / ("p" + std::to_string(i));
    return WriteThumbnailFile(stem + ".png", stem + suffix, 120, 120, params);
  };
  for (int i = 0; i < kPictures; ++i) ASSERT_EQ(make(i, ".alone.gif"), TStatus::Ok());
  std::vector<std::thread> threads;
  std::atomic<int> made{0};
  for (int i = 0; i < kPictures; ++i)
    threads.emplace_back([&, i] { made += make(i, ".together.gif").ok() ? 1 : 0; });
  for (std::thread& thread : threads) thread.join();
  ASSERT_EQ(made, kPictures);
  for (int i = 0; i < kPictures; ++i) {
    const std::string stem = folder / ("p" + std::to_string(i));
    EXPECT_EQ(ReadWholeFile(stem + ".alone.gif"), ReadWholeFile(stem + ".together.gif")) << i;
  }
}

// Small pictures finish their pipelines many times a second, on every worker at once. Each
// finished pipeline frees the machine code the image library compiled for it; the library's code
// allocator of Debian 12 does that without a lock, and two frees at once crashed the program.
TEST(CreateThumbnailFile, ManySmallPicturesOnSeveralThreadsAllGetTheirThumbnails) {
  TTempFolder folder;
  const std::string picture = folder / "small.jpg";
  ASSERT_TRUE(MakeTestPicture(picture, 300, 200));
  // The compiled code is on, freed under this program's lock (VectorCodeLock).
  EXPECT_TRUE(vips_vector_isenabled());
  const int kThreads = 4, kEach = 100;
  std::atomic<int> made{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) {
        const std::string target = folder / ("t" + std::to_string(t) + "_" + std::to_string(i));
        made += WriteThumbnailFile(picture, target + ".jpg", 120, 120, {}).ok() ? 1 : 0;
      }
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(made, kThreads * kEach);
}

}  // namespace

}  // namespace zetgallery
