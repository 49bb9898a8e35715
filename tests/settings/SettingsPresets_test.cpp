// The preset list, the preset used last, deleting presets, and a first start.
#include <gtest/gtest.h>

#include <algorithm>

#include "SettingsTestSupport.h"
#include "settings/SettingsStore.h"
#include "support/CaseNames.h"
#include "support/StatusOf.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

constexpr char kNamed[] = "Software\\Vorlan\\ZetGallery\\NamedSettings\\";

class PresetsTest : public SettingsDatabaseTest {
 protected:
  void MakePresets(const std::vector<std::string>& names) {
    for (const std::string& name : names) PutTexts(kNamed + name, {{"AltIndex", name}});
  }

  TPresetListModel presets_;
};

TEST_F(PresetsTest, FirstStartCreatesTheKeysAndWritesOnlyLastSettings) {
  TSettingsSnapshot window = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(window);
  store_->RefreshSettingsList(&presets_);
  EXPECT_TRUE(store_->LoadLastSettings(target, presets_).ok());
  EXPECT_EQ(QuerySql("WITH RECURSIVE p(id, path) AS (SELECT id, name FROM keys WHERE parent IS "
                     "NULL UNION ALL SELECT keys.id, p.path || '/' || keys.name FROM keys JOIN p "
                     "ON keys.parent = p.id) SELECT path FROM p ORDER BY path"),
            (std::vector<std::string>{
                "HKEY_CURRENT_USER", "HKEY_CURRENT_USER/Software",
                "HKEY_CURRENT_USER/Software/Vorlan", "HKEY_CURRENT_USER/Software/Vorlan/ZetGallery",
                "HKEY_CURRENT_USER/Software/Vorlan/ZetGallery/NamedSettings"}));
  EXPECT_EQ(QuerySql("SELECT key, name, kind, value FROM readable_values"),
            std::vector<std::string>{
                "HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery|LastSettings|REG_SZ|"});
  EXPECT_EQ(presets_.entries, std::vector<std::string>{kUntitledPresetName});
  EXPECT_EQ(presets_.selected, -1);
  EXPECT_EQ(presets_.text, kUntitledPresetName);
  EXPECT_EQ(window.ThumbsFolder, "thumbs");
}

TEST_F(PresetsTest, ListHoldsEveryPresetAndTheUntitledOneSorted) {
  MakePresets({"beta", "Alpha", "gamma", "Delta", "<Без названия>", "ёж", "Яблоко", "10", "9"});
  // A sub-key of a preset is no preset of its own.
  PutTexts(std::string(kNamed) + "beta\\inner", {{"A", "b"}});
  presets_.text = "typed";
  const std::vector<std::string> names = store_->RefreshSettingsList(&presets_);
  std::vector<std::string> expected{"beta", "Alpha",  "gamma", "Delta", "<Без названия>",
                                    "ёж",   "Яблоко", "10",    "9",     "<без названия>"};
  std::vector<std::string> sortedNames = names;
  std::sort(sortedNames.begin(), sortedNames.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sortedNames, expected);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const auto& a, const auto& b) {
    return CompareForSortedList(a, b) < 0;
  }));
  const auto at = [&](const char* name) { return std::find(names.begin(), names.end(), name); };
  EXPECT_LT(at("Alpha"), at("beta"));
  EXPECT_LT(at("beta"), at("Delta"));
  EXPECT_LT(at("Delta"), at("gamma"));
  EXPECT_EQ(presets_.entries, names);
  EXPECT_EQ(presets_.text, "typed");
}

// LastSettings before a start, and which entry the start selects.
struct TLastCase {
  const char* label;
  const char* last;      // nullptr: absent
  int selected;          // index into {"<без названия>", "Trip"}, -1 none
  const char* text;      // the list's text afterwards (starts empty)
  const char* altIndex;  // which values were loaded
};

void PrintTo(const TLastCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.last, c.selected, c.text, c.altIndex);
}

const TLastCase kLastCases[] = {
    {"Absent", nullptr, -1, "<без названия>", "untitled"},
    {"Empty", "", -1, "<без названия>", "untitled"},
    {"Untitled", "<без названия>", 0, "<без названия>", "untitled"},
    {"SameCase", "Trip", 1, "Trip", "Trip"},
    {"OtherCase", "tRIP", 1, "Trip", "Trip"},
    {"Deleted", "Gone", -1, "", "untitled"},
    {"CapitalUntitled", "<БЕЗ НАЗВАНИЯ>", 0, "<без названия>", "untitled"},
};

