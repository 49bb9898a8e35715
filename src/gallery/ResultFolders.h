// ResultFolders: the choices of result folder for an images folder, as the window's drop-down
// list and the command line both offer them: the folder holding the images folder, and the
// images folder itself.
#pragma once

#include <string>
#include <vector>

#include "util/ZetFileUtils.h"

namespace zetgallery {

// The entries of the result-folder list for the text of the images folder edit, in list order:
// the parent folder (entry 0), then the images folder itself (entry 1); a root gives the single
// entry. The text is used after StripQuotes and NormalizeFolderPath. An empty (or blank) text
// gives no entries: the list then keeps what it had.
std::vector<std::string> ResultFolderEntries(const std::string& imagesFolderText,
                                             TPathStyle style = kNativePathStyle);

// The entry selected by a stored index: entry `index` when it exists, otherwise the empty text
// (nothing selected).
std::string ResultFolderAt(const std::vector<std::string>& entries, int index);

// The selection after the list was refilled: `previous` when it is a valid index of the new
// entries, otherwise 0.
int KeptResultFolderIndex(int previous, const std::vector<std::string>& entries);

}  // namespace zetgallery
