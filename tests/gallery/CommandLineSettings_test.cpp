// The command line never builds or lists on settings it was not given: a preset that does not
// exist or holds no values, a value its control would not hold, and a settings file that is
// locked, not ours, or damaged, end the run with status 1 before anything is scanned, cleared or
// written.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "FolderSnapshot.h"
#include "ProgramRunner.h"
#include "TestPictures.h"
#include "settings/SettingsStore.h"
#include "support/CaseNames.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

// Another program holding the settings file: no other connection may read it meanwhile.
class THeldSettingsFile {
 public:
  explicit THeldSettingsFile(const std::string& path) {
    sqlite3_open(path.c_str(), &handle_);
    sqlite3_exec(handle_,
                 "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; "
                 "INSERT INTO keys(parent, name, fold) VALUES(NULL, 'held', 'held');",
                 nullptr, nullptr, nullptr);
  }
  ~THeldSettingsFile() {
    sqlite3_exec(handle_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(handle_);
  }

 private:
  sqlite3* handle_ = nullptr;
};

// Overwrites the file from its second 4 KiB page on: the header stays, the tables are garbage.
void Damage(const std::string& path) {
  const auto size = fs::file_size(path);
  ASSERT_GT(size, 4096u);
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(4096);
  file << std::string(size - 4096, '\x5A');
}

struct TSettingsErrorCase {
  const char* label;
  std::function<void(const std::string& registry)> arrange;
  std::vector<std::string> arguments;  // the pictures' folder follows
  bool holdTheFile;
  const char* message;  // a piece of the message on standard error
};

class CommandLineSettingsError : public ::testing::TestWithParam<TSettingsErrorCase> {};

TEST_P(CommandLineSettingsError, ExitsWithOneAndTouchesNothing) {
  const TSettingsErrorCase& c = GetParam();
  TTempFolder folder;
  const std::string photos = folder / "photos";
  fs::create_directories(photos + "/trip");
  ASSERT_TRUE(MakeTestPicture(photos + "/trip/sea.jpg", 64, 48));
  // With the default settings the gallery would go into "photos", clearing its HTML files.
  WriteWholeFile(photos + "/about.html", "<p>About me</p>");
  WriteWholeFile(photos + "/index.htm", "<p>My own index</p>");
  TTempFolder settingsFolder;
  const std::string registry = settingsFolder / "registry.db";
  TSettingsSnapshot settings = DesignTimeSettingsSnapshot();
  SavePresetInto(registry, "trip", settings);
  c.arrange(registry);
  const auto before = FolderContents(photos);

  std::vector<std::string> arguments = c.arguments;
  arguments.push_back(photos + "/trip");
  TCommandRun run;
  if (c.holdTheFile) {
    THeldSettingsFile held(registry);
    run = RunZetGallery(settingsFolder.Path(), registry, arguments);
  } else {
    run = RunZetGallery(settingsFolder.Path(), registry, arguments);
  }

  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(FolderContents(photos), before);
}

void PrintTo(const TSettingsErrorCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.arguments, c.holdTheFile, c.message);
}

const char kLocked[] = "registry.db\": файл занят другой программой.";
const char kNotADatabase[] = "registry.db\": это не файл базы данных.";
const char kDamaged[] = "registry.db\": файл повреждён.";

void NoChange(const std::string&) {}

void NotADatabase(const std::string& registry) {
  fs::remove(registry);
  WriteWholeFile(registry, "my notes\nnot a database\n");
}

// Stores ThumbsFolder "../sibling" with clearing in preset "trip", as a hand edit could.
void PlantSiblingThumbs(const std::string& registry) {
  TZetRegistry settings(TRegistryDatabase::Open(registry));
  ASSERT_TRUE(settings.OpenKey(std::string(kNamedSettingsKey) + "\\trip", false));
  EXPECT_TRUE(settings.WriteString("ThumbsFolder", "../sibling").ok());
  EXPECT_TRUE(settings.WriteBool("ClearThumbsFolder", true).ok());
}

// The release before saved a preset "trips\2023" as the key 2023 inside a key "trips".
void NestedPreset(const std::string& registry) {
  TZetRegistry settings(TRegistryDatabase::Open(registry));
  ASSERT_TRUE(settings.OpenKey(std::string(kNamedSettingsKey) + "\\trips\\2023", true));
  EXPECT_TRUE(settings.WriteString("IndexFile", "i.htm").ok());
  ASSERT_TRUE(settings.OpenKey("\\" + std::string(kSettingsKey), false));
  EXPECT_TRUE(settings.WriteString(kLastSettingsValue, "trips\\2023").ok());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineSettingsError,
    ::testing::Values(
        TSettingsErrorCase{"BuildWithAMissingPreset",
                           NoChange,
                           {"--build", "--yes", "--preset", "Море"},
                           false,
                           "Настройка \"Море\" не найдена."},
        TSettingsErrorCase{"ListWithAMissingPreset",
                           NoChange,
                           {"--list", "--preset", "trip2"},
                           false,
                           "Настройка \"trip2\" не найдена."},
        TSettingsErrorCase{"BuildWithALockedFile", NoChange, {"--build", "--yes"}, true, kLocked},
        TSettingsErrorCase{
            "ListWithALockedFile", NoChange, {"--list", "--preset", "trip"}, true, kLocked},
        TSettingsErrorCase{"BuildWithAFileThatIsNotADatabase",
                           NotADatabase,
                           {"--build", "--yes"},
                           false,
                           kNotADatabase},
        TSettingsErrorCase{"BuildWithADamagedFile", Damage, {"--build", "--yes"}, false, kDamaged},
        TSettingsErrorCase{"ListWithADamagedFile", Damage, {"--list"}, false, kDamaged},
        TSettingsErrorCase{"BuildWithThumbsInASiblingFolder",
                           PlantSiblingThumbs,
                           {"--build", "--yes", "--preset", "trip"},
                           false,
                           "в ней недопустимые значения:\nThumbsFolder: имя папки"},
        TSettingsErrorCase{"BuildWithAPresetWithoutValues",
                           NestedPreset,
                           {"--build", "--yes", "--preset", "trips"},
                           false,
                           "Настройка \"trips\" пуста: в ней нет ни одного сохранённого значения."},
        TSettingsErrorCase{"ListWithABackslashInTheLastPresetsName",
                           NestedPreset,
                           {"--list"},
                           false,
                           "в имени настройки не может быть знака \"\\\\\"."}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CommandLineSettings, TheUntitledPresetNeedsNoSavedValues) {
  // "<без названия>" always exists: on a new settings file it means the defaults.
  TTempFolder folder;
  fs::create_directories(folder / "trip");
  ASSERT_TRUE(MakeTestPicture(folder / "trip/sea.jpg", 64, 48));
  const TCommandRun run = RunZetGallery(folder.Path(), folder / "registry.db",
                                        {"--list", "--preset", "<без названия>", "trip"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "sea.jpg\n");
}

}  // namespace

}  // namespace zetgallery
