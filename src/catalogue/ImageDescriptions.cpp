// ImageDescriptions: descriptions from per-picture .txt files or from descript.ion.
#include "ImageDescriptions.h"

#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "FolderEntries.h"
#include "ZetFileUtils.h"
#include "ZetStrings.h"
#include "ZetTextFile.h"

namespace {

const char kDescriptIonName[] = "descript.ion";

// Finds files of a folder by name, ignoring letter case when no file has the exact name:
// description files often come from systems that do not keep letter case (DESCRIPT.ION,
// SEA.TXT for SEA.JPG), and there they were found whatever their case.
class TFolderLookup {
 public:
  explicit TFolderLookup(std::string folder) : folder_(std::move(folder)) {}

  // The path of the file `name` in the folder: the exact name when such an entry exists, else an
  // entry whose name equals it ignoring case, else the exact name (which then fails to open).
  std::string PathOf(const std::string& name) {
    const std::string exact = folder_ + name;
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::path(exact), error)) return exact;
    if (!listed_) List();
    const auto found = byFoldedName_.find(FoldCase(name));
    return found == byFoldedName_.end() ? exact : folder_ + found->second;
  }

 private:
  void List() {
    listed_ = true;
    ForEachFileInFolder(folder_, [this](const std::string& entry) {
      byFoldedName_.emplace(FoldCase(entry), entry);  // the first one listed wins
      return true;
    });
  }

  std::string folder_;
  bool listed_ = false;
  std::unordered_map<std::string, std::string> byFoldedName_;
};

// The descriptions of descript.ion by folded file name; the first line for a name wins.
std::unordered_map<std::string, std::string> ReadDescriptIon(const std::string& path) {
  std::unordered_map<std::string, std::string> descriptions;
  std::vector<std::string> lines;
  if (!ReadTextFileLines(path, lines)) return descriptions;
  for (const std::string& oemLine : lines) {
    const std::string line = OemToAnsiString(oemLine);
    if (line.empty()) continue;
    const int end = NameEndPos(line);
    const std::string name = end > 1 ? line.substr(0, static_cast<size_t>(end - 1)) : std::string();
    const std::string key = FoldCase(TrimControlAndBlanks(StripQuotes(name)));
    if (key.empty()) continue;  // no picture has an empty name
    const std::string text =
        end > 0 ? TrimControlAndBlanks(line.substr(static_cast<size_t>(end - 1))) : std::string();
    descriptions.emplace(key, text);
  }
  return descriptions;
}

}  // namespace

int NameEndPos(const std::string& line) {
  if (line.empty()) return 0;
  if (line.front() == '"') {
    const size_t closing = line.find('"', 1);
    return closing == std::string::npos ? 0 : static_cast<int>(closing) + 2;
  }
  const size_t blank = line.find(' ');
  return blank == std::string::npos ? 0 : static_cast<int>(blank) + 1;
}

std::string TextDescriptionFileName(const std::string& imageName) {
  const size_t dot = imageName.rfind('.');
  return (dot == std::string::npos ? imageName : imageName.substr(0, dot)) + ".txt";
}

std::vector<std::string> GetDescriptions(const std::vector<std::string>& imageList,
                                         const std::string& imagesFolderText,
                                         TDescriptionSource source) {
  std::vector<std::string> descriptions;
  if (imageList.empty() || source == TDescriptionSource::None) return descriptions;
  TFolderLookup folder(EnsureTrailingBackslash(StripQuotes(imagesFolderText)));
  descriptions.reserve(imageList.size());

  if (source == TDescriptionSource::TextFiles) {
    for (const std::string& image : imageList) {
      std::string line;
      if (!ReadFirstTextLine(folder.PathOf(TextDescriptionFileName(image)), line)) line.clear();
      descriptions.push_back(line);
    }
    return descriptions;
  }

  // The file is read once for all pictures; the first line naming a picture still wins, as if it
  // were read afresh for each one.
  const auto byName = ReadDescriptIon(folder.PathOf(kDescriptIonName));
  for (const std::string& image : imageList) {
    const auto found = byName.find(FoldCase(image));
    descriptions.push_back(found == byName.end() ? std::string() : found->second);
  }
  return descriptions;
}

std::vector<std::string> GetDescriptions(const std::vector<std::string>& imageList,
                                         const std::string& imagesFolderText, int sourceIndex) {
  TDescriptionSource source = TDescriptionSource::None;
  if (sourceIndex == 1) source = TDescriptionSource::TextFiles;
  if (sourceIndex == 2) source = TDescriptionSource::DescriptIon;
  return GetDescriptions(imageList, imagesFolderText, source);
}
