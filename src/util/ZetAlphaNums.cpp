// ZetAlphaNums: the program's integer syntax and numbered-name counters.
#include "util/ZetAlphaNums.h"

#include <algorithm>
#include <cstdlib>

#include "util/ZetHexNums.h"

namespace zetgallery {

namespace {

// Reads hexadecimal digits from `pos` to the end; false when there are none, when another
// character follows, or when the value needs more than 32 bits.
bool ParseHexDigits(const std::string& text, size_t pos, int32_t& value) {
  if (pos >= text.size()) return false;
  uint64_t result = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = HexDigitValue(text[pos]);
    if (digit < 0) return false;
    result = result * 16 + static_cast<uint64_t>(digit);
    if (result > 0xFFFFFFFFull) return false;
  }
  value = static_cast<int32_t>(static_cast<uint32_t>(result));
  return true;
}

// Reads an optionally signed decimal number from `pos` to the end, within the 32-bit range.
bool ParseDecimal(const std::string& text, size_t pos, int32_t& value) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos >= text.size()) return false;
  const uint64_t limit = negative ? 2147483648ull : 2147483647ull;
  uint64_t result = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c < '0' || c > '9') return false;
    result = result * 10 + static_cast<uint64_t>(c - '0');
    if (result > limit) return false;
  }
  value =
      static_cast<int32_t>(negative ? -static_cast<int64_t>(result) : static_cast<int64_t>(result));
  return true;
}

// The integer syntax applied to the part of `text` from `pos` to its end.
bool ParseIntegerFrom(const std::string& text, size_t pos, int32_t& value) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  if (pos >= text.size()) return false;
  const char first = text[pos];
  if (first == '$' || first == 'x' || first == 'X') return ParseHexDigits(text, pos + 1, value);
  if (first == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    return ParseHexDigits(text, pos + 2, value);
  }
  return ParseDecimal(text, pos, value);
}

}  // namespace

bool TryStrToInt(const std::string& text, int32_t& value) {
  return ParseIntegerFrom(text, 0, value);
}

int32_t StrToIntDef(const std::string& text, int32_t fallback) {
  int32_t value = 0;
  return TryStrToInt(text, value) ? value : fallback;
}

std::string IntToStrPadded(int32_t value, int width, char fill) {
  std::string text = std::to_string(value);
  const size_t target = static_cast<size_t>(std::clamp(width, 0, 255));
  if (text.size() < target) text.insert(0, target - text.size(), ' ');
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') text[i] = fill;
    if (text[i] == '-' && i > 0) {
      text[0] = '-';
      text[i] = fill;
    }
  }
  return text;
}

int TrailingNumberPos(const std::string& text) {
  int32_t ignored = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (ParseIntegerFrom(text, i, ignored)) return static_cast<int>(i + 1);
    // Every start inside a run of blanks sees the same number after the run, so a failure at
    // the first blank is a failure for the whole run.
    while (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') ++i;
  }
  return 0;
}

std::string IncAlphaNum(const std::string& text, char fill) {
  const int position = TrailingNumberPos(text);
  if (position == 0) return text;
  int32_t number = 0;
  ParseIntegerFrom(text, static_cast<size_t>(position - 1), number);
  const int64_t next = std::llabs(static_cast<int64_t>(number)) + 1;
  std::string result = text.substr(0, static_cast<size_t>(position - 1)) + std::to_string(next);
  if (result.size() > text.size()) return text;
  result.insert(static_cast<size_t>(position - 1), text.size() - result.size(), fill);
  return result;
}

}  // namespace zetgallery
