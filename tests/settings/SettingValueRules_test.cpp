// Values planted in the settings file pass the rules of the window's controls: the window puts
// the default into a control whose value fails them and says so; the command line refuses the
// preset, naming the value.
#include <gtest/gtest.h>

#include "SettingsTestSupport.h"
#include "support/CaseNames.h"

namespace zetgallery {

namespace {

constexpr char kFolderRule[] =
    "имя папки может состоять только из латинских букв, цифр, \"-\" и \"_\"";
constexpr char kFileRule[] =
    "имя файла не может быть пустым, \".\" или \"..\" и не может содержать \"/\"";
constexpr char kNotUtf8[] = "текст не в кодировке UTF-8";

struct TPlantedCase {
  const char* label;
  const char* name;
  std::string stored;
  const char* reason;  // nullptr when the value passes
};

void PrintTo(const TPlantedCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.name, c.stored, c.reason);
}

const TPlantedCase kPlanted[] = {
    {"ThumbsOnAnotherHost", "ThumbsFolder", "//evil.example", kFolderRule},
    {"ThumbsInASiblingFolder", "ThumbsFolder", "../sibling", kFolderRule},
    {"AbsoluteButtons", "ButtonsFolder", "/home/user/buttons", kFolderRule},
    {"CyrillicButtons", "ButtonsFolder", "кнопки", kFolderRule},
    {"IndexFileNotUtf8", "IndexFile", "\xFFindex.htm", kNotUtf8},
    {"ColourWithAnOverlongSlash", "TableBorderColor", "\xC0\xAF", kNotUtf8},
    {"AltLongerThanAnEdit", "AltFirst", std::string(32768, 'a'), "текст длиннее 32767 знаков"},
    {"LatinDigitsDashAndUnderscore", "ThumbsFolder", "Thumbs-2_b", nullptr},
    {"AltAsLongAsAnEditInCharacters", "AltPrev", std::string(32766, 'a') + "я", nullptr},
    {"IndexFileInTheParentFolder", "IndexFile", "../index.htm", nullptr},
    {"ArchiveInTheParentFolder", "ArchiveName", "../pictures.zip", kFileRule},
    {"ArchiveAbsolute", "ArchiveName", "/tmp/pictures.zip", kFileRule},
    {"ArchiveTheParent", "ArchiveName", "..", kFileRule},
    {"ArchiveCyrillicWithBlanks", "ArchiveName", "все картинки.zip", nullptr},
};

class PlantedValueTest : public SettingsDatabaseTest,
                         public ::testing::WithParamInterface<TPlantedCase> {};

TEST_P(PlantedValueTest, IsRefusedByNameOrKept) {
  const TPlantedCase& c = GetParam();
  PutTexts("Software\\Vorlan\\ZetGallery\\NamedSettings\\trip", {{c.name, c.stored}});
  TSettingsSnapshot window = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(window);
  EXPECT_TRUE(store_->LoadSettings("trip", target, nullptr).ok());
  const TSettingRow& row = *FindSettingRow(c.name);
  EXPECT_EQ(window.*row.Text, c.reason ? DefaultTextOf(row) : c.stored);
  const std::string line = "\r\n" + std::string(c.name) + ": " + (c.reason ? c.reason : "") + ".";
  std::vector<std::string> shown;
  if (c.reason)
    shown.push_back("Настройка \"trip\": недопустимые значения заменены значениями по умолчанию:" +
                    line);
  EXPECT_EQ(ui_.errors, shown);
  const TStatusOr<TSettingsSnapshot> strict = store_->ReadPresetSnapshotStrictly("trip", true);
  if (strict.ok()) {
    EXPECT_EQ(strict.value(), window);
  }
  EXPECT_EQ(strict.status().message(),
            c.reason ? "Настройка \"trip\" не загружена: в ней недопустимые значения:" + line : "");
}

INSTANTIATE_TEST_SUITE_P(Values, PlantedValueTest, ::testing::ValuesIn(kPlanted),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace

}  // namespace zetgallery
