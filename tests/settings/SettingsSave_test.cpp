// Saving a preset: what each control's value is stored as, the key and LastSettings a name
// leads to, and that a failed save leaves no half-written preset.
#include <gtest/gtest.h>

#include "SettingsTestSupport.h"
#include "settings/SettingsStore.h"
#include "support/CaseNames.h"
#include "support/SnapshotBuilder.h"
#include "support/StatusOf.h"

namespace zetgallery {

namespace {

constexpr char kSettingsPath[] = "HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery";
constexpr char kNamedPath[] = "HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery\\NamedSettings\\";

// A snapshot in which every value differs from its default, the first start's.
TSettingsSnapshot Unusual() {
  TSettingsSnapshot s;
  s.ImagesFolder = "/home/u/Фото/море";
  s.ResultFolder = 1;
  s.ClearResultFolder = false;
  s.ThumbsFolder = "mini";
  s.ClearThumbsFolder = false;
  s.ButtonsFolder = "nav";
  s.CopyButtonsFromTemplate = false;
  s.ImagesMask = "*.png;*.gif";
  s.HtmlNames = 1;
  s.HtmlFirstImageFile = "pic_07.htm";
  s.IndexFile = "start.html";
  s.Descriptions = 0;
  s.IndexTemplate = "/t/i.htm";
  s.IndexPlace = "%%I%%";
  s.IndexType = 2;
  s.TableWidth = 80;
  s.TableBorderWidth = 0;
  s.CellSpacing = 10;
  s.CellPadding = 0;
  s.TableBorderColor = "red";
  s.TableBackColor = "";
  s.ShowTableHeaders = false;
  s.ShowDescriptions = false;
  s.ShowFileSizes = false;
  s.FileSizes = 2;
  s.ThumbXCount = 10;
  s.ThumbXSize = "64";
  s.ThumbYSize = "200";
  s.ThumbBorderWidth = 0;
  s.ThumbBorderColor = "#123456";
  s.DescrAsThumbAlt = false;
  s.CreateThumbs = false;
  s.ThumbsFormat = 0;
  s.ThumbPrefixSuffixType = 1;
  s.ThumbPrefixSuffix = "";
  s.ImageType = 1;
  s.ImageTemplate = "/t/p.htm";
  s.ImagePlace = "%%P%%";
  s.DescrPlace = "%%D%%";
  s.ButtonsPlace = "%%B%%";
  s.ButtonImageFirst = "";
  s.ButtonImagePrev = "/b/p.gif";
  s.ButtonImageNext = "/b/n.gif";
  s.ButtonImageLast = "/b/l.gif";
  s.ButtonImageIndex = "/b/i.gif";
  s.AltFirst = "";
  s.AltPrev = "Назад";
  s.AltNext = " ";
  s.AltLast = "»";
  s.AltIndex = "Оглавление";
  s.ImageClickEqualNext = false;
  s.PictureFacts = true;
  s.ImageOrder = 2;
  s.ImageOrderDescending = true;
  s.DisplayCopies = true;
  s.DisplaySize = 2048;
  s.DisplayQuality = 77;
  s.DisplayFolder = "big";
  s.SubAlbums = true;
  s.OriginalsArchive = true;
  s.ArchiveName = "все картинки.zip";
  return s;
}

class SettingsSaveTest : public SettingsDatabaseTest {
 protected:
  std::vector<std::string> Stored(const std::string& keyPath, const std::string& name) {
    return QuerySql("SELECT kind, value FROM readable_values WHERE key = '" + keyPath +
                    "' AND name = '" + name + "'");
  }

