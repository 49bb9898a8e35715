// Galleries that use what the pictures say about themselves: captions as descriptions, the
// date, camera and exposure markers of the picture pages, and the order of the pictures.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <exiv2/exiv2.hpp>
#include <functional>
#include <string>
#include <vector>

#include "GalleryFixture.h"
#include "gallery/BuildDriver.h"
#include "support/RecordingUserInterface.h"
#include "support/WholeFiles.h"
#include "util/ZetPlatform.h"

namespace zetgallery {
namespace {

void WriteExif(const std::string& path, const char* key, const std::string& value) {
  auto image = Exiv2::ImageFactory::open(path);
  image->readMetadata();
  image->exifData()[key] = value;
  image->writeMetadata();
}

// a.jpg taken in 2021 and changed last, b.jpg taken in 2019 with a caption and a camera, sea.jpg
// with no metadata and changed first.
void DescribePictures(const TGalleryFixture& g) {
  WriteExif(g.pics + "/a.jpg", "Exif.Photo.DateTimeOriginal", "2021:07:03 18:30:00");
  WriteExif(g.pics + "/b.jpg", "Exif.Photo.DateTimeOriginal", "2019:05:01 10:00:00");
  WriteExif(g.pics + "/b.jpg", "Exif.Image.ImageDescription", "Берег <утром>");
  WriteExif(g.pics + "/b.jpg", "Exif.Image.Make", "Canon");
  WriteExif(g.pics + "/b.jpg", "Exif.Image.Model", "Canon EOS 5D");
  WriteExif(g.pics + "/b.jpg", "Exif.Photo.FNumber", "8/1");
  const std::pair<const char*, int64_t> times[] = {
      {"sea.jpg", 1000}, {"b.jpg", 2000}, {"a.jpg", 3000}};
  for (const auto& [name, seconds] : times)
    ASSERT_TRUE(SetFileModificationTime(g.pics + "/" + name, TFileTime{seconds, 0}));
  WriteWholeFile(g.tpl + "/page.tpl",
                 "~~~DATE~~~|~~~CAMERA~~~|~~~EXPOSURE~~~\r\n[~~~DESCR~~~]\r\n~~~IMAGE~~~\r\n");
}

struct TFactsGalleryCase {
  const char* name;
  std::function<void(TSettingsSnapshot&)> settings;
  std::vector<std::string> order;  // the pages as the index lists them
  std::string firstLineOfB;        // of b.htm
  std::string descriptionOfB;
};

void PrintTo(const TFactsGalleryCase& c, std::ostream* os) { *os << c.name; }

class FactsGalleryTest : public ::testing::TestWithParam<TFactsGalleryCase> {};

TEST_P(FactsGalleryTest, BuildsWhatThePicturesSay) {
  const TFactsGalleryCase& c = GetParam();
  TGalleryFixture gallery;
  DescribePictures(gallery);
  gallery.settings.ImageType = 1;  // pages
  gallery.settings.IndexType = 0;  // numbered list
  gallery.settings.Descriptions = 0;
  c.settings(gallery.settings);
  TRecordingUserInterface ui;
  ui.answer = true;
  ASSERT_EQ(BuildGallery(gallery.Inputs(), ui).outcome, TBuildOutcome::Finished);
  EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();

  const std::string index = ReadWholeFile(gallery.root + "/index.htm");
  std::vector<std::pair<size_t, std::string>> found;
  for (const char* page : {"a.htm", "b.htm", "sea.htm"})
    found.emplace_back(index.find(std::string("href=\"") + page), page);
  std::sort(found.begin(), found.end());
  std::vector<std::string> order;
  for (const auto& [at, page] : found) order.push_back(page);
  EXPECT_EQ(order, c.order);
  const std::string page = ReadWholeFile(gallery.root + "/b.htm");
  EXPECT_EQ(page.substr(0, page.find("\r\n")), c.firstLineOfB);
  EXPECT_NE(page.find("[" + c.descriptionOfB + "]"), std::string::npos) << page;
}

const std::string kMarkersKept = "~~~DATE~~~|~~~CAMERA~~~|~~~EXPOSURE~~~";

INSTANTIATE_TEST_SUITE_P(
    Gallery, FactsGalleryTest,
    ::testing::Values(
        TFactsGalleryCase{
            "Defaults", [](TSettingsSnapshot&) {}, {"a.htm", "b.htm", "sea.htm"}, kMarkersKept, ""},
        TFactsGalleryCase{"CaptionAsDescription",
                          [](TSettingsSnapshot& s) { s.Descriptions = 3; },
                          {"a.htm", "b.htm", "sea.htm"},
                          kMarkersKept,
                          "Берег <утром>"},
        TFactsGalleryCase{"Markers",
                          [](TSettingsSnapshot& s) { s.PictureFacts = true; },
                          {"a.htm", "b.htm", "sea.htm"},
                          "1 мая 2019, 10:00|Canon EOS 5D|f/8",
                          ""},
        TFactsGalleryCase{"NameDescending",
                          [](TSettingsSnapshot& s) { s.ImageOrderDescending = true; },
                          {"sea.htm", "b.htm", "a.htm"},
                          kMarkersKept,
                          ""},
        TFactsGalleryCase{"DateTaken",
                          [](TSettingsSnapshot& s) { s.ImageOrder = 1; },
                          {"b.htm", "a.htm", "sea.htm"},
                          kMarkersKept,
                          ""},
        TFactsGalleryCase{"DateTakenDescending",
                          [](TSettingsSnapshot& s) {
                            s.ImageOrder = 1;
                            s.ImageOrderDescending = true;
                          },
                          {"a.htm", "b.htm", "sea.htm"},
                          kMarkersKept,
                          ""},
        TFactsGalleryCase{"ModificationTime",
                          [](TSettingsSnapshot& s) { s.ImageOrder = 2; },
                          {"sea.htm", "b.htm", "a.htm"},
                          kMarkersKept,
                          ""},
        TFactsGalleryCase{"ModificationTimeDescending",
                          [](TSettingsSnapshot& s) {
                            s.ImageOrder = 2;
                            s.ImageOrderDescending = true;
                          },
                          {"a.htm", "b.htm", "sea.htm"},
                          kMarkersKept,
                          ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zetgallery
