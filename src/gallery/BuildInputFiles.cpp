// BuildInputFiles: inputs compared by file identity and by normalised path.
#include "BuildInputFiles.h"

#include <filesystem>
#include <system_error>

#include "ImageDescriptions.h"
#include "ZetFileUtils.h"
#include "ZetPlatform.h"

namespace fs = std::filesystem;

namespace {

constexpr char kDescriptIonFile[] = "descript.ion";

// The device and inode of the file `path` leads to (links followed); false when there is none.
bool FileIdentity(const std::string& path, std::pair<unsigned long long, unsigned long long>& id) {
  TFileStatus status;
  if (!ReadFileStatus(path, status)) return false;
  id = {status.device, status.inode};
  return true;
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

std::string TBuildInputFiles::EntryPath(const std::string& path) const {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error).lexically_normal();
  if (error) return std::string();
  const std::string folder = absolute.parent_path().string();
  auto resolved = resolvedFolders_.find(folder);
  if (resolved == resolvedFolders_.end()) {
    const fs::path canonical = fs::weakly_canonical(folder, error);
    resolved = resolvedFolders_.emplace(folder, error ? folder : canonical.string()).first;
  }
  return (fs::path(resolved->second) / absolute.filename()).string();
}

std::string TBuildInputFiles::ResolvedPath(const std::string& path) const {
  std::error_code error;
  // Only a link at the end leads elsewhere than the entry itself.
  if (!fs::is_symlink(path, error)) return EntryPath(path);
  const fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
  return error ? std::string() : resolved.string();
}

bool TBuildInputFiles::Holds(const std::string& path) const {
  if (path.empty()) return false;
  std::pair<unsigned long long, unsigned long long> id;
  if (FileIdentity(path, id) && files_.count(id) != 0) return true;
  for (const std::string& form : {EntryPath(path), ResolvedPath(path)})
    if (!form.empty() && paths_.count(form) != 0) return true;
  return false;
}
