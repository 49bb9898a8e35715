// ZetTextFile: whole-file and first-line reading over the line reader, and the CR LF writer.
#include "ZetTextFile.h"

#include <filesystem>
#include <system_error>

namespace {

// A path with a zero byte would silently name a different file (the text before the zero).
bool IsUsablePath(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
}

}  // namespace

bool ReadTextFileLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  TTextLineReader reader;
  if (!reader.Open(path)) return false;
  for (std::string line; reader.ReadLine(line);) lines.push_back(std::move(line));
  if (!reader.Ok()) lines.clear();
  return reader.Ok();
}

bool ReadFirstTextLine(const std::string& path, std::string& line) {
  line.clear();
  TTextLineReader reader;
  if (!reader.Open(path)) return false;
  // Only as much of the file is read as the first line needs: a description file may be large.
  reader.ReadLine(line);
  return reader.Ok();
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
