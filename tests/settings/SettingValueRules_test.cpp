// Values planted in the settings file pass the rules of the window's controls: the window puts
// the default into a control whose value fails them and says so once; the command line refuses
// the preset, naming each value.
#include <gtest/gtest.h>

#include <cstring>

#include "SettingsTestSupport.h"
#include "ZetStrings.h"

namespace {

constexpr char kTrip[] = "Software\\Vorlan\\ZetGallery\\NamedSettings\\trip";
constexpr char kFolderRule[] = "имя папки может состоять только из латинских букв, цифр";

std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

struct TPlantedCase {
  const char* label;
  const char* name;
  std::string stored;
  const char* reason;  // a piece of the reason given; nullptr when the value passes
};

const TPlantedCase kPlanted[] = {
    {"ThumbsOnAnotherHost", "ThumbsFolder", "//evil.example", kFolderRule},
    {"ThumbsInASiblingFolder", "ThumbsFolder", "../sibling", kFolderRule},
    {"AbsoluteButtons", "ButtonsFolder", "/home/user/buttons", kFolderRule},
    {"ButtonsClimbingOut", "ButtonsFolder", "..", kFolderRule},
    {"ThumbsWithABlank", "ThumbsFolder", "my thumbs", kFolderRule},
    {"CyrillicThumbs", "ThumbsFolder", "миниатюры", kFolderRule},
    {"IndexFileNotUtf8", "IndexFile", "\xFFindex.htm", "не в кодировке UTF-8"},
    {"ColourWithAnOverlongSlash", "TableBorderColor", "\xC0\xAF", "не в кодировке UTF-8"},
    {"AltLongerThanAnEdit", "AltFirst", std::string(32768, 'a'), "длиннее 32767 знаков"},
    {"LatinDigitsDashAndUnderscore", "ThumbsFolder", "Thumbs-2_b", nullptr},
    {"AltAsLongAsAnEdit", "AltFirst", std::string(32767, 'a'), nullptr},
    {"CyrillicAltAsLongAsAnEdit", "AltPrev", Repeated("я", 32767), nullptr},
    {"IndexFileInTheParentFolder", "IndexFile", "../index.htm", nullptr},
    {"BlankThumbsTakeTheDefaultSilently", "ThumbsFolder", "  ", nullptr},
};

class PlantedValueTest : public SettingsDatabaseTest,
                         public ::testing::WithParamInterface<TPlantedCase> {};

TEST_P(PlantedValueTest, PassesTheControlsRulesOrIsRefusedByName) {
  const TPlantedCase& c = GetParam();
  const TSettingRow& row = *FindSettingRow(c.name);
  PutTexts(kTrip, {{"ImagesMask", "*.png"}, {c.name, c.stored}});
  TSettingsSnapshot window = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(window);
  store_->LoadSettings("trip", target, nullptr);
  EXPECT_EQ(window.ImagesMask, "*.png");
  const std::string named = std::string(c.name) + ": ";
  if (c.reason == nullptr) {
    EXPECT_EQ(window.*row.Text,
              TrimControlAndBlanks(c.stored).empty() ? DefaultTextOf(row) : c.stored);
    EXPECT_EQ(ui_.errors, std::vector<std::string>{});
    EXPECT_EQ(store_->ReadPresetSnapshotStrictly("trip", true), window);
    return;
  }
  EXPECT_EQ(window.*row.Text, DefaultTextOf(row));
  ASSERT_EQ(ui_.errors.size(), 1u);
  EXPECT_EQ(ui_.errors[0].rfind("Настройка \"trip\": недопустимые значения заменены значениями "
                                "по умолчанию:\r\n" +
                                    named,
                                0),
            0u)
      << ui_.errors[0];
  EXPECT_NE(ui_.errors[0].find(c.reason), std::string::npos) << ui_.errors[0];
  try {
    store_->ReadPresetSnapshotStrictly("trip", true);
    ADD_FAILURE() << "the command line took " << c.name;
  } catch (const TRegistryError& error) {
    EXPECT_NE(std::strstr(error.what(), ("\r\n" + named).c_str()), nullptr) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Values, PlantedValueTest, ::testing::ValuesIn(kPlanted),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(SettingsDatabaseTest, EveryRefusedValueIsNamedInOneMessage) {
  PutTexts(kTrip, {{"ThumbsFolder", "/a"}, {"ButtonsFolder", "b/c"}});
  TSettingsSnapshot window = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(window);
  store_->LoadSettings("trip", target, nullptr);
  EXPECT_EQ(ui_.errors, std::vector<std::string>{
                            "Настройка \"trip\": недопустимые значения заменены значениями по "
                            "умолчанию:\r\nThumbsFolder: имя папки может состоять только из "
                            "латинских букв, цифр, \"-\" и \"_\".\r\nButtonsFolder: имя папки "
                            "может состоять только из латинских букв, цифр, \"-\" и \"_\"."});
  EXPECT_EQ(window.ButtonsFolder, "buttons");
}

}  // namespace
