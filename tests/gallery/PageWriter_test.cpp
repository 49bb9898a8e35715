// Tests of the page and thumbnail names, the picture paragraph, the navigation table and the
// picture pages.
#include "gallery/PageWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "FolderSnapshot.h"
#include "WriterTestSupport.h"
#include "support/CaseNames.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace {

const char kTemplateOpenMessage[] =
    "Не могу открыть шаблон страницы с картинкой на чтение!\r\n\r\nВозможные причины:\r\n"
    "1. Шаблон страницы с картинкой заблокирован другой программой\r\n"
    "2. Нет прав на чтение в папке с шаблоном страницы с картинкой\r\n";
const char kPageOpenMessage[] =
    "Не могу открыть HTML-файл для картинки на запись!\r\n\r\nВозможные причины:\r\n"
    "1. HTML-файл для картинки уже открыт программой просмотра\r\n"
    "2. HTML-файл для картинки имеет атрибут \"Только для чтения\"\r\n"
    "3. Нет прав на запись в папке HTML-файла для картинки\r\n";
const char kPageWriteMessage[] = "Ошибка записи HTML-файла с картинкой!";

// The inputs of a build in picture-in-HTML mode with pages numbered from "picture_01.htm".
TBuildInputs SerialPagesInputs(int pictures, const std::string& resultFolder = "/r") {
  TBuildInputs in =
      TypicalInputs(resultFolder + "/images", resultFolder, NumberedPictures(pictures));
  in.Settings.ImageType = 1;
  in.Settings.HtmlNames = 1;
  in.Settings.HtmlFirstImageFile = "picture_01.htm";
  return in;
}

TBuildPlan SerialPages(int pictures, const std::string& resultFolder = "/r") {
  return CollectBuildParameters(SerialPagesInputs(pictures, resultFolder));
}

// --- Thumbnail names ----------------------------------------------------------------------------

struct TThumbNameCase {
  const char* picture;
  int type;
  const char* text;
  int format;
  const char* expected;
};

void PrintTo(const TThumbNameCase& c, std::ostream* os) {
  PrintCase(os, c.picture, c.type, c.text, c.format, c.expected);
}

class ThumbnailNameTest : public testing::TestWithParam<TThumbNameCase> {};

