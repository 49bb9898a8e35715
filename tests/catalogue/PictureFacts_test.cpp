// Facts read from pictures whose metadata the test writes itself with libexiv2, and the texts
// the gallery shows of them.
#include "catalogue/PictureFacts.h"

#include <gtest/gtest.h>

#include <exiv2/exiv2.hpp>
#include <string>
#include <utility>
#include <vector>
#include <vips/vips8>

#include "support/CaseNames.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {
namespace {

struct TFactsCase {
  std::string name;
  // Keys ("Exif.", "Iptc.", "Xmp.") and the values written into a small JPEG.
  std::vector<std::pair<std::string, std::string>> fields;
  std::string caption;
  std::string date;
  std::string camera;
  std::string exposure;
};

void PrintTo(const TFactsCase& c, std::ostream* os) { *os << c.name; }

void WriteFields(const std::string& path,
                 const std::vector<std::pair<std::string, std::string>>& fields) {
  auto image = Exiv2::ImageFactory::open(path);
  image->readMetadata();
  for (const auto& [key, value] : fields) {
    if (key.rfind("Exif.", 0) == 0) image->exifData()[key] = value;
    if (key.rfind("Iptc.", 0) == 0) image->iptcData()[key] = value;
    if (key.rfind("Xmp.", 0) == 0) image->xmpData()[key] = value;
  }
  image->writeMetadata();
}

class PictureFactsTest : public ::testing::TestWithParam<TFactsCase> {};

TEST_P(PictureFactsTest, ReadsWhatThePictureSays) {
  const TFactsCase& c = GetParam();
  ASSERT_EQ(VIPS_INIT("catalogue_tests"), 0);
  TTempFolder folder;
  const std::string path = folder.Path() + "/picture.jpg";
  vips::VImage::black(16, 12).jpegsave(path.c_str());
  WriteFields(path, c.fields);

  const TPictureFacts facts = ReadPictureFacts(path);
  EXPECT_EQ(facts.caption, c.caption);
  EXPECT_EQ(DateTakenText(facts.taken), c.date);
  EXPECT_EQ(CameraText(facts.make, facts.model), c.camera);
  EXPECT_EQ(ExposureText(facts), c.exposure);
}

const std::string kRussian = "Закат над заливом";

INSTANTIATE_TEST_SUITE_P(
    Catalogue, PictureFactsTest,
    ::testing::Values(TFactsCase{"NoMetadata", {}, "", "", "", ""},
                      TFactsCase{"XmpCaptionWinsOverIptcAndExif",
                                 {{"Xmp.dc.description", "lang=\"x-default\" " + kRussian},
                                  {"Iptc.Application2.Caption", "iptc"},
                                  {"Exif.Image.ImageDescription", "exif"}},
                                 kRussian,
                                 "",
                                 "",
                                 ""},
                      TFactsCase{"IptcCaptionWhenXmpIsBlank",
                                 {{"Xmp.dc.description", "lang=\"x-default\"  "},
                                  {"Iptc.Application2.Caption", "Bay\nat night"},
                                  {"Exif.Image.ImageDescription", "exif"}},
                                 "Bay at night",
                                 "",
                                 "",
                                 ""},
                      TFactsCase{"ExifCaptionInLatin1",
                                 {{"Exif.Image.ImageDescription", "Caf\xE9  "}},
                                 "Café",
                                 "",
                                 "",
                                 ""},
                      TFactsCase{"CameraPlaceholdersAreNoCaption",
                                 {{"Exif.Image.ImageDescription", "OLYMPUS DIGITAL CAMERA   "},
                                  {"Iptc.Application2.Caption", "SONY DSC"},
                                  {"Exif.Image.Make", "OLYMPUS"}},
                                 "",
                                 "",
                                 "OLYMPUS",
                                 ""},
                      TFactsCase{"CameraNameIsNoCaption",
                                 {{"Exif.Image.ImageDescription", "Canon EOS 5D"},
                                  {"Exif.Image.Model", "Canon EOS 5D"}},
                                 "",
                                 "",
                                 "Canon EOS 5D",
                                 ""},
                      TFactsCase{"DateCameraAndExposure",
                                 {{"Exif.Photo.DateTimeOriginal", "2026:12:08 14:05:09"},
                                  {"Exif.Image.Make", "Canon"},
                                  {"Exif.Image.Model", "Canon EOS 5D"},
                                  {"Exif.Photo.FocalLength", "50/1"},
                                  {"Exif.Photo.FNumber", "28/10"},
                                  {"Exif.Photo.ExposureTime", "1/250"},
                                  {"Exif.Photo.ISOSpeedRatings", "100"}},
                                 "",
                                 "8 декабря 2026, 14:05",
                                 "Canon EOS 5D",
                                 "50 мм, f/2.8, 1/250 с, ISO 100"},
                      TFactsCase{"DigitizedDateWhenOriginalIsBlank",
                                 {{"Exif.Photo.DateTimeOriginal", "    :  :     :  :  "},
                                  {"Exif.Photo.DateTimeDigitized", "2024:02:29 00:00:00"},
                                  {"Exif.Image.Make", "Fujifilm"},
                                  {"Exif.Image.Model", "X-T3"},
                                  {"Exif.Photo.ExposureTime", "2/1"}},
                                 "",
                                 "29 февраля 2024, 00:00",
                                 "Fujifilm X-T3",
                                 "2 с"}),
    [](const auto& info) { return info.param.name; });

TEST(PictureFactsFiles, AChangedPictureIsReadAgain) {
  ASSERT_EQ(VIPS_INIT("catalogue_tests"), 0);
  TTempFolder folder;
  const std::string path = folder.Path() + "/picture.jpg";
  vips::VImage::black(16, 12).jpegsave(path.c_str());
  WriteFields(path, {{"Exif.Image.ImageDescription", "Утро"}});
  EXPECT_EQ(ReadPictureFacts(path).caption, "Утро");
  WriteFields(path, {{"Exif.Image.ImageDescription", "Вечер"}});
  EXPECT_EQ(ReadPictureFacts(path).caption, "Вечер");
}

TEST(PictureFactsFiles, WhatIsNotAPictureHasNoFacts) {
  TTempFolder folder;
  for (const std::string& content : {std::string(), std::string("not a picture"),
                                     std::string("\xFF\xD8\xFF\xE1\xFF\xFF"
                                                 "Exif\0\0MM",
                                                 14)}) {
    const std::string path = folder.Path() + "/broken.jpg";
    ASSERT_TRUE(WriteWholeFile(path, content));
    const TPictureFacts facts = ReadPictureFacts(path);
    EXPECT_EQ(facts.caption + facts.make + facts.model, "") << CaseLiteral(content);
    EXPECT_FALSE(facts.taken.valid) << CaseLiteral(content);
  }
  EXPECT_EQ(ReadPictureFacts(folder.Path() + "/missing.jpg").caption, "");
}

TEST(PictureFactsDates, OnlyDatesThatExist) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"2026:12:08 14:05:09", "8 декабря 2026, 14:05"},
      {"2026-01-31T07:00", "31 января 2026, 07:00"},
      {"2023:02:29 10:00:00", ""},  // not a leap year
      {"2026:13:01 10:00:00", ""},
      {"2026:12:08 24:00:00", ""},
      {"0000:00:00 00:00:00", ""},
      {"2026:12:08", ""},
      {"2026:12-08 10:00:00", ""},
      {"", ""},
  };
  for (const auto& [text, shown] : cases)
    EXPECT_EQ(DateTakenText(ParseExifDate(text)), shown) << CaseLiteral(text);
}

TEST(PictureFactsTexts, CameraAndExposureParts) {
  EXPECT_EQ(CameraText("NIKON CORPORATION", "NIKON D750"), "NIKON D750");
  EXPECT_EQ(CameraText("", "iPhone 15"), "iPhone 15");
  EXPECT_EQ(CameraText("Apple", ""), "Apple");
  TPictureFacts facts;
  EXPECT_EQ(ExposureText(facts), "");
  facts.fNumber = 4;
  facts.exposureSeconds = 1.0 / 3;
  EXPECT_EQ(ExposureText(facts), "f/4, 1/3 с");
}

}  // namespace
}  // namespace zetgallery
