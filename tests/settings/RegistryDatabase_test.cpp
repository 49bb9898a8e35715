#include "settings/RegistryDatabase.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <cstdlib>
#include <optional>

#include "SettingsTestSupport.h"
#include "settings/SettingsStore.h"
#include "support/CaseNames.h"
#include "support/StatusOf.h"
#include "support/WholeFiles.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

// Runs `sql` on `path` on a connection of its own, as the sqlite3 tool would; the first column
// of the last row a statement gave.
std::string RunSqlOn(const std::string& path, const std::string& sql) {
  sqlite3* handle = nullptr;
  std::string row;
  EXPECT_EQ(sqlite3_open(path.c_str(), &handle), SQLITE_OK);
  const auto keep = [](void* out, int, char** values, char**) {
    if (values[0] != nullptr) *static_cast<std::string*>(out) = values[0];
    return 0;
  };
  EXPECT_EQ(sqlite3_exec(handle, sql.c_str(), keep, &row, nullptr), SQLITE_OK) << sql;
  sqlite3_close(handle);
  return row;
}

// Changes the case of a letter of every stored setting's name inside the index page of `vals`
// only: the file stays sound enough for a quick check, yet no lookup by name finds them.
void DamageIndexOfValues(const std::string& path) {
  const size_t pageSize = std::stoul(RunSqlOn(path, "PRAGMA page_size"));
  const size_t start =
      pageSize * (std::stoul(RunSqlOn(path,
                                      "SELECT rootpage FROM sqlite_master WHERE name = "
                                      "'sqlite_autoindex_vals_1'")) -
                  1);
  std::string bytes = ReadWholeFile(path);
  ASSERT_EQ(bytes.at(start), '\x0A') << "the index must fit one leaf page";
  for (const TSettingRow& row : kSettingsTable) {
    const std::string fold = FoldCase(row.Name);
    for (size_t at = bytes.find(fold, start); at < start + pageSize; at = bytes.find(fold, at + 1))
      bytes[at + fold.size() - 1] ^= 0x20;
  }
  ASSERT_TRUE(WriteWholeFile(path, bytes));
}

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

void PrintTo(const TPathCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.registry, c.configHome, c.expected);
}

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
  ASSERT_TRUE(database->Available()) << database->OpenStatus().message();
  EXPECT_TRUE(database->OpenStatus().message().empty());
  TZetRegistry registry(database);
  ASSERT_TRUE(registry.OpenKey("Software", true));
  EXPECT_TRUE(registry.WriteInteger("N", 3).ok());
  registry.CloseKey();
  database.reset();
  // A second start finds what the first one wrote.
  auto again = TRegistryDatabase::Open(path);
  TZetRegistry reader(again);
  ASSERT_TRUE(reader.OpenKey("Software", false));
  EXPECT_EQ(reader.ReadInteger("N").value(), 3);
  EXPECT_EQ(RunSqlOn(path, "PRAGMA application_id"), std::to_string(kRegistryApplicationId));
}

TEST(RegistryDatabaseTest, ADroppedViewComesBackWithTheValuesKept) {
  TTempFolder folder;
  const std::string path = folder / "registry.db";
  {
    TZetRegistry registry(TRegistryDatabase::Open(path));
    ASSERT_TRUE(registry.OpenKey("Software", true));
    EXPECT_TRUE(registry.WriteInteger("N", 12).ok());
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
  std::string bytes;       // written as the file, or
  const char* foreignSql;  // run on a new file, or on a settings file of ours when `ours`
  bool ours;
  bool damaged;  // then its index of values damaged
  const char* reason;
};

void PrintTo(const TForeignFileCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.bytes, c.foreignSql, c.ours, c.damaged, c.reason);
}

void MakeFile(const TForeignFileCase& c, const std::string& path) {
  if (c.ours) {
    TZetRegistry registry(TRegistryDatabase::Open(path));
    ASSERT_TRUE(registry.OpenKey("Software", true));
    EXPECT_TRUE(registry.WriteString("ThumbsFolder", "pics").ok());
  }
  if (c.foreignSql) RunSqlOn(path, c.foreignSql);
  if (!c.ours && !c.foreignSql) WriteWholeFile(path, c.bytes);
  if (c.damaged) DamageIndexOfValues(path);
}

// A file of the release before the mark: our tables, unmarked, in write-ahead logging.
constexpr char kPreviousRelease[] = "PRAGMA application_id = 0; PRAGMA journal_mode = WAL;";
constexpr const char* kNotADatabase = kSettingsFileNotADatabaseReason;
constexpr const char* kForeign = kForeignDatabaseReason;