TEST_P(ThumbnailNameTest, AddsTheTextAndTheFormatsExtension) {
  const TThumbNameCase& c = GetParam();
  EXPECT_EQ(ThumbnailFileName(c.picture, static_cast<TThumbTextPlace>(c.type), c.text,
                              static_cast<TThumbFormat>(c.format)),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ThumbnailNameTest,
                         testing::Values(TThumbNameCase{"sea.jpg", 0, "_", 0, "_sea.gif"},
                                         TThumbNameCase{"sea.jpg", 1, "_", 1, "sea_.jpg"},
                                         TThumbNameCase{"sea.jpg", 0, "_", 2, "_sea.bmp"},
                                         TThumbNameCase{"sea.jpg", 0, "", 2, "sea.bmp"},
                                         TThumbNameCase{"sea.jpg", 1, "-small", 0, "sea-small.gif"},
                                         TThumbNameCase{"sea.old.JPG", 0, "t_", 1, "t_sea.old.jpg"},
                                         TThumbNameCase{"README", 1, "_", 0, "README_.gif"},
                                         TThumbNameCase{"море.png", 0, "_", 1, "_море.jpg"}),
                         CaseNamesBy(&TThumbNameCase::picture, &TThumbNameCase::text));

TEST(PrepareImageNames, SetsTheThumbnailNameInBothPictureModes) {
  for (int imageType : {0, 1}) {
    TBuildInputs in = TypicalInputs("/r/i", "/r", {"sea.jpg", "sky.png"});
    in.Settings.ImageType = imageType;
    in.Settings.ThumbPrefixSuffixType = 1;
    in.Settings.ThumbPrefixSuffix = "_t";
    in.Settings.ThumbsFormat = 0;
    const TBuildPlan p = CollectBuildParameters(in);
    EXPECT_EQ(PrepareImageNames(p, 0).ThumbFileName, "sea_t.gif");
    EXPECT_EQ(PrepareImageNames(p, 1).ThumbFileName, "sky_t.gif");
  }
}

// --- Page names from picture to picture ---------------------------------------------------------

struct TNamingStep {
  const char* imageLink;
  const char* prevPage;  // "" where the page has no previous page
  const char* nextPage;  // "" where the page has no next page
};

// The names of every picture, asked for from the last picture to the first: each follows from
// the plan and its number alone.
void ExpectNamingSteps(const TBuildPlan& p, const std::vector<TNamingStep>& steps) {
  ASSERT_EQ(p.Images.size(), steps.size());
  for (size_t i = steps.size(); i-- > 0;) {
    const TImageNames names = PrepareImageNames(p, i);
    EXPECT_EQ(names.ImageLink, steps[i].imageLink) << "picture " << i;
    EXPECT_EQ(names.PrevPageFile, steps[i].prevPage) << "picture " << i;
    EXPECT_EQ(names.NextPageFile, steps[i].nextPage) << "picture " << i;
  }
}

TEST(PrepareImageNames, NamesPagesAfterThePictures) {
  TBuildInputs in = TypicalInputs("/r/i", "/r", {"sea.jpg", "sky.png", "sun.gif"});
  in.Settings.ImageType = 1;
  in.Settings.IndexFile = "index.html";
  ExpectNamingSteps(CollectBuildParameters(in), {{"sea.html", "", "sky.html"},
                                                 {"sky.html", "sea.html", "sun.html"},
                                                 {"sun.html", "sky.html", ""}});
}

TEST(PrepareImageNames, LinksThePictureFilesInPictureAsFileMode) {
  TBuildInputs in = TypicalInputs("/r/i", "/r", {"sea.jpg", "Sky Blue.PNG"});
  in.Settings.ImageType = 0;
  const TBuildPlan p = CollectBuildParameters(in);
  EXPECT_EQ(PrepareImageNames(p, 0).ImageLink, "sea.jpg");
  const TImageNames names = PrepareImageNames(p, 1);
  EXPECT_EQ(names.ImageLink, "Sky Blue.PNG");
  EXPECT_EQ(names.PageFile, "");
  EXPECT_EQ(names.NextPageFile, "");
}

TEST(PrepareImageNames, GivesPicturesDifferingOnlyInExtensionOnePage) {
  TBuildInputs in = TypicalInputs("/r/i", "/r", {"sea.gif", "sea.jpg"});
  in.Settings.ImageType = 1;
  ExpectNamingSteps(CollectBuildParameters(in),
                    {{"sea.htm", "", "sea.htm"}, {"sea.htm", "sea.htm", ""}});
}

TEST(PrepareImageNames, NumbersPagesFromTheFirstPageName) {
  TBuildPlan p = SerialPages(12);
  std::vector<TNamingStep> steps;
  std::vector<std::string> names;
  for (int k = 1; k <= 13; ++k)
    names.push_back((k < 10 ? "picture_0" : "picture_") + std::to_string(k) + ".htm");
  for (int i = 0; i < 12; ++i)
    steps.push_back(
        {names[i].c_str(), i > 0 ? names[i - 1].c_str() : "", i < 11 ? names[i + 1].c_str() : ""});
  ExpectNamingSteps(p, steps);
}

struct TSerialCase {
  const char* firstPage;
  std::vector<std::string> pages;
};

void PrintTo(const TSerialCase& c, std::ostream* os) { PrintCase(os, c.firstPage, c.pages); }

class SerialNamesTest : public testing::TestWithParam<TSerialCase> {};

// Where stepping the number in place would repeat a name (all nines, no number, a sign), the
// pages still get distinct names, and the Last button names the page actually written.
TEST_P(SerialNamesTest, GiveEveryPageItsOwnName) {
  const TSerialCase& c = GetParam();
  TBuildInputs in = TypicalInputs("/r/i", "/r", NumberedPictures(static_cast<int>(c.pages.size())));
  in.Settings.ImageType = 1;
  in.Settings.HtmlNames = 1;
  in.Settings.HtmlFirstImageFile = c.firstPage;
  TBuildPlan p = CollectBuildParameters(in);
  std::vector<std::string> links;
  for (size_t i = 0; i < c.pages.size(); ++i) {
    const TImageNames names = PrepareImageNames(p, i);
    links.push_back(names.ImageLink);
    if (i > 0) {
      EXPECT_EQ(names.PrevPageFile, c.pages[i - 1]);
    }
    if (i + 1 < c.pages.size()) {
      EXPECT_EQ(names.NextPageFile, c.pages[i + 1]);
    }
  }
  EXPECT_EQ(links, c.pages);
  EXPECT_EQ(p.LastPageFile, c.pages.back());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SerialNamesTest,
    testing::Values(
        TSerialCase{"picture_01.htm", {"picture_01.htm", "picture_02.htm", "picture_03.htm"}},
        TSerialCase{"picture_9.htm", {"picture_9.htm", "picture_10.htm", "picture_11.htm"}},
        TSerialCase{"p_98.htm", {"p_98.htm", "p_99.htm", "p_100.htm"}},
        TSerialCase{"page.htm", {"page.htm", "00002.htm", "00003.htm"}},
        TSerialCase{"photo-1.htm", {"photo-1.htm", "photo00.htm", "photo01.htm"}},
        TSerialCase{"box1.htm", {"box1.htm", "bo02.htm", "bo03.htm"}}),
    CaseNamesBy(&TSerialCase::firstPage));

// --- The picture paragraph ----------------------------------------------------------------------

struct TParagraphCase {
  bool clickOption;
  int pictures;
  size_t picture;
  const char* expected;
};

void PrintTo(const TParagraphCase& c, std::ostream* os) {
  PrintCase(os, c.clickOption, c.pictures, c.picture, c.expected);
}

class PictureParagraphTest : public testing::TestWithParam<TParagraphCase> {};

TEST_P(PictureParagraphTest, LinksToTheNextPageOnlyWhenThereIsOne) {
  const TParagraphCase& c = GetParam();
  TBuildInputs in = SerialPagesInputs(c.pictures);
  in.Settings.ImageClickEqualNext = c.clickOption;
  TBuildPlan p = CollectBuildParameters(in);
  EXPECT_EQ(PictureParagraph(p, PrepareImageNames(p, c.picture), c.picture), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureParagraphTest,
    testing::Values(
        TParagraphCase{
            true, 3, 0,
            "<p align=\"center\"><a href=\"picture_02.htm\"><img src=\"images/pic01.jpg\" "
            "alt=\"Next -->\"></a></p>"},
        TParagraphCase{
            true, 3, 1,
            "<p align=\"center\"><a href=\"picture_03.htm\"><img src=\"images/pic02.jpg\" "
            "alt=\"Next -->\"></a></p>"},
        TParagraphCase{true, 3, 2, "<p align=\"center\"><img src=\"images/pic03.jpg\"></p>"},
        TParagraphCase{false, 3, 0, "<p align=\"center\"><img src=\"images/pic01.jpg\"></p>"},
        TParagraphCase{true, 1, 0, "<p align=\"center\"><img src=\"images/pic01.jpg\"></p>"}),
    CaseNamesBy(&TParagraphCase::picture, &TParagraphCase::pictures));

// --- The navigation table -----------------------------------------------------------------------

TEST(NavigationTable, FirstOfTwelveNumberedPages) {
  const TBuildPlan p = SerialPages(12);
  EXPECT_EQ(
      NavigationTableHtml(p, PrepareImageNames(p, 0), 0),
      "<table border=\"0\" align=\"center\">\r\n"
      "<tr>\r\n"
      "<td><img style=\"filter: alpha(opacity=50)\" src=\"buttons/amber_first.gif\" border=\"0\" "
      "alt=\"<<-- First\"></td>\r\n"
      "<td><img style=\"filter: alpha(opacity=50)\" src=\"buttons/amber_prev.gif\" border=\"0\" "
      "alt=\"<-- Prev\"></td>\r\n"
      "<td><a href=\"index.htm\"><img src=\"buttons/amber_index.gif\" border=\"0\" "
      "alt=\"Index\"></a></td>\r\n"
      "<td><a href=\"picture_02.htm\"><img src=\"buttons/amber_next.gif\" border=\"0\" "
      "alt=\"Next -->\"></a></td>\r\n"
      "<td><a href=\"picture_12.htm\"><img src=\"buttons/amber_last.gif\" border=\"0\" "
      "alt=\"Last -->>\"></a></td>\r\n"
      "</tr>\r\n"
      "</table>\r\n");
}

struct TDimCase {
  int pictures;
  size_t picture;
  bool backDimmed;     // First and Prev
  bool forwardDimmed;  // Next and Last
};

void PrintTo(const TDimCase& c, std::ostream* os) {
  PrintCase(os, c.pictures, c.picture, c.backDimmed, c.forwardDimmed);
}

class NavigationDimmingTest : public testing::TestWithParam<TDimCase> {};

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

std::string Page(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "picture_%02d.htm", number);
  return name;
}

TEST_P(NavigationDimmingTest, DimsAndUnlinksButtonsThatLeadNowhere) {
  const TDimCase& c = GetParam();
  const TBuildPlan p = SerialPages(c.pictures);
  const std::vector<std::string> lines =
      SplitCrLf(NavigationTableHtml(p, PrepareImageNames(p, c.picture), c.picture));
  ASSERT_EQ(lines.size(), 9u);
  const std::string dim = "<img style=\"filter: alpha(opacity=50)\" src=\"buttons/";
  const int page = static_cast<int>(c.picture) + 1;  // pages count from picture_01
  EXPECT_EQ(lines[2], c.backDimmed
                          ? "<td>" + dim + "amber_first.gif\" border=\"0\" alt=\"<<-- First\"></td>"
                          : "<td><a href=\"picture_01.htm\"><img src=\"buttons/amber_first.gif\" "
                            "border=\"0\" alt=\"<<-- First\"></a></td>");
  EXPECT_EQ(lines[3], c.backDimmed
                          ? "<td>" + dim + "amber_prev.gif\" border=\"0\" alt=\"<-- Prev\"></td>"
                          : "<td><a href=\"" + Page(page - 1) +
                                "\"><img src=\"buttons/amber_prev.gif\" border=\"0\" "
                                "alt=\"<-- Prev\"></a></td>");
  EXPECT_EQ(lines[4],
            "<td><a href=\"index.htm\"><img src=\"buttons/amber_index.gif\" border=\"0\" "
            "alt=\"Index\"></a></td>");
  EXPECT_EQ(lines[5], c.forwardDimmed
                          ? "<td>" + dim + "amber_next.gif\" border=\"0\" alt=\"Next -->\"></td>"
                          : "<td><a href=\"" + Page(page + 1) +
                                "\"><img src=\"buttons/amber_next.gif\" border=\"0\" "
                                "alt=\"Next -->\"></a></td>");
  EXPECT_EQ(lines[6], c.forwardDimmed
                          ? "<td>" + dim + "amber_last.gif\" border=\"0\" alt=\"Last -->>\"></td>"
                          : "<td><a href=\"" + Page(c.pictures) +
                                "\"><img src=\"buttons/amber_last.gif\" border=\"0\" "
                                "alt=\"Last -->>\"></a></td>");
}

INSTANTIATE_TEST_SUITE_P(Cases, NavigationDimmingTest,
                         testing::Values(TDimCase{1, 0, true, true}, TDimCase{2, 0, true, false},
                                         TDimCase{2, 1, false, true}, TDimCase{5, 0, true, false},
                                         TDimCase{5, 2, false, false}, TDimCase{5, 4, false, true}),
                         CaseNamesBy(&TDimCase::picture, &TDimCase::pictures));

// --- Names that would break the HTML ------------------------------------------------------------

TEST(HtmlSafety, EncodesFileNamesInLinksAndEscapesAttributes) {
  const std::string picture = "a&b #1 %\"<x>\".jpg";
  TBuildInputs in = TypicalInputs("/r/My Sea", "/r", {picture, "z.jpg"});
  in.Settings.ImageType = 1;
  in.Settings.IndexFile = "i#1.htm";
  in.Settings.ButtonsFolder = "b?";
  in.Settings.AltNext = "Say \"next\"";
  in.Settings.AltIndex = "<Index>";
  const TBuildPlan p = CollectBuildParameters(in);
  EXPECT_EQ(
      PictureParagraph(p, PrepareImageNames(p, 0), 0),
      "<p align=\"center\"><a href=\"z.htm\"><img src=\"My Sea/a&amp;b %231 %25%22%3Cx%3E%22.jpg\" "
      "alt=\"Say &quot;next&quot;\"></a></p>");
  const std::vector<std::string> lines =
      SplitCrLf(NavigationTableHtml(p, PrepareImageNames(p, 0), 0));
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[4],
            "<td><a href=\"i%231.htm\"><img src=\"b%3F/amber_index.gif\" border=\"0\" "
            "alt=\"<Index>\"></a></td>");
  const std::vector<std::string> last =
      SplitCrLf(NavigationTableHtml(p, PrepareImageNames(p, 1), 1));
  EXPECT_EQ(last[3],
            "<td><a href=\"a&amp;b %231 %25%22%3Cx%3E%22.htm\"><img src=\"b%3F/amber_prev.gif\" "
            "border=\"0\" alt=\"<-- Prev\"></a></td>");
}

