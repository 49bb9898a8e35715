// ZetHexNums: integers to and from upper-case hexadecimal text.
#include "util/ZetHexNums.h"

#include <algorithm>

namespace zetgallery {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string IntToHexStr(int32_t value, int digits) {
  digits = std::clamp(digits, 1, 255);
  std::string result(static_cast<size_t>(digits), '0');
  auto rest = static_cast<uint32_t>(value);
  for (int i = digits - 1; i >= 0 && rest != 0; --i) {
    result[static_cast<size_t>(i)] = kHexDigits[rest & 0xF];
    rest >>= 4;
  }
  return result;
}

std::string ByteToHex(uint8_t value) { return IntToHexStr(value, 2); }

int32_t HexToInt(const std::string& text, int maxDigits) {
  const size_t limit = static_cast<size_t>(std::clamp(maxDigits, 0, 8));
  uint32_t value = 0;
  for (size_t i = 0; i < limit && i < text.size(); ++i) {
    const int digit = HexDigitValue(text[i]);
    if (digit < 0) break;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(value);
}

uint8_t HexToByte(const std::string& text) {
  return static_cast<uint8_t>(HexToInt(text, 2) & 0xFF);
}

}  // namespace zetgallery
