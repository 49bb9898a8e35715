#include "settings/ZetRegistry.h"

#include <sqlite3.h>

#include "SqliteStatement.h"
#include "settings/SettingsMessages.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

constexpr char kRootKeyName[] = "HKEY_CURRENT_USER";

// The status for a value that failed: "Invalid data type" is a value of the wrong kind, the
// other two a read or write that did not work.
TStatus Failure(const char* format, const std::string& valueName) {
  std::string text = RegistryErrorText(format, valueName);
  return format == kInvalidDataType ? TStatus::InvalidArgument(std::move(text))
                                    : TStatus::IoError(std::move(text));
}

// Splits a key path at its separators; false when any name in it is empty.
bool SplitKeyPath(const std::string& path, std::vector<std::string>& names) {
  names.clear();
  if (path.empty()) return true;
  size_t start = 0;
  while (true) {
    const size_t end = path.find(kRegistryPathSeparator, start);
    std::string name = path.substr(start, end == std::string::npos ? end : end - start);
    if (name.empty()) return false;
    names.push_back(std::move(name));
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

std::string EncodeDword(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  return bytes;
}

int32_t DecodeDword(const std::string& bytes) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i)
    bits |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return static_cast<int32_t>(bits);
}

// Finds the sub-key `name` of `parent` (0 for the root level); 0 when missing or on error.
int64_t FindKey(sqlite3* handle, int64_t parent, const std::string& name) {
  TSqliteStatement find(handle, parent == 0
                                    ? "SELECT id FROM keys WHERE parent IS NULL AND fold = ?2 "
                                      "ORDER BY id LIMIT 1"
                                    : "SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
  if (parent != 0) find.Bind(1, parent);
  find.BindText(2, FoldCase(name));
  return find.Step() == SQLITE_ROW ? find.ColumnInteger(0) : 0;
}

int64_t CreateKey(sqlite3* handle, int64_t parent, const std::string& name) {
  TSqliteStatement insert(handle, "INSERT INTO keys(parent, name, fold) VALUES(?1, ?2, ?3)");
  if (parent == 0) {
    insert.BindNull(1);
  } else {
    insert.Bind(1, parent);
  }
  insert.BindText(2, name);
  insert.BindText(3, FoldCase(name));
  return insert.Step() == SQLITE_DONE ? sqlite3_last_insert_rowid(handle) : 0;
}

}  // namespace

TZetRegistry::TZetRegistry(std::shared_ptr<TRegistryDatabase> database)
    : database_(std::move(database)) {}

TZetRegistry::~TZetRegistry() { CloseKey(); }

int64_t TZetRegistry::ResolveKey(const std::string& path, bool create) {
  if (!database_ || !database_->Available()) return 0;
  sqlite3* handle = database_->Handle();
  const bool fromRoot = !path.empty() && path.front() == kRegistryPathSeparator;
  std::vector<std::string> names;
  if (!SplitKeyPath(fromRoot ? path.substr(1) : path, names)) return 0;

  // Creating takes the write lock first, so two copies of the program never both create the
  // same missing key.
  TRegistryTransaction transaction(
      *database_, create ? TRegistryTransaction::TMode::Write : TRegistryTransaction::TMode::Read);
  if (create && !transaction.Started()) return 0;
  int64_t key = fromRoot ? 0 : currentKey_;
  if (key == 0) {
    key = FindKey(handle, 0, kRootKeyName);
    if (key == 0 && create) key = CreateKey(handle, 0, kRootKeyName);
    if (key == 0) return 0;
  }
  for (const std::string& name : names) {
    int64_t child = FindKey(handle, key, name);
    if (child == 0 && create) child = CreateKey(handle, key, name);
    if (child == 0) return 0;
    key = child;
  }
  if (create && !transaction.Commit()) return 0;
  return key;
}

bool TZetRegistry::OpenKey(const std::string& path, bool canCreate) {
  const int64_t key = ResolveKey(path, canCreate);
  currentKey_ = key;
  return key != 0;
}

void TZetRegistry::CloseKey() { currentKey_ = 0; }

TStatusOr<bool> TZetRegistry::FetchValue(const std::string& name, int& type, std::string& data) {
  if (currentKey_ == 0) return false;
  TSqliteStatement fetch(database_->Handle(),
                         "SELECT type, data FROM vals WHERE key = ?1 AND fold = ?2");
  fetch.Bind(1, currentKey_);
  fetch.BindText(2, FoldCase(name));
  const int step = fetch.Step();
  if (step == SQLITE_DONE) return false;
  if (step != SQLITE_ROW) return Failure(kFailedToGetData, name);
  type = static_cast<int>(fetch.ColumnInteger(0));
  data = fetch.ColumnBytes(1);
  return true;
}

