// ZetTextFile: the line rules of the program's text files, and the CR LF writer.
#include "ZetTextFile.h"

#include <filesystem>
#include <memory>
#include <system_error>

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

TTextWriter::~TTextWriter() { Close(); }

bool TTextWriter::Open(const std::string& path) {
  Close();
  ok_ = true;
  // Opening a pipe for writing waits until some other program reads it, which may be never.
  std::error_code error;
  if (IsUsablePath(path) && !std::filesystem::is_fifo(std::filesystem::path(path), error))
    file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) ok_ = false;
  return file_ != nullptr;
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
  if (file_ != nullptr) {
    if (std::fclose(file_) != 0) ok_ = false;
    file_ = nullptr;
  }
  return ok_;
}
