// ZetFileUtils: pure functions on path texts. Each comes in two styles: Windows (backslash
// separator, colon ending a drive prefix, drive letters and UNC shares) and POSIX (separator "/",
// the root "/" plays the drive root, a colon is an ordinary character). The program itself uses
// the native style; "backslash" in a function's name means the style's separator.
#pragma once

#include <string>

#include "util/ZetPlatform.h"

namespace zetgallery {

enum class TPathStyle { Windows, Posix };

inline constexpr TPathStyle kNativePathStyle =
    kWindowsPlatform ? TPathStyle::Windows : TPathStyle::Posix;

// The style's separator: '\\' or '/'.
char PathSeparator(TPathStyle style = kNativePathStyle);

// Everything after the last separator (or, in the Windows style, colon); the whole text if none.
std::string ExtractFileName(const std::string& path, TPathStyle style = kNativePathStyle);

// The part from the last dot to the end, dot included, when no separator (or Windows colon)
// follows that dot; otherwise empty.
std::string ExtractFileExt(const std::string& path, TPathStyle style = kNativePathStyle);

// Everything up to and including the last separator (or Windows colon); empty if none.
std::string ExtractFilePath(const std::string& path, TPathStyle style = kNativePathStyle);

// Windows: "C:" or "\\server\share" (see the function's tests); POSIX: always empty.
std::string ExtractFileDrive(const std::string& path, TPathStyle style = kNativePathStyle);

// The file name part without its final extension: "C:\Pics\sea.old.jpg" gives "sea.old".
std::string ExtractFileNameNoExt(const std::string& path, TPathStyle style = kNativePathStyle);

// `path` ending in exactly one more separator if it did not end in one; empty stays empty.
std::string EnsureTrailingBackslash(const std::string& path, TPathStyle style = kNativePathStyle);

// `path` without a trailing separator, except that a drive root keeps or gains one ("C:" gives
// "C:\", "/" stays "/"); removes only one of several trailing separators.
std::string NormalizeFolderPath(const std::string& path, TPathStyle style = kNativePathStyle);

}  // namespace zetgallery
