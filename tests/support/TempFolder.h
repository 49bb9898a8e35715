// TempFolder: a fresh empty folder for one test, under the system's temporary folder.
#pragma once

#include <string>

namespace zetgallery {

// Made when the object is made, removed with everything in it when it goes: also names that are
// not valid UTF-8, and folders whose permissions a test took away.
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // Path() + "/" + name.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  // Writes the file `name` (with the folders leading to it) holding `bytes`; its path.
  std::string Write(const std::string& name, const std::string& bytes = "") const;

 private:
  std::string path_;
};

}  // namespace zetgallery
