// ZetHtmlEscape: the few escapes that keep a file name from breaking the generated HTML.
#include "util/ZetHtmlEscape.h"

#include "util/ZetHexNums.h"

namespace zetgallery {

std::string UrlEncodeFileName(const std::string& name) {
  std::string result;
  result.reserve(name.size());
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '&') {
      result += "&amp;";
    } else if (byte < 32 || byte == 127 || c == '%' || c == '"' || c == '#' || c == '?' ||
               c == '<' || c == '>' || c == ':' || c == '\\') {
      // A colon would let a name read as a scheme (javascript:), and browsers read a backslash
      // as a slash, so a name starting with two of them would name another host.
      result += '%';
      result += ByteToHex(byte);
    } else {
      result += c;
    }
  }
  return result;
}

std::string EscapeHtmlText(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        result += "&amp;";
        break;
      case '<':
        result += "&lt;";
        break;
      case '>':
        result += "&gt;";
        break;
      default:
        result += c;
    }
  }
  return result;
}

std::string EscapeHtmlAttribute(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c == '"') {
      result += "&quot;";
    } else {
      result += c;
    }
  }
  return result;
}

}  // namespace zetgallery
