// ZetTextFile: the line rules of the program's text files, and the CR LF writer.
#include "ZetTextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "ZetTempFiles.h"

namespace {

constexpr char kEndOfText = 26;

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

// A path with a zero byte would silently name a different file (the text before the zero).
bool IsUsablePath(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
}

// Reads the whole file, or only up to the first line end or end-of-text byte when
// `firstLineOnly` (a description file may be large, only its first line is wanted).
bool ReadFileBytes(const std::string& path, bool firstLineOnly, std::string& content) {
  content.clear();
  if (!IsUsablePath(path)) return false;
  // Only plain files (or links to them) are read. A pipe would block the open forever, and a
  // device such as /dev/zero never ends; either can lie in a picture folder unpacked from an
  // archive, under the name of a description file.
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::path(path), error)) return false;
  TFileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  char buffer[65536];
  for (;;) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    content.append(buffer, got);
    if (got < sizeof buffer) break;
    if (firstLineOnly && content.find_first_of(std::string("\r\x1A", 2)) != std::string::npos) {
      return true;
    }
  }
  // A read error is a failure, not an empty file.
  return std::ferror(file.get()) == 0;
}

}  // namespace

std::vector<std::string> SplitTextLines(const std::string& content) {
  std::vector<std::string> lines;
  const size_t end = std::min(content.find(kEndOfText), content.size());
  size_t start = 0;
  while (start < end) {
    const size_t cr = content.find('\r', start);
    if (cr == std::string::npos || cr >= end) {
      lines.push_back(content.substr(start, end - start));
      break;
    }
    lines.push_back(content.substr(start, cr - start));
    start = cr + 1;
    if (start < end && content[start] == '\n') ++start;
  }
  return lines;
}

bool ReadTextFileLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::string content;
  if (!ReadFileBytes(path, false, content)) return false;
  lines = SplitTextLines(content);
  return true;
}

bool ReadFirstTextLine(const std::string& path, std::string& line) {
  line.clear();
  std::string content;
  if (!ReadFileBytes(path, true, content)) return false;
  const std::vector<std::string> lines = SplitTextLines(content);
  if (!lines.empty()) line = lines.front();
  return true;
}

TTextWriter::~TTextWriter() { Discard(); }

bool TTextWriter::Open(const std::string& path) {
  Discard();
  ok_ = false;
  if (!IsUsablePath(path)) return false;
  namespace fs = std::filesystem;
  // The target is replaced by a rename, never written through: a pipe or a device of that name
  // would be swapped for a plain file, and a protected file would lose its protection.
  std::error_code error;
  const fs::file_status status = fs::status(fs::path(path), error);
  const bool exists = fs::exists(status);
  if (exists && (!fs::is_regular_file(status) ||
                 (status.permissions() & fs::perms::owner_write) == fs::perms::none ||
                 ::access(path.c_str(), W_OK) != 0))
    return false;
  const std::string temporary = TemporaryPathBeside(path);
  // O_EXCL: the temporary name must be new, never someone's file or a link planted there.
  const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) return false;
  if (exists) ::fchmod(descriptor, static_cast<mode_t>(status.permissions() & fs::perms::mask));
  file_ = ::fdopen(descriptor, "wb");
  if (file_ == nullptr) {
    ::close(descriptor);
    ::unlink(temporary.c_str());
    return false;
  }
  target_ = path;
  temporary_ = temporary;
  ok_ = true;
  return true;
}

void TTextWriter::Write(const std::string& text) {
  if (file_ == nullptr || !ok_ || text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) ok_ = false;
}

void TTextWriter::WriteLine(const std::string& text) {
  Write(text);
  Write("\r\n");
}

void TTextWriter::Flush() {
  if (file_ != nullptr && ok_ && std::fflush(file_) != 0) ok_ = false;
}

bool TTextWriter::Close() {
  if (file_ == nullptr) return ok_;
  if (std::fclose(file_) != 0) ok_ = false;
  file_ = nullptr;
  if (ok_ && std::rename(temporary_.c_str(), target_.c_str()) != 0) ok_ = false;
  if (!ok_) ::unlink(temporary_.c_str());
  temporary_.clear();
  return ok_;
}

void TTextWriter::Discard() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  file_ = nullptr;
  ok_ = false;
  ::unlink(temporary_.c_str());
  temporary_.clear();
}
