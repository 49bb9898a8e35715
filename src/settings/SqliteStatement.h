// SqliteStatement: a prepared SQLite statement that finalizes itself. Used only inside the
// settings store's own sources.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace zetgallery {

class TSqliteStatement {
 public:
  // Prepares `sql`; Ok() tells whether that worked.
  TSqliteStatement(sqlite3* handle, const char* sql) {
    if (handle == nullptr ||
        sqlite3_prepare_v2(handle, sql, -1, &statement_, nullptr) != SQLITE_OK) {
      sqlite3_finalize(statement_);
      statement_ = nullptr;
    }
  }
  ~TSqliteStatement() { sqlite3_finalize(statement_); }
  TSqliteStatement(const TSqliteStatement&) = delete;
  TSqliteStatement& operator=(const TSqliteStatement&) = delete;

  bool Ok() const { return statement_ != nullptr; }

  // Parameters count from 1. Binding to a statement that failed to prepare does nothing.
  void Bind(int index, int64_t value) {
    if (statement_) sqlite3_bind_int64(statement_, index, value);
  }
  void BindText(int index, const std::string& text) {
    if (statement_)
      sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                        SQLITE_TRANSIENT);
  }
  void BindBlob(int index, const std::string& bytes) {
    // A zero-length blob still binds as a blob, never as NULL.
    if (statement_)
      sqlite3_bind_blob(statement_, index, bytes.empty() ? "" : bytes.data(),
                        static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
  }
  void BindNull(int index) {
    if (statement_) sqlite3_bind_null(statement_, index);
  }

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step() { return statement_ ? sqlite3_step(statement_) : SQLITE_MISUSE; }

  int64_t ColumnInteger(int column) { return sqlite3_column_int64(statement_, column); }
  // The column's bytes as stored (text or blob alike); NULL gives an empty string.
  std::string ColumnBytes(int column) {
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    if (data == nullptr || size <= 0) return std::string();
    return std::string(static_cast<const char*>(data), static_cast<size_t>(size));
  }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

}  // namespace zetgallery
