// Loading a preset: defaults, blank rules, limits, out-of-range numbers, wrong kinds, the key
// choice with its fallbacks, and the order in which the target receives the values.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <optional>

#include "SettingsTestSupport.h"
#include "settings/SettingsStore.h"
#include "support/CaseNames.h"
#include "support/SnapshotBuilder.h"
#include "support/StatusOf.h"

namespace zetgallery {

namespace {

constexpr char kUntitledKey[] = "Software\\Vorlan\\ZetGallery";
constexpr char kNamed[] = "Software\\Vorlan\\ZetGallery\\NamedSettings\\";

std::string CurrentDirectory() { return std::filesystem::current_path().string(); }

// The values every control gets on a first start.
TSettingsSnapshot FirstStartValues() {
  return TSnapshotBuilder().FirstStart(CurrentDirectory(), TemplatesFolder()).Build();
}

// A snapshot target that logs every call, as a window would see them.
class TRecordingTarget : public TSnapshotTarget {
 public:
  explicit TRecordingTarget(TSettingsSnapshot& snapshot) : TSnapshotTarget(snapshot) {}
  void ApplyText(const TSettingRow& row, const std::string& text) override {
    log.push_back(std::string(row.Name) + "=" + text);
    TSnapshotTarget::ApplyText(row, text);
  }
  void ApplyFlag(const TSettingRow& row, bool checked) override {
    log.push_back(std::string(row.Name) + (checked ? "=on" : "=off"));
    TSnapshotTarget::ApplyFlag(row, checked);
  }
  void ApplySpinValue(const TSettingRow& row, int value) override {
    log.push_back(std::string(row.Name) + "=" + std::to_string(value));
    TSnapshotTarget::ApplySpinValue(row, value);
  }
  void ApplyRadio(const TSettingRow& row, int which) override {
    log.push_back(std::string(row.Name) + "=radio" + std::to_string(which));
    TSnapshotTarget::ApplyRadio(row, which);
  }
  void SelectIndex(const TSettingRow& row, int index) override {
    log.push_back(std::string(row.Name) + "=#" + std::to_string(index));
    TSnapshotTarget::SelectIndex(row, index);
  }
  void EditResultFolderChange() override { log.push_back("EditResultFolderChange"); }
  void ScanImages() override { log.push_back("ScanImages"); }

  std::vector<std::string> log;
};

class SettingsLoadTest : public SettingsDatabaseTest {
 protected:
  // Loads preset `name` into a freshly created window's values.
  TSettingsSnapshot Load(const std::string& name) {
    TSettingsSnapshot snapshot = DesignTimeSettingsSnapshot();
    TSnapshotTarget target(snapshot);
    EXPECT_TRUE(store_->LoadSettings(name, target, &presets_).ok());
    return snapshot;
  }

