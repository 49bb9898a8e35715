// RegistryDatabase: the per-user SQLite file that stands in for the registry. It holds a tree of
// keys (table `keys`) with named, typed values (table `vals`), and a view `readable_values`
// that shows every value with its key path, kind and decoded contents, so that
//   sqlite3 "$ZETGALLERY_REGISTRY" "select * from readable_values"
// lists the stored presets. Several running copies of the program may share one file: writers
// wait for each other (busy timeout) instead of failing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "util/Status.h"

struct sqlite3;

namespace zetgallery {

// The file the program keeps its settings in: $ZETGALLERY_REGISTRY when set and non-empty,
// otherwise $XDG_CONFIG_HOME/ZetGallery/registry.db, with $HOME/.config standing in for an
// unset or relative XDG_CONFIG_HOME.
std::string DefaultRegistryPath();

// The mark of our settings file (PRAGMA application_id): "ZGal" in ASCII. A file without it is
// taken only when it holds exactly the tables of the release before the mark, and is then marked.
inline constexpr int32_t kRegistryApplicationId = 0x5A47616C;

// How long a copy of the program waits for another one holding the file: long enough for a
// save to finish, short enough that a stuck copy does not freeze this one for good.
inline constexpr int kDefaultBusyTimeoutMs = 15000;

class TRegistryDatabase {
 public:
  // Opens the database at `path`, creating the file, its folder and the tables when missing
  // (an empty file counts as missing). Never throws. The file is ours when it carries
  // kRegistryApplicationId, or holds exactly the tables of the release before the mark (it is
  // then marked). A file that cannot be opened, is not a database, is any other database, or
  // fails the integrity check gives an unavailable object whose OpenStatus() says why; such a
  // file is never written to. A file held by another program is waited for
  // up to `busyTimeoutMs`, at the open and at every later step.
  static std::shared_ptr<TRegistryDatabase> Open(const std::string& path,
                                                 int busyTimeoutMs = kDefaultBusyTimeoutMs);

  // Opens DefaultRegistryPath().
  static std::shared_ptr<TRegistryDatabase> OpenDefault(int busyTimeoutMs = kDefaultBusyTimeoutMs);

  ~TRegistryDatabase();
  TRegistryDatabase(const TRegistryDatabase&) = delete;
  TRegistryDatabase& operator=(const TRegistryDatabase&) = delete;

  // True when keys and values can be read and written. An unavailable database has no keys:
  // opening any key fails, and every write fails.
  bool Available() const { return handle_ != nullptr; }

  const std::string& Path() const { return path_; }

  // Ok, or why the database is unavailable: Busy, Corrupt, Unsupported (not a database, or
  // another program's) or IoError, the message saying it in a few words
  // (SettingsFileUnusableMessage makes the user's message of it).
  const TStatus& OpenStatus() const { return openStatus_; }

  // Reads the whole file through (the database's own integrity check). Fails, as OpenStatus()
  // does, when it is unavailable, damaged, or held by another program beyond the wait.
  TStatus CheckWhole();

  // REQUIRES: Available().
  sqlite3* Handle() const { return handle_; }

 private:
  explicit TRegistryDatabase(std::string path) : path_(std::move(path)) {}
  // Marks the open file as ours, after creating the tables when `createTables` and the file is
  // empty. Ok when that worked, else why not.
  TStatus MarkAsOurs(bool createTables);
  void MarkUnusable(TStatus why);

  std::string path_;
  TStatus openStatus_;
  sqlite3* handle_ = nullptr;
};

// A transaction on a registry database, rolled back unless committed. Begins only when no
// transaction is running on the connection already; then the outer transaction governs and
// Commit() does nothing.
class TRegistryTransaction {
 public:
  enum class TMode { Read, Write };

  // A Write transaction takes the write lock at once (waiting for other writers), so it can
  // never fail later because another copy of the program wrote in between.
  TRegistryTransaction(TRegistryDatabase& database, TMode mode);
  ~TRegistryTransaction();
  TRegistryTransaction(const TRegistryTransaction&) = delete;
  TRegistryTransaction& operator=(const TRegistryTransaction&) = delete;

  // False when the transaction could not begin (busy beyond the timeout, unavailable database).
  bool Started() const { return started_; }
  // Makes the changes permanent; false when that failed (the changes are then undone).
  bool Commit();

 private:
  sqlite3* handle_ = nullptr;
  bool owner_ = false;
  bool started_ = false;
};

}  // namespace zetgallery
