// ZetTextLineReader: the line rules of the program's text files (templates, pages, description
// files), and a reader that streams a file line by line, holding one line at a time.
//
// A line ends at CR LF, at a lone CR or at a lone LF (Linux editors end lines with LF alone); byte
// 26 (Ctrl+Z) ends the text; a last line without a line end is still a line, and the end of the
// text right after a line end adds no empty line. Bytes are returned unchanged.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "util/Status.h"

namespace zetgallery {

// The longest line the program reads from a text file, in bytes. Templates and descriptions are
// written by hand, and even a template line carrying a small picture inline (a data: address)
// stays well under it; a file without line ends (a broken or hostile one, gigabytes of one line)
// then costs this much memory a line, not its size.
inline constexpr size_t kMaxTextLineBytes = 1 << 20;

// Reads lines one at a time from a file or a text in memory. Each byte is looked at once, so a
// file is read in time linear in what is read, and reading stops wherever the caller stops.
class TTextLineReader {
 public:
  // `bufferSize` is how much is read from the file at a time, `lineLimit` the most bytes a line
  // returned holds (tests use tiny ones of both).
  // REQUIRES: bufferSize > 0, lineLimit > 0.
  explicit TTextLineReader(size_t bufferSize = 65536, size_t lineLimit = kMaxTextLineBytes);
  ~TTextLineReader();
  TTextLineReader(const TTextLineReader&) = delete;
  TTextLineReader& operator=(const TTextLineReader&) = delete;

  // Opens `path`. NotFound when there is no such file, Unsupported when it is not a plain file (a
  // folder, a pipe, a device; a link counts as what it points to: a pipe would block, a device may
  // never end), IoError when it cannot be opened; the message is the path.
  TStatus Open(const std::string& path);
  // Reads the lines of `text` instead of a file.
  // REQUIRES: `text` outlives the reading.
  void OpenText(const std::string& text);
  // Reads the next line into `line`, without its line end and cut to the line limit. False (with
  // `line` empty) at the end of the text, after a read error, or when nothing is open.
  bool ReadLine(std::string& line);
  // IoError (naming the file) once reading the file failed; the end of the text is no failure.
  const TStatus& status() const { return status_; }
  // True when the line ReadLine last returned was cut.
  bool LastLineCut() const { return lastLineCut_; }
  // True when some line since the last Open or OpenText was cut.
  bool AnyLineCut() const { return anyLineCut_; }
  void Close();

 private:
  // Refills the buffer; false at the end of the source or on a read error.
  bool Fill();

  std::FILE* file_ = nullptr;
  const std::string* text_ = nullptr;
  size_t textPos_ = 0;
  size_t lineLimit_;
  std::vector<char> buffer_;
  size_t begin_ = 0;  // unread bytes are buffer_[begin_, end_)
  size_t end_ = 0;
  bool skipLf_ = false;  // the last line ended with CR: a LF right after it belongs to that end
  bool ended_ = true;
  std::string path_;
  TStatus status_;
  bool lastLineCut_ = false;
  bool anyLineCut_ = false;
};

// Splits `content` into lines by the rules above, with the limit kMaxTextLineBytes.
std::vector<std::string> SplitTextLines(const std::string& content);

}  // namespace zetgallery
