// Shared helpers of the settings tests: a private database in a temporary folder (also named by
// ZETGALLERY_REGISTRY while the test runs), raw SQL access for values a hand edit could leave,
// and a user interface that records what it was asked to show.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "settings/RegistryDatabase.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"
#include "support/RecordingUserInterface.h"
#include "support/SnapshotDifferences.h"
#include "support/TempFolder.h"

namespace zetgallery {

// A test with its own settings database.
class SettingsDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.Path().empty());
    path_ = folder_ / "registry.db";
    setenv("ZETGALLERY_REGISTRY", path_.c_str(), 1);
    database_ = TRegistryDatabase::Open(path_);
    ASSERT_TRUE(database_->Available()) << database_->OpenStatus().message();
    store_ = std::make_unique<TSettingsStore>(database_, ui_);
  }
  void TearDown() override {
    store_.reset();
    database_.reset();
    unsetenv("ZETGALLERY_REGISTRY");
  }

  // Runs `sql` on a connection of its own, as the sqlite3 tool would.
  void ExecuteSql(const std::string& sql) {
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &handle), SQLITE_OK);
    sqlite3_busy_timeout(handle, 5000);
    char* error = nullptr;
    const int result = sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(handle);
    ASSERT_EQ(result, SQLITE_OK) << message << "\n" << sql;
  }

  // Rows of a query on a connection of its own, each row's columns joined by '|'.
  std::vector<std::string> QuerySql(const std::string& sql) {
    std::vector<std::string> rows;
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(path_.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << "cannot open " << path_;
      sqlite3_close(handle);
      return rows;
    }
    sqlite3_busy_timeout(handle, 5000);  // a save of another connection may be under way
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sqlite3_errmsg(handle) << "\n" << sql;
    } else {
      while (sqlite3_step(statement) == SQLITE_ROW) {
        std::string row;
        for (int column = 0; column < sqlite3_column_count(statement); ++column) {
          if (column > 0) row += '|';
          const unsigned char* text = sqlite3_column_text(statement, column);
          if (text) row += reinterpret_cast<const char*>(text);
        }
        rows.push_back(row);
      }
    }
    sqlite3_finalize(statement);
    sqlite3_close(handle);
    return rows;
  }

  // Stores a value of any kind and bytes (given as hex) into the key `path` (created when
  // missing), as a hand edit with the sqlite3 tool could.
  void PutRawValue(const std::string& path, const std::string& name, int type,
                   const std::string& hexData) {
    {
      TZetRegistry registry(database_);
      ASSERT_TRUE(registry.OpenKey(path, true));
      EXPECT_TRUE(registry.WriteString(name, "placeholder")
                      .ok());  // the key's id is found through this row
    }
    ExecuteSql("UPDATE vals SET type = " + std::to_string(type) + ", data = X'" + hexData +
               "' WHERE name = '" + name + "' AND data = X'" + HexOf("placeholder") + "00'");
  }

  // Writes text values into the key `path` (created when missing).
  void PutTexts(const std::string& path,
                const std::vector<std::pair<std::string, std::string>>& values) {
    TZetRegistry registry(database_);
    ASSERT_TRUE(registry.OpenKey(path, true));
    for (const auto& [name, value] : values) EXPECT_TRUE(registry.WriteString(name, value).ok());
  }

  void PutIntegers(const std::string& path,
                   const std::vector<std::pair<std::string, int32_t>>& values) {
    TZetRegistry registry(database_);
    ASSERT_TRUE(registry.OpenKey(path, true));
    for (const auto& [name, value] : values) EXPECT_TRUE(registry.WriteInteger(name, value).ok());
  }

  std::string LastSettings() {
    const std::vector<std::string> rows = QuerySql(
        "SELECT value FROM readable_values WHERE key = 'HKEY_CURRENT_USER\\Software\\Vorlan"
        "\\ZetGallery' AND name = 'LastSettings'");
    return rows.empty() ? "<absent>" : rows.front();
  }

  static std::string HexOf(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : bytes) {
      hex += digits[c >> 4];
      hex += digits[c & 15];
    }
    return hex;
  }

  TTempFolder folder_;
  std::string path_;
  std::shared_ptr<TRegistryDatabase> database_;
  TRecordingUserInterface ui_;
  std::unique_ptr<TSettingsStore> store_;
};

}  // namespace zetgallery
