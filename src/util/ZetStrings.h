// ZetStrings: small pure functions on byte strings (UTF-8 on this platform) shared by every
// subsystem: quote stripping, the OEM (CP866) conversion, and the case rules the program uses.
#pragma once

#include <string>
#include <vector>

namespace zetgallery {

// Returns `text` without one leading and one trailing double quote; each side is handled on its
// own and at most once, inner quotes are never touched.
std::string StripQuotes(const std::string& text);

// Converts CP866 text (the DOS code page descript.ion files are written in) to UTF-8. The
// result may be longer than the input; bytes 0..127 stay as they are.
std::string OemToAnsiString(const std::string& oemText);

// Case folding of all Unicode letters (Cyrillic included), as used for names in descript.ion,
// preset names and registry key names. Bytes that are not valid UTF-8 stay as they are, so two
// different invalid texts never fold to the same text.
std::string FoldCase(const std::string& text);

// True when `a` and `b` are equal ignoring the letter case of all Unicode letters.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

// Order of the sorted lists (image list, preset list): case-insensitive collation of the user's
// locale, so "A.jpg" comes before "b.jpg". Returns <0, 0 or >0.
int CompareForSortedList(const std::string& a, const std::string& b);

// Sorts `names` in place in the order of CompareForSortedList.
void SortForSortedList(std::vector<std::string>& names);

// Removes blanks and control characters (codes up to 32) from both ends.
std::string TrimControlAndBlanks(const std::string& text);

// Number of bytes of the character that starts at `pos` of `text`: the length of a well-formed
// UTF-8 sequence, or 1 for a byte that does not start one (so invalid UTF-8 counts byte by byte).
// REQUIRES: pos < text.size().
size_t Utf8CharLength(const std::string& text, size_t pos);

// Appends the UTF-8 form of `codePoint` to `out`.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace zetgallery
