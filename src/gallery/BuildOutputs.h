// BuildOutputs: every file operation of a build (create, replace, clear, copy) in one place, so
// that its rules hold for every writer (index, pages, thumbnails, button copies):
// - Each output folder is opened once; files are created, renamed and removed relative to it.
// - A file is written under a new temporary name and renamed into place whole; an existing file
//   holding exactly the new bytes is left as it is, time included.
// - The build's inputs, in any letter case, are never written, moved or deleted.
// - A file the ledger (OutputLedger) does not show as written by an earlier build, unchanged
//   since, goes to the user's trash before the new file takes its place; where no trash can take
//   it, it stays and that output is skipped.
// - Clearing is a sweep after the build, over the files this build did not write.
// Safe to use from several threads at once (the thumbnail workers).
#pragma once

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "gallery/BuildInputFiles.h"
#include "gallery/OutputLedger.h"
#include "util/Status.h"
#include "util/ZetOpenFolder.h"

namespace zetgallery {

// The output folders of a build.
enum class TOutputPlace { Result, Thumbs, Buttons, Display };

// Why an output was not placed: the detail of the status Begin or Commit returns.
enum class TOutputRefusal {
  None,
  IsInput,         // Refused: the name is one of the build's inputs
  NotReplaceable,  // Refused: the entry there is a folder, a device or a pipe, or write-protected
  CannotCreate,    // IoError: no new file can be made in the folder
  WriteFailed,     // IoError: writing, flushing or renaming the new file failed
  NotTrashable,    // Refused: a file of someone else's is there and no trash can take it
};

// The status of an output refused for `refusal` (ok for None), the message naming `path`.
TStatus OutputRefused(TOutputRefusal refusal, const std::string& path);

// The refusal a status of Begin or Commit stands for (None when ok).
inline TOutputRefusal RefusalOf(const TStatus& status) {
  return static_cast<TOutputRefusal>(status.detail());
}

class TBuildOutputs;

// One output file being written under its temporary name. Writes are buffered; the first failure
// is kept as its status and later writes do nothing.
class TOutputFile {
 public:
  TOutputFile() = default;
  ~TOutputFile();
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;

  bool IsOpen() const { return descriptor_ >= 0; }
  // Ok while everything written has gone through; else the first failure (IoError naming the
  // file, or what Fail was given). A file not begun, or dropped, is not ok.
  const TStatus& status() const { return status_; }
  // The path the file will have, for messages.
  std::string Path() const;
  void Write(const std::string& text);
  // Writes `text` followed by CR LF.
  void WriteLine(const std::string& text);
  // The descriptor, with everything written so far handed to the system, for a writer of its own
  // (the image library). -1 when not open.
  int Descriptor();
  // Marks the file as failed for `why` (kept unless it failed already): it will not be placed.
  void Fail(TStatus why);

 private:
  friend class TBuildOutputs;
  void FlushBuffer();
  void Drop();

  const TOpenFolder* folder_ = nullptr;
  TOutputPlace place_ = TOutputPlace::Result;
  std::string name_;
  std::string temporary_;
  int descriptor_ = -1;
  std::string buffer_;
  TStatus status_ = TStatus::IoError("");
};

class TBuildOutputs {
 public:
  // REQUIRES: `inputs` outlives this object.
  explicit TBuildOutputs(const TBuildInputFiles& inputs);
  // Writes the ledger if Finish was not called.
  ~TBuildOutputs();
  TBuildOutputs(const TBuildOutputs&) = delete;
  TBuildOutputs& operator=(const TBuildOutputs&) = delete;

  // Opens the result folder, takes its lock, reads the ledger and removes temporary files that an
  // earlier build left behind. Call first. Busy (GalleryBusyMessage) when another build of this
  // gallery holds the lock, IoError (kMsgIndexFileOpen) when the folder cannot be opened.
  TStatus OpenResultFolder(const std::string& path);
  // Opens the thumbnails or buttons folder and removes stale temporary files in it. IoError
  // naming the folder when it cannot be opened.
  TStatus OpenFolder(TOutputPlace place, const std::string& path);
  const TOpenFolder& Folder(TOutputPlace place) const;

