// PosixFileStatus: a POSIX file status as the program's TFileStatus. Included only by the POSIX
// implementation files.
#pragma once

#include <sys/stat.h>

#include "util/ZetPlatform.h"

namespace zetgallery {

inline void StatusFrom(const struct stat& info, TFileStatus& status) {
  using TKind = TFileStatus::TKind;
  status.kind = S_ISREG(info.st_mode)   ? TKind::Regular
                : S_ISDIR(info.st_mode) ? TKind::Directory
                : S_ISLNK(info.st_mode) ? TKind::SymbolicLink
                                        : TKind::Other;
  status.size = info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
  status.device = static_cast<uint64_t>(info.st_dev);
  status.inode = static_cast<uint64_t>(info.st_ino);
  status.modified = {static_cast<int64_t>(info.st_mtim.tv_sec),
                     static_cast<int64_t>(info.st_mtim.tv_nsec)};
  status.changed = {static_cast<int64_t>(info.st_ctim.tv_sec),
                    static_cast<int64_t>(info.st_ctim.tv_nsec)};
  status.permissions = static_cast<unsigned>(info.st_mode & 07777);
}

}  // namespace zetgallery
