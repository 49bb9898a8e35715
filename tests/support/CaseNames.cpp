#include "CaseNames.h"

namespace zetgallery {

std::string CaseName(size_t index, const std::string& text) {
  // Long texts are cut: the position already keeps the names apart.
  constexpr size_t kMostCharacters = 40;
  std::string name = std::to_string(index);
  bool separated = false;
  for (const char c : text) {
    if (name.size() >= kMostCharacters) break;
    const bool letterOrDigit =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (letterOrDigit) {
      if (!separated) name += '_';
      name += c;
      separated = true;
    } else {
      separated = false;
    }
  }
  return name;
}

std::string CaseText(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += word + " ";
  return text;
}

namespace {

// `text` between `quote`s, with the quote, the backslash and control bytes escaped. Letters of
// other alphabets stay readable.
std::string Quoted(const std::string& text, char quote) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string literal(1, quote);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == quote || c == '\\') {
      literal += '\\';
      literal += c;
    } else if (c == '\r') {
      literal += "\\r";
    } else if (c == '\n') {
      literal += "\\n";
    } else if (c == '\t') {
      literal += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      literal += "\\x";
      literal += kDigits[byte >> 4];
      literal += kDigits[byte & 15];
    } else {
      literal += c;
    }
  }
  return literal + quote;
}

}  // namespace

std::string CaseLiteral(const std::string& text) { return Quoted(text, '"'); }

std::string CaseLiteral(const char* text) {
  return text == nullptr ? "nullptr" : Quoted(text, '"');
}

std::string CaseLiteral(char letter) { return Quoted(std::string(1, letter), '\''); }

}  // namespace zetgallery
