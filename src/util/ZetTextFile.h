// ZetTextFile: the first line of a text file (a description file), read by the rules of
// ZetTextLineReader (CR LF, CR or LF end a line, byte 26 ends the text).
#pragma once

#include <string>

#include "util/ZetTextLineReader.h"

namespace zetgallery {

// Reads only the first line of a file into `line` (empty file: empty line), cut to
// kMaxTextLineBytes, and of the file only what that line needs. False when the file cannot be
// opened or read, or is not a plain file (a folder, a pipe, a device; a link counts as what it
// points to). When `cut` is given, it tells whether the line was cut.
bool ReadFirstTextLine(const std::string& path, std::string& line, bool* cut = nullptr);

}  // namespace zetgallery
