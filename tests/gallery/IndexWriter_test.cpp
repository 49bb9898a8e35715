// Tests of the index page writer: size texts, the golden galleries (every index kind, both
// picture modes, both page namings), the template rules, the order of the per-picture work and
// the error messages.
#include "gallery/IndexWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "FolderSnapshot.h"
#include "WriterTestSupport.h"
#include "gallery/PageWriter.h"
#include "support/CaseNames.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace {

const char kIndexOpenMessage[] =
    "Не могу открыть индексный файл на запись!\r\n\r\nВозможные причины:\r\n"
    "1. Индексный файл уже открыт программой просмотра\r\n"
    "2. Индексный файл имеет атрибут \"Только для чтения\"\r\n"
    "3. Нет прав на запись в папке индексного файла\r\n";
const char kTemplateOpenMessage[] =
    "Не могу открыть шаблон индексного файла на чтение!\r\n\r\nВозможные причины:\r\n"
    "1. Шаблон индексного файла заблокирован другой программой\r\n"
    "2. Нет прав на чтение в папке с шаблоном индексного файла\r\n";
const char kIndexWriteMessage[] = "Ошибка записи индексного файла!";

// --- Size texts ---------------------------------------------------------------------------------

struct TSizeCase {
  int64_t size;
  int unit;
  const char* separator;
  const char* expected;
};

void PrintTo(const TSizeCase& c, std::ostream* os) {
  PrintCase(os, c.size, c.unit, c.separator, c.expected);
}

class FileSizeTextTest : public testing::TestWithParam<TSizeCase> {};

