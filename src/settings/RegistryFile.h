// RegistryFile: telling our settings file from any other file before anything is written to it,
// and the tables the settings are kept in. Used only by RegistryDatabase.cpp.
#pragma once

#include <sqlite3.h>

#include <string>

#include "util/Status.h"

namespace zetgallery {

// The tables, index and view of the settings file, every statement "if not exists". The release
// before the mark created exactly these, so this text must stay as it is: a file of that release
// is recognised by it.
extern const char* const kRegistrySchema;

// What a file the program may use is, found without writing to it.
enum class TRegistryFileKind {
  Missing,          // no file, or an empty one: to be created as ours
  Ours,             // marked with kRegistryApplicationId
  PreviousRelease,  // unmarked, with exactly the tables of kRegistrySchema, and sound
};

// Reads the header of the file at `path`, and for an unmarked SQLite database its tables and
// their soundness through a read-only connection that waits up to `busyTimeoutMs` for a writer.
// Nothing is written, and no journal or log file is left beside it. Any other file is refused
// with a status whose message says why in a few words.
TStatusOr<TRegistryFileKind> LookAtRegistryFile(const std::string& path, int busyTimeoutMs);

// Whether the database on `handle` holds exactly the tables, indexes and view of
// kRegistrySchema and nothing else. SQLITE_OK, or the code of the read that failed.
int HasExactRegistrySchema(sqlite3* handle, bool& exact);

// Ok when PRAGMA integrity_check finds the database on `handle` sound (every index matching its
// table included), else why not, in a few words.
TStatus CheckIntegrity(sqlite3* handle);

// Why a step on `handle` failed with `code`, in the user's words where the reason is a common one:
// Busy, Corrupt, Unsupported (not a database) or IoError.
TStatus RegistryFailure(sqlite3* handle, int code);

}  // namespace zetgallery
