// BuildInputFiles: the files a build reads, listed once when it starts, so that no write and no
// deletion of the build ever lands on one of them: every picture of the list, the index and page
// templates, the five button pictures, and the description files of the description source
// (descript.ion, or each picture's .txt file, whether it exists or not).
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "BuildParameters.h"

class TBuildInputFiles {
 public:
  // Lists the inputs of `plan`, as they are on disk now.
  explicit TBuildInputFiles(const TBuildPlan& plan);

  // True when writing `path` (or deleting it) would reach one of the inputs: the same file on
  // disk (also through a symbolic link, "..", or a second hard link), or the same path once
  // normalised when the input does not exist. A symbolic link to an input counts as the input.
  bool Holds(const std::string& path) const;

 private:
  void Add(const std::string& path);
  // `path` made absolute with the links of its folders resolved: the directory entry it names.
  std::string EntryPath(const std::string& path) const;
  // `path` with every link resolved, the last one included: the file it reaches.
  std::string ResolvedPath(const std::string& path) const;
  // A picture: `entry` is its path with the folder's links already resolved.
  void AddPicture(const std::string& path, const std::string& entry);

  std::set<std::pair<unsigned long long, unsigned long long>> files_;  // device and inode
  std::set<std::string> paths_;  // absolute, with the folders' links resolved
  // Folders already resolved, by their absolute path: every page and thumbnail of a build lies in
  // one of a few folders, and resolving one costs a file-system call for each of its parts.
  // Holds is called from the build's own thread only.
  mutable std::map<std::string, std::string> resolvedFolders_;
};
