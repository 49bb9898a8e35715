// Tests of the zip of the pictures: its members and their bytes, the stored method, keeping it
// while up to date, rewriting it after a change, the files in its way, its failures, the sweep
// of older zips, its link line and its size in words.
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
  std::function<void(TGalleryFixture&)> plant;   // before the first build
  std::function<void(TGalleryFixture&)> change;  // between the builds; none: one build only
  const char* name;     // the zip expected afterwards, or nullptr for none at all
  bool kept;            // the zip of the first build is left as it was
  size_t trashed;       // files moved to the trash
  const char* failure;  // a part of the archive's failure, or ""
  bool diskFull;        // the second build cannot write a file as large as the pictures
};

void PrintTo(const TArchiveCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.name, c.kept, c.trashed, c.failure, c.diskFull);
}

// The members of the zip at `path`: name, bytes, modification time; false on a member not stored.
bool ReadZip(const std::string& path,
             std::vector<std::tuple<std::string, std::string, time_t>>& out) {
  // The reader gives names in the locale's encoding.
  const std::string locale = setlocale(LC_CTYPE, nullptr);
  setlocale(LC_CTYPE, "C.UTF-8");
  archive* zip = archive_read_new();
  archive_read_support_format_zip(zip);
  bool stored = archive_read_open_filename(zip, path.c_str(), 10240) == ARCHIVE_OK;
  archive_entry* entry = nullptr;
  // A warning is the reader's: the test's locale cannot show the name.
  for (int r; stored &&
              ((r = archive_read_next_header(zip, &entry)) == ARCHIVE_OK || r == ARCHIVE_WARN);) {
    stored = std::string(archive_format_name(zip)).find("uncompressed") != std::string::npos;
    std::string bytes(static_cast<size_t>(archive_entry_size(entry)), '\0');
    archive_read_data(zip, bytes.data(), bytes.size());
    out.emplace_back(archive_entry_pathname_utf8(entry), bytes, archive_entry_mtime(entry));
  }
  archive_read_free(zip);
  setlocale(LC_CTYPE, locale.c_str());
  return stored;
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
  if (c.plant) c.plant(g);
  TBuildResult result = BuildGallery(g.Inputs(), ui);
  struct stat first {};
  const bool hadZip = ::stat((g.root + "/pictures.zip").c_str(), &first) == 0;
  if (c.change) {
    c.change(g);
    std::optional<TFileSizeLimit> limit;
    // The zip is larger than its pictures; every other file of the gallery is smaller.
    if (c.diskFull)
      limit.emplace(fs::file_size(g.pics + "/a.jpg") + fs::file_size(g.pics + "/b.jpg") +
                    fs::file_size(g.pics + "/sea.jpg"));
    result = BuildGallery(g.Inputs(), ui);
  }
  EXPECT_NE(result.archiveFailure.message().find(c.failure), std::string::npos)
      << result.archiveFailure.message();
  EXPECT_EQ(result.archiveFailure.ok(), std::string(c.failure).empty());
  EXPECT_EQ(g.Trashed().size(), c.trashed);
  EXPECT_EQ(fs::is_regular_file(fs::symlink_status(g.root + "/pictures.zip")),
            c.name != nullptr && c.name == std::string("pictures.zip"));
  const std::string index = ReadWholeFile(g.root + "/index.htm");
  if (c.name == nullptr) {
    EXPECT_EQ(index.find("<p>"), std::string::npos) << "the line of a missing zip is dropped";
    return;
  }
  const std::string zip = g.root + "/" + c.name;
  std::vector<std::tuple<std::string, std::string, time_t>> members;
  EXPECT_TRUE(ReadZip(zip, members));
  const std::vector<std::string> pictures = CollectBuildParameters(g.Inputs()).Images;
  ASSERT_EQ(members.size(), pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) {
    EXPECT_EQ(std::get<0>(members[i]), pictures[i]);
    EXPECT_EQ(std::get<1>(members[i]), ReadWholeFile(g.pics + "/" + pictures[i])) << pictures[i];
    struct stat picture {};
    ASSERT_EQ(::stat((g.pics + "/" + pictures[i]).c_str(), &picture), 0);
    EXPECT_EQ(std::get<2>(members[i]), picture.st_mtime) << pictures[i];
  }
  struct stat now {};
  ASSERT_EQ(::stat(zip.c_str(), &now), 0);
  if (c.change) {
    EXPECT_EQ(hadZip && now.st_ino == first.st_ino && now.st_mtim.tv_nsec == first.st_mtim.tv_nsec,
              c.kept);
  }
  const std::string link = "<p><a href=\"" + UrlEncodeFileName(c.name) +
                           "\">Скачать все картинки (ZIP, " +
                           ArchiveSizeText(static_cast<uint64_t>(now.st_size)) + ")</a></p>\r\n";
  EXPECT_NE(index.find(link), std::string::npos) << index;
}

