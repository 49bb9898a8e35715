// ZetTextFile: the first line of a text file (a description file), read by the rules of
// ZetTextLineReader (CR LF, CR or LF end a line, byte 26 ends the text).
#pragma once

#include <string>

#include "util/ZetTextLineReader.h"

namespace zetgallery {

// Reads only the first line of a file into `line` (empty file: empty line), cut to
// kMaxTextLineBytes, and of the file only what that line needs. Fails as TTextLineReader::Open
// does, or with IoError when the file cannot be read. When `cut` is given, it tells whether the
// line was cut.
TStatus ReadFirstTextLine(const std::string& path, std::string& line, bool* cut = nullptr);

}  // namespace zetgallery
