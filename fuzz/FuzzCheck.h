// FuzzCheck: what the fuzz targets share: a check that aborts (so libFuzzer keeps the input) and
// helpers to cut one input into several texts.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "util/ZetStrings.h"

using namespace zetgallery;

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

inline std::string InputText(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// `text` cut at each zero byte.
inline std::vector<std::string> SplitAtZero(const std::string& text) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t zero; (zero = text.find('\0', start)) != std::string::npos; start = zero + 1)
    pieces.push_back(text.substr(start, zero - start));
  pieces.push_back(text.substr(start));
  return pieces;
}

// True when `text` is well-formed UTF-8.
inline bool IsUtf8(const std::string& text) {
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = Utf8CharLength(text, pos);
    if (length == 1 && static_cast<unsigned char>(text[pos]) >= 0x80) return false;
    pos += length;
  }
  return true;
}

// Number of characters of `text`, a byte that is not UTF-8 counting as one.
inline size_t CharCount(const std::string& text) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size(); pos += Utf8CharLength(text, pos)) ++count;
  return count;
}
