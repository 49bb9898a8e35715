// FileSizeLimit: a full disk, as far as this process can tell.
#pragma once

#include <sys/resource.h>

namespace zetgallery {

// While it lives, no file of this process may grow past `bytes`: a write beyond that fails as on
// a full disk (the signal that would end the process is ignored meanwhile).
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes);
  ~TFileSizeLimit();
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};

}  // namespace zetgallery
