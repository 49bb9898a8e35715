// FolderEntries: folder listing over std::filesystem, never throwing.
#include "FolderEntries.h"

#include <filesystem>
#include <system_error>

#include "util/ZetPlatform.h"

namespace zetgallery {

bool IsHiddenEntryName(const std::string& name) {
  // Windows marks hidden entries with an attribute, checked where the entry is read.
  if constexpr (kWindowsPlatform) return name == "." || name == "..";
  return !name.empty() && name.front() == '.';
}

void ForEachFileInFolder(const std::string& folderPath,
                         const std::function<bool(const std::string& name)>& visit) {
  namespace fs = std::filesystem;
  // A zero byte would cut the path short and list some other folder.
  if (folderPath.find('\0') != std::string::npos) return;
  std::error_code error;
  fs::directory_iterator entries(fs::path(folderPath),
                                 fs::directory_options::skip_permission_denied, error);
  if (error) return;
  for (; entries != fs::directory_iterator(); entries.increment(error)) {
    if (error) return;
    const std::string name = entries->path().filename().string();
    if (IsHiddenEntryName(name)) continue;
    std::error_code typeError;
    // Anything but a plain file (a pipe above all) would hang or fail the thumbnail maker.
    if (!entries->is_regular_file(typeError) || typeError) continue;
    if (!visit(name)) return;
  }
  // The loop above also ends when increment() fails (the folder vanished): what was seen stays.
}

void ForEachSubfolder(const std::string& folderPath,
                      const std::function<void(const std::string& name)>& visit) {
  namespace fs = std::filesystem;
  if (folderPath.find('\0') != std::string::npos) return;
  std::error_code error;
  fs::directory_iterator entries(fs::path(folderPath),
                                 fs::directory_options::skip_permission_denied, error);
  if (error) return;
  for (; entries != fs::directory_iterator(); entries.increment(error)) {
    if (error) return;
    const std::string name = entries->path().filename().string();
    if (IsHiddenEntryName(name)) continue;
    std::error_code typeError;
    if (entries->is_directory(typeError) && !typeError) visit(name);
  }
}

}  // namespace zetgallery
