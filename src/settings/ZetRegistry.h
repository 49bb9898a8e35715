// ZetRegistry: access to the per-user registry (kept in a TRegistryDatabase): keys opened by
// path, typed values read and written by name. Key and value names ignore letter case (all
// Unicode letters) and keep the case they were created with. One object has at most one key
// open at a time.
//
// Reads and writes that fail return a status whose message is the user's:
//   IoError "Failed to set data for '<name>'"   a value could not be written (no key open
//                                               included);
//   InvalidArgument "Invalid data type for '<name>'"   a value exists but has the wrong kind;
//   IoError "Failed to get data for '<name>'"   an integer could not be read (absent, or its data
//                                               are not exactly four bytes long).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "settings/RegistryDatabase.h"
#include "util/Status.h"

namespace zetgallery {

// The value kinds, numbered as the registry numbers them.
enum TRegistryValueType : int {
  kRegSz = 1,        // REG_SZ: text, UTF-8 followed by one zero byte
  kRegExpandSz = 2,  // REG_EXPAND_SZ: text, read literally without expansion
  kRegBinary = 3,    // REG_BINARY
  kRegDword = 4,     // REG_DWORD: 32-bit number, 4 bytes little-endian
};

// Key paths separate key names with a backslash. Every name must be non-empty, so a path with
// two backslashes in a row, or ending in one, names no key.
inline constexpr char kRegistryPathSeparator = '\\';

class TZetRegistry {
 public:
  explicit TZetRegistry(std::shared_ptr<TRegistryDatabase> database);
  ~TZetRegistry();
  TZetRegistry(const TZetRegistry&) = delete;
  TZetRegistry& operator=(const TZetRegistry&) = delete;

  // Opens the key `path`: below the open key when one is open, else below the root key
  // HKEY_CURRENT_USER; a leading backslash always starts at the root. With `canCreate`, a
  // missing key is created together with any missing key above it. Returns whether a key is
  // now open; on failure no key is open.
  bool OpenKey(const std::string& path, bool canCreate);

  // Closes the open key, if any.
  void CloseKey();

  bool HasOpenKey() const { return currentKey_ != 0; }

  // Whether the open key holds a value `name` of any kind (false when no key is open); "Failed to
  // get data" when the database cannot be read.
  TStatusOr<bool> ValueExists(const std::string& name);

  // Whether the open key holds any value at all (false when no key is open).
  bool HasValues();

  // REG_SZ or REG_EXPAND_SZ data up to their first zero byte. An absent value, or no open key,
  // reads as empty text. "Invalid data type" for a value of any other kind.
  TStatusOr<std::string> ReadString(const std::string& name);

  // REG_DWORD data as a signed 32-bit number. "Failed to get data" when there is no such value
  // or its data are longer than four bytes, "Invalid data type" when it is of another kind (and
  // at most four bytes long), "Failed to get data" for a REG_DWORD shorter than four bytes.
  TStatusOr<int32_t> ReadInteger(const std::string& name);

  // ReadInteger, non-zero meaning true.
  TStatusOr<bool> ReadBool(const std::string& name);

  // Writes REG_SZ (with its terminating zero byte), REG_DWORD, or REG_DWORD 1/0 into the open
  // key, replacing a value of the same name (whose name keeps its letter case). "Failed to set
  // data" when no key is open or the database refuses the write.
  TStatus WriteString(const std::string& name, const std::string& value);
  TStatus WriteInteger(const std::string& name, int32_t value);
  TStatus WriteBool(const std::string& name, bool value);

  // Empties `names`, then adds the name of each immediate sub-key of the open key (in order of
  // their folded names). Nothing is added when no key is open.
  void GetKeyNames(std::vector<std::string>& names);

  // Deletes the key `path` (resolved as by OpenKey) with all its sub-keys and values. Returns
  // whether such a key existed and was removed. A path naming no key (the root, "", a path
  // with an empty name) deletes nothing.
  bool DeleteKey(const std::string& path);

  // If a value `name` of any kind exists in the open key, its flag (integer) read, failing as
  // ReadInteger does; else the default.
  TStatusOr<bool> ReadFlagOrDefault(const std::string& name, bool defaultValue);
  TStatusOr<int32_t> ReadIntegerOrDefault(const std::string& name, int32_t defaultValue);

 private:
  // The id of the key `path` resolves to, creating missing keys when `create`; 0 if none.
  int64_t ResolveKey(const std::string& path, bool create);
  // Fetches a value's type and bytes; false when absent.
  TStatusOr<bool> FetchValue(const std::string& name, int& type, std::string& data);
  TStatus WriteValue(const std::string& name, int type, const std::string& data);

  std::shared_ptr<TRegistryDatabase> database_;
  int64_t currentKey_ = 0;
};

}  // namespace zetgallery
