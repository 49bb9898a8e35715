#include "util/Status.h"

#include <cassert>
#include <ostream>

namespace zetgallery {

TStatus::TStatus(TCode code, std::string message, int detail)
    : code_(code), detail_(detail), message_(std::move(message)) {
  assert(code != TCode::kOk);
}

const char* StatusCodeName(TStatus::TCode code) {
  switch (code) {
    case TStatus::TCode::kOk:
      return "OK";
    case TStatus::TCode::kNotFound:
      return "Not found";
    case TStatus::TCode::kInvalidArgument:
      return "Invalid argument";
    case TStatus::TCode::kIoError:
      return "IO error";
    case TStatus::TCode::kCorrupt:
      return "Corrupt";
    case TStatus::TCode::kBusy:
      return "Busy";
    case TStatus::TCode::kUnsupported:
      return "Unsupported";
    case TStatus::TCode::kRefused:
      return "Refused";
  }
  return "Unknown";
}

std::string TStatus::ToString() const {
  if (ok()) return "OK";
  std::string text = StatusCodeName(code_);
  if (detail_ != 0) text += " (" + std::to_string(detail_) + ")";
  return text + ": " + message_;
}

void PrintTo(const TStatus& status, std::ostream* os) { *os << status.ToString(); }

}  // namespace zetgallery
