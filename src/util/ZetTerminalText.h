// ZetTerminalText: texts made safe to show on a terminal. A file name is any bytes but "/" and
// the zero byte, so a name can carry escape sequences that retitle or clear the user's terminal,
// or a line break that splits a progress line.
#pragma once

#include <string>

namespace zetgallery {

// `text` as it can be shown on a terminal: each byte 0..31 and 127, each byte of a C1 control
// character (U+0080..U+009F) and each byte that is not part of well-formed UTF-8 is written as a
// backslash and three octal digits (ESC as \033, a line feed as \012), and a backslash as two
// backslashes, as `ls --escape` shows names. Everything else stays, so the result is UTF-8.
std::string EscapeForTerminal(const std::string& text);

}  // namespace zetgallery
