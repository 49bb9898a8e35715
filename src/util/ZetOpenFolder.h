// ZetOpenFolder: a folder opened once, and the file operations made relative to it (POSIX). Once
// open, the folder stays the one it was: a link swapped in later for its path, or for a folder
// above it, cannot redirect a file created, renamed or removed in it.
#pragma once

#include <string>
#include <vector>

#include "util/ZetPlatform.h"

namespace zetgallery {

class TOpenFolder {
 public:
  TOpenFolder() = default;
  // Opens the folder `path`; links on the way are followed now, once. IsOpen() tells whether it
  // worked.
  explicit TOpenFolder(const std::string& path);
  ~TOpenFolder();
  TOpenFolder(TOpenFolder&& other) noexcept;
  TOpenFolder& operator=(TOpenFolder&& other) noexcept;
  TOpenFolder(const TOpenFolder&) = delete;
  TOpenFolder& operator=(const TOpenFolder&) = delete;

  bool IsOpen() const { return descriptor_ >= 0; }
  // The path the folder was opened by, as given.
  const std::string& Path() const { return path_; }
  // Path() + "/" + name, for messages.
  std::string PathOf(const std::string& name) const;
  // The path the system knows the open folder by now, links resolved; Path() when it does not
  // tell.
  std::string RealPath() const;

  // The folder's own status: its device and inode tell it from every other folder.
  bool ReadStatus(TFileStatus& status) const;
  // The status of the entry `name`; a link is reported as one, not followed.
  bool ReadEntryStatus(const std::string& name, TFileStatus& status) const;
  // The status of what the entry `name` leads to, links followed.
  bool ReadFileStatus(const std::string& name, TFileStatus& status) const;
  // The names of the folder's entries ("." and ".." left out). False when it cannot be read.
  bool ListEntries(std::vector<std::string>& names) const;

  // Creates a new empty file under a hidden name that nobody can guess (IsTemporaryFileName) and
  // that no entry had, with exactly `permissions` (the low 12 bits of a mode), or with what the
  // file creation mask leaves of 0666 when `permissions` is -1. Never opens or follows an entry
  // that was already there. The descriptor (open for reading and writing), or -1; `name`
  // receives the name.
  int CreateTemporaryFile(std::string& name, int permissions) const;
  // Opens the plain file `name` for reading: not through a link at that name, and without waiting
  // on a pipe. -1 when it cannot.
  int OpenForReading(const std::string& name) const;
  // Renames the entry `from` to `to` within the folder; an entry `to` is replaced.
  bool Rename(const std::string& from, const std::string& to) const;
  // Renames the entry `from` to `to` only while nothing is called `to`.
  bool RenameWithoutReplacing(const std::string& from, const std::string& to) const;
  // Renames the entry `from` of this folder to `to` in `target` (on the same file system) only
  // while nothing there is called `to`.
  bool MoveWithoutReplacing(const std::string& from, const TOpenFolder& target,
                            const std::string& to) const;
  // Removes the entry `name` (a file or a link, never a folder).
  bool Remove(const std::string& name) const;
  // True when this folder is the folder `path` (links followed) or one of the folders holding it,
  // compared as folders on disk.
  bool IsOrHolds(const std::string& path) const;
  // Takes this process's lock on the folder, held until the folder is closed. False when another
  // open of the folder (another process, or another TOpenFolder) holds it.
  bool TryLock() const;

  int Descriptor() const { return descriptor_; }

 private:
  void Close();

  int descriptor_ = -1;
  std::string path_;
};

// True for a name CreateTemporaryFile makes (".zg-" ... ".part"); older versions of the program
// used the same pattern, so a build may remove every such file left behind in its folders.
bool IsTemporaryFileName(const std::string& name);

// True when both files hold the same bytes. `first` and `second` are descriptors open for reading;
// they are read from the start, whatever their offsets.
bool SameFileContents(int first, int second);

}  // namespace zetgallery
