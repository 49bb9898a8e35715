#include "settings/RegistryDatabase.h"

#include <sqlite3.h>

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>

#include "RegistryFile.h"
#include "SqliteStatement.h"
#include "settings/SettingsMessages.h"

namespace zetgallery {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

bool Execute(sqlite3* handle, const char* sql) {
  return sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

int32_t ApplicationIdOf(sqlite3* handle) {
  TSqliteStatement read(handle, "PRAGMA application_id");
  return read.Step() == SQLITE_ROW ? static_cast<int32_t>(read.ColumnInteger(0)) : 0;
}

bool HasView(sqlite3* handle) {
  TSqliteStatement find(handle,
                        "SELECT 1 FROM sqlite_master WHERE type = 'view' AND "
                        "name = 'readable_values'");
  return find.Step() == SQLITE_ROW;
}

// Keeps the file in a rollback journal, switching a file that a copy of the previous release
// left in write-ahead logging. A connection in write-ahead logging holds locks on the file for as
// long as it is open, and a close() of any other descriptor of the same file in this process (a
// file dialog showing the settings folder opens and closes the files it lists) silently drops
// them: another program's connection then takes itself for the last one, deletes the live log,
// and every later save of this connection goes into a deleted file. Between two operations a
// rollback-journal connection holds no lock at all, so there is nothing to drop; during one, no
// other code of the program runs on this thread. A switch needs the file to itself: while another
// copy holds it, this copy stays as the file is rather than wait.
void UseRollbackJournal(sqlite3* handle, int busyTimeoutMs) {
  {
    TSqliteStatement mode(handle, "PRAGMA journal_mode");
    if (mode.Step() != SQLITE_ROW || mode.ColumnBytes(0) != "wal") return;
  }
  sqlite3_busy_timeout(handle, 0);
  Execute(handle, "PRAGMA journal_mode = DELETE");
  sqlite3_busy_timeout(handle, busyTimeoutMs);
}

}  // namespace

std::string DefaultRegistryPath() {
  std::string explicitPath = Environment("ZETGALLERY_REGISTRY");
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

  // Look before anything can write: a file that is not ours must stay exactly as it is.
  const TStatusOr<TRegistryFileKind> look = LookAtRegistryFile(path, busyTimeoutMs);
  if (!look.ok()) {
    database->MarkUnusable(look.status());
    return database;
  }
  const TRegistryFileKind kind = *look;
  const int create = kind == TRegistryFileKind::Missing ? SQLITE_OPEN_CREATE : 0;
  sqlite3* handle = nullptr;
  if (sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READWRITE | create, nullptr) !=
      SQLITE_OK) {
    database->MarkUnusable(TStatus::IoError(handle ? sqlite3_errmsg(handle) : "out of memory"));
    sqlite3_close(handle);
    return database;
  }
  database->handle_ = handle;
  sqlite3_busy_timeout(handle, busyTimeoutMs);
  Execute(handle, "PRAGMA foreign_keys = ON");

  TStatus usable;
  if (kind == TRegistryFileKind::Ours) {
    usable = CheckIntegrity(handle);
    // A file of ours that lost its view (a hand edit) gets it back; every statement of the
    // schema is "if not exists", so the stored values stay. A file that cannot be written
    // (read-only) is still read.
    if (usable.ok() && !HasView(handle)) {
      TRegistryTransaction complete(*database, TRegistryTransaction::TMode::Write);
      if (complete.Started() && Execute(handle, kRegistrySchema)) complete.Commit();
    }
  } else {
    usable = database->MarkAsOurs(kind == TRegistryFileKind::Missing);
  }
  if (!usable.ok()) {
    database->MarkUnusable(usable);
    return database;
  }
  UseRollbackJournal(handle, busyTimeoutMs);
  return database;
}

TStatus TRegistryDatabase::MarkAsOurs(bool createTables) {
  // Under the write lock, so the file is seen as it is marked: another copy of the program may
  // have created or marked it since it was looked at.
  TRegistryTransaction mark(*this, TRegistryTransaction::TMode::Write);
  if (!mark.Started()) return RegistryFailure(handle_, sqlite3_errcode(handle_));
  const int32_t applicationId = ApplicationIdOf(handle_);
  if (applicationId == kRegistryApplicationId) return TStatus::Ok();
  bool exact = false;
  const int code = HasExactRegistrySchema(handle_, exact);
  if (code != SQLITE_OK) return RegistryFailure(handle_, code);
  bool empty = false;
  {
    TSqliteStatement count(handle_, "SELECT count(*) FROM sqlite_master");
    empty = count.Step() == SQLITE_ROW && count.ColumnInteger(0) == 0;
  }
  if (applicationId != 0 || !(exact || (createTables && empty)))
    return TStatus::Unsupported(kForeignDatabaseReason);
  const std::string markSql = "PRAGMA application_id = " + std::to_string(kRegistryApplicationId);
  if ((!exact && !Execute(handle_, kRegistrySchema)) || !Execute(handle_, markSql.c_str()) ||
      !mark.Commit())
    return RegistryFailure(handle_, sqlite3_errcode(handle_));
  return TStatus::Ok();
}

void TRegistryDatabase::MarkUnusable(TStatus why) {
  openStatus_ = std::move(why);
  // A transaction the check left open is rolled back by the close.
  sqlite3_close_v2(handle_);
  handle_ = nullptr;
}

TRegistryDatabase::~TRegistryDatabase() { sqlite3_close_v2(handle_); }

TStatus TRegistryDatabase::CheckWhole() {
  if (!Available()) return openStatus_;
  return CheckIntegrity(handle_);
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

}  // namespace zetgallery
