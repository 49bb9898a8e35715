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

namespace {

namespace fs = std::filesystem;

// Calls `visit` with the name of each entry of the folder that is not hidden and that `wanted`
// takes, until `visit` returns false. Unreadable folders and entries are passed over.
void ForEachEntry(const std::string& folderPath,
                  bool (*wanted)(const fs::directory_entry&, std::error_code&),
                  const std::function<bool(const std::string& name)>& visit) {
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
    if (!wanted(*entries, typeError) || typeError) continue;
    if (!visit(name)) return;
  }
  // The loop above also ends when increment() fails (the folder vanished): what was seen stays.
}

}  // namespace

void ForEachFileInFolder(const std::string& folderPath,
                         const std::function<bool(const std::string& name)>& visit) {
  // Anything but a plain file (a pipe above all) would hang or fail the thumbnail maker.
  ForEachEntry(
      folderPath,
      [](const fs::directory_entry& entry, std::error_code& error) {
        return entry.is_regular_file(error);
      },
      visit);
}

void ForEachSubfolder(const std::string& folderPath,
                      const std::function<void(const std::string& name)>& visit) {
  ForEachEntry(
      folderPath,
      [](const fs::directory_entry& entry, std::error_code& error) {
        return entry.is_directory(error);
      },
      [&visit](const std::string& name) {
        visit(name);
        return true;
      });
}

}  // namespace zetgallery
