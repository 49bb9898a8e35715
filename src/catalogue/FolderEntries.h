// FolderEntries: the one place that knows how the operating system lists a folder and what it
// calls a hidden entry.
#pragma once

#include <functional>
#include <string>

namespace zetgallery {

// True for a name the scan never shows: on POSIX systems a name starting with ".".
bool IsHiddenEntryName(const std::string& name);

// Calls `visit` with the name of every entry of `folderPath` that is a regular file (a symbolic
// link counts as what it points to) and is not hidden, in the order the system delivers them,
// until `visit` returns false. Folders, devices, pipes and broken links are passed over. A folder
// that does not exist or cannot be read gives no entries; an error in the middle ends the listing.
void ForEachFileInFolder(const std::string& folderPath,
                         const std::function<bool(const std::string& name)>& visit);

// Calls `visit` with the name of every entry of `folderPath` that is a folder (a symbolic link
// counts as what it points to) and is not hidden, in the order the system delivers them. A folder
// that does not exist or cannot be read gives no entries; an error in the middle ends the listing.
void ForEachSubfolder(const std::string& folderPath,
                      const std::function<void(const std::string& name)>& visit);

}  // namespace zetgallery
