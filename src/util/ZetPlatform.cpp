// ZetPlatform: the POSIX (Linux) implementation.
#include "util/ZetPlatform.h"

#include <fcntl.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include "PosixFileStatus.h"

namespace zetgallery {

bool ReadFileStatus(const std::string& path, TFileStatus& status) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  StatusFrom(info, status);
  return true;
}

bool ReadEntryStatus(const std::string& path, TFileStatus& status) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return false;
  StatusFrom(info, status);
  return true;
}

bool SetFileModificationTime(const std::string& path, const TFileTime& time) {
  const timespec times[2] = {
      {0, UTIME_OMIT}, {static_cast<time_t>(time.seconds), static_cast<long>(time.nanoseconds)}};
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

bool ReadDescriptorStatus(int descriptor, TFileStatus& status) {
  struct stat info {};
  if (descriptor < 0 || ::fstat(descriptor, &info) != 0) return false;
  StatusFrom(info, status);
  return true;
}

bool SetDescriptorModificationTime(int descriptor, const TFileTime& time) {
  const timespec times[2] = {
      {0, UTIME_OMIT}, {static_cast<time_t>(time.seconds), static_cast<long>(time.nanoseconds)}};
  return ::futimens(descriptor, times) == 0;
}

TReadOnlyFile::TReadOnlyFile(const std::string& path)
    : descriptor_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}

TReadOnlyFile::~TReadOnlyFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

bool TReadOnlyFile::ReadStatus(TFileStatus& status) const {
  struct stat info {};
  if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0) return false;
  StatusFrom(info, status);
  return true;
}

int64_t TReadOnlyFile::ReadAt(void* buffer, size_t size, uint64_t offset) const {
  if (descriptor_ < 0) return -1;
  return ::pread(descriptor_, buffer, size, static_cast<off_t>(offset));
}

bool MayWriteFile(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

std::string RunningExecutablePath() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : executable.string();
}

void LimitAllocatorRetention(size_t largeBlock, size_t keptTop, int heaps) {
#if defined(__GLIBC__)
  // Setting the bars fixes them: the allocator no longer moves them after a large free.
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(largeBlock));
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(keptTop));
  mallopt(M_ARENA_MAX, heaps);
#else
  (void)largeBlock;
  (void)keptTop;
  (void)heaps;
#endif
}

uint64_t PhysicalMemoryBytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
}

bool StandardOutputIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

}  // namespace zetgallery
