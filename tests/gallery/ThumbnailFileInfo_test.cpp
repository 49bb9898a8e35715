// Tests of reading a thumbnail file's format and size from its header.
#include "ThumbnailFileInfo.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "TestPictures.h"
#include "Thumbnailer.h"
#include "WholeFiles.h"

namespace {

struct TMadeCase {
  const char* label;
  TThumbFormat format;
  bool interlaced;
  int width, height;  // of the picture; the thumbnail follows the rule for 120 x 120
};

class ThumbnailFileInfoTest : public ::testing::TestWithParam<TMadeCase> {};

TEST_P(ThumbnailFileInfoTest, ReadsWhatTheThumbnailerWrote) {
  const TMadeCase& c = GetParam();
  TTempFolder folder;
  ASSERT_TRUE(MakeTestPicture(folder / "p.png", c.width, c.height));
  TThumbSaveParams params;
  params.format = c.format;
  params.interlaced = c.interlaced;
  ASSERT_EQ(CreateThumbnailFile(folder / "p.png", folder / "t", 120, 120, params), kThumbOk);
  TThumbnailFileInfo info;
  ASSERT_TRUE(ReadThumbnailFileInfo(folder / "t", info));
  const TThumbnailSize size = ThumbnailSizeFor(c.width, c.height, 120, 120);
  EXPECT_EQ(info.format, c.format);
  EXPECT_EQ(info.interlaced, c.interlaced);
  EXPECT_EQ(info.width, size.width);
  EXPECT_EQ(info.height, size.height);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThumbnailFileInfoTest,
    ::testing::Values(TMadeCase{"Jpeg", TThumbFormat::Jpeg, false, 800, 600},
                      TMadeCase{"ProgressiveJpeg", TThumbFormat::Jpeg, true, 600, 800},
                      TMadeCase{"Gif", TThumbFormat::Gif, false, 333, 101},
                      TMadeCase{"InterlacedGif", TThumbFormat::Gif, true, 800, 600},
                      TMadeCase{"Bmp", TThumbFormat::Bmp, false, 121, 120},
                      TMadeCase{"OnePixelHigh", TThumbFormat::Gif, false, 1000, 3}),
    [](const auto& info) { return std::string(info.param.label); });

struct TDamageCase {
  const char* label;
  TThumbFormat format;
  std::string (*damage)(const std::string& bytes);
};

class DamagedThumbnailTest : public ::testing::TestWithParam<TDamageCase> {};

TEST_P(DamagedThumbnailTest, IsNotTakenForAThumbnail) {
  TTempFolder folder;
  ASSERT_TRUE(MakeTestPicture(folder / "p.png", 300, 200));
  TThumbSaveParams params;
  params.format = GetParam().format;
  ASSERT_EQ(CreateThumbnailFile(folder / "p.png", folder / "t", 120, 120, params), kThumbOk);
  TThumbnailFileInfo info;
  ASSERT_TRUE(ReadThumbnailFileInfo(folder / "t", info)) << "the undamaged file must be read";
  ASSERT_TRUE(WriteWholeFile(folder / "t", GetParam().damage(ReadWholeFile(folder / "t"))));
  EXPECT_FALSE(ReadThumbnailFileInfo(folder / "t", info));
}

std::string CutLastByte(const std::string& bytes) { return bytes.substr(0, bytes.size() - 1); }
std::string KeepHeaderOnly(const std::string& bytes) { return bytes.substr(0, 60); }
std::string Empty(const std::string&) { return ""; }
std::string ThirtyTwoBits(const std::string& bytes) {
  std::string changed = bytes;
  changed[28] = 32;
  return changed;
}
std::string WrongSignature(const std::string& bytes) { return "X" + bytes.substr(1); }

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedThumbnailTest,
    ::testing::Values(TDamageCase{"JpegWithoutEnd", TThumbFormat::Jpeg, CutLastByte},
                      TDamageCase{"JpegHeaderOnly", TThumbFormat::Jpeg, KeepHeaderOnly},
                      TDamageCase{"GifWithoutTrailer", TThumbFormat::Gif, CutLastByte},
                      TDamageCase{"BmpShort", TThumbFormat::Bmp, CutLastByte},
                      TDamageCase{"BmpOfThirtyTwoBits", TThumbFormat::Bmp, ThirtyTwoBits},
                      TDamageCase{"UnknownSignature", TThumbFormat::Gif, WrongSignature},
                      TDamageCase{"EmptyFile", TThumbFormat::Jpeg, Empty}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ReadThumbnailFileInfo, IsFalseForAPngAFolderAndNothing) {
  TTempFolder folder;
  ASSERT_TRUE(MakeTestPicture(folder / "p.png", 30, 20));
  TThumbnailFileInfo info;
  EXPECT_FALSE(ReadThumbnailFileInfo(folder / "p.png", info));
  EXPECT_FALSE(ReadThumbnailFileInfo(folder.Path(), info));
  EXPECT_FALSE(ReadThumbnailFileInfo(folder / "none.gif", info));
}

}  // namespace
