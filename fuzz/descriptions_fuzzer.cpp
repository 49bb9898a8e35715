// Fuzzes the description parsers: NameEndPos on any line, and descript.ion read in one pass for
// many pictures against the per-picture reading it stands for (the file read afresh for each
// picture, the first line naming it wins). The input is the descript.ion file, then picture names
// each after a zero byte.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "FuzzCheck.h"
#include "catalogue/ImageDescriptions.h"
#include "util/ZetStrings.h"
#include "util/ZetTextLineReader.h"

using namespace zetgallery;

namespace {

// The description of `picture` as a reader that starts the file afresh for it finds it.
std::string DescriptionForOnePicture(const std::vector<std::string>& fileLines,
                                     const std::string& picture) {
  for (const std::string& oemLine : fileLines) {
    const std::string line = OemToAnsiString(oemLine);
    if (line.empty()) continue;
    const int end = NameEndPos(line);
    const std::string name = end > 1 ? line.substr(0, end - 1) : std::string();
    if (FoldCase(TrimControlAndBlanks(StripQuotes(name))) != FoldCase(picture)) continue;
    return TrimControlAndBlanks(line.substr(end - 1));
  }
  return std::string();
}

const std::string& ScratchFolder() {
  static const std::string path = [] {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("zetgallery-fuzz-descriptions-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    return folder.string();
  }();
  return path;
}

void CheckNameEndPos(const std::string& line) {
  const int end = NameEndPos(line);
  FUZZ_CHECK(end >= 0 && static_cast<size_t>(end) <= line.size() + 1);
  if (end == 0) return;
  if (line.front() == '"') {
    FUZZ_CHECK(end >= 3 && line[end - 2] == '"');
    FUZZ_CHECK(line.find('"', 1) == static_cast<size_t>(end - 2));
  } else {
    FUZZ_CHECK(line[end - 1] == ' ' && line.find(' ') == static_cast<size_t>(end - 1));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> pieces = SplitAtZero(InputText(data, size));
  const std::string& file = pieces.front();
  std::vector<std::string> pictures;
  for (size_t i = 1; i < pieces.size() && pictures.size() < 20; ++i)
    if (!pieces[i].empty()) pictures.push_back(pieces[i]);

  const std::vector<std::string> fileLines = SplitTextLines(file);
  for (const std::string& line : fileLines) CheckNameEndPos(OemToAnsiString(line));
  CheckNameEndPos(file);

  {
    std::ofstream out(ScratchFolder() + "/descript.ion", std::ios::binary | std::ios::trunc);
    out << file;
  }
  const std::vector<std::string> descriptions =
      GetDescriptions(pictures, ScratchFolder(), TDescriptionSource::DescriptIon);
  FUZZ_CHECK(descriptions.size() == pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i)
    FUZZ_CHECK(descriptions[i] == DescriptionForOnePicture(fileLines, pictures[i]));
  return 0;
}
