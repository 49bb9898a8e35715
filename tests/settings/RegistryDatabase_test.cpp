#include "RegistryDatabase.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <cstdlib>
#include <functional>
#include <optional>

#include "SettingsFiles.h"
#include "SettingsStore.h"
#include "SettingsTestSupport.h"
#include "WholeFiles.h"

using namespace std::string_literals;

namespace {

// Sets or unsets environment variables for one test and puts them back afterwards.
class TEnvironmentGuard {
 public:
  void Set(const char* name, const std::optional<std::string>& value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~TEnvironmentGuard() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) {
        setenv(it->first.c_str(), it->second->c_str(), 1);
      } else {
        unsetenv(it->first.c_str());
      }
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

struct TPathCase {
  const char* label;
  std::optional<std::string> registry;
  std::optional<std::string> configHome;
  const char* expected;
};

const TPathCase kPathCases[] = {
    {"ExplicitFile", "/data/test.db", "/cfg", "/data/test.db"},
    {"EmptyExplicitIgnored", "", "/cfg", "/cfg/ZetGallery/registry.db"},
    {"ConfigHome", std::nullopt, "/cfg", "/cfg/ZetGallery/registry.db"},
    {"NoConfigHome", std::nullopt, std::nullopt, "/home/u/.config/ZetGallery/registry.db"},
    {"EmptyConfigHome", std::nullopt, "", "/home/u/.config/ZetGallery/registry.db"},
    {"RelativeConfigHome", std::nullopt, "cfg", "/home/u/.config/ZetGallery/registry.db"},
};

class DefaultPathTest : public ::testing::TestWithParam<TPathCase> {};

TEST_P(DefaultPathTest, FollowsTheEnvironment) {
  TEnvironmentGuard guard;
  guard.Set("ZETGALLERY_REGISTRY", GetParam().registry);
  guard.Set("XDG_CONFIG_HOME", GetParam().configHome);
  guard.Set("HOME", std::string("/home/u"));
  EXPECT_EQ(DefaultRegistryPath(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Environment, DefaultPathTest, ::testing::ValuesIn(kPathCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(RegistryDatabaseTest, CreatesTheFileWithItsFolders) {
  TTempFolder folder;
  const std::string path = folder / "a/b/ZetGallery/registry.db";
  auto database = TRegistryDatabase::Open(path);
  ASSERT_TRUE(database->Available()) << database->OpenError();
  EXPECT_TRUE(database->OpenError().empty());
  TZetRegistry registry(database);
  ASSERT_TRUE(registry.OpenKey("Software", true));
  registry.WriteInteger("N", 3);
  registry.CloseKey();
  database.reset();
  // A second start finds what the first one wrote.
  auto again = TRegistryDatabase::Open(path);
  TZetRegistry reader(again);
  ASSERT_TRUE(reader.OpenKey("Software", false));
  EXPECT_EQ(reader.ReadInteger("N"), 3);
  EXPECT_EQ(RunSqlOn(path, "PRAGMA application_id"), std::to_string(kRegistryApplicationId));
}

TEST(RegistryDatabaseTest, ADroppedViewComesBackWithTheValuesKept) {
  TTempFolder folder;
  const std::string path = folder / "registry.db";
  {
    TZetRegistry registry(TRegistryDatabase::Open(path));
    ASSERT_TRUE(registry.OpenKey("Software", true));
    registry.WriteInteger("N", 12);
  }
  sqlite3* handle = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &handle), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(handle, "DROP VIEW readable_values", nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(handle);
  ASSERT_TRUE(TRegistryDatabase::Open(path)->Available());
  ASSERT_EQ(sqlite3_open(path.c_str(), &handle), SQLITE_OK);
  sqlite3_stmt* statement = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(handle, "SELECT name, value FROM readable_values", -1, &statement,
                               nullptr),
            SQLITE_OK);
  ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "N");
  EXPECT_EQ(sqlite3_column_int(statement, 1), 12);
  sqlite3_finalize(statement);
  sqlite3_close(handle);
}

TEST(RegistryDatabaseTest, AnEmptyFileBecomesTheDatabase) {
  TTempFolder folder;
  const std::string path = folder / "registry.db";
  WriteWholeFile(path, "");
  EXPECT_TRUE(TRegistryDatabase::Open(path)->Available());
  EXPECT_EQ(RunSqlOn(path, "PRAGMA application_id"), std::to_string(kRegistryApplicationId));
}

// Files that are not ours, and files of ours that are damaged: each must be refused and left
// exactly as it was.
struct TForeignFileCase {
  const char* label;
  std::function<void(const std::string& path)> make;
  const char* reason;
};

std::function<void(const std::string&)> Bytes(const std::string& bytes) {
  return [bytes](const std::string& path) { WriteWholeFile(path, bytes); };
}

std::function<void(const std::string&)> Sql(const std::string& sql) {
  return [sql](const std::string& path) { RunSqlOn(path, sql); };
}

// A settings file of ours holding a few settings, then changed by `sql`; damaged when asked.
std::function<void(const std::string&)> Ours(const std::string& sql, bool damaged = false) {
  return [sql, damaged](const std::string& path) {
    {
      TZetRegistry registry(TRegistryDatabase::Open(path));
      ASSERT_TRUE(registry.OpenKey("Software", true));
      registry.WriteString("ThumbsFolder", "pics");
      registry.WriteInteger("IndexType", 2);
    }
    if (!sql.empty()) RunSqlOn(path, sql);
    if (damaged) DamageIndexOfValues(path);
  };
}

// How a file of the previous release looks: our tables, unmarked, in write-ahead logging.
constexpr char kPreviousRelease[] = "PRAGMA application_id = 0; PRAGMA journal_mode = WAL;";

const TForeignFileCase kForeignFiles[] = {
    {"PlainText", Bytes("my notes\nnot a database\n"), kSettingsFileNotADatabaseReason},
    {"BinaryJunk",
     Bytes(std::string("\x7f"
                       "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0",
                       16) +
           std::string(4000, 'z')),
     kSettingsFileNotADatabaseReason},
    {"TruncatedSqliteHeader", Bytes("SQLite format 3"), kSettingsFileNotADatabaseReason},
    {"OtherProgramsDatabase",
     Sql("CREATE TABLE photos(id INTEGER, file TEXT); INSERT INTO photos VALUES(1, 'sea.jpg');"),
     kForeignDatabaseReason},
    {"TablesNamedKeysAndVals",
     Sql("CREATE TABLE keys(id INTEGER PRIMARY KEY, name TEXT); CREATE TABLE vals(key, data);"
         "INSERT INTO keys VALUES(1, 'mine');"),
     kForeignDatabaseReason},
    {"KeysAndValsInWriteAheadLogging",
     Sql("PRAGMA journal_mode = WAL; CREATE TABLE keys(a); CREATE TABLE vals(b);"),
     kForeignDatabaseReason},
    {"OurTablesUnderAnotherApplicationId", Ours("PRAGMA application_id = 1196444487"),
     kForeignDatabaseReason},
    {"PreviousReleaseTablesAndOneMore", Ours(kPreviousRelease + "CREATE TABLE notes(x);"s),
     kForeignDatabaseReason},
    {"DamagedIndexOfValues", Ours("", true), kSettingsFileDamagedReason},
    {"DamagedPreviousReleaseFile", Ours(kPreviousRelease, true), kSettingsFileDamagedReason},
};

class ForeignFileTest : public ::testing::TestWithParam<TForeignFileCase> {};

TEST_P(ForeignFileTest, IsReportedAndLeftUntouched) {
  TTempFolder folder;
  const std::string path = folder / "registry.db";
  GetParam().make(path);
  const std::string before = ReadWholeFile(path);

  TEnvironmentGuard guard;
  guard.Set("ZETGALLERY_REGISTRY", path);
  TRecordingUserInterface ui;
  auto database = OpenSettingsDatabase(ui);
  EXPECT_FALSE(database->Available());
  EXPECT_EQ(database->OpenReason(), GetParam().reason);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_NE(ui.boxes[0].find("error: "), std::string::npos);
  EXPECT_NE(ui.boxes[0].find("\"" + path + "\""), std::string::npos) << ui.boxes[0];
  EXPECT_EQ(ui.boxes[0], "error: " + database->OpenError());

  // The program goes on with the defaults, and a save fails instead of touching the file.
  TSettingsStore store(database, ui);
  TPresetListModel presets;
  EXPECT_EQ(store.RefreshSettingsList(&presets), std::vector<std::string>{kUntitledPresetName});
  TSettingsSnapshot loaded = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(loaded);
  store.LoadLastSettings(target, presets);
  EXPECT_EQ(loaded.ThumbsFolder, "thumbs");
  EXPECT_EQ(loaded.IndexType, 3);
  try {
    store.SaveSettings("Trip", loaded, &presets);
    ADD_FAILURE() << "saved into an unusable file";
  } catch (const TRegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'LastSettings'");
  }
  store.DeleteSettings("Trip", &presets);
  database.reset();
  EXPECT_EQ(ReadWholeFile(path), before);
  for (const char* companion : {"-wal", "-shm", "-journal"})
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path + companion))) << companion;
}

INSTANTIATE_TEST_SUITE_P(Files, ForeignFileTest, ::testing::ValuesIn(kForeignFiles),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(RegistryDatabaseTest, APreviousReleaseFileIsMarkedAndKeepsItsValues) {
  TTempFolder folder;
  const std::string path = folder / "registry.db";
  Ours(kPreviousRelease)(path);
  TZetRegistry registry(TRegistryDatabase::Open(path));
  ASSERT_TRUE(registry.OpenKey("Software", false));
  EXPECT_EQ(registry.ReadString("ThumbsFolder"), "pics");
  EXPECT_EQ(RunSqlOn(path, "PRAGMA application_id"), std::to_string(kRegistryApplicationId));
  EXPECT_EQ(RunSqlOn(path, "PRAGMA journal_mode"), "delete");
}

TEST(RegistryDatabaseTest, AFolderInPlaceOfTheFileIsReported) {
  TTempFolder folder;
  const std::string path = folder.Path();
  auto database = TRegistryDatabase::Open(path);
  EXPECT_FALSE(database->Available());
  EXPECT_NE(database->OpenError().find(path), std::string::npos);
  TZetRegistry registry(database);
  EXPECT_FALSE(registry.OpenKey("Software", true));
  EXPECT_THROW(registry.WriteString("A", "b"), TRegistryError);
}

}  // namespace