  // True when the entry `name` of `place` is or leads to one of the build's inputs.
  bool IsInput(TOutputPlace place, const std::string& name) const;

  // Starts the file `name` in `place`. The entry already there is looked at now, so that a file
  // that could not be placed is refused before it is written (OutputRefused).
  TStatus Begin(TOutputPlace place, const std::string& name, TOutputFile& file);
  // Places a complete file under its name (see the rules above) and records it in the ledger;
  // `origin` (a thumbnail's picture and shape) goes into its record. The file is closed either way.
  // Ok, or why the file was not placed (OutputRefused).
  TStatus Commit(TOutputFile& file, const TLedgerEntry* origin = nullptr);
  // Drops a file that will not be placed.
  void Discard(TOutputFile& file) { file.Drop(); }

  // True when `name` in `place` is a thumbnail (or display copy) the ledger shows made from
  // `source` with `shape` and unchanged since: it then counts as written by this build.
  bool KeepIfUpToDate(TOutputPlace place, const std::string& name, const TSourceIdentity& source,
                      const std::string& shape);

  // Counts the file `name` in `place` as written by this build, as it is (a button picture that
  // is its own copy).
  void KeepAsWritten(TOutputPlace place, const std::string& name);

  // The names of the files directly in `place` whose ledger record has a shape beginning with
  // `shapePrefix`.
  std::set<std::string> OwnFilesShaped(TOutputPlace place, const std::string& shapePrefix) const;

  // Removes every file directly in `place` whose name `candidate` accepts and that this build did
  // not write. Folders, inputs, write-protected files and the program's own bookkeeping stay;
  // files of the ledger go, others go to the trash (or stay, when `foreignToo` is false).
  void Sweep(TOutputPlace place, const std::function<bool(const std::string& name)>& candidate,
             bool foreignToo = true);

  // The files moved to the trash since the last call (their paths before), and the files that
  // stayed because no trash could take them.
  std::vector<std::string> TakeTrashed();
  std::vector<std::string> TakeUntrashable();

  // Writes the ledger whole, without the entries of files no longer there.
  void Finish();

 private:
  struct TFolderState {
    TOpenFolder folder;
    TFileStatus status;
    std::string ledgerPrefix;  // the folder's path in ledger paths ("" or "thumbs/")
    bool open = false;
  };

  TFolderState& State(TOutputPlace place);
  const TFolderState& State(TOutputPlace place) const;
  std::string LedgerPath(TOutputPlace place, const std::string& name) const;
  // True when the entry `status` at `name` is a file the ledger shows, unchanged. Under mutex_.
  bool IsOwnLocked(TOutputPlace place, const std::string& name, const TFileStatus& status) const;
  // Moves a foreign entry to the trash, noting it. Under mutex_.
  bool TrashLocked(TOutputPlace place, const std::string& name);
  void RecordLocked(TOutputPlace place, const std::string& name, const TLedgerEntry& entry);
  void ForgetLocked(TOutputPlace place, const std::string& name);
  bool WrittenLocked(TOutputPlace place, const std::string& name) const;
  void RemoveStaleTemporaryFiles(const TOpenFolder& folder) const;
  void ReadLedger();
  // Appends a record to the ledger file; the first one writes the whole ledger instead.
  void AppendLocked(const std::string& line);
  bool WriteLedger();

  const TBuildInputFiles& inputs_;
  TFolderState folders_[4];
  mutable std::mutex mutex_;
  TOutputLedger ledger_;
  int ledgerAppend_ = -1;  // the ledger file open for appending records
  bool ledgerOpened_ = false;
  bool ledgerForeign_ = false;  // a file named like the ledger that is not one
  bool finished_ = false;
  // The files written (or kept) by this build, and those it could not place for want of a
  // trash, by folder (device, inode) and name: two places may be one folder.
  std::set<std::tuple<uint64_t, uint64_t, std::string>> written_;
  std::vector<std::string> trashed_;
  std::vector<std::string> untrashable_;
};

}  // namespace zetgallery
