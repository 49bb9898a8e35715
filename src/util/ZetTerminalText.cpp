// ZetTerminalText: octal escapes for what a terminal would act on.
#include "util/ZetTerminalText.h"

#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

void AppendOctal(std::string& out, unsigned char byte) {
  out += '\\';
  out += static_cast<char>('0' + (byte >> 6));
  out += static_cast<char>('0' + ((byte >> 3) & 7));
  out += static_cast<char>('0' + (byte & 7));
}

}  // namespace

std::string EscapeForTerminal(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = Utf8CharLength(text, pos);
    const auto lead = static_cast<unsigned char>(text[pos]);
    const bool control = lead < 32 || lead == 127;
    const bool stray = length == 1 && lead >= 0x80;
    // U+0080..U+009F are C2 80..C2 9F; some terminals take U+009B as the start of a sequence.
    const bool c1 = length == 2 && lead == 0xC2 && static_cast<unsigned char>(text[pos + 1]) < 0xA0;
    if (control || stray || c1) {
      for (size_t i = 0; i < length; ++i)
        AppendOctal(out, static_cast<unsigned char>(text[pos + i]));
    } else if (lead == '\\') {
      out += "\\\\";
    } else {
      out.append(text, pos, length);
    }
    pos += length;
  }
  return out;
}

}  // namespace zetgallery