TStatusOr<bool> TZetRegistry::ValueExists(const std::string& name) {
  int type = 0;
  std::string data;
  return FetchValue(name, type, data);
}

bool TZetRegistry::HasValues() {
  if (currentKey_ == 0) return false;
  TSqliteStatement find(database_->Handle(), "SELECT 1 FROM vals WHERE key = ?1 LIMIT 1");
  find.Bind(1, currentKey_);
  return find.Step() == SQLITE_ROW;
}

TStatusOr<std::string> TZetRegistry::ReadString(const std::string& name) {
  int type = 0;
  std::string data;
  const TStatusOr<bool> found = FetchValue(name, type, data);
  if (!found.ok()) return found.status();
  if (!*found) return std::string();
  if (type != kRegSz && type != kRegExpandSz) return Failure(kInvalidDataType, name);
  const size_t end = data.find('\0');
  if (end != std::string::npos) data.resize(end);
  return data;
}

TStatusOr<int32_t> TZetRegistry::ReadInteger(const std::string& name) {
  int type = 0;
  std::string data;
  const TStatusOr<bool> found = FetchValue(name, type, data);
  if (!found.ok() || !*found) return Failure(kFailedToGetData, name);
  // Data that do not fit the four bytes of a number fail before their kind is looked at, so a
  // one-character text is "of the wrong kind" while a longer one "cannot be read".
  if (data.size() > 4) return Failure(kFailedToGetData, name);
  if (type != kRegDword) return Failure(kInvalidDataType, name);
  if (data.size() < 4) return Failure(kFailedToGetData, name);
  return DecodeDword(data);
}

TStatusOr<bool> TZetRegistry::ReadBool(const std::string& name) {
  const TStatusOr<int32_t> value = ReadInteger(name);
  if (!value.ok()) return value.status();
  return *value != 0;
}

TStatus TZetRegistry::WriteValue(const std::string& name, int type, const std::string& data) {
  if (currentKey_ == 0 || !database_->Available()) return Failure(kFailedToSetData, name);
  TSqliteStatement write(database_->Handle(),
                         "INSERT INTO vals(key, name, fold, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
                         "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, "
                         "data = excluded.data");
  write.Bind(1, currentKey_);
  write.BindText(2, name);
  write.BindText(3, FoldCase(name));
  write.Bind(4, type);
  write.BindBlob(5, data);
  if (write.Step() != SQLITE_DONE) return Failure(kFailedToSetData, name);
  return TStatus::Ok();
}

TStatus TZetRegistry::WriteString(const std::string& name, const std::string& value) {
  return WriteValue(name, kRegSz, value + '\0');
}

TStatus TZetRegistry::WriteInteger(const std::string& name, int32_t value) {
  return WriteValue(name, kRegDword, EncodeDword(value));
}

TStatus TZetRegistry::WriteBool(const std::string& name, bool value) {
  return WriteInteger(name, value ? 1 : 0);
}

void TZetRegistry::GetKeyNames(std::vector<std::string>& names) {
  names.clear();
  if (currentKey_ == 0) return;
  TSqliteStatement list(database_->Handle(),
                        "SELECT name FROM keys WHERE parent = ?1 ORDER BY fold, id");
  list.Bind(1, currentKey_);
  while (list.Step() == SQLITE_ROW) names.push_back(list.ColumnBytes(0));
}

bool TZetRegistry::DeleteKey(const std::string& path) {
  if (path.empty() || !database_ || !database_->Available()) return false;
  TRegistryTransaction transaction(*database_, TRegistryTransaction::TMode::Write);
  if (!transaction.Started()) return false;
  const int64_t key = ResolveKey(path, false);
  if (key == 0) return false;
  // The root key is not a key of ours to delete.
  TSqliteStatement remove(database_->Handle(),
                          "DELETE FROM keys WHERE id = ?1 AND parent IS NOT NULL");
  remove.Bind(1, key);
  // Sub-keys and values go with it through the tables' cascading references.
  if (remove.Step() != SQLITE_DONE || sqlite3_changes(database_->Handle()) != 1) return false;
  return transaction.Commit();
}

TStatusOr<bool> TZetRegistry::ReadFlagOrDefault(const std::string& name, bool defaultValue) {
  const TStatusOr<bool> exists = ValueExists(name);
  if (!exists.ok()) return exists.status();
  return *exists ? ReadBool(name) : defaultValue;
}

TStatusOr<int32_t> TZetRegistry::ReadIntegerOrDefault(const std::string& name,
                                                      int32_t defaultValue) {
  const TStatusOr<bool> exists = ValueExists(name);
  if (!exists.ok()) return exists.status();
  return *exists ? ReadInteger(name) : defaultValue;
}

}  // namespace zetgallery
