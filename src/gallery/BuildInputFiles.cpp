// BuildInputFiles: inputs compared by file identity and by normalised path.
#include "BuildInputFiles.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "ImageDescriptions.h"
#include "ZetFileUtils.h"

namespace fs = std::filesystem;

namespace {

constexpr char kDescriptIonFile[] = "descript.ion";

// The device and inode of the file `path` leads to (links followed); false when there is none.
bool FileIdentity(const std::string& path, std::pair<unsigned long long, unsigned long long>& id) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return false;
  id = {static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino)};
  return true;
}

// `path` made absolute with the links of its folders resolved: the directory entry it names.
std::string EntryPath(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error).lexically_normal();
  if (error) return std::string();
  const fs::path folder = fs::weakly_canonical(absolute.parent_path(), error);
  if (error) return absolute.string();
  return (folder / absolute.filename()).string();
}

// `path` with every link resolved, the last one included: the file it reaches.
std::string ResolvedPath(const std::string& path) {
  std::error_code error;
  const fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
  return error ? std::string() : resolved.string();
}

}  // namespace

TBuildInputFiles::TBuildInputFiles(const TBuildPlan& plan) {
  const std::string folder = EnsureTrailingBackslash(plan.ImagesFolder);
  // The pictures' folder is resolved once: a gallery may hold many thousands of pictures.
  const std::string entryFolder = EnsureTrailingBackslash(ResolvedPath(plan.ImagesFolder));
  for (const std::string& picture : plan.Images) {
    AddPicture(folder + picture, entryFolder + picture);
    if (plan.Descriptions == TDescriptionSource::TextFiles)
      Add(folder + TextDescriptionFileName(picture));
  }
  if (plan.Descriptions == TDescriptionSource::DescriptIon) Add(folder + kDescriptIonFile);
  for (const std::string* path :
       {&plan.IndexTemplate, &plan.ImageTemplate, &plan.ButtonSourceFirst, &plan.ButtonSourcePrev,
        &plan.ButtonSourceNext, &plan.ButtonSourceLast, &plan.ButtonSourceIndex})
    Add(*path);
}

void TBuildInputFiles::Add(const std::string& path) {
  if (path.empty()) return;
  std::pair<unsigned long long, unsigned long long> id;
  if (FileIdentity(path, id)) files_.insert(id);
  for (const std::string& form : {EntryPath(path), ResolvedPath(path)})
    if (!form.empty()) paths_.insert(form);
}

void TBuildInputFiles::AddPicture(const std::string& path, const std::string& entry) {
  std::pair<unsigned long long, unsigned long long> id;
  if (FileIdentity(path, id)) files_.insert(id);
  paths_.insert(entry);
  std::error_code error;
  if (fs::is_symlink(entry, error)) paths_.insert(ResolvedPath(path));
}

bool TBuildInputFiles::Holds(const std::string& path) const {
  if (path.empty()) return false;
  std::pair<unsigned long long, unsigned long long> id;
  if (FileIdentity(path, id) && files_.count(id) != 0) return true;
  for (const std::string& form : {EntryPath(path), ResolvedPath(path)})
    if (!form.empty() && paths_.count(form) != 0) return true;
  return false;
}
