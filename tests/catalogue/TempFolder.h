// A temporary folder for catalogue tests, with helpers to fill it. Removed with everything in it,
// also names that are not valid UTF-8 (which QTemporaryDir cannot remove).
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zetgallery-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TTempFolder() {
    if (path_.empty()) return;
    std::error_code error;
    // A test may have taken away permissions; give them back so everything can go.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
      if (it->is_directory(error) && !it->is_symlink(error))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  std::string Path() const { return path_; }
  std::string PathOf(const std::string& name) const { return Path() + "/" + name; }
  void Write(const std::string& name, const std::string& bytes = "") const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
  }

 private:
  std::string path_;
};