TEST(HeadLinkHtml, NamesOnlyTheNeighboursThereAre) {
  TBuildInputs in = TypicalInputs("/r/i", "/r", {"a b.jpg", "sky.jpg"});
  in.Settings.ImageType = 1;
  const TBuildPlan p = CollectBuildParameters(in);
  const TImageNames last = PrepareImageNames(p, 1);
  EXPECT_EQ(HeadLinkHtml(p, last, 1, kPrevLinkPlace), "<link rel=\"prev\" href=\"a b.htm\">\r\n");
  EXPECT_EQ(HeadLinkHtml(p, last, 1, kNextLinkPlace), "");
  EXPECT_EQ(HeadLinkHtml(p, PrepareImageNames(p, 0), 0, kPrevLinkPlace), "");
}

// --- Writing the pages --------------------------------------------------------------------------

struct TTemplateCase {
  const char* name;
  std::string templateBytes;
  std::string expectedPage;
};

void PrintTo(const TTemplateCase& c, std::ostream* os) {
  PrintCase(os, c.name, c.templateBytes, c.expectedPage);
}

class PageTemplateTest : public testing::TestWithParam<TTemplateCase> {};

TEST_P(PageTemplateTest, ReplacesThePlaceholderLines) {
  const TTemplateCase& c = GetParam();
  TTempFolder folder;
  WriteWholeFile(folder / "page.tpl", c.templateBytes);
  TBuildInputs in = TypicalInputs(folder / "images", folder.Path(), {"sea.jpg", "sky.jpg"});
  in.Settings.ImageType = 1;
  in.Settings.ImageTemplate = "\"" + (folder / "page.tpl") + "\"";
  in.Settings.ImageClickEqualNext = false;
  in.Settings.ButtonsPlace = "[B]";
  in.Settings.DescrPlace = "[D]";
  in.Settings.ImagePlace = "[I]";
  TBuildPlan p = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  EXPECT_TRUE(WritePage(p, {"Calm <i>sea</i>"}, 0, ui));
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_EQ(ReadWholeFile(folder / "sea.htm"), c.expectedPage);
}

