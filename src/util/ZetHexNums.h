// ZetHexNums: conversion between integers and upper-case hexadecimal text.
#pragma once

#include <cstdint>
#include <string>

namespace zetgallery {

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);

// Exactly `digits` (1..255) of the lowest hexadecimal digits of `value` taken as unsigned 32-bit,
// most significant first; more than 8 digits give leading zeros.
std::string IntToHexStr(int32_t value, int digits);

// Two hexadecimal digits.
std::string ByteToHex(uint8_t value);

// Reads at most `maxDigits` (above 8 counts as 8) hexadecimal digits from the start of `text`,
// stopping at the first character that is not one. "ff7",2 gives 255; "G1",2 gives 0.
int32_t HexToInt(const std::string& text, int maxDigits);

// HexToInt(text, 2), low 8 bits.
uint8_t HexToByte(const std::string& text);

}  // namespace zetgallery