class LoadLastTest : public PresetsTest, public ::testing::WithParamInterface<TLastCase> {};

TEST_P(LoadLastTest, LoadsThePresetAndSelectsItsEntry) {
  PutTexts("Software\\Vorlan\\ZetGallery", {{"AltIndex", "untitled"}});
  MakePresets({"Trip"});
  if (GetParam().last)
    PutTexts("Software\\Vorlan\\ZetGallery", {{"LastSettings", GetParam().last}});
  store_->RefreshSettingsList(&presets_);
  TSettingsSnapshot window = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(window);
  EXPECT_TRUE(store_->LoadLastSettings(target, presets_).ok());
  EXPECT_EQ(presets_.selected, GetParam().selected);
  EXPECT_EQ(presets_.text, GetParam().text);
  EXPECT_EQ(window.AltIndex, GetParam().altIndex);
  EXPECT_EQ(LastSettings(), GetParam().last ? GetParam().last : "");
}

INSTANTIATE_TEST_SUITE_P(Names, LoadLastTest, ::testing::ValuesIn(kLastCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(PresetsTest, LastSettingsOfTheWrongKindIsAnError) {
  PutRawValue("Software\\Vorlan\\ZetGallery", "LastSettings", kRegDword, "01000000");
  TSettingsSnapshot window = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(window);
  EXPECT_EQ(StatusOf(store_->LoadLastSettings(target, presets_)).message(),
            "Invalid data type for 'LastSettings'");
  EXPECT_TRUE(window == DesignTimeSettingsSnapshot());
}

class RefusedDeleteTest : public PresetsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedDeleteTest, TheUntitledPresetCannotBeDeleted) {
  EXPECT_TRUE(store_->SaveSettings("", DesignTimeSettingsSnapshot(), nullptr).ok());
  MakePresets({"Trip"});
  const std::vector<std::string> before = QuerySql("SELECT * FROM readable_values");
  ui_.boxes.clear();
  presets_.entries = {"stale"};
  presets_.text = GetParam();
  store_->DeleteSettings(GetParam(), &presets_);
  EXPECT_EQ(ui_.boxes,
            std::vector<std::string>{"error: Нельзя удалить настройку \"<без названия>\"!"});
  EXPECT_EQ(QuerySql("SELECT * FROM readable_values"), before);
  EXPECT_EQ(presets_.entries, std::vector<std::string>{"stale"});
  EXPECT_EQ(presets_.text, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Names, RefusedDeleteTest, ::testing::Values("", "<без названия>"),
                         TPrintedCaseName());

// A backslash would make the name a path of keys inside other keys: "trips\2023" would become
// the key "2023" inside a preset "trips" with no values of its own.
class BackslashNameTest : public PresetsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BackslashNameTest, IsNotSaved) {
  presets_.text = GetParam();
  EXPECT_TRUE(store_->SaveSettings(GetParam(), DesignTimeSettingsSnapshot(), &presets_).ok());
  EXPECT_EQ(ui_.boxes, std::vector<std::string>{"error: Настройка \"" + std::string(GetParam()) +
                                                "\" не сохранена: в имени настройки не может "
                                                "быть знака \"\\\"."});
  EXPECT_EQ(QuerySql("SELECT count(*) FROM keys"), std::vector<std::string>{"0"});
  EXPECT_EQ(presets_.text, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Names, BackslashNameTest,
                         ::testing::Values("trips\\2023", "\\", "Trip\\", "\\Trip"),
                         TPrintedCaseName());

struct TDeleteCase {
  const char* label;
  const char* name;
  std::vector<std::string> remaining;  // the list afterwards
};

void PrintTo(const TDeleteCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.name, c.remaining);
}

const TDeleteCase kDeleteCases[] = {
    {"Exact", "Trip", {"<Без названия>", "<без названия>", "Море"}},
    {"OtherCase", "TRIP", {"<Без названия>", "<без названия>", "Море"}},
    {"Cyrillic", "МОРЕ", {"<Без названия>", "<без названия>", "Trip"}},
    {"CapitalUntitledIsNamed", "<Без названия>", {"<без названия>", "Trip", "Море"}},
    {"Missing", "Gone", {"<Без названия>", "<без названия>", "Trip", "Море"}},
    {"SeparatorOnly", "\\", {"<Без названия>", "<без названия>", "Trip", "Море"}},
    {"TrailingSeparator", "Trip\\", {"<Без названия>", "<без названия>", "Trip", "Море"}},
};

class DeleteTest : public PresetsTest, public ::testing::WithParamInterface<TDeleteCase> {};

TEST_P(DeleteTest, DeletesThePresetAndAnnouncesIt) {
  EXPECT_TRUE(store_->SaveSettings("", DesignTimeSettingsSnapshot(), nullptr).ok());
  MakePresets({"Trip", "Море", "<Без названия>"});
  PutTexts(std::string(kNamed) + "Trip\\Inner", {{"A", "b"}});
  PutTexts("Software\\Vorlan\\ZetGallery", {{"LastSettings", "Trip"}});
  ui_.boxes.clear();
  presets_.text = GetParam().name;
  store_->DeleteSettings(GetParam().name, &presets_);
  std::vector<std::string> entries = presets_.entries;
  std::sort(entries.begin(), entries.end());
  std::vector<std::string> remaining = GetParam().remaining;
  std::sort(remaining.begin(), remaining.end());
  EXPECT_EQ(entries, remaining);
  EXPECT_EQ(presets_.text, "");
  EXPECT_EQ(ui_.boxes, std::vector<std::string>{"plain: Настройка \"" +
                                                std::string(GetParam().name) + "\" удалена."});
  // LastSettings and the untitled preset are untouched; nothing is left of a deleted preset.
  EXPECT_EQ(LastSettings(), "Trip");
  EXPECT_EQ(QuerySql("SELECT count(*) FROM readable_values WHERE key = "
                     "'HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery'"),
            std::vector<std::string>{"62"});
  EXPECT_EQ(QuerySql("SELECT count(*) FROM keys k WHERE NOT EXISTS (SELECT 1 FROM keys p WHERE "
                     "p.id = k.parent) AND k.parent IS NOT NULL"),
            std::vector<std::string>{"0"});
  EXPECT_EQ(QuerySql("SELECT count(*) FROM vals v WHERE NOT EXISTS (SELECT 1 FROM keys k WHERE "
                     "k.id = v.key)"),
            std::vector<std::string>{"0"});
}

INSTANTIATE_TEST_SUITE_P(Names, DeleteTest, ::testing::ValuesIn(kDeleteCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(PresetsTest, DeletedLastPresetLoadsTheUntitledValuesNextTime) {
  EXPECT_TRUE(store_->SaveSettings("", DesignTimeSettingsSnapshot(), nullptr).ok());
  TSettingsSnapshot trip = DesignTimeSettingsSnapshot();
  trip.ThumbsFolder = "tripthumbs";
  EXPECT_TRUE(store_->SaveSettings("Trip", trip, &presets_).ok());
  store_->DeleteSettings("Trip", &presets_);
  TPresetListModel restarted;
  store_->RefreshSettingsList(&restarted);
  TSettingsSnapshot window = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(window);
  EXPECT_TRUE(store_->LoadLastSettings(target, restarted).ok());
  EXPECT_EQ(window.ThumbsFolder, "thumbs");
  EXPECT_EQ(restarted.selected, -1);
  EXPECT_EQ(restarted.text, "");
  EXPECT_EQ(LastSettings(), "Trip");
}

// The named preset "<Без названия>" and the untitled "<без названия>" differ only in letter case;
// the start selects the one LastSettings names exactly, whichever of them sorts first.
class ExactNameFirstTest : public PresetsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExactNameFirstTest, StartSelectsTheExactNameOverAnotherCase) {
  PutTexts("Software\\Vorlan\\ZetGallery", {{"AltIndex", "untitled"}});
  MakePresets({"<Без названия>"});
  PutTexts("Software\\Vorlan\\ZetGallery", {{"LastSettings", GetParam()}});
  store_->RefreshSettingsList(&presets_);
  TSettingsSnapshot window = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(window);
  EXPECT_TRUE(store_->LoadLastSettings(target, presets_).ok());
  ASSERT_GE(presets_.selected, 0);
  EXPECT_EQ(presets_.entries.at(static_cast<size_t>(presets_.selected)), GetParam());
  EXPECT_EQ(presets_.text, GetParam());
  EXPECT_EQ(window.AltIndex, IsUntitledPresetName(GetParam()) ? "untitled" : GetParam());
}

INSTANTIATE_TEST_SUITE_P(Names, ExactNameFirstTest,
                         ::testing::Values("<Без названия>", "<без названия>"), TPrintedCaseName());

}  // namespace

}  // namespace zetgallery