const std::string kNav =
    "<table border=\"0\" align=\"center\">\r\n<tr>\r\n"
    "<td><img style=\"filter: alpha(opacity=50)\" src=\"buttons/amber_first.gif\" border=\"0\" "
    "alt=\"<<-- First\"></td>\r\n"
    "<td><img style=\"filter: alpha(opacity=50)\" src=\"buttons/amber_prev.gif\" border=\"0\" "
    "alt=\"<-- Prev\"></td>\r\n"
    "<td><a href=\"index.htm\"><img src=\"buttons/amber_index.gif\" border=\"0\" "
    "alt=\"Index\"></a></td>\r\n"
    "<td><a href=\"sky.htm\"><img src=\"buttons/amber_next.gif\" border=\"0\" alt=\"Next "
    "-->\"></a></td>\r\n"
    "<td><a href=\"sky.htm\"><img src=\"buttons/amber_last.gif\" border=\"0\" alt=\"Last "
    "-->>\"></a></td>\r\n"
    "</tr>\r\n</table>\r\n";
const std::string kPicture = "<p align=\"center\"><img src=\"images/sea.jpg\"></p>";

INSTANTIATE_TEST_SUITE_P(
    Cases, PageTemplateTest,
    testing::Values(TTemplateCase{"NoPlaceholders", "<html>\r\n<body>\n</body>\r\n</html>",
                                  "<html>\r\n<body>\r\n</body>\r\n</html>\r\n"},
                    TTemplateCase{"PictureLineLosesItsTextAndLineBreak", "a\r\nx [I] y\r\nb\r\n",
                                  "a\r\n" + kPicture + "b\r\n"},
                    TTemplateCase{"DescriptionInLine", "<h1>[D]</h1>\r\n[D]\r\nz[D]\r\nend",
                                  "<h1>Calm <i>sea</i></h1>Calm <i>sea</i>zCalm <i>sea</i>end\r\n"},
                    TTemplateCase{"OnlyFirstDescriptionReplaced", "[D]-[D]\r\n",
                                  "Calm <i>sea</i>-[D]"},
                    TTemplateCase{"ButtonsLineReplaced", "<p>\r\nleft [B] right\r\n</p>\r\n",
                                  "<p>\r\n" + kNav + "</p>\r\n"},
                    TTemplateCase{"PictureWinsOverButtons", "[B][I]\r\n", kPicture},
                    TTemplateCase{"DescriptionLineKeepsLaterPlaceholders", "[D] [B]\r\n",
                                  "Calm <i>sea</i> [B]"},
                    TTemplateCase{"CtrlZEndsTheTemplate", "a\r\nb\x1A\r\nc\r\n", "a\r\nb\r\n"},
                    // The first page has no previous one: that line goes.
                    TTemplateCase{"HeadLinksOfTheFirstPage",
                                  "<head>\r\n~~~PREVLINK~~~\r\n  ~~~NEXTLINK~~~ x\r\n"
                                  "~~~ICONLINK~~~\r\n</head>\r\n",
                                  "<head>\r\n<link rel=\"next\" href=\"sky.htm\">\r\n"
                                  "<link rel=\"icon\" href=\"buttons/amber_index.gif\">\r\n"
                                  "</head>\r\n"},
                    TTemplateCase{"ButtonsWinOverHeadLinks", "[B] ~~~ICONLINK~~~\r\n", kNav}),
    [](const testing::TestParamInfo<TTemplateCase>& info) { return info.param.name; });

