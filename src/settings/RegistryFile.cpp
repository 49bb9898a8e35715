#include "RegistryFile.h"

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "SqliteStatement.h"
#include "settings/RegistryDatabase.h"
#include "settings/SettingsMessages.h"

namespace zetgallery {

const char* const kRegistrySchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER REFERENCES keys(id) ON DELETE CASCADE,
  name TEXT NOT NULL,
  fold TEXT NOT NULL,
  UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS vals(
  key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
  name TEXT NOT NULL,
  fold TEXT NOT NULL,
  type INTEGER NOT NULL,
  data BLOB,
  PRIMARY KEY(key, fold));
CREATE INDEX IF NOT EXISTS keys_by_parent ON keys(parent);
CREATE VIEW IF NOT EXISTS readable_values AS
WITH RECURSIVE
  paths(id, path) AS (
    SELECT id, name FROM keys WHERE parent IS NULL
    UNION ALL
    SELECT keys.id, paths.path || '\' || keys.name FROM keys JOIN paths ON keys.parent = paths.id),
  bytes(key, fold, h) AS (
    SELECT key, fold, hex(data) FROM vals WHERE type = 4 AND length(data) = 4),
  dwords(key, fold, u) AS (
    SELECT key, fold,
      (instr('0123456789ABCDEF', substr(h, 1, 1)) - 1) * 16 +
      (instr('0123456789ABCDEF', substr(h, 2, 1)) - 1) +
      ((instr('0123456789ABCDEF', substr(h, 3, 1)) - 1) * 16 +
       (instr('0123456789ABCDEF', substr(h, 4, 1)) - 1)) * 256 +
      ((instr('0123456789ABCDEF', substr(h, 5, 1)) - 1) * 16 +
       (instr('0123456789ABCDEF', substr(h, 6, 1)) - 1)) * 65536 +
      ((instr('0123456789ABCDEF', substr(h, 7, 1)) - 1) * 16 +
       (instr('0123456789ABCDEF', substr(h, 8, 1)) - 1)) * 16777216
    FROM bytes)
SELECT paths.path AS key, vals.name AS name,
  CASE vals.type WHEN 1 THEN 'REG_SZ' WHEN 2 THEN 'REG_EXPAND_SZ' WHEN 3 THEN 'REG_BINARY'
                 WHEN 4 THEN 'REG_DWORD' ELSE 'type ' || vals.type END AS kind,
  CASE
    WHEN vals.type IN (1, 2) THEN CAST(
      CASE WHEN hex(substr(vals.data, -1)) = '00'
           THEN substr(vals.data, 1, length(vals.data) - 1) ELSE vals.data END AS TEXT)
    WHEN dwords.u IS NOT NULL THEN
      CASE WHEN dwords.u >= 2147483648 THEN dwords.u - 4294967296 ELSE dwords.u END
    ELSE hex(vals.data)
  END AS value
FROM vals JOIN paths ON vals.key = paths.id
LEFT JOIN dwords ON dwords.key = vals.key AND dwords.fold = vals.fold
ORDER BY paths.path, vals.fold;
)sql";

namespace {

// The header of an SQLite database: its first 100 bytes.
constexpr size_t kHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3";  // with its zero byte, the first 16 bytes
constexpr size_t kWriteVersionAt = 18;        // 2 in write-ahead logging
constexpr size_t kApplicationIdAt = 68;       // big-endian

// Every schema object of the database on `handle`, one line each, in name order.
int ReadSchema(sqlite3* handle, std::string& schema) {
  schema.clear();
  TSqliteStatement list(handle,
                        "SELECT type, name, tbl_name, ifnull(sql, '') FROM sqlite_master "
                        "ORDER BY name, type");
  int step = list.Ok() ? list.Step() : sqlite3_errcode(handle);
  for (; step == SQLITE_ROW; step = list.Step()) {
    for (int column = 0; column < 4; ++column) schema += list.ColumnBytes(column) + '\x1F';
    schema += '\n';
  }
  return step == SQLITE_DONE ? SQLITE_OK : step;
}

// What kRegistrySchema makes of an empty database, as ReadSchema lists it.
const std::string& RegistrySchemaListing() {
  static const std::string listing = [] {
    sqlite3* scratch = nullptr;
    std::string schema;
    if (sqlite3_open(":memory:", &scratch) == SQLITE_OK &&
        sqlite3_exec(scratch, kRegistrySchema, nullptr, nullptr, nullptr) == SQLITE_OK)
      ReadSchema(scratch, schema);
    sqlite3_close(scratch);
    return schema;
  }();
  return listing;
}

// A path as an SQLite URI: everything but unreserved characters and separators escaped.
std::string FileUri(const std::string& path) {
  static const char digits[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (const unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += digits[c >> 4];
      uri += digits[c & 15];
    }
  }
  return uri;
}

// The tables and soundness of an unmarked database, read without writing.
TStatusOr<TRegistryFileKind> LookAtUnmarkedDatabase(const std::string& path, bool writeAheadLog,
                                                    int busyTimeoutMs) {
  // A read-only connection to a database in write-ahead logging creates its log and index files
  // and leaves them behind. Without a log there is nothing to find in one: the file alone is
  // read, as a file nobody changes.
  std::error_code error;
  const bool immutable = writeAheadLog && !std::filesystem::exists(path + "-wal", error);
  sqlite3* handle = nullptr;
  int code = sqlite3_open_v2((FileUri(path) + (immutable ? "?immutable=1" : "?mode=ro")).c_str(),
                             &handle, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  TStatus refusal;
  bool exact = false;
  if (code == SQLITE_OK) {
    sqlite3_busy_timeout(handle, busyTimeoutMs);
    code = HasExactRegistrySchema(handle, exact);
  }
  if (code != SQLITE_OK) {
    refusal = RegistryFailure(handle, code);
  } else if (!exact) {
    refusal = TStatus::Unsupported(kForeignDatabaseReason);
  } else {
    refusal = CheckIntegrity(handle);
  }
  sqlite3_close(handle);
  if (!refusal.ok()) return refusal;
  return TRegistryFileKind::PreviousRelease;
}

}  // namespace

TStatusOr<TRegistryFileKind> LookAtRegistryFile(const std::string& path, int busyTimeoutMs) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return TRegistryFileKind::Missing;
  // Reading a pipe or a device could wait for ever, and a folder is no file.
  if (!std::filesystem::is_regular_file(status))
    return TStatus::Unsupported(kSettingsFileNotADatabaseReason);
  std::ifstream file(path, std::ios::binary);
  std::string header(kHeaderSize, '\0');
  file.read(header.data(), static_cast<std::streamsize>(header.size()));
  if (!file.is_open() || file.bad()) return TStatus::IoError(kSettingsFileUnreadableReason);
  const auto got = static_cast<size_t>(file.gcount());
  if (got == 0) return TRegistryFileKind::Missing;
  if (got < kHeaderSize || header.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0)
    return TStatus::Unsupported(kSettingsFileNotADatabaseReason);

