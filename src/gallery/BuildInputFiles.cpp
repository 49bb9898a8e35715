// BuildInputFiles: inputs compared by file identity and by folder identity and folded name.
#include "gallery/BuildInputFiles.h"

#include "catalogue/ImageDescriptions.h"
#include "util/ZetFileUtils.h"
#include "util/ZetOpenFolder.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

constexpr char kDescriptIonFile[] = "descript.ion";

// The folder part of `path` as a write to `path` would use it ("." when there is none).
std::string FolderPartOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NamePartOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TBuildInputFiles::TBuildInputFiles(const TBuildPlan& plan) {
  // The pictures' folder is looked at once: a gallery may hold many thousands of pictures.
  const std::string folderPath = plan.ImagesFolder.empty() ? "." : plan.ImagesFolder;
  const std::string folder = EnsureTrailingBackslash(plan.ImagesFolder);
  TFileStatus imagesFolder;
  const bool folderFound = ReadFileStatus(folderPath, imagesFolder);
  std::set<std::string> descriptionNames;
  for (const std::string& picture : plan.Images) {
    if (folderFound) AddEntry(imagesFolder, picture, folder + picture);
    if (plan.Descriptions == TDescriptionSource::TextFiles)
      descriptionNames.insert(FoldCase(TextDescriptionFileName(picture)));
  }
  if (plan.Descriptions == TDescriptionSource::DescriptIon)
    descriptionNames.insert(FoldCase(kDescriptIonFile));
  if (folderFound && !descriptionNames.empty())
    AddEntriesNamed(folderPath, imagesFolder, descriptionNames);
  for (const std::string* path :
       {&plan.IndexTemplate, &plan.ImageTemplate, &plan.ButtonSourceFirst, &plan.ButtonSourcePrev,
        &plan.ButtonSourceNext, &plan.ButtonSourceLast, &plan.ButtonSourceIndex})
    Add(*path);
}

void TBuildInputFiles::Add(const std::string& path) {
  if (path.empty()) return;
  TFileStatus folder;
  if (ReadFileStatus(FolderPartOf(path), folder)) {
    AddEntry(folder, NamePartOf(path), path);
    return;
  }
  TFileStatus file;
  if (ReadFileStatus(path, file)) files_.insert({file.device, file.inode});
}

void TBuildInputFiles::AddEntry(const TFileStatus& folder, const std::string& name,
                                const std::string& path) {
  entries_.insert({folder.device, folder.inode, FoldCase(name)});
  TFileStatus file;
  if (ReadFileStatus(path, file)) files_.insert({file.device, file.inode});
}

void TBuildInputFiles::AddEntriesNamed(const std::string& folderPath, const TFileStatus& folder,
                                       const std::set<std::string>& foldedNames) {
  for (const std::string& folded : foldedNames)
    entries_.insert({folder.device, folder.inode, folded});
  const TOpenFolder open(folderPath);
  std::vector<std::string> names;
  if (!open.ListEntries(names)) return;
  for (const std::string& name : names) {
    TFileStatus file;
    if (foldedNames.count(FoldCase(name)) != 0 && open.ReadFileStatus(name, file))
      files_.insert({file.device, file.inode});
  }
}

bool TBuildInputFiles::Holds(const TFileStatus& folder, const std::string& name,
                             const TFileStatus* entry, const TFileStatus* file) const {
  if (entries_.count({folder.device, folder.inode, FoldCase(name)}) != 0) return true;
  for (const TFileStatus* status : {entry, file})
    if (status != nullptr && files_.count({status->device, status->inode}) != 0) return true;
  return false;
}

bool TBuildInputFiles::Holds(const std::string& path) const {
  if (path.empty()) return false;
  TFileStatus folder;
  TFileStatus entry;
  TFileStatus file;
  const bool entryFound = ReadEntryStatus(path, entry);
  const bool fileFound = entryFound && ReadFileStatus(path, file);
  if (!ReadFileStatus(FolderPartOf(path), folder)) {
    // No folder to compare by: only the file itself can tell.
    return fileFound && files_.count({file.device, file.inode}) != 0;
  }
  return Holds(folder, NamePartOf(path), entryFound ? &entry : nullptr,
               fileFound ? &file : nullptr);
}

}  // namespace zetgallery
