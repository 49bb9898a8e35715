// ArchiveLink: the zip's link and its size in words.
#include "ArchiveLink.h"

#include "util/ZetHtmlEscape.h"

namespace zetgallery {

std::string ArchiveSizeText(uint64_t size) {
  // Whole-number arithmetic rounds the halves up exactly; a size that rounds to 1024 of a unit
  // is given in the next one ("1,0 МБ", not "1024,0 КБ").
  static const char* const kUnits[] = {"КБ", "МБ", "ГБ"};
  uint64_t unit = 1024;
  for (size_t i = 0;; ++i, unit *= 1024) {
    const uint64_t tenths = (size * 10 + unit / 2) / unit;
    if (tenths < 10240 || i == std::size(kUnits) - 1)
      return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10) + " " + kUnits[i];
  }
}

std::string ArchiveLinkLine(const std::string& line, const std::string& fileName, uint64_t size) {
  const std::string link =
      "<a href=\"" + UrlEncodeFileName(fileName) + "\">" +
      EscapeHtmlText("Скачать все картинки (ZIP, " + ArchiveSizeText(size) + ")") + "</a>";
  std::string out;
  const std::string marker = kArchiveLinkMarker;
  size_t start = 0;
  for (size_t found; (found = line.find(marker, start)) != std::string::npos;
       start = found + marker.size())
    out += line.substr(start, found - start) + link;
  return out + line.substr(start);
}

}  // namespace zetgallery
