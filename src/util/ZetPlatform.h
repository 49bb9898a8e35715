// ZetPlatform: everything the program needs that only one operating system offers, as small
// functions. The rest of the program uses the standard library and QtCore; a port to another
// system supplies another ZetPlatform.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace zetgallery {

// True where names and paths follow Windows' rules, false on POSIX systems.
#ifdef _WIN32
inline constexpr bool kWindowsPlatform = true;
#else
inline constexpr bool kWindowsPlatform = false;
#endif

// A file's last modification time to the nanosecond, as the file system keeps it.
struct TFileTime {
  int64_t seconds = 0;
  int64_t nanoseconds = 0;
  bool operator==(const TFileTime&) const = default;
};

// What the program reads from a file's status.
struct TFileStatus {
  enum class TKind { Regular, Directory, SymbolicLink, Other };
  TKind kind = TKind::Other;
  uint64_t size = 0;
  // Together the file itself: two names with the same device and inode lead to one file.
  uint64_t device = 0;
  uint64_t inode = 0;
  TFileTime modified;
  // The last change of the file's status (a write, a rename, new permissions): a file replaced
  // by another with the same size and time still shows here.
  TFileTime changed;
  unsigned permissions =
      0;  // the mode's low 12 bits (rwx for owner, group, others; set-id, sticky)

  bool IsRegular() const { return kind == TKind::Regular; }
};

// The status of the file `path` leads to, links followed. False when there is none.
bool ReadFileStatus(const std::string& path, TFileStatus& status);

// The status of the entry `path` itself: a symbolic link is reported as one, not followed.
// False when there is no such entry.
bool ReadEntryStatus(const std::string& path, TFileStatus& status);

// Gives the file `path` leads to the modification time `time`, its access time unchanged.
// False when it could not.
bool SetFileModificationTime(const std::string& path, const TFileTime& time);

// The status of the open file `descriptor`. False when it cannot be read.
bool ReadDescriptorStatus(int descriptor, TFileStatus& status);

// Gives the open file `descriptor` the modification time `time`, its access time unchanged.
bool SetDescriptorModificationTime(int descriptor, const TFileTime& time);

// A file opened for reading only, closed when the object goes. Opening never waits: a pipe or a
// device named like a file opens at once (and its status says it is not a regular file).
class TReadOnlyFile {
 public:
  explicit TReadOnlyFile(const std::string& path);
  ~TReadOnlyFile();
  TReadOnlyFile(const TReadOnlyFile&) = delete;
  TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;

  bool IsOpen() const { return descriptor_ >= 0; }
  // The status of the file opened, read through the open file: a name replaced meanwhile does
  // not change it. False when closed or unreadable.
  bool ReadStatus(TFileStatus& status) const;
  // Reads up to `size` bytes from `offset` into `buffer`; the count read, or -1 on failure.
  int64_t ReadAt(void* buffer, size_t size, uint64_t offset) const;
  // The descriptor, for a library that reads from one and keeps its own duplicate. -1 when
  // closed.
  int Descriptor() const { return descriptor_; }

 private:
  int descriptor_ = -1;
};

// True when this process may write to the existing file `path` (its permissions, its owner, the
// access lists and a read-only file system all taken into account).
bool MayWriteFile(const std::string& path);

// The path of the running program's executable; empty when the system does not tell.
std::string RunningExecutablePath();

// The machine's physical memory in bytes; 0 when the system does not tell.
uint64_t PhysicalMemoryBytes();

// Makes the memory allocator hand every block of `largeBlock` bytes or more straight back to the
// system when it is freed, give back the free end of a heap once it passes `keptTop` bytes, and
// keep at most `heaps` heaps for all threads. Without it the C library raises both bars after
// each large free (up to 32 and 64 MB) and keeps the freed memory of a heap for every thread:
// decoding photos on several threads held up to twice the memory the decodes needed at any one
// time. Does nothing where the allocator has no such settings.
void LimitAllocatorRetention(size_t largeBlock, size_t keptTop, int heaps);

// True when the standard output is a terminal rather than a file or a pipe.
bool StandardOutputIsTerminal();

}  // namespace zetgallery