const TForeignFileCase kForeignFiles[] = {
    {"PlainText", "my notes\nnot a database\n", nullptr, false, false, kNotADatabase},
    {"BinaryJunk",
     std::string("\x7f"
                 "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0",
                 16) +
         std::string(4000, 'z'),
     nullptr, false, false, kNotADatabase},
    {"TruncatedSqliteHeader", "SQLite format 3", nullptr, false, false, kNotADatabase},
    {"OtherProgramsDatabase", "",
     "CREATE TABLE photos(id INTEGER, file TEXT);"
     "INSERT INTO photos VALUES(1, 'sea.jpg');",
     false, false, kForeign},
    {"TablesNamedKeysAndVals", "", "CREATE TABLE keys(id, name); CREATE TABLE vals(key, data);",
     false, false, kForeign},
    {"KeysAndValsInWriteAheadLogging", "",
     "PRAGMA journal_mode = WAL; CREATE TABLE keys(a); CREATE TABLE vals(b);", false, false,
     kForeign},
    {"OurTablesUnderAnotherId", "", "PRAGMA application_id = 1196444487", true, false, kForeign},
    {"PreviousReleaseAndATable", "", "PRAGMA application_id = 0; CREATE TABLE t(x)", true, false,
     kForeign},
    {"DamagedIndexOfValues", "", nullptr, true, true, kSettingsFileDamagedReason},
    {"DamagedPreviousRelease", "", kPreviousRelease, true, true, kSettingsFileDamagedReason},
};

class ForeignFileTest : public ::testing::TestWithParam<TForeignFileCase> {};

TEST_P(ForeignFileTest, IsReportedAndLeftUntouched) {
  TTempFolder folder;
  const std::string path = folder / "registry.db";
  MakeFile(GetParam(), path);
  const std::string before = ReadWholeFile(path);

  TEnvironmentGuard guard;
  guard.Set("ZETGALLERY_REGISTRY", path);
  TRecordingUserInterface ui;
  auto database = OpenSettingsDatabase(ui);
  EXPECT_FALSE(database->Available());
  EXPECT_EQ(database->OpenStatus().message(), GetParam().reason);
  // A damaged file is told from one that is not a settings file at all.
  EXPECT_EQ(database->OpenStatus().code(), GetParam().reason == kSettingsFileDamagedReason
                                               ? TStatus::TCode::kCorrupt
                                               : TStatus::TCode::kUnsupported);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_NE(ui.boxes[0].find("error: "), std::string::npos);
  EXPECT_NE(ui.boxes[0].find("\"" + path + "\""), std::string::npos) << ui.boxes[0];
  EXPECT_EQ(ui.boxes[0], "error: " + SettingsFileUnusableMessage(path, GetParam().reason));

  // The program goes on with the defaults, and a save fails instead of touching the file.
  TSettingsStore store(database, ui);
  TPresetListModel presets;
  EXPECT_EQ(store.RefreshSettingsList(&presets), std::vector<std::string>{kUntitledPresetName});
  TSettingsSnapshot loaded = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(loaded);
  EXPECT_TRUE(store.LoadLastSettings(target, presets).ok());
  EXPECT_EQ(loaded.ThumbsFolder, "thumbs");
  EXPECT_EQ(loaded.IndexType, 3);
  EXPECT_EQ(StatusOf(store.SaveSettings("Trip", loaded, &presets)).message(),
            "Failed to set data for 'LastSettings'");
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
  MakeFile({"", "", kPreviousRelease, true, false, nullptr}, path);
  TZetRegistry registry(TRegistryDatabase::Open(path));
  ASSERT_TRUE(registry.OpenKey("Software", false));
  EXPECT_EQ(registry.ReadString("ThumbsFolder").value(), "pics");
  EXPECT_EQ(RunSqlOn(path, "PRAGMA application_id"), std::to_string(kRegistryApplicationId));
  EXPECT_EQ(RunSqlOn(path, "PRAGMA journal_mode"), "delete");
}

TEST(RegistryDatabaseTest, AFolderInPlaceOfTheFileIsReported) {
  TTempFolder folder;
  const std::string path = folder.Path();
  auto database = TRegistryDatabase::Open(path);
  EXPECT_FALSE(database->Available());
  EXPECT_FALSE(database->OpenStatus().ok());
  EXPECT_NE(
      SettingsFileUnusableMessage(database->Path(), database->OpenStatus().message()).find(path),
      std::string::npos);
  TZetRegistry registry(database);
  EXPECT_FALSE(registry.OpenKey("Software", true));
  EXPECT_FALSE(StatusOf(registry.WriteString("A", "b")).ok());
}

}  // namespace

}  // namespace zetgallery
