#include "settings/SettingValueRules.h"

#include <QList>
#include <QString>

namespace zetgallery {

bool IsHtmlFolderCharacter(char32_t c) {
  return c == U'-' || c == U'_' || (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') ||
         (c >= U'a' && c <= U'z');
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

TTextRefusal CheckSettingText(const TSettingRow& row, const std::string& text) {
  // The window turns the bytes into Unicode text; bytes that are not UTF-8 would come back
  // changed, and the command line would build from other bytes than the window shows.
  const QString unicode = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  if (unicode.toUtf8() != QByteArray::fromStdString(text)) return TTextRefusal::NotUtf8;
  // A longer text would be cut short by the edit.
  if (unicode.size() > kEditTextMaxLength) return TTextRefusal::TooLong;
  if (row.Content == TTextContent::HtmlFolderName) {
    for (const char32_t c : unicode.toUcs4())
      if (!IsHtmlFolderCharacter(c)) return TTextRefusal::NotAnHtmlFolderName;
  }
  if (row.Content == TTextContent::PlainFileName && !IsPlainFileName(text))
    return TTextRefusal::NotAPlainFileName;
  return TTextRefusal::None;
}

}  // namespace zetgallery
