// Status: the one way an operation of the core reports that it failed. A status is "ok" or a code
// with the message the user is shown; only the window and the command line turn it into a box or
// a line on the console. A code says what kind of failure it was, for the callers that act on it;
// `detail` tells apart failures of one kind where a message needs to (a thumbnail's step, say).
//
// Exceptions are kept for programming errors, and inside the SQLite and libvips seams, where they
// are caught and become a status.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>

namespace zetgallery {

class [[nodiscard]] TStatus {
 public:
  enum class TCode : uint8_t {
    kOk,
    kNotFound,         // the file, preset or value asked for is not there
    kInvalidArgument,  // the input is malformed (a mask, a name, a value of the wrong kind)
    kIoError,          // reading or writing failed
    kCorrupt,          // the data are damaged (a settings file, a picture)
    kBusy,             // another program holds what is needed
    kUnsupported,      // a kind of input the program does not take
    kRefused,          // the program will not do it, to keep a file safe
  };

  // An ok status.
  TStatus() = default;
  // A failure of `code` (for passing on a code with another message).
  // REQUIRES: code != TCode::kOk.
  TStatus(TCode code, std::string message, int detail = 0);
  static TStatus Ok() { return TStatus(); }
  static TStatus NotFound(std::string message, int detail = 0) {
    return TStatus(TCode::kNotFound, std::move(message), detail);
  }
  static TStatus InvalidArgument(std::string message, int detail = 0) {
    return TStatus(TCode::kInvalidArgument, std::move(message), detail);
  }
  static TStatus IoError(std::string message, int detail = 0) {
    return TStatus(TCode::kIoError, std::move(message), detail);
  }
  static TStatus Corrupt(std::string message, int detail = 0) {
    return TStatus(TCode::kCorrupt, std::move(message), detail);
  }
  static TStatus Busy(std::string message, int detail = 0) {
    return TStatus(TCode::kBusy, std::move(message), detail);
  }
  static TStatus Unsupported(std::string message, int detail = 0) {
    return TStatus(TCode::kUnsupported, std::move(message), detail);
  }
  static TStatus Refused(std::string message, int detail = 0) {
    return TStatus(TCode::kRefused, std::move(message), detail);
  }

  bool ok() const { return code_ == TCode::kOk; }
  TCode code() const { return code_; }
  // The text for the user; empty when ok.
  const std::string& message() const { return message_; }
  // The caller's own finer code within code(); 0 when none was given.
  int detail() const { return detail_; }

  // The code's name and the message ("IO error: ..."), for logs and test output.
  std::string ToString() const;

  bool operator==(const TStatus&) const = default;

 private:
  TCode code_ = TCode::kOk;
  int detail_ = 0;
  std::string message_;
};

// The name of `code` ("OK", "Not found", ...).
const char* StatusCodeName(TStatus::TCode code);

// For GoogleTest's messages.
void PrintTo(const TStatus& status, std::ostream* os);

// A value, or the status that says why there is none.
template <typename T>
class [[nodiscard]] TStatusOr {
 public:
  // REQUIRES: !status.ok().
  TStatusOr(TStatus status) : status_(std::move(status)) {}  // NOLINT(google-explicit-constructor)
  TStatusOr(T value) : value_(std::move(value)) {}           // NOLINT(google-explicit-constructor)

  bool ok() const { return status_.ok(); }
  const TStatus& status() const { return status_; }
  // REQUIRES: ok() (otherwise std::bad_optional_access is thrown: a programming error).
  const T& value() const& { return value_.value(); }
  T& value() & { return value_.value(); }
  T&& value() && { return std::move(value_.value()); }
  const T* operator->() const { return &value_.value(); }
  const T& operator*() const { return value_.value(); }

 private:
  TStatus status_;
  std::optional<T> value_;
};

}  // namespace zetgallery
