// BuildInputFiles: the files a build reads, listed once when it starts, so that no write and no
// deletion of the build ever lands on one of them: every picture of the list, the index and page
// templates, the five button pictures, and the description files of the description source
// (descript.ion, or each picture's .txt file, whether it exists or not, in any letter case).
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "gallery/BuildParameters.h"
#include "util/ZetPlatform.h"

namespace zetgallery {

class TBuildInputFiles {
 public:
  // Lists the inputs of `plan`, as they are on disk now.
  explicit TBuildInputFiles(const TBuildPlan& plan);

  // True when writing or deleting the entry `name` of the folder whose status is `folder` would
  // reach one of the inputs: the same entry (the same folder on disk and the same name, letter
  // case ignored), or the same file on disk, reached through a link or as a second hard link.
  // `entry` is the status of the entry itself (a link not followed), `file` that of what it
  // leads to; either may be null when there is none.
  bool Holds(const TFileStatus& folder, const std::string& name, const TFileStatus* entry,
             const TFileStatus* file) const;
  // The same for the path `path`, resolved as a write to it would resolve it.
  bool Holds(const std::string& path) const;

 private:
  void Add(const std::string& path);
  // Adds the entry `name` of the folder `folder`, and the file it leads to when there is one.
  void AddEntry(const TFileStatus& folder, const std::string& name, const std::string& path);
  // Adds every entry of `folderPath` whose folded name is in `foldedNames`: description files
  // from systems that do not keep letter case (DESCRIPT.ION, SEA.TXT) are read whatever their
  // case.
  void AddEntriesNamed(const std::string& folderPath, const TFileStatus& folder,
                       const std::set<std::string>& foldedNames);

  std::set<std::pair<uint64_t, uint64_t>> files_;                  // device and inode
  std::set<std::tuple<uint64_t, uint64_t, std::string>> entries_;  // folder and folded name
};

}  // namespace zetgallery
