// FolderClearing: the page wildcard and the folder containment check.
#include "FolderClearing.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace zetgallery {

namespace fs = std::filesystem;

bool MatchesHtmlWildcard(const std::string& fileName) {
  // Only the extension counts: with the pages beside the pictures, a picture such as
  // "trip.html.jpg" would otherwise be deleted with the old pages.
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return false;
  std::string extension = fileName.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension.starts_with(".htm");
}

bool FolderIsOrHolds(const std::string& folder, const std::string& inner) {
  std::error_code error;
  const fs::path outer = fs::weakly_canonical(fs::absolute(folder, error), error);
  if (error) return false;
  const fs::path contained = fs::weakly_canonical(fs::absolute(inner, error), error);
  if (error) return false;
  auto outerPart = outer.begin();
  auto innerPart = contained.begin();
  for (; outerPart != outer.end(); ++outerPart, ++innerPart) {
    // A trailing separator gives a last empty component; it stands for no folder.
    if (outerPart->empty()) continue;
    if (innerPart == contained.end() || *outerPart != *innerPart) return false;
  }
  return true;
}

}  // namespace zetgallery
