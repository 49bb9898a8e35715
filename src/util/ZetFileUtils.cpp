// ZetFileUtils: path texts in the Windows and the POSIX style.
#include "util/ZetFileUtils.h"

namespace zetgallery {

namespace {

// True for a character that ends a folder or drive prefix in the style.
bool IsDelimiter(char c, TPathStyle style) {
  if (style == TPathStyle::Windows) return c == '\\' || c == ':';
  return c == '/';
}

// Index of the last delimiter, std::string::npos if none.
size_t LastDelimiter(const std::string& path, TPathStyle style) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsDelimiter(path[i - 1], style)) return i - 1;
  }
  return std::string::npos;
}

// Index of the dot that begins the extension, std::string::npos if there is no extension.
size_t ExtensionStart(const std::string& path, TPathStyle style) {
  for (size_t i = path.size(); i > 0; --i) {
    const char c = path[i - 1];
    if (c == '.') return i - 1;
    if (IsDelimiter(c, style)) break;
  }
  return std::string::npos;
}

}  // namespace

char PathSeparator(TPathStyle style) { return style == TPathStyle::Windows ? '\\' : '/'; }

std::string ExtractFileName(const std::string& path, TPathStyle style) {
  const size_t last = LastDelimiter(path, style);
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string ExtractFileExt(const std::string& path, TPathStyle style) {
  const size_t dot = ExtensionStart(path, style);
  return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string ExtractFilePath(const std::string& path, TPathStyle style) {
  const size_t last = LastDelimiter(path, style);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ExtractFileDrive(const std::string& path, TPathStyle style) {
  if (style == TPathStyle::Posix) return std::string();
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // \\server\share: the prefix ends before the backslash that follows the share name.
    const size_t serverEnd = path.find('\\', 2);
    if (serverEnd == std::string::npos) return path;
    const size_t shareEnd = path.find('\\', serverEnd + 1);
    return shareEnd == std::string::npos ? path : path.substr(0, shareEnd);
  }
  return std::string();
}

std::string ExtractFileNameNoExt(const std::string& path, TPathStyle style) {
  const std::string name = ExtractFileName(path, style);
  const size_t dot = ExtensionStart(name, style);
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string EnsureTrailingBackslash(const std::string& path, TPathStyle style) {
  const char separator = PathSeparator(style);
  if (path.empty() || path.back() == separator) return path;
  return path + separator;
}

std::string NormalizeFolderPath(const std::string& path, TPathStyle style) {
  const char separator = PathSeparator(style);
  std::string result = path;
  if (result.empty() || result == std::string(1, separator)) return result;
  const std::string drive = ExtractFileDrive(result, style);
  if (result == drive) result += separator;
  if (result != drive + separator && result.back() == separator) result.pop_back();
  return result;
}

}  // namespace zetgallery
