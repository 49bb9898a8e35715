// SettingValueRules: the texts the window's controls can hold, as pure functions. The thumbnails
// and buttons folder edits let through only the characters IsHtmlFolderCharacter accepts, and an
// edit holds Unicode text of at most kEditTextMaxLength characters. A value loaded from the
// settings file passes the same rules, so a hand-edited file cannot hand the window or the
// command line a value no user could have typed.
#pragma once

#include <string>

#include "settings/SettingsTable.h"

namespace zetgallery {

// The most characters an edit holds (UTF-16 code units, as the window's toolkit counts them).
inline constexpr int kEditTextMaxLength = 32767;

// True for the characters a thumbnails or buttons folder name is made of: the Latin letters, the
// digits, "-" and "_". Such a name is one folder inside the result folder and goes into the
// gallery's links unchanged, so a separator, a dot or a colon must never reach it.
bool IsHtmlFolderCharacter(char32_t character);

// True for a name that stays one file directly inside its folder: not empty, not "." or "..",
// and without "/" (or a NUL byte).
bool IsPlainFileName(const std::string& name);

// Why a control would not hold a text.
enum class TTextRefusal {
  None,                 // it would
  NotUtf8,              // the bytes are not well-formed UTF-8
  TooLong,              // longer than kEditTextMaxLength
  NotAnHtmlFolderName,  // a folder name with another character than IsHtmlFolderCharacter's
  NotAPlainFileName,    // a file name that IsPlainFileName refuses
};

// Whether the control of the Text row `row` can hold `text`, and if not, why.
TTextRefusal CheckSettingText(const TSettingRow& row, const std::string& text);

}  // namespace zetgallery
