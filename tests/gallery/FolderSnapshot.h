// FolderSnapshot: what a folder tree holds, taken before and after a build to show that nothing
// of the user's changed, and the links a generated gallery names.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace zetgallery {

// Every entry under `root` by its path relative to `root`: "dir" for a folder, "link:" + target
// for a symbolic link (not followed), "special" for a pipe or a device, else "file:" + a checksum
// of the content.
std::map<std::string, std::string> FolderContents(const std::string& root);

// The entries of `before` that `after` lacks or holds with other content.
std::vector<std::string> ChangedOrLost(const std::map<std::string, std::string>& before,
                                       const std::map<std::string, std::string>& after);

// The files under `root` whose name ends in ".part" (temporary files left behind).
std::vector<std::string> PartFilesUnder(const std::string& root);

// The values of every href="..." and src="..." attribute in `html`, in order, with &amp; and
// percent-escapes decoded: the relative paths they name.
std::vector<std::string> LinkedPaths(const std::string& html);

}  // namespace zetgallery
