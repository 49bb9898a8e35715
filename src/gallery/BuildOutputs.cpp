// BuildOutputs: the build's file operations, relative to folders opened once, with the ledger.
#include "gallery/BuildOutputs.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "WriterMessages.h"
#include "gallery/BuildMessages.h"
#include "util/ZetTrash.h"

namespace zetgallery {

namespace {

// Writes are handed to the system in pieces of this size.
constexpr size_t kWriteBuffer = size_t{64} * 1024;
// A new file's permissions when it replaces nothing: what the system's file creation mask leaves
// of these.
constexpr int kDefaultPermissions = -1;

bool WriteAll(int descriptor, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(descriptor, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// A file the user protected on purpose: no write permission for its owner, or none for us.
bool IsWriteProtected(const TOpenFolder& folder, const std::string& name,
                      const TFileStatus& entry) {
  if ((entry.permissions & 0200) == 0) return true;
  return ::faccessat(folder.Descriptor(), name.c_str(), W_OK, AT_SYMLINK_NOFOLLOW) != 0 &&
         errno != EINVAL;
}

// `path` relative to `base` when it lies inside it ("" for the folder itself), else absolute.
std::string LedgerPrefixFor(const std::string& path, const std::string& base) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path folder = fs::absolute(path, error).lexically_normal();
  const fs::path root = fs::absolute(base, error).lexically_normal();
  const fs::path relative = folder.lexically_relative(root);
  std::string prefix =
      relative.empty() || *relative.begin() == ".." ? folder.string() : relative.string();
  while (!prefix.empty() && prefix.back() == '/') prefix.pop_back();
  if (prefix == ".") prefix.clear();
  return prefix.empty() ? prefix : prefix + "/";
}

}  // namespace

TStatus OutputRefused(TOutputRefusal refusal, const std::string& path) {
  const int detail = static_cast<int>(refusal);
  switch (refusal) {
    case TOutputRefusal::None:
      return TStatus::Ok();
    case TOutputRefusal::CannotCreate:
    case TOutputRefusal::WriteFailed:
      return TStatus::IoError(path, detail);
    default:
      return TStatus::Refused(path, detail);
  }
}

// ---- TOutputFile

TOutputFile::~TOutputFile() { Drop(); }

std::string TOutputFile::Path() const {
  return folder_ == nullptr ? name_ : folder_->PathOf(name_);
}

void TOutputFile::Fail(TStatus why) {
  if (status_.ok()) status_ = std::move(why);
}

void TOutputFile::Write(const std::string& text) {
  if (descriptor_ < 0 || !status_.ok()) return;
  buffer_ += text;
  if (buffer_.size() >= kWriteBuffer) FlushBuffer();
}

void TOutputFile::WriteLine(const std::string& text) {
  Write(text);
  Write("\r\n");
}

int TOutputFile::Descriptor() {
  FlushBuffer();
  return descriptor_;
}

void TOutputFile::FlushBuffer() {
  if (descriptor_ >= 0 && status_.ok() && !buffer_.empty() &&
      !WriteAll(descriptor_, buffer_.data(), buffer_.size()))
    status_ = TStatus::IoError(Path());
  buffer_.clear();
}

void TOutputFile::Drop() {
  if (descriptor_ >= 0) {
    ::close(descriptor_);
    if (folder_ != nullptr) folder_->Remove(temporary_);
  }
  descriptor_ = -1;
  if (status_.ok()) status_ = TStatus::IoError(Path());
  buffer_.clear();
}

// ---- TBuildOutputs

TBuildOutputs::TBuildOutputs(const TBuildInputFiles& inputs) : inputs_(inputs) {}

TBuildOutputs::~TBuildOutputs() {
  if (!finished_) Finish();
  if (ledgerAppend_ >= 0) ::close(ledgerAppend_);
}

TBuildOutputs::TFolderState& TBuildOutputs::State(TOutputPlace place) {
  return folders_[static_cast<int>(place)];
}

const TBuildOutputs::TFolderState& TBuildOutputs::State(TOutputPlace place) const {
  return folders_[static_cast<int>(place)];
}

const TOpenFolder& TBuildOutputs::Folder(TOutputPlace place) const { return State(place).folder; }

TStatus TBuildOutputs::OpenResultFolder(const std::string& path) {
  TFolderState& result = State(TOutputPlace::Result);
  result.folder = TOpenFolder(path);
  if (!result.folder.IsOpen() || !result.folder.ReadStatus(result.status))
    return TStatus::IoError(kMsgIndexFileOpen);
  // Two builds of one gallery at once would take each other's files for foreign ones.
  if (!result.folder.TryLock()) {
    result.folder = TOpenFolder();
    return TStatus::Busy(GalleryBusyMessage(path));
  }
  result.open = true;
  RemoveStaleTemporaryFiles(result.folder);
  ReadLedger();
  return TStatus::Ok();
}

TStatus TBuildOutputs::OpenFolder(TOutputPlace place, const std::string& path) {
  TFolderState& state = State(place);
  state.folder = TOpenFolder(path);
  state.open = state.folder.IsOpen() && state.folder.ReadStatus(state.status);
  if (!state.open) return TStatus::IoError(path);
  state.ledgerPrefix = LedgerPrefixFor(path, State(TOutputPlace::Result).folder.Path());
  RemoveStaleTemporaryFiles(state.folder);
  return TStatus::Ok();
}

void TBuildOutputs::RemoveStaleTemporaryFiles(const TOpenFolder& folder) const {
  std::vector<std::string> names;
  if (!folder.ListEntries(names)) return;
  TFileStatus entry;
  for (const std::string& name : names)
    if (IsTemporaryFileName(name) && folder.ReadEntryStatus(name, entry) &&
        entry.kind != TFileStatus::TKind::Directory)
      folder.Remove(name);
}

std::string TBuildOutputs::LedgerPath(TOutputPlace place, const std::string& name) const {
  return State(place).ledgerPrefix + name;
}

bool TBuildOutputs::IsInput(TOutputPlace place, const std::string& name) const {
  const TFolderState& state = State(place);
  TFileStatus entry;
  TFileStatus file;
  const bool entryFound = state.folder.ReadEntryStatus(name, entry);
  const bool fileFound = entryFound && state.folder.ReadFileStatus(name, file);
  return inputs_.Holds(state.status, name, entryFound ? &entry : nullptr,
                       fileFound ? &file : nullptr);
}

bool TBuildOutputs::IsOwnLocked(TOutputPlace place, const std::string& name,
                                const TFileStatus& status) const {
  const TLedgerEntry* entry = ledger_.Find(LedgerPath(place, name));
  return entry != nullptr && entry->Describes(status);
}

TStatus TBuildOutputs::Begin(TOutputPlace place, const std::string& name, TOutputFile& file) {
  file.Drop();
  const TFolderState& state = State(place);
  if (!state.open || name.empty() || name.find('/') != std::string::npos ||
      name.find('\0') != std::string::npos)
    return OutputRefused(TOutputRefusal::CannotCreate, state.folder.PathOf(name));
  if (IsInput(place, name))
    return OutputRefused(TOutputRefusal::IsInput, state.folder.PathOf(name));
  int permissions = kDefaultPermissions;
  TFileStatus entry;
  if (state.folder.ReadEntryStatus(name, entry)) {
    // A folder, a device or a pipe of that name would be swapped for a plain file, and a
    // protected file would lose its protection.
    if (entry.kind == TFileStatus::TKind::Directory || entry.kind == TFileStatus::TKind::Other ||
        (entry.IsRegular() && IsWriteProtected(state.folder, name, entry)))
      return OutputRefused(TOutputRefusal::NotReplaceable, state.folder.PathOf(name));
    // The replacement keeps the permissions of the file it replaces.
    if (entry.IsRegular()) permissions = static_cast<int>(entry.permissions);
  }
  file.descriptor_ = state.folder.CreateTemporaryFile(file.temporary_, permissions);
  if (file.descriptor_ < 0)
    return OutputRefused(TOutputRefusal::CannotCreate, state.folder.PathOf(name));
  file.folder_ = &state.folder;
  file.place_ = place;
  file.name_ = name;
  file.status_ = TStatus::Ok();
  file.buffer_.reserve(kWriteBuffer);
  return TStatus::Ok();
}

TStatus TBuildOutputs::Commit(TOutputFile& file, const TLedgerEntry* origin) {
  if (!file.IsOpen()) return OutputRefused(TOutputRefusal::WriteFailed, file.Path());
  file.FlushBuffer();
  TFileStatus written;
  if (!file.status_.ok() || !ReadDescriptorStatus(file.descriptor_, written)) {
    const std::string path = file.Path();
    file.Drop();
    return OutputRefused(TOutputRefusal::WriteFailed, path);
  }
  const TOpenFolder& folder = *file.folder_;
  const TOutputPlace place = file.place_;
  const std::string name = file.name_;
  TLedgerEntry record = origin != nullptr ? *origin : TLedgerEntry();
  record.size = written.size;
  record.modified = written.modified;

  std::lock_guard<std::mutex> lock(mutex_);
  // Looked at again: the entry may have changed since Begin. A file that appears between the
  // look and the rename is looked at once more.
  for (int attempt = 0; attempt < 4; ++attempt) {
    TFileStatus entry;
    if (!folder.ReadEntryStatus(name, entry)) {
      if (folder.RenameWithoutReplacing(file.temporary_, name)) {
        ::close(file.descriptor_);
        file.descriptor_ = -1;
        RecordLocked(place, name, record);
        return TStatus::Ok();
      }
      if (errno == EEXIST) continue;
      file.Drop();
      return OutputRefused(TOutputRefusal::WriteFailed, folder.PathOf(name));
    }
    if (IsInput(place, name)) {
      file.Drop();
      return OutputRefused(TOutputRefusal::IsInput, folder.PathOf(name));
    }
    if (entry.kind == TFileStatus::TKind::Directory || entry.kind == TFileStatus::TKind::Other ||
        (entry.IsRegular() && IsWriteProtected(folder, name, entry))) {
      file.Drop();
      return OutputRefused(TOutputRefusal::NotReplaceable, folder.PathOf(name));
    }
    if (entry.IsRegular()) {
      // A file that already holds exactly these bytes stays as it is, time included: a rebuild
      // leaves unchanged files alone, and a file someone else made that way loses nothing.
      const int existing = folder.OpenForReading(name);
      const bool same = existing >= 0 && SameFileContents(existing, file.descriptor_);
      TFileStatus kept;
      const bool keptRead = same && ReadDescriptorStatus(existing, kept);
      if (existing >= 0) ::close(existing);
      // A writer that set the file's time (a thumbnail takes its picture's) wants that time too.
      if (keptRead && (origin == nullptr || kept.modified == written.modified)) {
        file.Drop();
        record.size = kept.size;
        record.modified = kept.modified;
        RecordLocked(place, name, record);
        return TStatus::Ok();
      }
      // The same bytes are no loss to replace, whoever wrote them.
      if (keptRead || IsOwnLocked(place, name, entry)) {
        if (!folder.Rename(file.temporary_, name)) {
          file.Drop();
          return OutputRefused(TOutputRefusal::WriteFailed, folder.PathOf(name));
        }
        ::close(file.descriptor_);
        file.descriptor_ = -1;
        RecordLocked(place, name, record);
        return TStatus::Ok();
      }
    }
    // Someone else's file (or a link): to the trash first, then the new file takes its place.
    if (!TrashLocked(place, name)) {
      file.Drop();
      return OutputRefused(TOutputRefusal::NotTrashable, folder.PathOf(name));
    }
  }
  file.Drop();
  return OutputRefused(TOutputRefusal::WriteFailed, folder.PathOf(name));
}

bool TBuildOutputs::TrashLocked(TOutputPlace place, const std::string& name) {
  const TOpenFolder& folder = State(place).folder;
  if (!MoveToTrash(folder, name).ok()) {
    untrashable_.push_back(folder.PathOf(name));
    // Claimed all the same: the sweep must not try (and report) it a second time.
    written_.insert({State(place).status.device, State(place).status.inode, name});
    return false;
  }
  trashed_.push_back(folder.PathOf(name));
  ForgetLocked(place, name);
  return true;
}

bool TBuildOutputs::WrittenLocked(TOutputPlace place, const std::string& name) const {
  const TFileStatus& folder = State(place).status;
  return written_.count({folder.device, folder.inode, name}) != 0;
}

void TBuildOutputs::RecordLocked(TOutputPlace place, const std::string& name,
                                 const TLedgerEntry& entry) {
  const TFileStatus& folder = State(place).status;
  written_.insert({folder.device, folder.inode, name});
  const std::string path = LedgerPath(place, name);
  const TLedgerEntry* known = ledger_.Find(path);
  if (known != nullptr && *known == entry) return;
  ledger_.Set(path, entry);
  AppendLocked(TOutputLedger::WrittenRecord(path, entry));
}

void TBuildOutputs::ForgetLocked(TOutputPlace place, const std::string& name) {
  const std::string path = LedgerPath(place, name);
  if (ledger_.Find(path) == nullptr) return;
  ledger_.Erase(path);
  AppendLocked(TOutputLedger::RemovedRecord(path));
}

bool TBuildOutputs::KeepIfUpToDate(TOutputPlace place, const std::string& name,
                                   const TSourceIdentity& source, const std::string& shape) {
  TFolderState& state = State(place);
  TFileStatus entry;
  if (!state.open || !state.folder.ReadEntryStatus(name, entry) || !entry.IsRegular()) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  const TLedgerEntry* known = ledger_.Find(LedgerPath(place, name));
  if (known == nullptr || !known->Describes(entry) || !known->hasSource ||
      !(known->source == source) || known->shape != shape)
    return false;
  written_.insert({state.status.device, state.status.inode, name});
  return true;
}

void TBuildOutputs::KeepAsWritten(TOutputPlace place, const std::string& name) {
  const TFileStatus& folder = State(place).status;
  std::lock_guard<std::mutex> lock(mutex_);
  written_.insert({folder.device, folder.inode, name});
}

std::set<std::string> TBuildOutputs::OwnFilesShaped(TOutputPlace place,
                                                    const std::string& shapePrefix) const {
  const std::string prefix = State(place).ledgerPrefix;
  std::set<std::string> names;
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& [path, entry] : ledger_.Entries()) {
    if (!entry.hasSource || !entry.shape.starts_with(shapePrefix) || !path.starts_with(prefix))
      continue;
    const std::string name = path.substr(prefix.size());
    if (name.find('/') == std::string::npos) names.insert(name);
  }
  return names;
}

void TBuildOutputs::Sweep(TOutputPlace place,
                          const std::function<bool(const std::string& name)>& candidate,
                          bool foreignToo) {
  TFolderState& state = State(place);
  std::vector<std::string> names;
  if (!state.open || !state.folder.ListEntries(names)) return;
  std::lock_guard<std::mutex> lock(mutex_);
  for (const std::string& name : names) {
    TFileStatus entry;
    if (WrittenLocked(place, name) || !candidate(name) || IsTemporaryFileName(name) ||
        LedgerPath(place, name) == kLedgerFileName || !state.folder.ReadEntryStatus(name, entry) ||
        entry.kind == TFileStatus::TKind::Directory || IsInput(place, name) ||
        (entry.IsRegular() && IsWriteProtected(state.folder, name, entry)))
      continue;
    if (IsOwnLocked(place, name, entry)) {
      if (state.folder.Remove(name)) ForgetLocked(place, name);
    } else if (foreignToo) {
      TrashLocked(place, name);
    }
  }
}

std::vector<std::string> TBuildOutputs::TakeTrashed() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(trashed_, {});
}

