// RegistryFile: telling our settings file from any other file before anything is written to it,
// and the tables the settings are kept in. Used only by RegistryDatabase.cpp.
#pragma once

#include <sqlite3.h>

#include <string>

namespace zetgallery {

// The tables, index and view of the settings file, every statement "if not exists". The release
// before the mark created exactly these, so this text must stay as it is: a file of that release
// is recognised by it.
extern const char* const kRegistrySchema;

// What a file is, found without writing to it.
enum class TRegistryFileKind {
  Missing,          // no file, or an empty one: to be created as ours
  Ours,             // marked with kRegistryApplicationId
  PreviousRelease,  // unmarked, with exactly the tables of kRegistrySchema, and sound
  Refused,          // anything else
};

struct TRegistryFileLook {
  TRegistryFileKind Kind = TRegistryFileKind::Refused;
  std::string Reason;  // why a file is refused, in a few words
};

// Reads the header of the file at `path`, and for an unmarked SQLite database its tables and
// their soundness through a read-only connection that waits up to `busyTimeoutMs` for a writer.
// Nothing is written, and no journal or log file is left beside it.
TRegistryFileLook LookAtRegistryFile(const std::string& path, int busyTimeoutMs);

// Whether the database on `handle` holds exactly the tables, indexes and view of
// kRegistrySchema and nothing else. SQLITE_OK, or the code of the read that failed.
int HasExactRegistrySchema(sqlite3* handle, bool& exact);

// Empty when PRAGMA integrity_check finds the database on `handle` sound (every index matching
// its table included), else why not, in a few words.
std::string IntegrityProblem(sqlite3* handle);

// Why a step on `handle` failed with `code`, in the user's words where the reason is a common one.
std::string RegistryFailureReason(sqlite3* handle, int code);

}  // namespace zetgallery
