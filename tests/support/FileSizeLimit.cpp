#include "FileSizeLimit.h"

#include <csignal>

namespace zetgallery {

TFileSizeLimit::TFileSizeLimit(rlim_t bytes) {
  getrlimit(RLIMIT_FSIZE, &old_);
  oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = old_;
  limited.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limited);
}

TFileSizeLimit::~TFileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &old_);
  std::signal(SIGXFSZ, oldHandler_);
}

}  // namespace zetgallery