std::vector<std::string> TBuildOutputs::TakeUntrashable() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(untrashable_, {});
}

void TBuildOutputs::ReadLedger() {
  const TOpenFolder& folder = State(TOutputPlace::Result).folder;
  TFileStatus entry;
  if (folder.ReadEntryStatus(kLedgerFileName, entry)) {
    std::string text;
    const int file = entry.IsRegular() ? folder.OpenForReading(kLedgerFileName) : -1;
    if (file >= 0) {
      char chunk[64 * 1024];
      for (ssize_t n; (n = ::read(file, chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<size_t>(n));
      ::close(file);
    }
    // A file of that name that is not a ledger is someone else's; it goes when the ledger is
    // first written.
    ledgerForeign_ = !ledger_.Parse(text).ok();
  }
}

void TBuildOutputs::AppendLocked(const std::string& line) {
  if (!ledgerOpened_) {
    ledgerOpened_ = true;
    const TOpenFolder& folder = State(TOutputPlace::Result).folder;
    if (ledgerForeign_ && !TrashLocked(TOutputPlace::Result, kLedgerFileName)) return;
    // Rewritten whole first, so that the records appended by this build follow a complete ledger.
    if (!WriteLedger()) return;
    ledgerAppend_ = ::openat(folder.Descriptor(), kLedgerFileName,
                             O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    return;  // the ledger written holds the record already
  }
  // One write a record: a kill leaves whole records and at most a last one cut short.
  if (ledgerAppend_ >= 0) (void)!::write(ledgerAppend_, line.data(), line.size());
}

bool TBuildOutputs::WriteLedger() {
  const TOpenFolder& folder = State(TOutputPlace::Result).folder;
  std::string temporary;
  const int file = folder.CreateTemporaryFile(temporary, kDefaultPermissions);
  if (file < 0) return false;
  const std::string text = ledger_.Text();
  const bool written = WriteAll(file, text.data(), text.size());
  if (::close(file) == 0 && written && folder.Rename(temporary, kLedgerFileName)) return true;
  folder.Remove(temporary);
  return false;
}

void TBuildOutputs::Finish() {
  finished_ = true;
  if (!State(TOutputPlace::Result).open) return;
  std::lock_guard<std::mutex> lock(mutex_);
  // Entries of files that are gone, or that someone changed, describe nothing of the build's.
  std::vector<std::string> stale;
  const TOpenFolder& result = State(TOutputPlace::Result).folder;
  for (const auto& [path, entry] : ledger_.Entries()) {
    TFileStatus status;
    const bool found = path.starts_with("/") ? ReadEntryStatus(path, status)
                                             : result.ReadEntryStatus(path, status);
    if (!found || !entry.Describes(status)) stale.push_back(path);
  }
  for (const std::string& path : stale) ledger_.Erase(path);
  if (ledgerAppend_ >= 0) ::close(ledgerAppend_);
  ledgerAppend_ = -1;
  // A build that wrote nothing leaves the folder as it found it.
  if (ledgerOpened_ || !stale.empty()) WriteLedger();
}

}  // namespace zetgallery