void EditPicture(TGalleryFixture& g) { ASSERT_TRUE(MakeTestPicture(g.pics + "/a.jpg", 80, 60)); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchiveTest,
    ::testing::Values(
        TArchiveCase{"FirstBuild", nullptr, nullptr, "pictures.zip", false, 0, "", false},
        TArchiveCase{"Unchanged", nullptr, [](TGalleryFixture&) {}, "pictures.zip", true, 0, "",
                     false},
        TArchiveCase{"Edited", nullptr, EditPicture, "pictures.zip", false, 0, "", false},
        TArchiveCase{"Added", nullptr, [](TGalleryFixture& g) { g.AddPicture("море 1.jpg"); },
                     "pictures.zip", false, 0, "", false},
        TArchiveCase{"Removed", nullptr, [](TGalleryFixture& g) { fs::remove(g.pics + "/b.jpg"); },
                     "pictures.zip", false, 0, "", false},
        TArchiveCase{"Renamed", nullptr,
                     [](TGalleryFixture& g) { fs::rename(g.pics + "/b.jpg", g.pics + "/z.jpg"); },
                     "pictures.zip", false, 0, "", false},
        TArchiveCase{"ForeignFileGoesToTheTrash",
                     [](TGalleryFixture& g) { WriteWholeFile(g.root + "/pictures.zip", "mine"); },
                     nullptr, "pictures.zip", false, 1, "", false},
        TArchiveCase{"InputAtTheNameRefused",
                     [](TGalleryFixture& g) {
                       fs::create_symlink(g.pics + "/a.jpg", g.root + "/pictures.zip");
                     },
                     nullptr, nullptr, false, 0, "исходным файлом", false},
        TArchiveCase{"TurnedOffSweepsIt", nullptr,
                     [](TGalleryFixture& g) { g.settings.OriginalsArchive = false; }, nullptr,
                     false, 0, "", false},
        TArchiveCase{"RenamedZipSweepsTheOld", nullptr,
                     [](TGalleryFixture& g) { g.settings.ArchiveName = "все #1.zip"; },
                     "все #1.zip", false, 0, "", false},
        TArchiveCase{"DiskFullDropsTheLink", nullptr, EditPicture, nullptr, false, 0,
                     "не записывается", true},
        TArchiveCase{"NameWithASlashRefused", nullptr,
                     [](TGalleryFixture& g) { g.settings.ArchiveName = "../pictures.zip"; },
                     nullptr, false, 0, "не может содержать", false}),
    CaseNamesBy(&TArchiveCase::label));

TEST(ArchiveTest, ForeignFileAtTheOldNameIsNeverSwept) {
  TGalleryFixture g;
  g.settings.OriginalsArchive = true;
  g.settings.ArchiveName = "pictures.zip";
  TRecordingUserInterface ui;
  ui.answer = true;
  static_cast<void>(BuildGallery(g.Inputs(), ui));
  ASSERT_TRUE(fs::exists(g.root + "/pictures.zip"));
  WriteWholeFile(g.root + "/pictures.zip", "the user's own");
  g.settings.OriginalsArchive = false;
  static_cast<void>(BuildGallery(g.Inputs(), ui));
  EXPECT_EQ(ReadWholeFile(g.root + "/pictures.zip"), "the user's own");
  EXPECT_TRUE(g.Trashed().empty());
}

struct TSizeCase {
  uint64_t bytes;
  const char* text;
};

void PrintTo(const TSizeCase& c, std::ostream* os) { PrintCase(os, c.bytes, c.text); }

class ArchiveSizeTest : public ::testing::TestWithParam<TSizeCase> {};

TEST_P(ArchiveSizeTest, ReadsInRussianUnits) {
  EXPECT_EQ(ArchiveSizeText(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, ArchiveSizeTest,
                         ::testing::Values(TSizeCase{0, "0,0 КБ"}, TSizeCase{51, "0,0 КБ"},
                                           TSizeCase{52, "0,1 КБ"}, TSizeCase{1536, "1,5 КБ"},
                                           TSizeCase{1023 * 1024, "1023,0 КБ"},
                                           TSizeCase{1048575, "1,0 МБ"},
                                           TSizeCase{12897485, "12,3 МБ"},
                                           TSizeCase{uint64_t{5} << 30, "5,0 ГБ"},
                                           TSizeCase{uint64_t{2000} << 30, "2000,0 ГБ"}),
                         TPrintedCaseName());

TEST(ArchiveOptionsTest, Zip64OnlyWhenTheZipMayPassFourGigabytes) {
  for (const auto& [bytes, zip64] : {std::pair<uint64_t, bool>{0, false},
                                     {uint64_t{3} << 30, false},
                                     {uint64_t{4} << 30, true}}) {
    const std::string options = ArchiveWriteOptions(bytes);
    EXPECT_NE(options.find("zip:compression=store"), std::string::npos) << options;
    EXPECT_EQ(options.find("zip:zip64") != std::string::npos, zip64) << bytes;
  }
}

}  // namespace

}  // namespace zetgallery
