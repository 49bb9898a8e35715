// ImageDescriptions: descriptions from per-picture .txt files or from descript.ion.
#include "catalogue/ImageDescriptions.h"

#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "FolderEntries.h"
#include "catalogue/PictureFacts.h"
#include "util/ZetFileUtils.h"
#include "util/ZetStrings.h"
#include "util/ZetTextFile.h"
#include "util/ZetTextLineReader.h"

namespace zetgallery {

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
    std::string exact = folder_ + name;
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

// The descriptions of `images` from the descript.ion file at `path`, in one pass over the file
// and holding one line at a time: each picture gets the first line that names it, as if the file
// were read afresh for each picture, and reading stops once every picture has its line. (Reading
// the file again for each picture would take time in pictures times lines.) `lineCut` tells
// whether a description came from a line that was cut.
std::vector<std::string> ReadDescriptIon(const std::string& path,
                                         const std::vector<std::string>& images, bool& lineCut) {
  std::vector<std::string> descriptions(images.size());
  // Folded picture name -> the pictures still without a line (names may differ only in case).
  std::unordered_map<std::string, std::vector<size_t>> waiting;
  for (size_t i = 0; i < images.size(); ++i) waiting[FoldCase(images[i])].push_back(i);
  TTextLineReader reader;
  if (!reader.Open(path).ok()) return descriptions;
  // A read error ends the file early; the lines read before it still count.
  for (std::string oemLine; !waiting.empty() && reader.ReadLine(oemLine);) {
    // The conversion from CP866 maps byte by byte and keeps ASCII, so the name ends (at a blank
    // or a quote) where it ends after conversion; only a matching line is converted whole.
    const int end = NameEndPos(oemLine);
    if (end <= 1) continue;  // no name, and no picture has an empty name
    const std::string name = OemToAnsiString(oemLine.substr(0, static_cast<size_t>(end - 1)));
    const auto found = waiting.find(FoldCase(TrimControlAndBlanks(StripQuotes(name))));
    if (found == waiting.end()) continue;
    const std::string text =
        TrimControlAndBlanks(OemToAnsiString(oemLine.substr(static_cast<size_t>(end - 1))));
    for (size_t i : found->second) descriptions[i] = text;
    waiting.erase(found);
    if (reader.LastLineCut()) lineCut = true;
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
                                         TDescriptionSource source,
                                         std::vector<std::string>* filesCut) {
  std::vector<std::string> descriptions;
  if (imageList.empty() || source == TDescriptionSource::None) return descriptions;
  TFolderLookup folder(EnsureTrailingBackslash(StripQuotes(imagesFolderText)));
  descriptions.reserve(imageList.size());

  if (source == TDescriptionSource::TextFiles) {
    std::unordered_set<std::string> named;
    for (const std::string& image : imageList) {
      const std::string path = folder.PathOf(TextDescriptionFileName(image));
      std::string line;
      bool cut = false;
      if (!ReadFirstTextLine(path, line, &cut).ok()) line.clear();
      // Pictures whose names differ only after the last dot share one file: it is named once.
      if (cut && filesCut != nullptr && named.insert(path).second) filesCut->push_back(path);
      descriptions.push_back(line);
    }
    return descriptions;
  }

  if (source == TDescriptionSource::PictureCaptions) {
    const std::string folderPath = EnsureTrailingBackslash(StripQuotes(imagesFolderText));
    for (const std::string& image : imageList)
      descriptions.push_back(ReadPictureFacts(folderPath + image).caption);
    return descriptions;
  }

  const std::string path = folder.PathOf(kDescriptIonName);
  bool cut = false;
  descriptions = ReadDescriptIon(path, imageList, cut);
  if (cut && filesCut != nullptr) filesCut->push_back(path);
  return descriptions;
}

std::vector<std::string> GetDescriptions(const std::vector<std::string>& imageList,
                                         const std::string& imagesFolderText, int sourceIndex) {
  TDescriptionSource source = TDescriptionSource::None;
  if (sourceIndex == 1) source = TDescriptionSource::TextFiles;
  if (sourceIndex == 2) source = TDescriptionSource::DescriptIon;
  if (sourceIndex == 3) source = TDescriptionSource::PictureCaptions;
  return GetDescriptions(imageList, imagesFolderText, source);
}

}  // namespace zetgallery
