// ZetOpenFolder: the POSIX (Linux) implementation over a directory descriptor.
#include "util/ZetOpenFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "PosixFileStatus.h"

namespace zetgallery {

namespace {

constexpr char kTemporaryPrefix[] = ".zg-";
constexpr char kTemporarySuffix[] = ".part";

// A name made of 16 random hexadecimal digits: a name planted in advance cannot be the one used.
std::string RandomTemporaryName() {
  unsigned char bytes[8] = {};
  if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
    // Without the kernel's randomness the name still never reuses an entry (O_EXCL below).
    static unsigned long counter = 0;
    const unsigned long mixed = static_cast<unsigned long>(::getpid()) * 2654435761UL + ++counter;
    std::memcpy(bytes, &mixed, sizeof bytes < sizeof mixed ? sizeof bytes : sizeof mixed);
  }
  static const char digits[] = "0123456789abcdef";
  std::string name = kTemporaryPrefix;
  for (const unsigned char byte : bytes) {
    name += digits[byte >> 4];
    name += digits[byte & 15];
  }
  return name + kTemporarySuffix;
}

bool ReadAll(int descriptor, char* buffer, size_t size, off_t offset, size_t& got) {
  got = 0;
  while (got < size) {
    const ssize_t n =
        ::pread(descriptor, buffer + got, size - got, offset + static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

TOpenFolder::TOpenFolder(const std::string& path)
    : descriptor_(path.empty() || path.find('\0') != std::string::npos
                      ? -1
                      : ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
      path_(path) {}

TOpenFolder::~TOpenFolder() { Close(); }

TOpenFolder::TOpenFolder(TOpenFolder&& other) noexcept
    : descriptor_(other.descriptor_), path_(std::move(other.path_)) {
  other.descriptor_ = -1;
}

TOpenFolder& TOpenFolder::operator=(TOpenFolder&& other) noexcept {
  if (this != &other) {
    Close();
    descriptor_ = other.descriptor_;
    path_ = std::move(other.path_);
    other.descriptor_ = -1;
  }
  return *this;
}

void TOpenFolder::Close() {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
}

std::string TOpenFolder::PathOf(const std::string& name) const {
  if (path_.empty() || path_.back() == '/') return path_ + name;
  return path_ + "/" + name;
}

std::string TOpenFolder::RealPath() const {
  if (descriptor_ < 0) return path_;
  char buffer[4096];
  const std::string link = "/proc/self/fd/" + std::to_string(descriptor_);
  const ssize_t length = ::readlink(link.c_str(), buffer, sizeof buffer);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer || buffer[0] != '/') return path_;
  return std::string(buffer, static_cast<size_t>(length));
}

bool TOpenFolder::ReadStatus(TFileStatus& status) const {
  struct stat info {};
  if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0) return false;
  StatusFrom(info, status);
  return true;
}

bool TOpenFolder::ReadEntryStatus(const std::string& name, TFileStatus& status) const {
  struct stat info {};
  if (descriptor_ < 0 || ::fstatat(descriptor_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
    return false;
  StatusFrom(info, status);
  return true;
}

bool TOpenFolder::ReadFileStatus(const std::string& name, TFileStatus& status) const {
  struct stat info {};
  if (descriptor_ < 0 || ::fstatat(descriptor_, name.c_str(), &info, 0) != 0) return false;
  StatusFrom(info, status);
  return true;
}

bool TOpenFolder::ListEntries(std::vector<std::string>& names) const {
  names.clear();
  if (descriptor_ < 0) return false;
  // A second descriptor of the same folder: reading entries moves a descriptor's position.
  const int listing = ::openat(descriptor_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return false;
  DIR* folder = ::fdopendir(listing);
  if (folder == nullptr) {
    ::close(listing);
    return false;
  }
  errno = 0;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  const bool ok = errno == 0;
  ::closedir(folder);
  return ok;
}

int TOpenFolder::CreateTemporaryFile(std::string& name, int permissions) const {
  if (descriptor_ < 0) return -1;
  for (int attempt = 0; attempt < 16; ++attempt) {
    name = RandomTemporaryName();
    const int file =
        ::openat(descriptor_, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                 permissions < 0 ? 0666 : 0600);
    if (file >= 0) {
      // Set through the descriptor, past the file creation mask: exactly the permissions asked.
      if (permissions >= 0) ::fchmod(file, static_cast<mode_t>(permissions & 07777));
      return file;
    }
    if (errno != EEXIST) break;
  }
  name.clear();
  return -1;
}

int TOpenFolder::OpenForReading(const std::string& name) const {
  if (descriptor_ < 0) return -1;
  return ::openat(descriptor_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

bool TOpenFolder::Rename(const std::string& from, const std::string& to) const {
  return descriptor_ >= 0 && ::renameat(descriptor_, from.c_str(), descriptor_, to.c_str()) == 0;
}

bool TOpenFolder::RenameWithoutReplacing(const std::string& from, const std::string& to) const {
  return MoveWithoutReplacing(from, *this, to);
}

bool TOpenFolder::MoveWithoutReplacing(const std::string& from, const TOpenFolder& target,
                                       const std::string& to) const {
  if (descriptor_ < 0 || target.descriptor_ < 0) return false;
  if (::renameat2(descriptor_, from.c_str(), target.descriptor_, to.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: the check and the rename are two steps there.
  struct stat info {};
  if (::fstatat(target.descriptor_, to.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::renameat(descriptor_, from.c_str(), target.descriptor_, to.c_str()) == 0;
}

bool TOpenFolder::Remove(const std::string& name) const {
  return descriptor_ >= 0 && ::unlinkat(descriptor_, name.c_str(), 0) == 0;
}

bool TOpenFolder::IsOrHolds(const std::string& path) const {
  TFileStatus self;
  if (!ReadStatus(self)) return false;
  int folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  // Up through ".." from the inner folder to the root, whose ".." is itself.
  for (int depth = 0; folder >= 0 && depth < 4096; ++depth) {
    struct stat info {};
    if (::fstat(folder, &info) != 0) break;
    if (static_cast<uint64_t>(info.st_dev) == self.device &&
        static_cast<uint64_t>(info.st_ino) == self.inode) {
      ::close(folder);
      return true;
    }
    const int parent = ::openat(folder, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat parentInfo {};
    const bool atRoot = parent >= 0 && ::fstat(parent, &parentInfo) == 0 &&
                        parentInfo.st_dev == info.st_dev && parentInfo.st_ino == info.st_ino;
    ::close(folder);
    folder = atRoot ? -1 : parent;
    if (atRoot) ::close(parent);
  }
  if (folder >= 0) ::close(folder);
  return false;
}

bool TOpenFolder::TryLock() const {
  if (descriptor_ < 0) return false;
  if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0) return true;
  // Only another holder refuses; a file system without locks does not stop a build.
  return errno != EWOULDBLOCK;
}

bool IsTemporaryFileName(const std::string& name) {
  const std::string prefix = kTemporaryPrefix;
  const std::string suffix = kTemporarySuffix;
  return name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) &&
         name.ends_with(suffix);
}

bool SameFileContents(int first, int second) {
  struct stat a {};
  struct stat b {};
  if (::fstat(first, &a) != 0 || ::fstat(second, &b) != 0 || !S_ISREG(a.st_mode) ||
      !S_ISREG(b.st_mode) || a.st_size != b.st_size)
    return false;
  constexpr size_t kChunk = size_t{64} * 1024;
  std::string left(kChunk, '\0');
  std::string right(kChunk, '\0');
  for (off_t offset = 0; offset < a.st_size;) {
    size_t gotLeft = 0;
    size_t gotRight = 0;
    if (!ReadAll(first, left.data(), kChunk, offset, gotLeft) ||
        !ReadAll(second, right.data(), kChunk, offset, gotRight) || gotLeft != gotRight ||
        gotLeft == 0 || std::memcmp(left.data(), right.data(), gotLeft) != 0)
      return false;
    offset += static_cast<off_t>(gotLeft);
  }
  return true;
}

}  // namespace zetgallery