TEST_P(FileSizeTextTest, WritesTheSizeInTheChosenUnit) {
  const TSizeCase& c = GetParam();
  EXPECT_EQ(FileSizeText(c.size, static_cast<TFileSizeUnit>(c.unit), c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileSizeTextTest,
    testing::Values(TSizeCase{1536, 0, ",", "1536"}, TSizeCase{1536, 1, ",", "2k"},
                    TSizeCase{1536, 2, ",", "0,0M"}, TSizeCase{511, 1, ",", "0k"},
                    TSizeCase{512, 1, ",", "1k"},  // exactly half rounds away from zero
                    TSizeCase{1535, 1, ",", "1k"}, TSizeCase{0, 1, ",", "0k"},
                    TSizeCase{1572864, 2, ",", "1,5M"}, TSizeCase{1572864, 2, ".", "1.5M"},
                    TSizeCase{1310720, 2, ",", "1,3M"},  // 1.25 exactly: half away from zero
                    TSizeCase{1310719, 2, ",", "1,2M"}, TSizeCase{104805376, 2, ",", "100,0M"},
                    TSizeCase{1048575, 2, ",", "1,0M"}, TSizeCase{52428, 2, "٫", "0٫0M"},
                    TSizeCase{52429, 2, ",", "0,1M"},
                    // Files beyond 2 GiB keep their size.
                    TSizeCase{3221225472LL, 0, ",", "3221225472"},
                    TSizeCase{3221225472LL, 1, ",", "3145728k"},
                    TSizeCase{3221225472LL, 2, ",", "3072,0M"},
                    // A picture that vanished.
                    TSizeCase{-1, 0, ",", "-1"}, TSizeCase{-1, 1, ",", "0k"},
                    TSizeCase{-1, 2, ",", "0,0M"},
                    // No unit selected: bytes.
                    TSizeCase{2048, -1, ",", "2048"}),
    CaseNamesBy(&TSizeCase::size, &TSizeCase::unit));

TEST(GetImageFileSize, ReadsTheFileOrGivesMinusOne) {
  TTempFolder folder;
  WriteWholeFile(folder / "a.jpg", std::string(1234, 'x'));
  WriteWholeFile(folder / "empty.jpg", "");
  EXPECT_EQ(GetImageFileSize(folder / "a.jpg"), 1234);
  EXPECT_EQ(GetImageFileSize(folder / "empty.jpg"), 0);
  EXPECT_EQ(GetImageFileSize(folder / "gone.jpg"), -1);
  // Only a plain file has a size.
  std::filesystem::create_directory(folder / "folder.jpg");
  EXPECT_EQ(GetImageFileSize(folder / "folder.jpg"), 0);
}

// --- Golden galleries ---------------------------------------------------------------------------

const char kIndexTemplate[] =
    "<html>\r\n<head><title>Gallery</title></head>\r\n<body>\r\n<h1>Sea</h1>\r\n"
    "  <!-- ~~~INDEX~~~ -->\r\n<p>End</p>\r\n</body>\r\n</html>";
const char kImageTemplate[] =
    "<html>\r\n<body>\r\n<h2>~~~DESCR~~~</h2>\r\n<div>~~~IMAGE~~~</div>\r\n~~~BUTTONS~~~\r\n"
    "<p>About: ~~~DESCR~~~.</p>\r\n</body>\r\n</html>\r\n";

// A folder "photos" of four pictures (only their names and sizes matter to the HTML) whose
// gallery goes into the folder above it.
class TGalleryFolder {
 public:
  TGalleryFolder() {
    WriteWholeFile(folder_ / "photos/beach.jpg", std::string(1536, 'b'));
    WriteWholeFile(folder_ / "photos/cliffs.png", std::string(511, 'c'));
    WriteWholeFile(folder_ / "photos/dunes & sky.jpg", std::string(2560, 'd'));
    WriteWholeFile(folder_ / "photos/harbour.gif", std::string(100, 'h'));
    WriteWholeFile(folder_ / "templates/index.tpl", kIndexTemplate);
    WriteWholeFile(folder_ / "templates/image.tpl", kImageTemplate);
  }

  // The settings shared by all golden galleries.
  TBuildInputs Inputs() const {
    TBuildInputs in = TypicalInputs(folder_ / "photos", folder_.Path(),
                                    {"beach.jpg", "cliffs.png", "dunes & sky.jpg", "harbour.gif"});
    TSettingsSnapshot& s = in.Settings;
    s.IndexTemplate = folder_ / "templates/index.tpl";
    s.ImageTemplate = folder_ / "templates/image.tpl";
    s.TableWidth = 80, s.TableBorderWidth = 1, s.CellPadding = 2, s.CellSpacing = 3;
    s.ThumbXCount = 3, s.ThumbXSize = "120", s.ThumbYSize = "90", s.ThumbBorderWidth = 1;
    return in;
  }

  const TTempFolder& Folder() const { return folder_; }

 private:
  TTempFolder folder_;
};

const std::vector<std::string> kDescriptions = {"Sandy beach", "", "Dunes \"at\" dusk",
                                                "<b>Harbour</b>"};

struct TGoldenCase {
  const char* name;
  std::function<void(TSettingsSnapshot&)> configure;
  int thumbnails;  // thumbnail calls expected
};

void PrintTo(const TGoldenCase& c, std::ostream* os) { PrintCase(os, c.name, c.thumbnails); }

class GoldenGalleryTest : public testing::TestWithParam<TGoldenCase> {};

std::set<std::string> HtmlFilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".htm") names.insert(entry.path().filename().string());
  return names;
}

