// OutputLedger: what the builds of one gallery wrote, kept in a small hidden file of the result
// folder. For each output file its path (relative to the result folder), size and modification
// time; for a thumbnail also the identity of the picture it was made from and the settings that
// shaped it. A file found at an output path that the ledger does not show, unchanged, is not the
// build's own. The file is a log: records are appended as files are written, so a build killed at
// any moment loses at most the record of the file then being placed.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "util/Status.h"
#include "util/ZetPlatform.h"

namespace zetgallery {

// The ledger's file name in the result folder.
inline constexpr char kLedgerFileName[] = ".zetgallery-ledger";

// Which picture a thumbnail was made from: a picture replaced, rewritten or only touched since
// (even with its time set back) differs in one of these.
struct TSourceIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  TFileTime modified;
  TFileTime changed;

  bool operator==(const TSourceIdentity&) const = default;
};

// The identity of the file whose status is `status`.
TSourceIdentity SourceIdentityOf(const TFileStatus& status);

struct TLedgerEntry {
  uint64_t size = 0;
  TFileTime modified;
  // A thumbnail: the picture it was made from and the settings that shaped it.
  bool hasSource = false;
  TSourceIdentity source;
  std::string shape;

  bool operator==(const TLedgerEntry&) const = default;
  // True when `status` is that of the file this entry describes, unchanged since.
  bool Describes(const TFileStatus& status) const;
};

class TOutputLedger {
 public:
  // Replaces the entries with those of the ledger text `text`. Corrupt (naming kLedgerFileName,
  // and no entries) when the text is not a ledger. A last line without its line end (a write cut
  // short) is left out; a broken record is skipped.
  TStatus Parse(const std::string& text);
  // The whole ledger as text: a header line, then one record a file.
  std::string Text() const;

  // The record line that Set(path, entry) appends to a ledger file.
  static std::string WrittenRecord(const std::string& path, const TLedgerEntry& entry);
  // The record line that Erase(path) appends.
  static std::string RemovedRecord(const std::string& path);

  void Set(const std::string& path, const TLedgerEntry& entry) { entries_[path] = entry; }
  void Erase(const std::string& path) { entries_.erase(path); }
  // The entry of `path`, or nullptr.
  const TLedgerEntry* Find(const std::string& path) const;
  const std::map<std::string, TLedgerEntry>& Entries() const { return entries_; }

 private:
  bool ApplyRecord(const std::string& line);

  std::map<std::string, TLedgerEntry> entries_;
};

}  // namespace zetgallery
