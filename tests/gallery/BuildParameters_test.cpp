// Tests of CollectBuildParameters: every derived value, with the edges of each rule.
#include "gallery/BuildParameters.h"

#include <gtest/gtest.h>

#include <set>

#include "WriterTestSupport.h"
#include "gallery/ImageNames.h"
#include "support/CaseNames.h"

namespace zetgallery {

namespace {

// --- Where the pictures are seen from the pages -------------------------------------------------

struct TFolderCase {
  const char* imagesFolderText;
  const char* resultFolderText;
  const char* imagesFolder;
  const char* resultFolder;
  const char* imagesUrlPrefix;
};

void PrintTo(const TFolderCase& c, std::ostream* os) {
  PrintCase(os, c.imagesFolderText, c.resultFolderText, c.imagesFolder, c.resultFolder,
            c.imagesUrlPrefix);
}

class FolderTest : public testing::TestWithParam<TFolderCase> {};

TEST_P(FolderTest, DerivesFoldersAndImagesUrlPrefix) {
  const TFolderCase& c = GetParam();
  const TBuildPlan p =
      CollectBuildParameters(TypicalInputs(c.imagesFolderText, c.resultFolderText, {"a.jpg"}));
  EXPECT_EQ(p.ImagesFolder, c.imagesFolder);
  EXPECT_EQ(p.ResultFolder, c.resultFolder);
  EXPECT_EQ(p.ImagesUrlPrefix, c.imagesUrlPrefix);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderTest,
    testing::Values(
        // The pages beside the pictures name them bare.
        TFolderCase{"/home/ann/Photos/Sea", "/home/ann/Photos/Sea", "/home/ann/Photos/Sea",
                    "/home/ann/Photos/Sea", ""},
        // Pages in the parent folder reach the pictures through the folder's own name.
        TFolderCase{"/home/ann/Photos/Sea", "/home/ann/Photos", "/home/ann/Photos/Sea",
                    "/home/ann/Photos", "Sea/"},
        // A folder right under the root, pages in the root.
        TFolderCase{"/Pics", "/", "/Pics", "/", "Pics/"},
        // Quotes and a trailing separator are dropped from the images folder.
        TFolderCase{"\"/home/ann/My Photos/\"", "/home/ann", "/home/ann/My Photos", "/home/ann",
                    "My Photos/"},
        TFolderCase{"\"/home/ann/Sea/\"", "/home/ann/Sea/", "/home/ann/Sea", "/home/ann/Sea", ""},
        // The comparison is exact: a different letter case is a different folder.
        TFolderCase{"/home/ann/sea", "/home/ann/Sea", "/home/ann/sea", "/home/ann/Sea", "sea/"}),
    CaseNamesBy(&TFolderCase::imagesFolderText));

// --- Column widths of the list in a table ------------------------------------------------------

struct TColumnCase {
  bool showDescriptions;
  bool showFileSizes;
  int link;
  int descr;
  int size;
};

void PrintTo(const TColumnCase& c, std::ostream* os) {
  PrintCase(os, c.showDescriptions, c.showFileSizes, c.link, c.descr, c.size);
}

class ColumnWidthTest : public testing::TestWithParam<TColumnCase> {};

TEST_P(ColumnWidthTest, FollowsTheShownColumns) {
  const TColumnCase& c = GetParam();
  TBuildInputs in = TypicalInputs("/p/s", "/p", {"a.jpg"});
  in.Settings.ShowDescriptions = c.showDescriptions;
  in.Settings.ShowFileSizes = c.showFileSizes;
  const TBuildPlan p = CollectBuildParameters(in);
  EXPECT_EQ(p.ShowDescriptions, c.showDescriptions);
  EXPECT_EQ(p.ShowFileSizes, c.showFileSizes);
  EXPECT_EQ(p.LinkColumnWidth, c.link);
  EXPECT_EQ(p.DescrColumnWidth, c.descr);
  EXPECT_EQ(p.SizeColumnWidth, c.size);
}

INSTANTIATE_TEST_SUITE_P(Cases, ColumnWidthTest,
                         testing::Values(TColumnCase{false, false, 100, 0, 0},
                                         TColumnCase{true, false, 30, 70, 0},
                                         TColumnCase{false, true, 70, 0, 30},
                                         TColumnCase{true, true, 25, 60, 15}),
                         CaseNamesBy(&TColumnCase::showDescriptions, &TColumnCase::showFileSizes));

// --- Page names ---------------------------------------------------------------------------------

struct TPageNameCase {
  int htmlNames;
  const char* indexFile;
  const char* firstImageFile;
  int pictures;
  const char* extension;
  const char* firstPage;
  const char* lastPage;
};

void PrintTo(const TPageNameCase& c, std::ostream* os) {
  PrintCase(os, c.htmlNames, c.indexFile, c.firstImageFile, c.pictures, c.extension, c.firstPage,
            c.lastPage);
}

class PageNameTest : public testing::TestWithParam<TPageNameCase> {};

TEST_P(PageNameTest, DerivesFirstAndLastPage) {
  const TPageNameCase& c = GetParam();
  std::vector<std::string> images = NumberedPictures(c.pictures);
  if (c.htmlNames == 0) images.back() = "zebra.photo.png";
  TBuildInputs in = TypicalInputs("/p/s", "/p", images);
  in.Settings.HtmlNames = c.htmlNames;
  in.Settings.IndexFile = c.indexFile;
  in.Settings.HtmlFirstImageFile = c.firstImageFile;
  const TBuildPlan p = CollectBuildParameters(in);
  EXPECT_EQ(p.PageExtension, c.extension);
  EXPECT_EQ(p.FirstPageFile, c.firstPage);
  EXPECT_EQ(p.LastPageFile, c.lastPage);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageNameTest,
    testing::Values(
        // Named after the pictures, with the index page's extension.
        TPageNameCase{0, "index.htm", "01.htm", 3, ".htm", "pic01.htm", "zebra.photo.htm"},
        TPageNameCase{0, "index.html", "01.htm", 3, ".html", "pic01.html", "zebra.photo.html"},
        TPageNameCase{0, "index", "01.htm", 3, "", "pic01", "zebra.photo"},
        TPageNameCase{0, "\"index.shtml\"", "01.htm", 2, ".shtml", "pic01.shtml",
                      "zebra.photo.shtml"},
        // Numbered from the first page's name.
        TPageNameCase{1, "index.htm", "picture_01.htm", 12, ".htm", "picture_01.htm",
                      "picture_12.htm"},
        TPageNameCase{1, "index.htm", "01.htm", 3, ".htm", "01.htm", "03.htm"},
        TPageNameCase{1, "index.html", "photo_7.php", 3, ".php", "photo_7.php", "photo_9.php"},
        // The width is a minimum: more digits are written whole.
        TPageNameCase{1, "index.htm", "picture_01.htm", 100, ".htm", "picture_01.htm",
                      "picture_100.htm"},
        TPageNameCase{1, "index.htm", "picture_9.htm", 3, ".htm", "picture_9.htm",
                      "picture_11.htm"},
        // No trailing number: counted from 1, one digit wider than the name.
        TPageNameCase{1, "index.htm", "page.htm", 12, ".htm", "page.htm", "00012.htm"},
        // A sign belongs to the trailing number.
        TPageNameCase{1, "index.htm", "photo-1.htm", 3, ".htm", "photo-1.htm", "photo01.htm"},
        // A single page is its own last page.
        TPageNameCase{1, "index.htm", "page.htm", 1, ".htm", "page.htm", "page.htm"},
        TPageNameCase{1, "index.htm", "picture_01", 2, "", "picture_01", "picture_02"}),
    CaseNamesBy(&TPageNameCase::firstImageFile, &TPageNameCase::pictures));

TEST(SerialPageNames, NeverCollideAndEndAtTheLastPage) {
  // Names whose trailing number cannot simply be stepped in place: all nines, a sign, a
  // hexadecimal prefix, a blank, no number at all, the top of the 32-bit range.
  const char* firstNames[] = {"picture_01.htm", "picture_9.htm", "photo-3.htm",    "box1.htm",
                              "pic 01.htm",     "page.htm",      "2147483646.htm", "x.htm"};
  for (const char* first : firstNames) {
    TBuildInputs in = TypicalInputs("/p/s", "/p", NumberedPictures(150));
    in.Settings.HtmlNames = 1;
    in.Settings.HtmlFirstImageFile = first;
    const TBuildPlan p = CollectBuildParameters(in);
    std::set<std::string> names;
    for (long long i = 0; i < 150; ++i) names.insert(SerialPageFile(p, i));
    EXPECT_EQ(names.size(), 150u) << first;
    EXPECT_EQ(SerialPageFile(p, 0), first);
    EXPECT_EQ(SerialPageFile(p, 149), p.LastPageFile) << first;
  }
}

TEST(SerialPageNames, ContinueTheFirstNumberWithItsWidth) {
  TBuildInputs in = TypicalInputs("/p/s", "/p", NumberedPictures(3));
  in.Settings.HtmlNames = 1;
  const struct {
    const char* first;
    long long i;
    const char* expected;
  } cases[] = {
      {"picture_01.htm", 1, "picture_02.htm"}, {"picture_01.htm", 9, "picture_10.htm"},
      {"picture_9.htm", 1, "picture_10.htm"},  {"photo-3.htm", 1, "photo-2.htm"},
      {"photo-3.htm", 3, "photo00.htm"},       {"box1.htm", 1, "bo02.htm"},
      {"pic 01.htm", 1, "pic002.htm"},         {"page.htm", 1, "00002.htm"},
      {"2147483647.htm", 2, "2147483649.htm"},
  };
  for (const auto& c : cases) {
    in.Settings.HtmlFirstImageFile = c.first;
    EXPECT_EQ(SerialPageFile(CollectBuildParameters(in), c.i), c.expected) << c.first;
  }
}

// --- Thumbnail box sizes from the spin edits' texts ---------------------------------------------

struct TSpinTextCase {
  const char* text;
  int value;
};

void PrintTo(const TSpinTextCase& c, std::ostream* os) { PrintCase(os, c.text, c.value); }

class ThumbSizeTextTest : public testing::TestWithParam<TSpinTextCase> {};

TEST_P(ThumbSizeTextTest, TakesTheSpinValueOfTheText) {
  TBuildInputs in = TypicalInputs("/p/s", "/p", {"a.jpg"});
  in.Settings.ThumbXSize = GetParam().text;
  in.Settings.ThumbYSize = GetParam().text;
  const TBuildPlan p = CollectBuildParameters(in);
  EXPECT_EQ(p.ThumbXSize, GetParam().value);
  EXPECT_EQ(p.ThumbYSize, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Cases, ThumbSizeTextTest,
                         testing::Values(TSpinTextCase{"120", 120}, TSpinTextCase{"0", 0},
                                         TSpinTextCase{"200", 200}, TSpinTextCase{"250", 200},
                                         TSpinTextCase{"-5", 0}, TSpinTextCase{"abc", 0},
                                         TSpinTextCase{"", 0}, TSpinTextCase{" 77", 77},
                                         TSpinTextCase{"77 ", 0}, TSpinTextCase{"$40", 64}),
                         CaseNamesBy(&TSpinTextCase::text));

TEST(SpinValues, StayWithinTheirLimits) {
  TBuildInputs in = TypicalInputs("/p/s", "/p", {"a.jpg"});
  TSettingsSnapshot& s = in.Settings;
  s.TableWidth = 250, s.TableBorderWidth = -3, s.CellSpacing = 11, s.CellPadding = 4;
  s.ThumbXCount = 0, s.ThumbBorderWidth = 12;
  TBuildPlan p = CollectBuildParameters(in);
  EXPECT_EQ(p.TableWidth, 100);
  EXPECT_EQ(p.TableBorderWidth, 0);
  EXPECT_EQ(p.CellSpacing, 10);
  EXPECT_EQ(p.CellPadding, 4);
  EXPECT_EQ(p.ThumbXCount, 1);  // a row of no thumbnails cannot be laid out
  EXPECT_EQ(p.ThumbBorderWidth, 10);
  s.ThumbXCount = 11;
  EXPECT_EQ(CollectBuildParameters(in).ThumbXCount, 10);
}

// --- Flags, texts and the remaining fields ------------------------------------------------------

struct TClearThumbsCase {
  bool checked;
  bool enabled;
  bool expected;
};

void PrintTo(const TClearThumbsCase& c, std::ostream* os) {
  PrintCase(os, c.checked, c.enabled, c.expected);
}

class ClearThumbsFolderTest : public testing::TestWithParam<TClearThumbsCase> {};

TEST_P(ClearThumbsFolderTest, NeedsTheBoxCheckedAndEnabled) {
  TBuildInputs in = TypicalInputs("/p/s", "/p", {"a.jpg"});
  in.Settings.ClearThumbsFolder = GetParam().checked;
  in.ClearThumbsFolderEnabled = GetParam().enabled;
  EXPECT_EQ(CollectBuildParameters(in).ClearThumbsFolder, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClearThumbsFolderTest,
                         testing::Values(TClearThumbsCase{true, true, true},
                                         TClearThumbsCase{true, false, false},
                                         TClearThumbsCase{false, true, false},
                                         TClearThumbsCase{false, false, false}),
                         CaseNamesBy(&TClearThumbsCase::checked, &TClearThumbsCase::enabled));

TEST(CollectBuildParameters, DerivesSubfoldersPrefixesAndFileNames) {
  TBuildInputs in = TypicalInputs("/home/ann/Sea", "/home/ann", {"b.jpg", "a.jpg"});
  in.ThumbsFolderPrefixText = "/home/ann";  // without its separator: one is added
  in.ButtonsFolderPrefixText = "/home/ann/";
  in.Settings.ThumbsFolder = "mini";
  in.Settings.ButtonsFolder = "nav_1";
  in.Settings.IndexFile = "\"my index.htm\"";
  in.Settings.IndexTemplate = "\"/tpl/My Index.htm\"";
  in.Settings.ImageTemplate = "\"/tpl/My Page.htm\"";
  in.Settings.ButtonImageFirst = "\"/tpl/my buttons/first one.gif\"";
  in.Settings.ButtonImageIndex = "idx.gif";
  const TBuildPlan p = CollectBuildParameters(in);
  EXPECT_EQ(p.Images, (std::vector<std::string>{"b.jpg", "a.jpg"}));  // order kept
  EXPECT_EQ(p.ThumbsFolderPath, "/home/ann/mini");
  EXPECT_EQ(p.ButtonsFolderPath, "/home/ann/nav_1");
  EXPECT_EQ(p.ThumbsUrlPrefix, "mini/");
  EXPECT_EQ(p.ButtonsUrlPrefix, "nav_1/");
  EXPECT_EQ(p.IndexFile, "my index.htm");
  EXPECT_EQ(p.IndexTemplate, "/tpl/My Index.htm");
  EXPECT_EQ(p.ImageTemplate, "/tpl/My Page.htm");
  EXPECT_EQ(p.ButtonImageFirst, "first one.gif");
  EXPECT_EQ(p.ButtonImagePrev, "amber_prev.gif");
  EXPECT_EQ(p.ButtonImageNext, "amber_next.gif");
  EXPECT_EQ(p.ButtonImageLast, "amber_last.gif");
  EXPECT_EQ(p.ButtonImageIndex, "idx.gif");
  EXPECT_EQ(p.AltFirst, "<<-- First");
  EXPECT_EQ(p.AltLast, "Last -->>");
  EXPECT_EQ(p.IndexPlace, "~~~INDEX~~~");
  EXPECT_EQ(p.ButtonsPlace, "~~~BUTTONS~~~");
  EXPECT_TRUE(p.ImageClickEqualNext);
}

TEST(CollectBuildParameters, ReadsTheRadioPairsAndTheDescriptionSource) {
  const struct {
    int stored;
    TPictureMode mode;
    TPageNaming naming;
    TThumbTextPlace place;
    TDescriptionSource descriptions;
  } cases[] = {
      {0, TPictureMode::File, TPageNaming::AfterPicture, TThumbTextPlace::Prefix,
       TDescriptionSource::None},
      {1, TPictureMode::Page, TPageNaming::Serial, TThumbTextPlace::Suffix,
       TDescriptionSource::TextFiles},
      {2, TPictureMode::Page, TPageNaming::Serial, TThumbTextPlace::Suffix,
       TDescriptionSource::DescriptIon},
      // A radio pair with neither button checked reads as its second choice; a drop-down list
      // with nothing selected gives no descriptions.
      {-1, TPictureMode::Page, TPageNaming::Serial, TThumbTextPlace::Suffix,
       TDescriptionSource::None},
      {3, TPictureMode::Page, TPageNaming::Serial, TThumbTextPlace::Suffix,
       TDescriptionSource::PictureCaptions},
      {4, TPictureMode::Page, TPageNaming::Serial, TThumbTextPlace::Suffix,
       TDescriptionSource::None},
  };
  for (const auto& c : cases) {
    TBuildInputs in = TypicalInputs("/p/s", "/p", {"a.jpg"});
    in.Settings.ImageType = c.stored;
    in.Settings.HtmlNames = c.stored;
    in.Settings.ThumbPrefixSuffixType = c.stored;
    in.Settings.Descriptions = c.stored;
    const TBuildPlan p = CollectBuildParameters(in);
    EXPECT_EQ(p.ImageType, c.mode) << c.stored;
    EXPECT_EQ(p.HtmlNames, c.naming) << c.stored;
    EXPECT_EQ(p.ThumbPrefixSuffixType, c.place) << c.stored;
    EXPECT_EQ(p.Descriptions, c.descriptions) << c.stored;
  }
}

struct TChoiceCase {
  int indexType;
  int fileSizes;
  int thumbsFormat;
  int expectedIndexType;
  int expectedFileSizes;
  int expectedThumbsFormat;
  TThumbFormat expectedFormat;
};

void PrintTo(const TChoiceCase& c, std::ostream* os) {
  PrintCase(os, c.indexType, c.fileSizes, c.thumbsFormat, c.expectedIndexType, c.expectedFileSizes,
            c.expectedThumbsFormat, c.expectedFormat);
}

class ChoiceTest : public testing::TestWithParam<TChoiceCase> {};

TEST_P(ChoiceTest, KeepsValidChoicesAndMapsMissingOnes) {
  const TChoiceCase& c = GetParam();
  TBuildInputs in = TypicalInputs("/p/s", "/p", {"a.jpg"});
  in.Settings.IndexType = c.indexType;
  in.Settings.FileSizes = c.fileSizes;
  in.Settings.ThumbsFormat = c.thumbsFormat;
  const TBuildPlan p = CollectBuildParameters(in);
  EXPECT_EQ(static_cast<int>(p.IndexType), c.expectedIndexType);
  EXPECT_EQ(static_cast<int>(p.FileSizes), c.expectedFileSizes);
  EXPECT_EQ(static_cast<int>(p.ThumbsFormat), c.expectedThumbsFormat);
  EXPECT_EQ(p.ThumbSaveParams.format, c.expectedFormat);
  EXPECT_EQ(p.ThumbSaveParams.quality, 90);
  EXPECT_FALSE(p.ThumbSaveParams.interlaced);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChoiceTest,
                         testing::Values(TChoiceCase{0, 0, 0, 0, 0, 0, TThumbFormat::Gif},
                                         TChoiceCase{1, 1, 1, 1, 1, 1, TThumbFormat::Jpeg},
                                         TChoiceCase{2, 2, 2, 2, 2, 2, TThumbFormat::Bmp},
                                         TChoiceCase{3, 2, 0, 3, 2, 0, TThumbFormat::Gif},
                                         // Nothing selected (a stored value out of range).
                                         TChoiceCase{-1, -1, -1, -1, -1, 1, TThumbFormat::Jpeg},
                                         TChoiceCase{7, 5, 3, -1, -1, 1, TThumbFormat::Jpeg}),
                         CaseNamesBy(&TChoiceCase::indexType, &TChoiceCase::fileSizes,
                                     &TChoiceCase::thumbsFormat));

}  // namespace

}  // namespace zetgallery
