// ResultFolders: the parent is always a beginning of the images folder's path, so the sorted
// list shows it first; building the list in that order needs no sorting.
#include "gallery/ResultFolders.h"

#include "util/ZetStrings.h"

namespace zetgallery {

std::vector<std::string> ResultFolderEntries(const std::string& imagesFolderText,
                                             TPathStyle style) {
  std::vector<std::string> entries;
  if (TrimControlAndBlanks(imagesFolderText).empty()) return entries;
  const std::string folder = NormalizeFolderPath(StripQuotes(imagesFolderText), style);
  const char separator = PathSeparator(style);
  if (!folder.empty() && folder.back() != separator) {
    const size_t last = folder.rfind(separator);
    const std::string parent =
        last == std::string::npos ? std::string() : folder.substr(0, last + 1);
    entries.push_back(NormalizeFolderPath(parent, style));
  }
  entries.push_back(folder);
  return entries;
}

std::string ResultFolderAt(const std::vector<std::string>& entries, int index) {
  if (index < 0 || index >= static_cast<int>(entries.size())) return std::string();
  return entries[index];
}

int KeptResultFolderIndex(int previous, const std::vector<std::string>& entries) {
  return previous >= 0 && previous < static_cast<int>(entries.size()) ? previous : 0;
}

}  // namespace zetgallery
