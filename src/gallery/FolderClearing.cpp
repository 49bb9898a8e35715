// FolderClearing: deleting the files a build replaces.
#include "FolderClearing.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

void ClearFolderFiles(const std::string& folder, const TKeepFile& keep) {
  std::error_code error;
  std::vector<fs::path> doomed;
  // Listed first, deleted after: deleting while the folder is read may skip entries.
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kindError;
    if (it->is_directory(kindError) || keep(*it)) continue;
    doomed.push_back(it->path());
  }
  for (const fs::path& file : doomed) fs::remove(file, error);
}

bool IsWriteProtected(const fs::directory_entry& file) {
  std::error_code error;
  const fs::file_status status = file.status(error);
  return !error && (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

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
