#include "catalogue/ImageDescriptions.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "support/CaseNames.h"
#include "support/ProcessFigures.h"
#include "support/TempFolder.h"

namespace zetgallery {

namespace {

using TTexts = std::vector<std::string>;

struct TNameEndCase {
  std::string line;
  int position;
};

void PrintTo(const TNameEndCase& c, std::ostream* os) { PrintCase(os, c.line, c.position); }

class NameEndPosTest : public testing::TestWithParam<TNameEndCase> {};

TEST_P(NameEndPosTest, FindsEndOfFileNamePart) {
  EXPECT_EQ(NameEndPos(GetParam().line), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Table, NameEndPosTest,
                         testing::Values(TNameEndCase{"", 0}, TNameEndCase{"sea.jpg Sunset", 8},
                                         TNameEndCase{"\"my sea.jpg\" Sunset", 13},
                                         TNameEndCase{"\"my sea.jpg\"Sunset", 13},
                                         TNameEndCase{"sea.jpg", 0},
                                         TNameEndCase{"\"my sea.jpg Sunset", 0},
                                         TNameEndCase{" sea.jpg", 1}, TNameEndCase{"\"\"", 3},
                                         TNameEndCase{"\"", 0}, TNameEndCase{"a\tb c", 4},
                                         TNameEndCase{"море.jpg Закат", 13}),
                         CaseNamesBy(&TNameEndCase::line));

struct TTxtNameCase {
  std::string image, txt;
};

void PrintTo(const TTxtNameCase& c, std::ostream* os) { PrintCase(os, c.image, c.txt); }

class TextDescriptionFileNameTest : public testing::TestWithParam<TTxtNameCase> {};

TEST_P(TextDescriptionFileNameTest, ReplacesFinalExtension) {
  EXPECT_EQ(TextDescriptionFileName(GetParam().image), GetParam().txt);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextDescriptionFileNameTest,
    testing::Values(TTxtNameCase{"sea.jpg", "sea.txt"}, TTxtNameCase{"sea", "sea.txt"},
                    TTxtNameCase{"sea.old.jpg", "sea.old.txt"}, TTxtNameCase{"sea.", "sea.txt"},
                    TTxtNameCase{".jpg", ".txt"}, TTxtNameCase{"море.JPG", "море.txt"}),
    CaseNamesBy(&TTxtNameCase::image));

class DescriptionsTest : public testing::Test {
 protected:
  TTexts Get(const TTexts& images, TDescriptionSource source) {
    return GetDescriptions(images, folder_.Path(), source);
  }
  TTempFolder folder_;
};

TEST_F(DescriptionsTest, OffOrNoPicturesGivesNoEntries) {
  folder_.Write("sea.txt", "Sunset");
  folder_.Write("descript.ion", "sea.jpg Sunset");
  EXPECT_TRUE(Get({"sea.jpg"}, TDescriptionSource::None).empty());
  EXPECT_TRUE(Get({}, TDescriptionSource::TextFiles).empty());
  EXPECT_TRUE(Get({}, TDescriptionSource::DescriptIon).empty());
  for (int index : {0, -1, 4, 100}) {
    EXPECT_TRUE(GetDescriptions({"sea.jpg"}, folder_.Path(), index).empty()) << index;
  }
  EXPECT_EQ(GetDescriptions({"sea.jpg"}, folder_.Path(), 1), TTexts{"Sunset"});
  EXPECT_EQ(GetDescriptions({"sea.jpg"}, folder_.Path(), 2), TTexts{"Sunset"});
}

TEST_F(DescriptionsTest, TextFilesGiveTheirFirstLineUntouched) {
  folder_.Write("sea.txt", "  Sunset over the bay  \r\nsecond line\r\n");
  folder_.Write("empty.txt", "");
  folder_.Write("blank.txt", "\r\nsecond");
  folder_.Write("noext.txt", "No extension");
  folder_.Write("lf.txt", "one\ntwo");
  folder_.Write("oem.txt", "\x8C\xAE\xE0\xA5");
  folder_.Write("sea.old.txt", "old");
  const TTexts images = {"sea.jpg", "empty.jpg", "blank.jpg", "missing.jpg",
                         "noext",   "lf.gif",    "oem.jpg",   "sea.old.jpg"};
  EXPECT_EQ(Get(images, TDescriptionSource::TextFiles),
            (TTexts{"  Sunset over the bay  ", "", "", "", "No extension", "one",
                    "\x8C\xAE\xE0\xA5", "old"}));
}

TEST_F(DescriptionsTest, TextFileFoundWhateverItsLetterCase) {
  folder_.Write("SEA.TXT", "upper");
  folder_.Write("Sky.txt", "exact");
  folder_.Write("sky.TXT", "other case");
  EXPECT_EQ(Get({"SEA.JPG", "Sky.jpg"}, TDescriptionSource::TextFiles), (TTexts{"upper", "exact"}));
}

TEST_F(DescriptionsTest, TextFileThatCannotBeReadGivesEmptyDescription) {
  std::filesystem::create_directory(folder_ / "folder.txt");
  std::filesystem::create_directory(folder_ / "descript.ion");
  EXPECT_EQ(Get({"folder.jpg"}, TDescriptionSource::TextFiles), TTexts{""});
  EXPECT_EQ(Get({"folder.jpg"}, TDescriptionSource::DescriptIon), TTexts{""});
}

TEST_F(DescriptionsTest, UnreadableTextFileGivesEmptyDescription) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  folder_.Write("sea.txt", "secret");
  chmod((folder_ / "sea.txt").c_str(), 0);
  EXPECT_EQ(Get({"sea.jpg"}, TDescriptionSource::TextFiles), TTexts{""});
}

TEST_F(DescriptionsTest, DescriptIonLinesMatchByNameIgnoringCase) {
  // "Фото.jpg Описание" and "ёлка.JPG Ёлка" in CP866.
  const std::string oemPhoto = "\x94\xAE\xE2\xAE.jpg \x8E\xAF\xA8\xE1\xA0\xAD\xA8\xA5";
  const std::string oemTree = "\xF1\xAB\xAA\xA0.JPG \xF0\xAB\xAA\xA0";
  folder_.Write("descript.ion",
                "sea.jpg Sunset over the bay\r\n"
                "\"my sea.jpg\" Sunset\r\n"
                "\"my sky.jpg\"Clouds\r\n"
                "alone.jpg\r\n"
                "many.jpg      Waves   \r\n"
                "dup.jpg first\r\n"
                "DUP.JPG second\r\n"
                "\"open.jpg Never\r\n"
                "\r\n"
                "     \r\n" +
                    oemPhoto + "\r\n" + oemTree + "\r\n" +
                    "lf.jpg one\ntwo.jpg two\r\n"
                    "\"  padded.jpg  \" Padded\r\n");
  const TTexts images = {"sea.jpg",    "SEA.JPG",   "Sea.Jpg",  "sea.jpeg",   "my sea.jpg",
                         "my sky.jpg", "alone.jpg", "many.jpg", "dup.jpg",    "open.jpg",
                         "фото.JPG",   "ЁЛКА.jpg",  "lf.jpg",   "padded.jpg", "  padded.jpg  ",
                         "none.jpg",   "two.jpg"};
  EXPECT_EQ(Get(images, TDescriptionSource::DescriptIon),
            (TTexts{"Sunset over the bay", "Sunset over the bay", "Sunset over the bay", "",
                    "Sunset", "Clouds", "", "Waves", "first", "", "Описание", "Ёлка", "one",
                    "Padded", "", "", "two"}));
}

TEST_F(DescriptionsTest, DescriptIonEndsAtByte26AndAcceptsBareCr) {
  folder_.Write("descript.ion", "a.jpg A\rb.jpg B\x1A\r\nc.jpg C\r\n");
  EXPECT_EQ(Get({"a.jpg", "b.jpg", "c.jpg"}, TDescriptionSource::DescriptIon),
            (TTexts{"A", "B", ""}));
}

TEST_F(DescriptionsTest, LinuxLineEndsEndLinesInBothSources) {
  folder_.Write("descript.ion", "a.jpg A\nb.jpg B\n\nc.jpg C");
  folder_.Write("a.txt", "first\nsecond\n");
  EXPECT_EQ(Get({"a.jpg", "b.jpg", "c.jpg"}, TDescriptionSource::DescriptIon),
            (TTexts{"A", "B", "C"}));
  EXPECT_EQ(Get({"a.jpg"}, TDescriptionSource::TextFiles), TTexts{"first"});
}

TEST_F(DescriptionsTest, EveryPictureTakesTheFirstLineNamingIt) {
  folder_.Write("descript.ion",
                "b.jpg early B\r\n"
                "A.JPG first A\r\n"
                "b.jpg late B\r\n"
                "a.jpg second A\r\n");
  EXPECT_EQ(Get({"a.jpg", "A.jpg", "b.jpg", "c.jpg", "a.jpg"}, TDescriptionSource::DescriptIon),
            (TTexts{"first A", "first A", "early B", "", "first A"}));
}

TEST_F(DescriptionsTest, DescriptIonIsReadOnlyUntilEveryPictureHasItsLine) {
  std::string rest;
  for (int i = 0; rest.size() < (32u << 20); ++i) rest += "other" + std::to_string(i) + ".jpg x\n";
  folder_.Write("descript.ion", "b.jpg B\na.jpg A\n" + rest);
  const long long before = BytesReadByThisProcess();
  if (before < 0) GTEST_SKIP() << "no /proc/self/io";
  EXPECT_EQ(Get({"a.jpg", "b.jpg"}, TDescriptionSource::DescriptIon), (TTexts{"A", "B"}));
  EXPECT_LT(BytesReadByThisProcess() - before, 1 << 20);
  // A picture without a line needs the whole file; a line near its end is still found.
  folder_.Write("descript.ion", "b.jpg B\n" + rest + "a.jpg last A\n");
  EXPECT_EQ(Get({"a.jpg", "b.jpg"}, TDescriptionSource::DescriptIon), (TTexts{"last A", "B"}));
}

TEST_F(DescriptionsTest, DescriptIonFoundWhateverItsLetterCase) {
  folder_.Write("DESCRIPT.ION", "sea.jpg Upper");
  EXPECT_EQ(Get({"sea.jpg"}, TDescriptionSource::DescriptIon), TTexts{"Upper"});
  folder_.Write("descript.ion", "sea.jpg Exact");
  EXPECT_EQ(Get({"sea.jpg"}, TDescriptionSource::DescriptIon), TTexts{"Exact"});
}

TEST_F(DescriptionsTest, MissingOrBrokenDescriptIonGivesEmptyTexts) {
  EXPECT_EQ(Get({"a.jpg", "b.jpg"}, TDescriptionSource::DescriptIon), (TTexts{"", ""}));
  std::mt19937 random(3);
  std::string garbage;
  for (int i = 0; i < 100000; ++i) garbage += static_cast<char>(random() % 256);
  folder_.Write("descript.ion", garbage);
  EXPECT_EQ(Get({"a.jpg", "b.jpg"}, TDescriptionSource::DescriptIon).size(), 2u);
}

TEST_F(DescriptionsTest, FolderTextInQuotesOrMissing) {
  folder_.Write("sea.txt", "Sunset");
  EXPECT_EQ(
      GetDescriptions({"sea.jpg"}, "\"" + folder_.Path() + "\"", TDescriptionSource::TextFiles),
      TTexts{"Sunset"});
  EXPECT_EQ(GetDescriptions({"sea.jpg"}, folder_.Path() + "/", TDescriptionSource::TextFiles),
            TTexts{"Sunset"});
  EXPECT_EQ(GetDescriptions({"sea.jpg"}, folder_ / "gone", TDescriptionSource::TextFiles),
            TTexts{""});
  EXPECT_EQ(GetDescriptions({"sea.jpg"}, "", TDescriptionSource::DescriptIon), TTexts{""});
  EXPECT_EQ(GetDescriptions({"\xFF"}, "\xFE", TDescriptionSource::TextFiles), TTexts{""});
}

}  // namespace

}  // namespace zetgallery
