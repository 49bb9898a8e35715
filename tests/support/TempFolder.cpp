#include "TempFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <system_error>

#include "WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

TTempFolder::TTempFolder() {
  std::string pattern = (fs::temp_directory_path() / "zetgallery-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "no temporary folder could be made";
    return;
  }
  path_ = pattern;
}

TTempFolder::~TTempFolder() {
  if (path_.empty()) return;
  std::error_code error;
  // A test may have taken away permissions; they are given back so everything can go.
  for (auto it = fs::recursive_directory_iterator(path_, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_directory(error) && !it->is_symlink(error))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
  fs::remove_all(path_, error);
}

std::string TTempFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = *this / name;
  if (!WriteWholeFile(path, bytes)) ADD_FAILURE() << "cannot write " << path;
  return path;
}

}  // namespace zetgallery
