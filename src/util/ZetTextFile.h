// ZetTextFile: the one reader and writer of text files (templates, pages, description files).
// Lines are read by the rules of ZetTextLineReader (CR LF, CR or LF end a line, byte 26 ends the
// text). Every line written ends with CR LF. Bytes are copied unchanged.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "ZetTextLineReader.h"

// Reads only the first line of a file into `line` (empty file: empty line), cut to
// kMaxTextLineBytes, and of the file only what that line needs. False when the file cannot be
// opened or read, or is not a plain file (a folder, a pipe, a device; a link counts as what it
// points to). When `cut` is given, it tells whether the line was cut.
bool ReadFirstTextLine(const std::string& path, std::string& line, bool* cut = nullptr);

// Writes a text file whole or not at all: the text goes to a temporary file beside the target
// (TemporaryPathBeside), and Close() renames it over the target once everything is written. A
// failed write leaves the target as it was and no temporary file behind. A plain file that
// already holds exactly the text written is left as it is, time included. Remembers the first
// failure; later calls then do nothing.
class TTextWriter {
 public:
  TTextWriter() = default;
  // Discards what was written unless Close() completed the file.
  ~TTextWriter();
  TTextWriter(const TTextWriter&) = delete;
  TTextWriter& operator=(const TTextWriter&) = delete;

  // Starts writing the file `path`. False when it cannot be written: no usable path, a target
  // that exists but is not a plain file (a folder, a device, a pipe), a write-protected target
  // (no write permission for its owner, or none for this user), or a folder where no temporary
  // file can be made. A target replaced later keeps its permission bits.
  bool Open(const std::string& path);
  // Writes `text` as it is.
  void Write(const std::string& text);
  // Writes `text` followed by CR LF.
  void WriteLine(const std::string& text);
  // Pushes what was written to the operating system.
  void Flush();
  // Completes the file: renames the temporary file over the target, or drops it when the target
  // is a plain file (not a link) with the same bytes. False when any write, the flush, the close
  // or the rename failed; the target then holds what it held before.
  bool Close();
  // Drops what was written; the target holds what it held before.
  void Discard();
  bool IsOpen() const { return file_ != nullptr; }
  bool Ok() const { return ok_; }

 private:
  std::FILE* file_ = nullptr;
  std::string target_;
  std::string temporary_;
  bool ok_ = false;
  // What was written so far, kept while the target is a plain file of at most kCompareLimit
  // bytes, to be compared with it on Close().
  std::string written_;
  bool comparing_ = false;
};