  TPresetListModel presets_;
};

TEST_F(SettingsLoadTest, FirstStartGivesEveryDefault) {
  const TSettingsSnapshot loaded = Load("");
  const TSettingsSnapshot expected = FirstStartValues();
  EXPECT_EQ(SnapshotDifferences(loaded, expected), std::vector<std::string>{});
  EXPECT_EQ(LastSettings(), "");
}

TEST_F(SettingsLoadTest, TemplateDefaultsLieInATemplatesFolder) {
  const TSettingsSnapshot loaded = Load("");
  const std::string folder = TemplatesFolder();
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(folder.ends_with("/templates/")) << folder;
  EXPECT_EQ(loaded.IndexTemplate, folder + "IndexTemplate.htm");
  // In a build tree the templates sit beside the executable.
  EXPECT_TRUE(folder.rfind(ApplicationFolder(), 0) == 0 ||
              folder.find("/share/zetgallery/templates/") != std::string::npos)
      << folder;
}

struct TTextCase {
  const char* label;
  const char* name;
  std::optional<std::string> stored;  // nullopt: the value is absent
  std::string expected;               // "<default>" stands for the row's default
};

void PrintTo(const TTextCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.name, c.stored, c.expected);
}

const TTextCase kTextCases[] = {
    {"T_ThreeSpaces", "ThumbsFolder", "   ", "thumbs"},
    {"T_ControlCharacters", "ThumbsFolder", "\t\r\n", "thumbs"},
    {"T_CharacterOne", "HtmlFirstImageFile", "\x01", "01.htm"},
    {"T_Empty", "ThumbsFolder", "", "thumbs"},
    {"T_Absent", "ButtonsFolder", std::nullopt, "buttons"},
    {"T_AbsentDisplayFolder", "DisplayFolder", std::nullopt, "display"},
    {"T_AbsentArchiveName", "ArchiveName", std::nullopt, "pictures.zip"},
    {"T_KeptWithBlanks", "IndexFile", " x ", " x "},
    {"T_NonLatinIsNotBlank", "IndexFile", "Ж", "Ж"},
    {"T_NoBreakSpaceIsNotBlank", "IndexFile", "\xC2\xA0", "\xC2\xA0"},
    {"T_BlankImagesFolder", "ImagesFolder", "  ", "<default>"},
    {"E_OneSpaceKept", "ImagesMask", " ", " "},
    {"E_Empty", "ImagesMask", "", "*.jpg"},
    {"E_Absent", "IndexPlace", std::nullopt, "~~~INDEX~~~"},
    {"E_EmptyTemplate", "IndexTemplate", "", "<default>"},
    {"E_Tab", "TableBorderColor", "\t", "\t"},
    {"X_EmptyKept", "TableBackColor", "", ""},
    {"X_Absent", "TableBackColor", std::nullopt, "#FFFFFF"},
    {"X_BlankKept", "AltFirst", " ", " "},
    {"X_EmptyButtonPicture", "ButtonImageFirst", "", ""},
    {"X_AbsentButtonPicture", "ButtonImageIndex", std::nullopt, "<default>"},
    {"X_EmptyPrefix", "ThumbPrefixSuffix", "", ""},
    {"Quotes", "IndexTemplate", "\"/my pics/index.htm\"", "\"/my pics/index.htm\""},
};

class TextRuleTest : public SettingsLoadTest, public ::testing::WithParamInterface<TTextCase> {};

TEST_P(TextRuleTest, BlankTextsFollowTheRowsRule) {
  const TTextCase& c = GetParam();
  if (c.stored) PutTexts(kUntitledKey, {{c.name, *c.stored}});
  const TSettingsSnapshot loaded = Load("");
  const TSettingRow* row = FindSettingRow(c.name);
  ASSERT_NE(row, nullptr);
  const std::string expected = c.expected == "<default>" ? DefaultTextOf(*row) : c.expected;
  EXPECT_EQ(loaded.*row->Text, expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, TextRuleTest, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(SettingsLoadTest, ExpandTextIsTakenLiterally) {
  PutRawValue(kUntitledKey, "IndexPlace", kRegExpandSz, HexOf("%HOME%") + "00");
  EXPECT_EQ(Load("").IndexPlace, "%HOME%");
}

TEST_F(SettingsLoadTest, BlankTestUsesTheControlsOwnText) {
  // A control that drops some characters (as a filtered edit might) shows an empty text for
  // "xxx": rule T must look at what the control shows, not at the stored text.
  class TFilteringTarget : public TSnapshotTarget {
   public:
    using TSnapshotTarget::TSnapshotTarget;
    void ApplyText(const TSettingRow& row, const std::string& text) override {
      std::string kept;
      for (char c : text)
        if (c != 'x') kept += c;
      TSnapshotTarget::ApplyText(row, kept);
    }
  };
  PutTexts(kUntitledKey, {{"ThumbsFolder", "xxx"}, {"ImagesMask", "xx"}});
  TSettingsSnapshot snapshot = DesignTimeSettingsSnapshot();
  TFilteringTarget target(snapshot);
  EXPECT_TRUE(store_->LoadSettings("", target, nullptr).ok());
  EXPECT_EQ(snapshot.ThumbsFolder, "thumbs");
  EXPECT_EQ(snapshot.ImagesMask, "*.jpg");
}

struct TNumberCase {
  const char* label;
  const char* name;
  std::optional<int32_t> stored;
  int expected;
};

void PrintTo(const TNumberCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.name, c.stored, c.expected);
}

const TNumberCase kNumberCases[] = {
    {"SpinAboveLimit", "TableWidth", 250, 100},
    {"SpinBelowLimit", "TableWidth", -5, 0},
    {"SpinWithin", "TableWidth", 50, 50},
    {"SpinAbsent", "CellPadding", std::nullopt, 3},
    {"SmallSpinAbove", "TableBorderWidth", 11, 10},
    {"CountBelowOne", "ThumbXCount", 0, 1},
    {"CountAbove", "ThumbXCount", 11, 10},
    {"CountLowest", "ThumbXCount", INT32_MIN, 1},
    {"CountHighest", "ThumbBorderWidth", INT32_MAX, 10},
    {"IndexTypeNine", "IndexType", 9, -1},
    // The grid (4) is the last kind; the first number past the list selects none.
    {"IndexTypeFive", "IndexType", 5, -1},
    {"IndexTypeNone", "IndexType", -1, -1},
    {"IndexTypeBelow", "IndexType", -2, -1},
    {"IndexTypeTable", "IndexType", 3, 3},
    {"IndexTypeLast", "IndexType", 4, 4},
    {"IndexTypeFirst", "IndexType", 0, 0},
    {"DescriptionsFour", "Descriptions", 4, -1},
    {"DescriptionsFromMetadata", "Descriptions", 3, 3},
    {"ImageOrderThree", "ImageOrder", 3, -1},
    {"DescriptionsNone", "Descriptions", 0, 0},
    {"FileSizesNegative", "FileSizes", -7, -1},
    {"ThumbsFormatBmp", "ThumbsFormat", 2, 2},
    {"ThumbsFormatAbsent", "ThumbsFormat", std::nullopt, 1},
    {"DisplaySizeAbsent", "DisplaySize", std::nullopt, 1600},
    {"DisplaySizeBelow", "DisplaySize", 10, 200},
    {"DisplayQualityAbsent", "DisplayQuality", std::nullopt, 85},
    {"DisplayQualityAbove", "DisplayQuality", 101, 100},
};

class NumberTest : public SettingsLoadTest, public ::testing::WithParamInterface<TNumberCase> {};

TEST_P(NumberTest, NumbersAreBroughtWithinTheirControl) {
  const TNumberCase& c = GetParam();
  if (c.stored) PutIntegers(kUntitledKey, {{c.name, *c.stored}});
  const TSettingsSnapshot loaded = Load("");
  EXPECT_EQ(loaded.*FindSettingRow(c.name)->Number, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Limits, NumberTest, ::testing::ValuesIn(kNumberCases),
                         [](const auto& info) { return std::string(info.param.label); });

struct TTextSpinCase {
  std::optional<int32_t> stored;
  const char* expected;
};

void PrintTo(const TTextSpinCase& c, std::ostream* os) { PrintCase(os, c.stored, c.expected); }

const TTextSpinCase kTextSpinCases[] = {
    {250, "250"}, {-3, "-3"}, {0, "0"}, {std::nullopt, "120"}, {INT32_MIN, "-2147483648"},
};

class TextSpinTest : public SettingsLoadTest,
                     public ::testing::WithParamInterface<TTextSpinCase> {};

TEST_P(TextSpinTest, ThumbSizesKeepTheNumberUnclamped) {
  if (GetParam().stored) {
    PutIntegers(kUntitledKey,
                {{"ThumbXSize", *GetParam().stored}, {"ThumbYSize", *GetParam().stored}});
  }
  const TSettingsSnapshot loaded = Load("");
  EXPECT_EQ(loaded.ThumbXSize, GetParam().expected);
  EXPECT_EQ(loaded.ThumbYSize, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextSpinTest, ::testing::ValuesIn(kTextSpinCases),
                         CaseNamesBy(&TTextSpinCase::stored));

struct TRadioCase {
  int before;
  std::optional<int32_t> stored;
  int expected;
};

void PrintTo(const TRadioCase& c, std::ostream* os) {
  PrintCase(os, c.before, c.stored, c.expected);
}

const TRadioCase kRadioCases[] = {
    {1, 0, 0}, {0, 1, 1}, {0, 5, 0}, {1, 5, 1}, {0, -1, 0}, {1, 2, 1}, {1, std::nullopt, 0},
};

class RadioTest : public SettingsLoadTest, public ::testing::WithParamInterface<TRadioCase> {};

TEST_P(RadioTest, OnlyZeroAndOneMoveTheButtons) {
  for (const char* name : {"HtmlNames", "ThumbPrefixSuffixType", "ImageType"}) {
    SCOPED_TRACE(name);
    if (GetParam().stored) PutIntegers(kUntitledKey, {{name, *GetParam().stored}});
    TSettingsSnapshot snapshot = DesignTimeSettingsSnapshot();
    snapshot.*FindSettingRow(name)->Number = GetParam().before;
    TRecordingTarget target(snapshot);
    EXPECT_TRUE(store_->LoadSettings("", target, nullptr).ok());
    EXPECT_EQ(snapshot.*FindSettingRow(name)->Number, GetParam().expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Pairs, RadioTest, ::testing::ValuesIn(kRadioCases),
                         CaseNamesBy(&TRadioCase::before, &TRadioCase::stored));

struct TFlagCase {
  std::optional<int32_t> stored;
  bool expected;
};

void PrintTo(const TFlagCase& c, std::ostream* os) { PrintCase(os, c.stored, c.expected); }

const TFlagCase kFlagCases[] = {
    {0, false}, {1, true}, {2, true}, {-1, true}, {std::nullopt, true},
};

class FlagTest : public SettingsLoadTest, public ::testing::WithParamInterface<TFlagCase> {};

TEST_P(FlagTest, NonZeroChecks) {
  if (GetParam().stored) PutIntegers(kUntitledKey, {{"ShowFileSizes", *GetParam().stored}});
  EXPECT_EQ(Load("").ShowFileSizes, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Flags, FlagTest, ::testing::ValuesIn(kFlagCases),
                         CaseNamesBy(&TFlagCase::stored));

struct TResultFolderCase {
  const char* imagesFolder;
  std::optional<int32_t> stored;
  int expected;
};

void PrintTo(const TResultFolderCase& c, std::ostream* os) {
  PrintCase(os, c.imagesFolder, c.stored, c.expected);
}

const TResultFolderCase kResultFolderCases[] = {
    {"/photos/sea", 1, 1},
    {"/photos/sea", 0, 0},
    {"/photos/sea", 2, -1},
    {"/photos/sea", -1, -1},
    {"/", 1, -1},
    {"/", 0, 0},
    {"photos", 1, 1},
    {"\"/my photos/\"", 1, 1},
    {"/photos", std::nullopt, 0},
};

class ResultFolderTest : public SettingsLoadTest,
                         public ::testing::WithParamInterface<TResultFolderCase> {};

TEST_P(ResultFolderTest, SelectsAnEntryOfTheListTheImagesFolderFilled) {
  PutTexts(kUntitledKey, {{"ImagesFolder", GetParam().imagesFolder}});
  if (GetParam().stored) PutIntegers(kUntitledKey, {{"ResultFolder", *GetParam().stored}});
  EXPECT_EQ(Load("").ResultFolder, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lists, ResultFolderTest, ::testing::ValuesIn(kResultFolderCases),
                         CaseNamesBy(&TResultFolderCase::imagesFolder, &TResultFolderCase::stored));

TEST_F(SettingsLoadTest, TargetGetsTheRowsInTableOrderWithTheReactions) {
  PutTexts(kUntitledKey, {{"ImagesFolder", "/photos/sea"}});
  TSettingsSnapshot snapshot = DesignTimeSettingsSnapshot();
  TRecordingTarget target(snapshot);
  EXPECT_TRUE(store_->LoadSettings("", target, &presets_).ok());
  const std::vector<std::string> head(target.log.begin(), target.log.begin() + 5);
  EXPECT_EQ(head, (std::vector<std::string>{"ImagesFolder=/photos/sea", "ResultFolder=#0",
                                            "ClearResultFolder=on", "EditResultFolderChange",
                                            "ThumbsFolder="}));
  EXPECT_EQ(target.log.back(), "ScanImages");
  // The rows of the display copies, the albums and the zip came last, after the rows of the
  // first presets and the order's.
  EXPECT_EQ(target.log[target.log.size() - 11], "ImageOrderDescending=off");
  EXPECT_EQ(target.log[target.log.size() - 10], "DisplayCopies=off");
  EXPECT_EQ(target.log[target.log.size() - 6], "DisplayFolder=display");
  EXPECT_EQ(target.log[target.log.size() - 5], "SubAlbums=off");
  EXPECT_EQ(target.log[target.log.size() - 4], "OriginalsArchive=off");
  EXPECT_EQ(target.log[target.log.size() - 2], "ArchiveName=pictures.zip");
  EXPECT_EQ(std::count(target.log.begin(), target.log.end(), "EditResultFolderChange"), 1);
  EXPECT_EQ(presets_.text, kUntitledPresetName);
}

// A value of the wrong kind: the load stops there, after the rows before it were applied.
struct TWrongKindCase {
  const char* label;
  const char* name;
  int type;
  std::string hexData;
  const char* message;
};

void PrintTo(const TWrongKindCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.name, c.type, c.hexData, c.message);
}

const TWrongKindCase kWrongKinds[] = {
    {"IndexTypeOneCharacter", "IndexType", kRegSz, "3300", "Invalid data type for 'IndexType'"},
    {"IndexTypeLongerText", "IndexType", kRegSz, "746872656500",
     "Failed to get data for 'IndexType'"},
    {"IndexTypeEightBytes", "IndexType", kRegDword, "0300000000000000",
     "Failed to get data for 'IndexType'"},
    {"ThumbsFolderNumber", "ThumbsFolder", kRegDword, "01000000",
     "Invalid data type for 'ThumbsFolder'"},
    {"FlagAsText", "ClearThumbsFolder", kRegSz, "3100",
     "Invalid data type for 'ClearThumbsFolder'"},
    {"SpinAsBinary", "TableWidth", kRegBinary, "64", "Invalid data type for 'TableWidth'"},
    {"TextSpinShort", "ThumbXSize", kRegDword, "7800", "Failed to get data for 'ThumbXSize'"},
    {"RadioAsText", "ImageType", kRegSz, "3000", "Invalid data type for 'ImageType'"},
    {"XRuleBinary", "AltIndex", kRegBinary, "", "Invalid data type for 'AltIndex'"},
    {"LastRow", "ImageClickEqualNext", kRegExpandSz, "3100",
     "Invalid data type for 'ImageClickEqualNext'"},
};

class WrongKindTest : public SettingsLoadTest,
                      public ::testing::WithParamInterface<TWrongKindCase> {};

TEST_P(WrongKindTest, StopsTheLoadAtThatValue) {
  const TWrongKindCase& c = GetParam();
  // Every other value stored, differing from both the defaults and the window's values.
  TSettingsSnapshot stored = FirstStartValues();
  stored.ImagesFolder = "/stored";
  stored.ThumbsFolder = "t2";
  stored.IndexPlace = "@@";
  stored.TableWidth = 42;
  stored.AltIndex = "Home";
  stored.ImageClickEqualNext = false;
  EXPECT_TRUE(store_->SaveSettings("", stored, nullptr).ok());
  PutRawValue(kUntitledKey, c.name, c.type, c.hexData);

  TSettingsSnapshot snapshot = DesignTimeSettingsSnapshot();
  const TSettingsSnapshot before = snapshot;
  TRecordingTarget target(snapshot);
  EXPECT_EQ(StatusOf(store_->LoadSettings("Trip", target, &presets_)).message(), c.message);
  // Every row before the bad one reached the target, none after it, and no scan ran.
  size_t failing = 0;
  while (std::string(kSettingsTable[failing].Name) != c.name) ++failing;
  for (size_t i = 0; i < kSettingsTable.size(); ++i) {
    const std::string prefix = std::string(kSettingsTable[i].Name) + "=";
    const bool applied = std::any_of(target.log.begin(), target.log.end(),
                                     [&](const auto& line) { return line.rfind(prefix, 0) == 0; });
    EXPECT_EQ(applied, i < failing) << kSettingsTable[i].Name;
  }
  EXPECT_NE(target.log.back(), "ScanImages");
  EXPECT_EQ(snapshot.ImagesFolder, "/stored");
  EXPECT_EQ(snapshot.TableWidth, failing > 15 ? 42 : before.TableWidth);
  EXPECT_EQ(presets_.text, "");
  EXPECT_EQ(LastSettings(), "Trip");
}

INSTANTIATE_TEST_SUITE_P(Kinds, WrongKindTest, ::testing::ValuesIn(kWrongKinds),
                         [](const auto& info) { return std::string(info.param.label); });

// Which key a name reads: stored untitled ThumbsFolder "untitled", named ones their own names.
struct TKeyChoiceCase {
  const char* label;
  const char* name;
  const char* thumbsFolder;
  const char* comboText;  // the preset list's text afterwards (it starts as "typed")
};

void PrintTo(const TKeyChoiceCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.name, c.thumbsFolder, c.comboText);
}

const TKeyChoiceCase kKeyChoices[] = {
    {"Empty", "", "untitled", kUntitledPresetName},
    {"Untitled", "<без названия>", "untitled", kUntitledPresetName},
    {"CapitalUntitledIsNamed", "<Без названия>", "capital", "typed"},
    {"Named", "Trip", "trip", "typed"},
    {"NamedOtherCase", "TRIP", "trip", "typed"},
    {"CyrillicOtherCase", "ПОЕЗДКА", "poezdka", "typed"},
    {"MissingFallsBack", "Gone", "untitled", "typed"},
    {"UntitledWithBlank", "<без названия> ", "untitled", "typed"},
};

class KeyChoiceTest : public SettingsLoadTest,
                      public ::testing::WithParamInterface<TKeyChoiceCase> {};

TEST_P(KeyChoiceTest, ReadsThePresetOrFallsBackToTheUntitledOne) {
  PutTexts(kUntitledKey, {{"ThumbsFolder", "untitled"}});
  PutTexts(std::string(kNamed) + "<Без названия>", {{"ThumbsFolder", "capital"}});
  PutTexts(std::string(kNamed) + "trip", {{"ThumbsFolder", "trip"}});
  PutTexts(std::string(kNamed) + "Поездка", {{"ThumbsFolder", "poezdka"}});
  presets_.text = "typed";
  EXPECT_EQ(Load(GetParam().name).ThumbsFolder, GetParam().thumbsFolder);
  EXPECT_EQ(LastSettings(), GetParam().name);
  EXPECT_EQ(presets_.text, GetParam().comboText);
}

INSTANTIATE_TEST_SUITE_P(Names, KeyChoiceTest, ::testing::ValuesIn(kKeyChoices),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(SettingsLoadTest, MissingPresetWithoutSettingsGivesDefaults) {
  // Only LastSettings exists after the load's first step: every value takes its default.
  const TSettingsSnapshot loaded = Load("Gone");
  EXPECT_EQ(SnapshotDifferences(loaded, FirstStartValues()), std::vector<std::string>{});
  EXPECT_EQ(LastSettings(), "Gone");
}

TEST_F(SettingsLoadTest, CommandLineReadingOfAnEmptyFileWritesNothing) {
  const std::string last = store_->ReadLastSettings().value();
  EXPECT_EQ(last, "");
  const TSettingsSnapshot loaded = store_->ReadPresetSnapshot(last).value();
  EXPECT_EQ(SnapshotDifferences(loaded, FirstStartValues()), std::vector<std::string>{});
  EXPECT_EQ(QuerySql("SELECT count(*) FROM keys"), std::vector<std::string>{"0"});
}

TEST_F(SettingsLoadTest, ALastSettingsThatCannotBeWrittenDoesNotStopTheLoad) {
  PutTexts(kUntitledKey, {{"LastSettings", "old"}, {"ThumbsFolder", "kept"}});
  ExecuteSql(
      "CREATE TRIGGER refuse BEFORE UPDATE ON vals WHEN NEW.name = 'LastSettings' "
      "BEGIN SELECT RAISE(ABORT, 'read-only'); END;");
  TSettingsSnapshot snapshot = DesignTimeSettingsSnapshot();
  TRecordingTarget target(snapshot);
  EXPECT_TRUE(store_->LoadSettings("", target, &presets_).ok());
  EXPECT_EQ(snapshot.ThumbsFolder, "kept");
  EXPECT_EQ(target.log.back(), "ScanImages");
  EXPECT_EQ(LastSettings(), "old");
  // Saving, on the other hand, reports it.
  EXPECT_EQ(StatusOf(store_->SaveSettings("", snapshot, &presets_)).message(),
            "Failed to set data for 'LastSettings'");
}

TEST_F(SettingsLoadTest, ReadPresetSnapshotWritesNothing) {
  PutTexts(std::string(kNamed) + "Trip", {{"ThumbsFolder", "t"}});
  const std::vector<std::string> before = QuerySql("SELECT * FROM readable_values");
  EXPECT_EQ(store_->ReadPresetSnapshot("trip")->ThumbsFolder, "t");
  EXPECT_EQ(QuerySql("SELECT * FROM readable_values"), before);
}

}  // namespace

}  // namespace zetgallery
