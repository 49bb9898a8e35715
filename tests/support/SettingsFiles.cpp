#include "SettingsFiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cctype>

#include "SettingsTable.h"
#include "WholeFiles.h"

namespace {

int StoreFirstColumn(void* row, int columns, char** values, char**) {
  if (columns > 0 && values[0] != nullptr) *static_cast<std::string*>(row) = values[0];
  return 0;
}

}  // namespace

std::string RunSqlOn(const std::string& path, const std::string& sql) {
  sqlite3* handle = nullptr;
  std::string row;
  char* error = nullptr;
  EXPECT_EQ(sqlite3_open(path.c_str(), &handle), SQLITE_OK);
  sqlite3_busy_timeout(handle, 5000);
  EXPECT_EQ(sqlite3_exec(handle, sql.c_str(), StoreFirstColumn, &row, &error), SQLITE_OK)
      << (error ? error : "") << "\n"
      << sql;
  sqlite3_free(error);
  sqlite3_close(handle);
  return row;
}

void DamageIndexOfValues(const std::string& path) {
  const int page = std::stoi(
      RunSqlOn(path, "SELECT rootpage FROM sqlite_master WHERE name = 'sqlite_autoindex_vals_1'"));
  const int pageSize = std::stoi(RunSqlOn(path, "PRAGMA page_size"));
  std::string bytes = ReadWholeFile(path);
  const size_t start = static_cast<size_t>(page - 1) * pageSize;
  ASSERT_LE(start + pageSize, bytes.size());
  ASSERT_EQ(bytes[start], '\x0A') << "the index must fit one leaf page";
  std::string index = bytes.substr(start, pageSize);
  // Same lengths, so every record keeps its layout.
  for (const TSettingRow& row : kSettingsTable) {
    std::string fold = row.Name;
    for (char& c : fold) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (size_t at = index.find(fold); at != std::string::npos; at = index.find(fold, at + 1))
      index[at + fold.size() - 1] ^= 0x20;
  }
  bytes.replace(start, pageSize, index);
  ASSERT_TRUE(WriteWholeFile(path, bytes));
}
