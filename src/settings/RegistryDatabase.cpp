#include "RegistryDatabase.h"

#include <sqlite3.h>

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "SettingsMessages.h"
#include "SqliteStatement.h"

namespace {

constexpr const char* kSchema = R"sql(
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

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

bool Execute(sqlite3* handle, const char* sql) {
  return sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Why a step failed, in the user's words where the reason is a common one.
std::string ReasonOf(sqlite3* handle, int code) {
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return kSettingsFileBusyReason;
    case SQLITE_CORRUPT:
      return kSettingsFileDamagedReason;
    case SQLITE_NOTADB:
      return kSettingsFileNotADatabaseReason;
    default:
      return sqlite3_errmsg(handle);
  }
}

}  // namespace

std::string DefaultRegistryPath() {
  const std::string explicitPath = Environment("ZETGALLERY_REGISTRY");
  if (!explicitPath.empty()) return explicitPath;
  QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  // The base directory rules ignore a relative XDG_CONFIG_HOME, which Qt hands back as it is.
  if (QDir::isRelativePath(configHome)) configHome = QDir::homePath() + "/.config";
  return QDir::cleanPath(configHome + "/ZetGallery/registry.db").toStdString();
}

std::shared_ptr<TRegistryDatabase> TRegistryDatabase::OpenDefault(int busyTimeoutMs) {
  return Open(DefaultRegistryPath(), busyTimeoutMs);
}

std::shared_ptr<TRegistryDatabase> TRegistryDatabase::Open(const std::string& path,
                                                           int busyTimeoutMs) {
  std::shared_ptr<TRegistryDatabase> database(new TRegistryDatabase(path));
  std::error_code ignored;  // a folder that cannot be made shows up as a failed open below
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);

  sqlite3* handle = nullptr;
  if (sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    database->openReason_ = handle ? sqlite3_errmsg(handle) : "out of memory";
    database->openError_ = SettingsFileUnusableMessage(path, database->openReason_);
    sqlite3_close(handle);
    return database;
  }
  database->handle_ = handle;
  sqlite3_busy_timeout(handle, busyTimeoutMs);
  Execute(handle, "PRAGMA foreign_keys = ON");

  // Look before writing anything: a file that is not a database, or belongs to another program,
  // must stay exactly as it is.
  std::set<std::string> tables;
  bool hasView = false;
  {
    TSqliteStatement list(handle,
                          "SELECT type, name FROM sqlite_master WHERE type IN ('table', 'view') "
                          "AND name NOT LIKE 'sqlite_%'");
    int step = list.Ok() ? list.Step() : sqlite3_errcode(handle);
    while (step == SQLITE_ROW) {
      if (list.ColumnBytes(0) == "table") tables.insert(list.ColumnBytes(1));
      if (list.ColumnBytes(1) == "readable_values") hasView = true;
      step = list.Step();
    }
    if (step != SQLITE_DONE) {
      database->MarkUnusable(ReasonOf(handle, step));
      return database;
    }
  }
  const bool ours = tables.count("keys") == 1 && tables.count("vals") == 1;
  if (!tables.empty() && !ours) {
    database->MarkUnusable(kForeignDatabaseReason);
    return database;
  }

  // Write-ahead logging lets a copy of the program read while another one saves. A settings
  // file needs no sync on every commit: a crash may lose the last save, never the file.
  Execute(handle, "PRAGMA journal_mode = WAL");
  Execute(handle, "PRAGMA synchronous = NORMAL");

  if (!ours || !hasView) {
    // Every statement of the schema is "if not exists", so this also completes a file that
    // lost its view (a hand edit) and leaves the stored values alone.
    TRegistryTransaction create(*database, TRegistryTransaction::TMode::Write);
    const bool created = create.Started() && Execute(handle, kSchema) && create.Commit();
    if (!created && !ours) database->MarkUnusable(sqlite3_errmsg(handle));
  }
  return database;
}

void TRegistryDatabase::MarkUnusable(const std::string& reason) {
  openReason_ = reason;
  openError_ = SettingsFileUnusableMessage(path_, reason);
  sqlite3_close_v2(handle_);
  handle_ = nullptr;
}

TRegistryDatabase::~TRegistryDatabase() { sqlite3_close_v2(handle_); }

bool TRegistryDatabase::CheckWhole(std::string& reason) {
  if (!Available()) {
    reason = openReason_;
    return false;
  }
  TSqliteStatement check(handle_, "PRAGMA quick_check");
  const int step = check.Ok() ? check.Step() : sqlite3_errcode(handle_);
  if (step == SQLITE_ROW && check.ColumnBytes(0) == "ok") return true;
  reason = step == SQLITE_ROW ? std::string(kSettingsFileDamagedReason) : ReasonOf(handle_, step);
  return false;
}

TRegistryTransaction::TRegistryTransaction(TRegistryDatabase& database, TMode mode)
    : handle_(database.Available() ? database.Handle() : nullptr) {
  if (handle_ == nullptr) return;
  if (!sqlite3_get_autocommit(handle_)) {
    started_ = true;  // inside an outer transaction, which decides
    return;
  }
  owner_ = Execute(handle_, mode == TMode::Write ? "BEGIN IMMEDIATE" : "BEGIN DEFERRED");
  started_ = owner_;
}

bool TRegistryTransaction::Commit() {
  if (!owner_) return started_;
  owner_ = false;
  if (Execute(handle_, "COMMIT")) return true;
  Execute(handle_, "ROLLBACK");
  return false;
}

TRegistryTransaction::~TRegistryTransaction() {
  if (owner_) Execute(handle_, "ROLLBACK");
}
