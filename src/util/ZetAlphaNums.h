// ZetAlphaNums: names that end in a number used as counters (picture_01, picture_02, ...), and
// the one integer syntax that every "is this text an integer" question in the program uses.
#pragma once

#include <cstdint>
#include <string>

namespace zetgallery {

// The program's integer syntax: leading blanks only; then an optionally signed decimal number in
// the 32-bit range, or "$", "x", "X", "0x", "0X" and hexadecimal digits fitting 32 bits (taken as
// a signed pattern). Nothing may follow. Returns false (and leaves `value` alone) otherwise.
bool TryStrToInt(const std::string& text, int32_t& value);

// TryStrToInt with a fallback for text that is not an integer.
int32_t StrToIntDef(const std::string& text, int32_t fallback);

// `value` in decimal right-aligned to `width` (at most 255) with `fill`, the sign moved to the
// front: (-5, 4, '0') gives "-005". Never cuts.
std::string IntToStrPadded(int32_t value, int width, char fill);

// Position (from 1) where the longest trailing integer of `text` begins; 0 if none.
int TrailingNumberPos(const std::string& text);

// `text` with its trailing number one higher and of the same length; unchanged when there is no
// trailing number or the next one needs more characters.
std::string IncAlphaNum(const std::string& text, char fill);

}  // namespace zetgallery
