// ZetStrings: quote stripping, the CP866 conversion and the program's case and sorting rules.
#include "util/ZetStrings.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <numeric>

namespace zetgallery {

namespace {

// Code points of CP866 bytes 0x80..0xFF; bytes below 0x80 are ASCII.
constexpr char16_t kCp866High[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B,
    0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433,
    0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B,
    0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes the well-formed UTF-8 character of `length` bytes at `pos`.
char32_t DecodeUtf8(const std::string& text, size_t pos, size_t length) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  switch (length) {
    case 1:
      return byte(0);
    case 2:
      return ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    case 3:
      return ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    default:
      return ((byte(0) & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) | ((byte(2) & 0x3Fu) << 6) |
             (byte(3) & 0x3Fu);
  }
}

QCollator& SortedListCollator() {
  // Building a collator is costly; the sorted lists compare thousands of names.
  thread_local QCollator collator = [] {
    // The "C" locale has no collation of its own (it would sort by code, and its sort keys would
    // disagree with its comparisons); the common root order of letters is the better fallback.
    QLocale locale;
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator c(locale);
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return collator;
}

}  // namespace

std::string StripQuotes(const std::string& text) {
  std::string result = text;
  if (!result.empty() && result.front() == '"') result.erase(0, 1);
  if (!result.empty() && result.back() == '"') result.pop_back();
  return result;
}

std::string OemToAnsiString(const std::string& oemText) {
  std::string result;
  result.reserve(oemText.size() * 2);
  for (char c : oemText) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      result += c;
    } else {
      AppendUtf8(result, kCp866High[byte - 0x80]);
    }
  }
  return result;
}

size_t Utf8CharLength(const std::string& text, size_t pos) {
  const auto at = [&](size_t i) -> unsigned char {
    return pos + i < text.size() ? static_cast<unsigned char>(text[pos + i]) : 0;
  };
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 1;
  }
  if (at(1) < low || at(1) > high) return 1;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuation(at(i))) return 1;
  }
  return length;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

std::string FoldCase(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
      // ASCII folds to lower case; done here, it spares a table lookup per character of every
      // name compared.
      result += static_cast<char>(lead >= 'A' && lead <= 'Z' ? lead + 32 : lead);
      ++pos;
      continue;
    }
    const size_t length = Utf8CharLength(text, pos);
    if (length == 1) {
      // A stray byte is kept as it is, so two different invalid names never fold together.
      result += text[pos];
    } else {
      AppendUtf8(result, QChar::toCaseFolded(DecodeUtf8(text, pos, length)));
    }
    pos += length;
  }
  return result;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return FoldCase(a) == FoldCase(b);
}

int CompareForSortedList(const std::string& a, const std::string& b) {
  const int order = SortedListCollator().compare(QString::fromUtf8(a), QString::fromUtf8(b));
  if (order != 0) return order < 0 ? -1 : 1;
  // Names that differ only in case (or in bytes the collator cannot see) still get a fixed order,
  // so a list sorted twice comes out the same.
  const int bytes = a.compare(b);
  return bytes < 0 ? -1 : (bytes > 0 ? 1 : 0);
}

void SortForSortedList(std::vector<std::string>& names) {
  // Sort keys are computed once per name rather than once per comparison: a folder may hold a
  // hundred thousand pictures.
  QCollator& collator = SortedListCollator();
  std::vector<QCollatorSortKey> keys;
  keys.reserve(names.size());
  for (const std::string& name : names) keys.push_back(collator.sortKey(QString::fromUtf8(name)));
  std::vector<size_t> order(names.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
    const int byKey = keys[x].compare(keys[y]);
    if (byKey != 0) return byKey < 0;
    return names[x] < names[y];
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (size_t index : order) sorted.push_back(std::move(names[index]));
  names = std::move(sorted);
}

std::string TrimControlAndBlanks(const std::string& text) {
  const auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  size_t first = 0;
  size_t last = text.size();
  while (first < last && isTrimmed(text[first])) ++first;
  while (last > first && isTrimmed(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace zetgallery
