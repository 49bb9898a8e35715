// Tests of the zip of the pictures: its members, kept or rewritten, the files in its way, its
// failures, the sweep of older zips, its link line, its size in words and its options.
#include "gallery/PictureArchive.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <locale.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "GalleryFixture.h"
#include "gallery/ArchiveLink.h"
#include "gallery/BuildDriver.h"
#include "support/CaseNames.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingUserInterface.h"
#include "support/WholeFiles.h"
#include "util/ZetHtmlEscape.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

struct TArchiveCase {
  const char* label;
  std::function<void(TGalleryFixture&)> change;  // between the two builds
  const char* zip;      // the zip expected afterwards, or nullptr for none of ours
  bool kept;            // the first build's zip is left as it was
  size_t trashed;       // files moved to the trash
  const char* failure;  // a part of the zip's failure, or ""
  bool diskFull;        // the second build cannot write a file as large as the pictures
};

void PrintTo(const TArchiveCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.zip, c.kept, c.trashed, c.failure, c.diskFull);
}

// Name, bytes and time of each member of the zip at `path`; stops at a member not stored.
std::vector<std::tuple<std::string, std::string, time_t>> StoredMembers(const std::string& path) {
  const std::string locale = setlocale(LC_CTYPE, nullptr);
  setlocale(LC_CTYPE, "C.UTF-8");  // the reader gives names in the locale's encoding
  std::vector<std::tuple<std::string, std::string, time_t>> members;
  archive* zip = archive_read_new();
  archive_read_support_format_zip(zip);
  archive_entry* entry = nullptr;
  if (archive_read_open_filename(zip, path.c_str(), 10240) == ARCHIVE_OK)
    while (archive_read_next_header(zip, &entry) == ARCHIVE_OK &&
           std::string(archive_format_name(zip)).ends_with("(uncompressed)")) {
      std::string bytes(static_cast<size_t>(archive_entry_size(entry)), '\0');
      archive_read_data(zip, bytes.data(), bytes.size());
      members.emplace_back(archive_entry_pathname(entry), bytes, archive_entry_mtime(entry));
    }
  archive_read_free(zip);
  setlocale(LC_CTYPE, locale.c_str());
  return members;
}

class ArchiveTest : public ::testing::TestWithParam<TArchiveCase> {};

TEST_P(ArchiveTest, HoldsThePicturesInOrderAndIsKeptOrRewritten) {
  const TArchiveCase& c = GetParam();
  TGalleryFixture g;
  g.settings.OriginalsArchive = true;
  g.settings.ArchiveName = "pictures.zip";
  WriteWholeFile(g.tpl + "/index.tpl", "<html>\r\n<p>~~~ARCHIVELINK~~~</p>\r\n~~~INDEX~~~\r\n");
  TRecordingUserInterface ui;
  ui.answer = true;  // the thumbnails folder is made
  static_cast<void>(BuildGallery(g.Inputs(), ui));
  struct stat first {};
  ASSERT_EQ(::stat((g.root + "/pictures.zip").c_str(), &first), 0);
  c.change(g);
  std::optional<TFileSizeLimit> limit;
  uintmax_t pictures = 0;
  for (const auto& picture : fs::directory_iterator(g.pics)) pictures += picture.file_size();
  // The zip is larger than its pictures; every other file of the gallery is smaller.
  if (c.diskFull) limit.emplace(pictures);
  const TBuildResult result = BuildGallery(g.Inputs(), ui);
  limit.reset();
  EXPECT_NE(result.archiveFailure.message().find(c.failure), std::string::npos);
  EXPECT_EQ(result.archiveFailure.ok(), *c.failure == '\0') << result.archiveFailure.message();
  EXPECT_EQ(g.Trashed().size(), c.trashed);
  const std::string index = ReadWholeFile(g.root + "/index.htm");
  const bool oldName = fs::is_regular_file(fs::symlink_status(g.root + "/pictures.zip"));
  if (c.zip == nullptr) {
    EXPECT_FALSE(oldName && ReadWholeFile(g.root + "/pictures.zip").starts_with("PK"));
    EXPECT_EQ(index.find("<p>"), std::string::npos) << "the line of a missing zip is dropped";
    return;
  }
  EXPECT_EQ(oldName, c.zip == std::string("pictures.zip")) << "an older zip is swept";
  const auto members = StoredMembers(g.root + "/" + c.zip);
  const std::vector<std::string> names = CollectBuildParameters(g.Inputs()).Images;
  ASSERT_EQ(members.size(), names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    struct stat picture {};
    ASSERT_EQ(::stat((g.pics + "/" + names[i]).c_str(), &picture), 0);
    EXPECT_EQ(members[i],
              std::make_tuple(names[i], ReadWholeFile(g.pics + "/" + names[i]), picture.st_mtime));
  }
  struct stat now {};
  ASSERT_EQ(::stat((g.root + "/" + c.zip).c_str(), &now), 0);
  EXPECT_EQ(now.st_ino == first.st_ino && now.st_mtim.tv_nsec == first.st_mtim.tv_nsec, c.kept);
  EXPECT_NE(
      index.find("<p><a href=\"" + UrlEncodeFileName(c.zip) + "\">Скачать все картинки (ZIP, " +
                 ArchiveSizeText(static_cast<uint64_t>(now.st_size)) + ")</a></p>\r\n"),
      std::string::npos)
      << index;
}

