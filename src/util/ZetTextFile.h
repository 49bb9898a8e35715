// ZetTextFile: the one reader and writer of text files (templates, pages, description files).
// Lines are read by the rules of ZetTextLineReader (CR LF, CR or LF end a line, byte 26 ends the
// text). Every line written ends with CR LF. Bytes are copied unchanged.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "ZetTextLineReader.h"

// Reads a whole file into `lines`. Returns false (with `lines` empty) when the file cannot be
// opened or read, or is not a plain file (a folder, a pipe, a device; a link counts as what it
// points to).
bool ReadTextFileLines(const std::string& path, std::vector<std::string>& lines);

// Reads only the first line of a file into `line` (empty file: empty line), and of the file only
// what that line needs. False as for ReadTextFileLines.
bool ReadFirstTextLine(const std::string& path, std::string& line);

// Writes text to a file; remembers the first failure, later calls then do nothing.
class TTextWriter {
 public:
  TTextWriter() = default;
  ~TTextWriter();
  TTextWriter(const TTextWriter&) = delete;
  TTextWriter& operator=(const TTextWriter&) = delete;

  // Creates (or truncates) the file. False on failure, and for a pipe of that name.
  bool Open(const std::string& path);
  // Writes `text` as it is.
  void Write(const std::string& text);
  // Writes `text` followed by CR LF.
  void WriteLine(const std::string& text);
  // Pushes what was written to the operating system.
  void Flush();
  // Closes the file; false when any write, the flush or the close failed.
  bool Close();
  bool IsOpen() const { return file_ != nullptr; }
  bool Ok() const { return ok_; }

 private:
  std::FILE* file_ = nullptr;
  bool ok_ = true;
};