TEST_P(GoldenGalleryTest, MatchesTheExpectedFilesByteForByte) {
  const TGoldenCase& c = GetParam();
  TGalleryFolder gallery;
  TBuildInputs in = gallery.Inputs();
  c.configure(in.Settings);
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  std::vector<std::string> thumbnailCalls;
  const bool ok = WriteIndex(params, kDescriptions, ui,
                             [&](const std::string& source, const std::string& target) {
                               thumbnailCalls.push_back(source + " -> " + target);
                             });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(ui.errors.empty());

  const std::string goldenFolder = std::string(GALLERY_GOLDEN_DIR) + "/" + c.name;
  const std::set<std::string> expected = HtmlFilesIn(goldenFolder);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(HtmlFilesIn(gallery.Folder().Path()), expected);
  for (const std::string& file : expected)
    EXPECT_EQ(ReadWholeFile(gallery.Folder() / file), ReadWholeFile(goldenFolder + "/" + file))
        << file;

  EXPECT_EQ(static_cast<int>(thumbnailCalls.size()), c.thumbnails);
  if (c.thumbnails == 4) {
    const std::string& root = gallery.Folder().Path();
    EXPECT_EQ(thumbnailCalls[2],
              root + "/photos/dunes & sky.jpg -> " + root + "/thumbs/_dunes & sky.jpg");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GoldenGalleryTest,
    testing::Values(TGoldenCase{"numbered_file", [](TSettingsSnapshot& s) { s.IndexType = 0; }, 0},
                    TGoldenCase{"bulleted_pages_named",
                                [](TSettingsSnapshot& s) {
                                  s.IndexType = 1;
                                  s.ImageType = 1;
                                  s.HtmlNames = 0;
                                },
                                0},
                    TGoldenCase{"table_headers_file", [](TSettingsSnapshot& s) { s.IndexType = 2; },
                                0},
                    TGoldenCase{"table_plain_serial",
                                [](TSettingsSnapshot& s) {
                                  s.IndexType = 2;
                                  s.ShowTableHeaders = false;
                                  s.ShowFileSizes = false;
                                  s.ImageType = 1;
                                  s.HtmlNames = 1;
                                  s.HtmlFirstImageFile = "picture_01.htm";
                                },
                                0},
                    TGoldenCase{"table_headers_descr",
                                [](TSettingsSnapshot& s) {
                                  s.IndexType = 2;
                                  s.ShowFileSizes = false;
                                },
                                0},
                    TGoldenCase{"table_headers_sizes",
                                [](TSettingsSnapshot& s) {
                                  s.IndexType = 2;
                                  s.ShowDescriptions = false;
                                  s.FileSizes = 0;
                                },
                                0},
                    TGoldenCase{"thumbs_serial",
                                [](TSettingsSnapshot& s) {
                                  s.IndexType = 3;
                                  s.ImageType = 1;
                                  s.HtmlNames = 1;
                                  s.HtmlFirstImageFile = "p8.htm";
                                },
                                4},
                    TGoldenCase{"thumbs_file",
                                [](TSettingsSnapshot& s) {
                                  s.IndexType = 3;
                                  s.ThumbXCount = 2;
                                  s.DescrAsThumbAlt = false;
                                  s.CreateThumbs = false;
                                  s.ThumbsFormat = 0;
                                  s.ThumbPrefixSuffixType = 1;
                                  s.ThumbPrefixSuffix = "_t";
                                },
                                0},
                    TGoldenCase{"grid_pages_named",
                                [](TSettingsSnapshot& s) {
                                  s.IndexType = 4;
                                  s.ImageType = 1;
                                  s.HtmlNames = 0;
                                },
                                4},
                    TGoldenCase{"none_pages_named",
                                [](TSettingsSnapshot& s) {
                                  s.IndexType = -1;
                                  s.ImageType = 1;
                                },
                                0}),
    [](const testing::TestParamInfo<TGoldenCase>& info) { return info.param.name; });

// --- Template rules -----------------------------------------------------------------------------

struct TTemplateCase {
  const char* name;
  std::string templateBytes;
  std::string expectedIndex;
  int picturesProcessed;  // progress reports
};

void PrintTo(const TTemplateCase& c, std::ostream* os) {
  PrintCase(os, c.name, c.templateBytes, c.expectedIndex, c.picturesProcessed);
}

class IndexTemplateTest : public testing::TestWithParam<TTemplateCase> {};

const std::string kList =
    "<ol>\r\n<li><a href=\"a.jpg\">a.jpg</a></li>\r\n<li><a "
    "href=\"b.jpg\">b.jpg</a></li>\r\n</ol>\r\n";

TEST_P(IndexTemplateTest, CopiesTheTemplateAndReplacesMarkerLines) {
  const TTemplateCase& c = GetParam();
  TTempFolder folder;
  WriteWholeFile(folder / "index.tpl", c.templateBytes);
  TBuildInputs in = TypicalInputs(folder.Path(), folder.Path(), {"a.jpg", "b.jpg"});
  in.Settings.IndexType = 0;
  in.Settings.IndexPlace = "#I#";
  in.Settings.IndexTemplate = folder / "index.tpl";
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  EXPECT_TRUE(WriteIndex(params, {}, ui));
  EXPECT_EQ(ReadWholeFile(folder / "index.htm"), c.expectedIndex);
  EXPECT_EQ(static_cast<int>(ui.progress.size()), c.picturesProcessed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IndexTemplateTest,
    testing::Values(
        TTemplateCase{"NoMarker", "<p>a</p>\r\n<p>b</p>\n<p>c</p>\r",
                      "<p>a</p>\r\n<p>b</p>\r\n<p>c</p>\r\n", 0},
        TTemplateCase{"TextAroundTheMarkerIsLost", "x\r\nbefore #I# after\r\ny\r\n",
                      "x\r\n" + kList + "y\r\n", 2},
        TTemplateCase{"MarkerIsCaseSensitive", "#i#\r\n", "#i#\r\n", 0},
        TTemplateCase{"LineFeedsAloneEndLines", "a\n#I#\nb\n", "a\r\n" + kList + "b\r\n", 2},
        TTemplateCase{"NothingAfterCtrlZ", "a\r\n\x1A#I#\r\nb\r\n", "a\r\n", 0},
        TTemplateCase{"EveryMarkerLineGetsAnIndex", "#I#\r\n-\r\n#I#", kList + "-\r\n" + kList, 4},
        TTemplateCase{"EmptyTemplate", "", "", 0}),
    [](const testing::TestParamInfo<TTemplateCase>& info) { return info.param.name; });

TEST(WriteIndexPage, AnEmptyMarkerIsNeverFound) {
  TTempFolder folder;
  WriteWholeFile(folder / "index.tpl", "a\r\n\r\nb\r\n");
  TBuildInputs in = TypicalInputs(folder.Path(), folder.Path(), {"a.jpg"});
  in.Settings.IndexPlace = "";
  in.Settings.IndexTemplate = folder / "index.tpl";
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  EXPECT_TRUE(WriteIndex(params, {}, ui));
  EXPECT_EQ(ReadWholeFile(folder / "index.htm"), "a\r\n\r\nb\r\n");
}

// --- The per-picture work -----------------------------------------------------------------------

TEST(WriteIndexPage, LetsTheWindowBreatheTwicePerPictureAndReportsProgress) {
  TGalleryFolder gallery;
  TBuildInputs in = gallery.Inputs();
  in.Settings.IndexType = 1;
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  EXPECT_TRUE(WriteIndex(params, {}, ui));
  EXPECT_EQ(ui.processCount, 8);
  EXPECT_EQ(ui.progress, (std::vector<std::string>{"1/4 beach.jpg", "2/4 cliffs.png",
                                                   "3/4 dunes & sky.jpg", "4/4 harbour.gif"}));
}

TEST(WriteIndexPage, TheIndexAppearsWholeWhenItIsComplete) {
  TGalleryFolder gallery;
  const std::string indexPath = gallery.Folder() / "index.htm";
  WriteWholeFile(indexPath, "the index of the last build");
  TBuildInputs in = gallery.Inputs();
  in.Settings.IndexType = 3;
  TBuildPlan params = CollectBuildParameters(in);
  std::vector<std::string> onDisk;
  TRecordingUserInterface ui;
  EXPECT_TRUE(WriteIndex(params, kDescriptions, ui, [&](const std::string&, const std::string&) {
    onDisk.push_back(ReadWholeFile(indexPath));
  }));
  // While the pictures are worked on, readers of the gallery still find the whole old index.
  EXPECT_EQ(onDisk, std::vector<std::string>(4, "the index of the last build"));
  EXPECT_TRUE(
      ReadWholeFile(indexPath).starts_with("<html>\r\n<head><title>Gallery</title></head>"));
  EXPECT_TRUE(ReadWholeFile(indexPath).ends_with("</html>\r\n"));
}

TEST(WriteIndexPage, MakesEachThumbnailAfterThePreviousPageAndBeforeItsOwn) {
  TGalleryFolder gallery;
  TBuildInputs in = gallery.Inputs();
  in.Settings.IndexType = 3;
  in.Settings.ImageType = 1;
  TBuildPlan params = CollectBuildParameters(in);
  const std::vector<std::string> pages = {"beach.htm", "cliffs.htm", "dunes & sky.htm",
                                          "harbour.htm"};
  size_t picture = 0;
  TRecordingUserInterface ui;
  WriteIndex(params, kDescriptions, ui, [&](const std::string& source, const std::string&) {
    EXPECT_TRUE(source.ends_with(params.Images[picture]));
    for (size_t k = 0; k < pages.size(); ++k)
      EXPECT_EQ(std::filesystem::exists(gallery.Folder() / pages[k]), k < picture) << picture;
    ++picture;
  });
  EXPECT_EQ(picture, 4u);
}

TEST(WriteIndexPage, MakesThumbnailsOnlyInTheThumbnailKindWhenAsked) {
  const struct {
    int indexType;
    bool createThumbs;
    int calls;
  } cases[] = {{3, true, 4}, {3, false, 0}, {0, true, 0},
               {1, true, 0}, {2, true, 0},  {-1, true, 0}};
  for (const auto& c : cases) {
    TGalleryFolder gallery;
    TBuildInputs in = gallery.Inputs();
    in.Settings.IndexType = c.indexType;
    in.Settings.CreateThumbs = c.createThumbs;
    TBuildPlan params = CollectBuildParameters(in);
    TRecordingUserInterface ui;
    int calls = 0;
    WriteIndex(params, {}, ui, [&](const std::string&, const std::string&) { ++calls; });
    EXPECT_EQ(calls, c.calls) << c.indexType << " " << c.createThumbs;
  }
}

struct TThumbRowCase {
  int pictures;
  int perRow;
  int rows;
  int fillers;
};

void PrintTo(const TThumbRowCase& c, std::ostream* os) {
  PrintCase(os, c.pictures, c.perRow, c.rows, c.fillers);
}

class ThumbnailRowsTest : public testing::TestWithParam<TThumbRowCase> {};

size_t Count(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t pos = text.find(piece); pos != std::string::npos; pos = text.find(piece, pos + 1))
    ++count;
  return count;
}

TEST_P(ThumbnailRowsTest, FillsTheLastRowToItsWidth) {
  const TThumbRowCase& c = GetParam();
  TTempFolder folder;
  WriteWholeFile(folder / "index.tpl", "~~~INDEX~~~");
  TBuildInputs in = TypicalInputs(folder.Path(), folder.Path(), NumberedPictures(c.pictures));
  in.Settings.IndexType = 3;
  in.Settings.ThumbXCount = c.perRow;
  in.Settings.IndexTemplate = folder / "index.tpl";
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  WriteIndex(params, {}, ui);
  const std::string index = ReadWholeFile(folder / "index.htm");
  EXPECT_EQ(Count(index, "<tr height="), static_cast<size_t>(c.rows));
  EXPECT_EQ(Count(index, "</tr>\r\n"), static_cast<size_t>(c.rows));
  EXPECT_EQ(Count(index, "<td>&nbsp</td>"), static_cast<size_t>(c.fillers));
  EXPECT_EQ(Count(index, "<td align=\"center\""), static_cast<size_t>(c.pictures));
  if (c.fillers > 0) {
    std::string lastRowEnd;
    for (int k = 0; k < c.fillers; ++k) lastRowEnd += "<td>&nbsp</td>";
    EXPECT_NE(index.find("</td>\r\n" + lastRowEnd + "</tr>\r\n</table>\r\n<br>\r\n"),
              std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ThumbnailRowsTest,
                         testing::Values(TThumbRowCase{7, 5, 2, 3}, TThumbRowCase{10, 5, 2, 0},
                                         TThumbRowCase{3, 1, 3, 0}, TThumbRowCase{1, 10, 1, 9},
                                         TThumbRowCase{11, 10, 2, 9}),
                         CaseNamesBy(&TThumbRowCase::pictures, &TThumbRowCase::perRow));

TEST(WriteIndexPage, StopsAfterTheCurrentPictureWithAWellFormedPage) {
  TGalleryFolder gallery;
  TBuildInputs in = gallery.Inputs();
  in.Settings.IndexType = 0;
  in.Settings.ImageType = 1;
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  ui.stopAfterProgress = 2;
  WriteIndex(params, kDescriptions, ui);
  EXPECT_EQ(ReadWholeFile(gallery.Folder() / "index.htm"),
            "<html>\r\n<head><title>Gallery</title></head>\r\n<body>\r\n<h1>Sea</h1>\r\n"
            "<ol>\r\n<li><a href=\"beach.htm\">beach.htm</a></li>\r\n"
            "<li><a href=\"cliffs.htm\">cliffs.htm</a></li>\r\n</ol>\r\n"
            "<p>End</p>\r\n</body>\r\n</html>\r\n");
  EXPECT_TRUE(std::filesystem::exists(gallery.Folder() / "cliffs.htm"));
  EXPECT_FALSE(std::filesystem::exists(gallery.Folder() / "dunes & sky.htm"));
  // The pages are those of a two-picture gallery: cliffs.htm is the last page, and no button
  // leads to a page that was never written.
  const std::string first = ReadWholeFile(gallery.Folder() / "beach.htm");
  const std::string last = ReadWholeFile(gallery.Folder() / "cliffs.htm");
  EXPECT_NE(first.find("<a href=\"cliffs.htm\"><img src=\"buttons/amber_last.gif\""),
            std::string::npos);
  EXPECT_EQ(last.find("dunes"), std::string::npos);
  EXPECT_EQ(last.find("harbour"), std::string::npos);
  EXPECT_NE(last.find("opacity=50)\" src=\"buttons/amber_next.gif\""), std::string::npos);
}

TEST(WriteIndexPage, StoppingInAThumbnailRowClosesTheRow) {
  const struct {
    int stopAfter;
    int perRow;
    const char* tableEnd;
  } cases[] = {
      {1, 3, "</a></td>\r\n</tr>\r\n</table>\r\n"},  // the first row had one of three
      {3, 3, "</a></td>\r\n</tr>\r\n</table>\r\n"},  // the row was full anyway
      {2, 1, "</a></td>\r\n</tr>\r\n</table>\r\n"},
  };
  for (const auto& c : cases) {
    TGalleryFolder gallery;
    TBuildInputs in = gallery.Inputs();
    in.Settings.IndexType = 3;
    in.Settings.ThumbXCount = c.perRow;
    TBuildPlan params = CollectBuildParameters(in);
    TRecordingUserInterface ui;
    ui.stopAfterProgress = c.stopAfter;
    WriteIndex(params, {}, ui);
    const std::string index = ReadWholeFile(gallery.Folder() / "index.htm");
    EXPECT_NE(index.find(c.tableEnd), std::string::npos) << c.stopAfter << " " << c.perRow;
    EXPECT_EQ(Count(index, "<tr height="), Count(index, "</tr>")) << c.stopAfter;
    EXPECT_EQ(Count(index, "<td align="), static_cast<size_t>(c.stopAfter));
  }
}

TEST(WriteIndexPage, KeepsGoingWhenPagesFail) {
  TGalleryFolder gallery;
  TBuildInputs in = gallery.Inputs();
  in.Settings.IndexType = 0;
  in.Settings.ImageType = 1;
  in.Settings.ImageTemplate = gallery.Folder() / "missing.tpl";
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  EXPECT_FALSE(WriteIndex(params, kDescriptions, ui));
  EXPECT_EQ(ui.errors.size(), 4u);  // one per picture
  EXPECT_EQ(ui.progress.size(), 4u);
  EXPECT_NE(ReadWholeFile(gallery.Folder() / "index.htm").find("harbour.htm</a></li>\r\n</ol>\r\n"),
            std::string::npos);
}

// --- Failures -----------------------------------------------------------------------------------

TEST(WriteIndexPage, ReportsAnIndexFileThatCannotBeCreated) {
  TGalleryFolder gallery;
  TBuildInputs in = gallery.Inputs();
  in.ResultFolderText = gallery.Folder() / "no such folder";
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  int calls = 0;
  EXPECT_FALSE(
      WriteIndex(params, {}, ui, [&](const std::string&, const std::string&) { ++calls; }));
  EXPECT_EQ(ui.errors, std::vector<std::string>{kIndexOpenMessage});
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(ui.progress.empty());
}

TEST(WriteIndexPage, ReportsAMissingTemplateAndKeepsTheOldIndex) {
  TGalleryFolder gallery;
  WriteWholeFile(gallery.Folder() / "index.htm", "an old index");
  TBuildInputs in = gallery.Inputs();
  in.Settings.IndexTemplate = gallery.Folder() / "missing.tpl";
  in.Settings.ImageType = 1;
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  int calls = 0;
  EXPECT_FALSE(
      WriteIndex(params, {}, ui, [&](const std::string&, const std::string&) { ++calls; }));
  EXPECT_EQ(ui.errors, std::vector<std::string>{kTemplateOpenMessage});
  EXPECT_EQ(ReadWholeFile(gallery.Folder() / "index.htm"), "an old index");
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(ui.progress.empty());
  EXPECT_FALSE(std::filesystem::exists(gallery.Folder() / "beach.htm"));
}

TEST(WriteIndexPage, OnAFullDiskKeepsTheOldIndexAndLeavesNoTemporaryFile) {
  TGalleryFolder gallery;
  WriteWholeFile(gallery.Folder() / "index.htm", "an old index");
  TBuildInputs in = gallery.Inputs();
  in.Settings.IndexType = 0;
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  {
    TFileSizeLimit fullDisk(200);  // the index needs about 400 bytes
    EXPECT_FALSE(WriteIndex(params, {}, ui));
  }
  EXPECT_EQ(ui.errors, std::vector<std::string>{kIndexWriteMessage});
  EXPECT_EQ(ReadWholeFile(gallery.Folder() / "index.htm"), "an old index");
  EXPECT_EQ(PartFilesUnder(gallery.Folder().Path()), std::vector<std::string>{});
}

TEST(WriteIndexPage, ShowsNoDescriptionAsAFillerCell) {
  TGalleryFolder gallery;
  TBuildInputs in = gallery.Inputs();
  in.Settings.IndexType = 2;
  in.Settings.ShowFileSizes = false;
  in.Settings.ShowTableHeaders = false;
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  WriteIndex(params, {}, ui);
  const std::string index = ReadWholeFile(gallery.Folder() / "index.htm");
  EXPECT_EQ(Count(index, "<td width=\"70%\">&nbsp</td>\r\n"), 1u);
  EXPECT_EQ(Count(index, "<td>&nbsp</td>\r\n"), 3u);
}

TEST(WriteIndexPage, ShowsAVanishedPictureAsMinusOneByte) {
  TGalleryFolder gallery;
  std::filesystem::remove(gallery.Folder() / "photos/cliffs.png");
  TBuildInputs in = gallery.Inputs();
  in.Settings.IndexType = 2;
  in.Settings.ShowDescriptions = false;
  in.Settings.FileSizes = 0;
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  WriteIndex(params, {}, ui);
  EXPECT_NE(
      ReadWholeFile(gallery.Folder() / "index.htm").find("cliffs.png</a></td>\r\n<td>-1</td>\r\n"),
      std::string::npos);
}

TEST(HtmlSafety, EscapesNamesColoursAndAltTextsInTheIndex) {
  TTempFolder folder;
  WriteWholeFile(folder / "index.tpl", "~~~INDEX~~~");
  const std::string picture = "a&b #1 %\"<x>\".jpg";
  TBuildInputs in = TypicalInputs(folder / "My Sea", folder.Path(), {picture});
  in.Settings.IndexTemplate = folder / "index.tpl";
  in.Settings.IndexType = 3;
  in.Settings.ThumbXCount = 1;
  in.Settings.TableBorderColor = "red\" onclick=\"x";
  TBuildPlan params = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  WriteIndex(params, {"say \"hi\""}, ui);
  const std::string index = ReadWholeFile(folder / "index.htm");
  EXPECT_NE(index.find("bordercolor=\"red&quot; onclick=&quot;x\""), std::string::npos);
  EXPECT_NE(index.find("<a href=\"My Sea/a&amp;b %231 %25%22%3Cx%3E%22.jpg\"><img "
                       "src=\"thumbs/_a&amp;b %231 %25%22%3Cx%3E%22.jpg\" border=\"1\" "
                       "alt=\"say &quot;hi&quot;\"></a>"),
            std::string::npos);

  params.IndexType = TIndexKind::NumberedList;
  WriteIndex(params, {}, ui);
  EXPECT_NE(ReadWholeFile(folder / "index.htm")
                .find("<li><a href=\"My Sea/a&amp;b %231 %25%22%3Cx%3E%22.jpg\">"
                      "a&amp;b #1 %\"&lt;x&gt;\".jpg</a></li>"),
            std::string::npos);
}

}  // namespace

}  // namespace zetgallery