TEST(WriteImagePage, WritesNothingInPictureAsFileMode) {
  TTempFolder folder;
  WriteWholeFile(folder / "page.tpl", "[I]\r\n");
  TBuildInputs in = TypicalInputs(folder.Path(), folder.Path(), {"sea.jpg"});
  in.Settings.ImageType = 0;
  in.Settings.ImageTemplate = folder / "page.tpl";
  TBuildPlan p = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  EXPECT_TRUE(WritePage(p, {}, 0, ui));
  EXPECT_FALSE(std::filesystem::exists(folder / "sea.htm"));
}

TEST(WriteImagePage, ReportsAMissingTemplateForEveryPicture) {
  TTempFolder folder;
  TBuildInputs in = TypicalInputs(folder.Path(), folder.Path(), {"sea.jpg", "sky.jpg"});
  in.Settings.ImageType = 1;
  in.Settings.ImageTemplate = folder / "missing.tpl";
  TBuildPlan p = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_FALSE(WritePage(p, {}, i, ui));
  }
  EXPECT_EQ(ui.errors, (std::vector<std::string>{kTemplateOpenMessage, kTemplateOpenMessage}));
  EXPECT_FALSE(std::filesystem::exists(folder / "sea.htm"));
}

TEST(WriteImagePage, ReportsAPageThatCannotBeCreated) {
  TTempFolder folder;
  WriteWholeFile(folder / "page.tpl", "[I]\r\n");
  TBuildInputs in = TypicalInputs(folder / "images", folder / "no such folder", {"sea.jpg"});
  in.Settings.ImageType = 1;
  in.Settings.ImageTemplate = folder / "page.tpl";
  TBuildPlan p = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  EXPECT_FALSE(WritePage(p, {}, 0, ui));
  EXPECT_EQ(ui.errors, std::vector<std::string>{kPageOpenMessage});
}

