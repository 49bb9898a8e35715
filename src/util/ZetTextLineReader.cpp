// ZetTextLineReader: one pass over the bytes, a buffer at a time.
#include "util/ZetTextLineReader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zetgallery {

namespace {

constexpr char kEndOfText = 26;

bool EndsLineOrText(char c) { return c == '\r' || c == '\n' || c == kEndOfText; }

}  // namespace

TTextLineReader::TTextLineReader(size_t bufferSize, size_t lineLimit)
    : lineLimit_(std::max<size_t>(lineLimit, 1)), buffer_(std::max<size_t>(bufferSize, 1)) {}

TTextLineReader::~TTextLineReader() { Close(); }

TStatus TTextLineReader::Open(const std::string& path) {
  Close();
  // A path with a zero byte would silently name a different file (the text before the zero).
  if (path.empty() || path.find('\0') != std::string::npos) return TStatus::NotFound(path);
  std::error_code error;
  const std::filesystem::file_status file = std::filesystem::status(path, error);
  if (!std::filesystem::exists(file)) return TStatus::NotFound(path);
  if (!std::filesystem::is_regular_file(file)) return TStatus::Unsupported(path);
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) return TStatus::IoError(path);
  path_ = path;
  ended_ = false;
  return TStatus::Ok();
}

void TTextLineReader::OpenText(const std::string& text) {
  Close();
  text_ = &text;
  ended_ = false;
}

void TTextLineReader::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  text_ = nullptr;
  textPos_ = 0;
  begin_ = end_ = 0;
  skipLf_ = false;
  ended_ = true;
  status_ = TStatus::Ok();
  path_.clear();
  lastLineCut_ = false;
  anyLineCut_ = false;
}

bool TTextLineReader::Fill() {
  begin_ = end_ = 0;
  if (text_ != nullptr) {
    end_ = std::min(buffer_.size(), text_->size() - textPos_);
    std::memcpy(buffer_.data(), text_->data() + textPos_, end_);
    textPos_ += end_;
    return end_ > 0;
  }
  if (file_ == nullptr) return false;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  // A read error is a failure, not the end of the text.
  if (end_ == 0 && std::ferror(file_) != 0) status_ = TStatus::IoError(path_);
  return end_ > 0;
}

bool TTextLineReader::ReadLine(std::string& line) {
  line.clear();
  lastLineCut_ = false;
  if (ended_) return false;
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      ended_ = true;
      if (!status_.ok()) {
        line.clear();
        lastLineCut_ = false;
      }
      return !line.empty();
    }
    if (skipLf_) {
      skipLf_ = false;
      if (buffer_[begin_] == '\n') {
        ++begin_;
        continue;
      }
    }
    const char* const first = buffer_.data() + begin_;
    const char* const last = buffer_.data() + end_;
    const char* const stop = std::find_if(first, last, EndsLineOrText);
    // Past the limit the rest of the line is passed over, never held, so that a file without
    // line ends is read in bounded memory however large it is.
    const size_t room = lineLimit_ - line.size();
    if (static_cast<size_t>(stop - first) > room) {
      line.append(first, room);
      lastLineCut_ = anyLineCut_ = true;
    } else {
      line.append(first, stop);
    }
    begin_ = static_cast<size_t>(stop - buffer_.data());
    if (stop == last) continue;
    ++begin_;
    if (*stop == kEndOfText) {
      ended_ = true;
      return !line.empty();
    }
    skipLf_ = *stop == '\r';
    return true;
  }
}

std::vector<std::string> SplitTextLines(const std::string& content) {
  std::vector<std::string> lines;
  TTextLineReader reader;
  reader.OpenText(content);
  for (std::string line; reader.ReadLine(line);) lines.push_back(line);
  return lines;
}

}  // namespace zetgallery