  uint32_t applicationId = 0;
  for (size_t i = 0; i < 4; ++i)
    applicationId = applicationId << 8 | static_cast<unsigned char>(header[kApplicationIdAt + i]);
  if (applicationId == static_cast<uint32_t>(kRegistryApplicationId))
    return TRegistryFileKind::Ours;
  if (applicationId != 0) return TStatus::Unsupported(kForeignDatabaseReason);
  return LookAtUnmarkedDatabase(path, header[kWriteVersionAt] == 2, busyTimeoutMs);
}

int HasExactRegistrySchema(sqlite3* handle, bool& exact) {
  std::string schema;
  const int code = ReadSchema(handle, schema);
  exact = code == SQLITE_OK && schema == RegistrySchemaListing();
  return code;
}

TStatus CheckIntegrity(sqlite3* handle) {
  // Not the quick check: it leaves out whether each index matches its table, and a damaged
  // index of `vals` makes every value read as absent, which would load the defaults.
  TSqliteStatement check(handle, "PRAGMA integrity_check");
  const int step = check.Ok() ? check.Step() : sqlite3_errcode(handle);
  if (step == SQLITE_ROW && check.ColumnBytes(0) == "ok") return TStatus::Ok();
  return step == SQLITE_ROW ? TStatus::Corrupt(kSettingsFileDamagedReason)
                            : RegistryFailure(handle, step);
}

TStatus RegistryFailure(sqlite3* handle, int code) {
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return TStatus::Busy(kSettingsFileBusyReason);
    case SQLITE_CORRUPT:
      return TStatus::Corrupt(kSettingsFileDamagedReason);
    case SQLITE_NOTADB:
      return TStatus::Unsupported(kSettingsFileNotADatabaseReason);
    default:
      return TStatus::IoError(handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code));
  }
}

}  // namespace zetgallery