TEST(WriteImagePage, OnAFullDiskKeepsTheOldPageAndLeavesNoTemporaryFile) {
  TTempFolder folder;
  WriteWholeFile(folder / "page.tpl", "<html>\r\n" + std::string(500, 'x') + "\r\n</html>\r\n");
  WriteWholeFile(folder / "sea.htm", "the page of the last build");
  TBuildInputs in = TypicalInputs(folder.Path(), folder.Path(), {"sea.jpg"});
  in.Settings.ImageType = 1;
  in.Settings.ImageTemplate = folder / "page.tpl";
  const TBuildPlan p = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  {
    TFileSizeLimit fullDisk(100);
    EXPECT_FALSE(WritePage(p, {}, 0, ui));
  }
  EXPECT_EQ(ui.errors, std::vector<std::string>{kPageWriteMessage});
  EXPECT_EQ(ReadWholeFile(folder / "sea.htm"), "the page of the last build");
  EXPECT_EQ(PartFilesUnder(folder.Path()), std::vector<std::string>{});
}

TEST(WriteImagePage, NeverReplacesTheIndexPage) {
  TTempFolder folder;
  WriteWholeFile(folder / "page.tpl", "[I]\r\n");
  WriteWholeFile(folder / "index.htm", "the index");
  TBuildInputs in = TypicalInputs(folder.Path(), folder.Path(), {"index.jpg", "sea.jpg"});
  in.Settings.ImageType = 1;
  in.Settings.ImagePlace = "[I]";
  in.Settings.ImageTemplate = folder / "page.tpl";
  TBuildPlan p = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  EXPECT_FALSE(WritePage(p, {}, 0, ui));
  EXPECT_TRUE(WritePage(p, {}, 1, ui));
  EXPECT_EQ(ReadWholeFile(folder / "index.htm"), "the index");
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find("index.htm"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(folder / "sea.htm"));  // the build went on
}

TEST(WriteImagePage, NeverReplacesTheIndexPageReachedByAnotherPath) {
  TTempFolder folder;
  WriteWholeFile(folder / "page.tpl", "[I]\r\n");
  WriteWholeFile(folder / "index.htm", "the index");
  TBuildInputs in = TypicalInputs(folder.Path(), folder.Path(), {"index.jpg"});
  in.Settings.ImageType = 1;
  in.Settings.IndexFile = "./index.htm";
  in.Settings.ImageTemplate = folder / "page.tpl";
  TBuildPlan p = CollectBuildParameters(in);
  TRecordingUserInterface ui;
  ASSERT_EQ(PrepareImageNames(p, 0).ImageLink, "index.htm");
  EXPECT_FALSE(WritePage(p, {}, 0, ui));
  EXPECT_EQ(ReadWholeFile(folder / "index.htm"), "the index");
}

}  // namespace

}  // namespace zetgallery