  TPresetListModel presets_;
};

TEST_F(SettingsSaveTest, EveryValueComesBackAsSaved) {
  const TSettingsSnapshot saved = Unusual();
  ASSERT_EQ(SnapshotDifferences(saved, TSnapshotBuilder().FirstStart("", "").Build()).size(),
            kSettingCount)
      << "a value at its default would come back even if it were not saved";
  EXPECT_TRUE(store_->SaveSettings("Море", saved, &presets_).ok());
  const TSettingsSnapshot loaded = store_->ReadPresetSnapshot("Море").value();
  EXPECT_EQ(SnapshotDifferences(loaded, saved), std::vector<std::string>{});
  EXPECT_EQ(QuerySql("SELECT count(*) FROM readable_values WHERE key = '" +
                     std::string(kNamedPath) + "Море'"),
            std::vector<std::string>{"61"});
}

// How single values are stored: value name, the snapshot change, and the stored kind|value.
struct TStoredCase {
  const char* label;
  const char* name;
  void (*change)(TSettingsSnapshot&);
  const char* stored;
};

void PrintTo(const TStoredCase& c, std::ostream* os) { PrintCase(os, c.label, c.name, c.stored); }

const TStoredCase kStoredCases[] = {
    {"TextSpinNotANumber", "ThumbXSize", [](TSettingsSnapshot& s) { s.ThumbXSize = "abc"; },
     "REG_DWORD|120"},
    {"TextSpinEmpty", "ThumbYSize", [](TSettingsSnapshot& s) { s.ThumbYSize = ""; },
     "REG_DWORD|120"},
    {"TextSpinBeyondLimits", "ThumbXSize", [](TSettingsSnapshot& s) { s.ThumbXSize = "250"; },
     "REG_DWORD|250"},
    {"TextSpinLeadingBlank", "ThumbXSize", [](TSettingsSnapshot& s) { s.ThumbXSize = " 42"; },
     "REG_DWORD|42"},
    {"TextSpinTrailingBlank", "ThumbXSize", [](TSettingsSnapshot& s) { s.ThumbXSize = "42 "; },
     "REG_DWORD|120"},
    {"TextSpinHex", "ThumbXSize", [](TSettingsSnapshot& s) { s.ThumbXSize = "$10"; },
     "REG_DWORD|16"},
    {"NoSelection", "IndexType", [](TSettingsSnapshot& s) { s.IndexType = -1; }, "REG_DWORD|-1"},
    {"GridIndex", "IndexType", [](TSettingsSnapshot& s) { s.IndexType = 4; }, "REG_DWORD|4"},
    {"NoResultFolder", "ResultFolder", [](TSettingsSnapshot& s) { s.ResultFolder = -1; },
     "REG_DWORD|-1"},
    {"RadioFirst", "HtmlNames", [](TSettingsSnapshot& s) { s.HtmlNames = 0; }, "REG_DWORD|0"},
    {"RadioOther", "ImageType", [](TSettingsSnapshot& s) { s.ImageType = 5; }, "REG_DWORD|1"},
    {"FlagOn", "CreateThumbs", [](TSettingsSnapshot& s) { s.CreateThumbs = true; }, "REG_DWORD|1"},
    {"FlagOff", "CreateThumbs", [](TSettingsSnapshot& s) { s.CreateThumbs = false; },
     "REG_DWORD|0"},
    {"TextUntrimmed", "ImagesMask", [](TSettingsSnapshot& s) { s.ImagesMask = " *.jpg "; },
     "REG_SZ| *.jpg "},
    {"TextQuoted", "IndexTemplate",
     [](TSettingsSnapshot& s) { s.IndexTemplate = "\"/my pics/a.htm\""; },
     "REG_SZ|\"/my pics/a.htm\""},
    {"TextEmpty", "AltFirst", [](TSettingsSnapshot& s) { s.AltFirst = ""; }, "REG_SZ|"},
    {"SpinValue", "TableWidth", [](TSettingsSnapshot& s) { s.TableWidth = 0; }, "REG_DWORD|0"},
};

class StoredValueTest : public SettingsSaveTest,
                        public ::testing::WithParamInterface<TStoredCase> {};

TEST_P(StoredValueTest, IsStoredAsItsKind) {
  TSettingsSnapshot values = Unusual();
  GetParam().change(values);
  EXPECT_TRUE(store_->SaveSettings("", values, nullptr).ok());
  EXPECT_EQ(Stored(kSettingsPath, GetParam().name), std::vector<std::string>{GetParam().stored});
}

INSTANTIATE_TEST_SUITE_P(Values, StoredValueTest, ::testing::ValuesIn(kStoredCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(SettingsSaveTest, DropDownNineLoadsAsNoneAndSavesAsMinusOne) {
  EXPECT_TRUE(store_->SaveSettings("", Unusual(), nullptr).ok());
  PutIntegers("Software\\Vorlan\\ZetGallery", {{"IndexType", 9}});
  TSettingsSnapshot window = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(window);
  EXPECT_TRUE(store_->LoadSettings("", target, nullptr).ok());
  EXPECT_EQ(window.IndexType, -1);
  EXPECT_TRUE(store_->SaveSettings("", window, nullptr).ok());
  EXPECT_EQ(Stored(kSettingsPath, "IndexType"), std::vector<std::string>{"REG_DWORD|-1"});
}

struct TSaveNameCase {
  const char* label;
  const char* name;
  const char* keyPath;  // where the values go
  const char* last;     // LastSettings afterwards
  const char* message;
};

void PrintTo(const TSaveNameCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.name, c.keyPath, c.last, c.message);
}

const TSaveNameCase kSaveNames[] = {
    {"Empty", "", kSettingsPath, "<без названия>",
     "plain: Настройка \"<без названия>\" сохранена."},
    {"Untitled", "<без названия>", kSettingsPath, "<без названия>",
     "plain: Настройка \"<без названия>\" сохранена."},
    {"CapitalUntitled", "<Без названия>",
     "HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery\\NamedSettings\\<Без названия>",
     "<Без названия>", "plain: Настройка \"<Без названия>\" сохранена."},
    {"Named", "Trip", "HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery\\NamedSettings\\Trip",
     "Trip", "plain: Настройка \"Trip\" сохранена."},
    {"Blanks", " a b ", "HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery\\NamedSettings\\ a b ",
     " a b ", "plain: Настройка \" a b \" сохранена."},
};

class SaveNameTest : public SettingsSaveTest,
                     public ::testing::WithParamInterface<TSaveNameCase> {};

TEST_P(SaveNameTest, ChoosesTheKeyAndRemembersTheName) {
  presets_.text = GetParam().name;
  EXPECT_TRUE(store_->SaveSettings(GetParam().name, Unusual(), &presets_).ok());
  EXPECT_EQ(Stored(GetParam().keyPath, "ThumbsFolder"), std::vector<std::string>{"REG_SZ|mini"});
  EXPECT_EQ(LastSettings(), GetParam().last);
  EXPECT_EQ(ui_.boxes, std::vector<std::string>{GetParam().message});
  // The list is refilled and the typed text stays.
  EXPECT_EQ(presets_.text, GetParam().name);
  EXPECT_EQ(presets_.entries, store_->RefreshSettingsList(nullptr));
}

INSTANTIATE_TEST_SUITE_P(Names, SaveNameTest, ::testing::ValuesIn(kSaveNames),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(SettingsSaveTest, SavingUnderAnotherCaseWritesIntoTheExistingPreset) {
  EXPECT_TRUE(store_->SaveSettings("trip", DesignTimeSettingsSnapshot(), nullptr).ok());
  EXPECT_TRUE(store_->SaveSettings("Trip", Unusual(), &presets_).ok());
  EXPECT_EQ(QuerySql("SELECT name FROM keys WHERE fold = 'trip'"),
            std::vector<std::string>{"trip"});
  EXPECT_TRUE(store_->ReadPresetSnapshot("TRIP").value() == Unusual());
  EXPECT_EQ(std::count(presets_.entries.begin(), presets_.entries.end(), "trip"), 1);
  EXPECT_EQ(LastSettings(), "Trip");
}

TEST_F(SettingsSaveTest, CyrillicNamesIgnoreCaseToo) {
  EXPECT_TRUE(store_->SaveSettings("Поездка", DesignTimeSettingsSnapshot(), nullptr).ok());
  EXPECT_TRUE(store_->SaveSettings("ПОЕЗДКА", Unusual(), &presets_).ok());
  EXPECT_EQ(presets_.entries, (std::vector<std::string>{"<без названия>", "Поездка"}));
  EXPECT_TRUE(store_->ReadPresetSnapshot("поездка").value() == Unusual());
}

TEST_F(SettingsSaveTest, OtherValuesOfTheKeyAreLeftAlone) {
  PutTexts("Software\\Vorlan\\ZetGallery\\NamedSettings\\Trip", {{"Comment", "mine"}});
  EXPECT_TRUE(store_->SaveSettings("Trip", Unusual(), nullptr).ok());
  EXPECT_EQ(Stored(std::string(kNamedPath) + "Trip", "Comment"),
            std::vector<std::string>{"REG_SZ|mine"});
}

TEST_F(SettingsSaveTest, AFailedSaveWritesNoneOfTheValues) {
  EXPECT_TRUE(store_->SaveSettings("Trip", DesignTimeSettingsSnapshot(), nullptr).ok());
  const std::vector<std::string> before = QuerySql("SELECT * FROM readable_values");
  // The database refuses one value in the middle of the table.
  ExecuteSql(
      "CREATE TRIGGER refuse_update BEFORE UPDATE ON vals WHEN NEW.name = 'IndexType' "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END;"
      "CREATE TRIGGER refuse_insert BEFORE INSERT ON vals WHEN NEW.name = 'IndexType' "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
  ui_.boxes.clear();
  presets_.entries = {"stale"};
  for (const char* name : {"Trip", "New"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(StatusOf(store_->SaveSettings(name, Unusual(), &presets_)).message(),
              "Failed to set data for 'IndexType'");
    EXPECT_EQ(LastSettings(), name);
  }
  // Trip keeps every old value, New was not created, and nothing was announced.
  std::vector<std::string> after = QuerySql("SELECT * FROM readable_values");
  EXPECT_EQ(after.size(), before.size());
  for (size_t i = 0; i < std::min(after.size(), before.size()); ++i) {
    if (after[i].find("LastSettings") == std::string::npos) {
      EXPECT_EQ(after[i], before[i]);
    }
  }
  EXPECT_TRUE(QuerySql("SELECT id FROM keys WHERE fold = 'new'").empty());
  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_EQ(presets_.entries, std::vector<std::string>{"stale"});
}

}  // namespace

}  // namespace zetgallery