void EditPicture(TGalleryFixture& g) { ASSERT_TRUE(MakeTestPicture(g.pics + "/a.jpg", 80, 60)); }
void Plant(TGalleryFixture& g, const char* text) { WriteWholeFile(g.root + "/pictures.zip", text); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchiveTest,
    ::testing::Values(
        TArchiveCase{"Unchanged", [](auto&) {}, "pictures.zip", true, 0, "", false},
        TArchiveCase{"Edited", EditPicture, "pictures.zip", false, 0, "", false},
        TArchiveCase{"Added", [](auto& g) { g.AddPicture("море 1.jpg"); }, "pictures.zip", false, 0,
                     "", false},
        TArchiveCase{"Renamed", [](auto& g) { fs::rename(g.pics + "/b.jpg", g.pics + "/z.jpg"); },
                     "pictures.zip", false, 0, "", false},
        TArchiveCase{"ForeignFileGoesToTheTrash", [](auto& g) { Plant(g, "mine"); }, "pictures.zip",
                     false, 1, "", false},
        TArchiveCase{"InputAtTheNameRefused",
                     [](auto& g) {
                       fs::remove(g.root + "/pictures.zip");
                       fs::create_symlink(g.pics + "/a.jpg", g.root + "/pictures.zip");
                     },
                     nullptr, false, 0, "исходным файлом", false},
        TArchiveCase{"TurnedOffSweepsIt", [](auto& g) { g.settings.OriginalsArchive = false; },
                     nullptr, false, 0, "", false},
        TArchiveCase{"ForeignFileNeverSwept",
                     [](auto& g) {
                       g.settings.OriginalsArchive = false;
                       Plant(g, "the user's own");
                     },
                     nullptr, false, 0, "", false},
        TArchiveCase{"AnAlbumOfAlbumsAloneHasNone",
                     [](auto& g) {
                       g.settings.SubAlbums = true;
                       for (const auto& picture : fs::directory_iterator(g.pics))
                         fs::rename(picture.path(),
                                    g.root + "/" + picture.path().filename().string());
                     },
                     nullptr, false, 0, "", false},
        TArchiveCase{"NewNameSweepsTheOld", [](auto& g) { g.settings.ArchiveName = "все #1.zip"; },
                     "все #1.zip", false, 0, "", false},
        TArchiveCase{"DiskFullDropsTheLink", EditPicture, nullptr, false, 0, "не записывается",
                     true},
        TArchiveCase{"NameWithASlashRefused",
                     [](auto& g) { g.settings.ArchiveName = "../pictures.zip"; }, nullptr, false, 0,
                     "не может содержать", false}),
    CaseNamesBy(&TArchiveCase::label));

TEST(ArchiveSizeTest, ReadsInRussianUnits) {
  const std::pair<uint64_t, const char*> cases[] = {
      {0, "0,0 КБ"},         {51, "0,0 КБ"},         {52, "0,1 КБ"},
      {1536, "1,5 КБ"},      {1047552, "1023,0 КБ"}, {1048575, "1,0 МБ"},
      {12897485, "12,3 МБ"}, {5ULL << 30, "5,0 ГБ"}, {2000ULL << 30, "2000,0 ГБ"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(ArchiveSizeText(bytes), text) << bytes;
}

TEST(ArchiveOptionsTest, StoredAndZip64OnlyWhenTheZipMayPassFourGigabytes) {
  for (const auto& [bytes, zip64] :
       {std::pair<uint64_t, bool>{0, false}, {3ULL << 30, false}, {4ULL << 30, true}}) {
    const std::string options = ArchiveWriteOptions(bytes);
    EXPECT_NE(options.find("zip:compression=store"), std::string::npos) << options;
    EXPECT_EQ(options.find("zip:zip64") != std::string::npos, zip64) << bytes;
  }
}

}  // namespace

}  // namespace zetgallery
