// ImageScan: the folder scan by mask pieces.
#include "catalogue/ImageScan.h"

#include <algorithm>
#include <optional>

#include "FolderEntries.h"
#include "catalogue/Masks.h"
#include "util/ZetFileUtils.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

// The mask text that takes every file without matching, names without a dot included.
const char kAllFilesMask[] = "*.*";

// The mask pieces of one scan, each compiled the first time a name reaches it, so that an
// invalid piece is reported only when some name actually needs it.
class TMaskPieces {
 public:
  // A text too long is not split: a damaged setting of millions of ";" would make millions of
  // pieces.
  explicit TMaskPieces(const std::string& maskText)
      : takeAll_(maskText == kAllFilesMask),
        tooLong_(MaskTextTooLong(maskText)),
        pieces_(tooLong_ ? std::vector<std::string>() : SplitMaskPieces(maskText)),
        compiled_(pieces_.size()) {}

  // Whether a piece accepts `name`; the invalid-mask status when an invalid piece is reached
  // before any piece accepted it.
  TStatusOr<bool> Accepts(const std::string& name) {
    if (takeAll_) return true;
    if (tooLong_) return TStatus::InvalidArgument(MaskTooLongMessage(), kMaxMaskChars + 1);
    for (size_t i = 0; i < pieces_.size(); ++i) {
      if (!compiled_[i]) compiled_[i].emplace(pieces_[i]);
      const TMask& mask = *compiled_[i];
      if (!mask.status().ok()) return mask.status();
      if (mask.Matches(name)) return true;
    }
    return false;
  }

 private:
  bool takeAll_;
  bool tooLong_;
  std::vector<std::string> pieces_;
  std::vector<std::optional<TMask>> compiled_;
};

}  // namespace

std::vector<std::string> SplitMaskPieces(const std::string& maskText) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start < maskText.size()) {
    const size_t semicolon = maskText.find(';', start);
    if (semicolon == std::string::npos) {
      pieces.push_back(maskText.substr(start));
      break;
    }
    pieces.push_back(maskText.substr(start, semicolon - start));
    start = semicolon + 1;
  }
  return pieces;
}

TStatusOr<bool> MaskTextAccepts(const std::string& fileName, const std::string& maskText) {
  TMaskPieces pieces(maskText);
  return pieces.Accepts(fileName);
}

TScanResult ScanImages(const std::string& folderText, const std::string& maskText,
                       TUserInterface* ui) {
  TScanResult result;
  const std::string folder = StripQuotes(folderText);
  if (TrimControlAndBlanks(folder).empty()) return result;
  result.scanned = true;
  if (ui != nullptr) ui->SetScanning(true);

  // The untrimmed text names the folder: blanks the user typed are part of the name.
  TMaskPieces pieces(maskText);
  ForEachFileInFolder(EnsureTrailingBackslash(folder), [&](const std::string& name) {
    const TStatusOr<bool> accepted = pieces.Accepts(name);
    if (!accepted.ok()) {
      result.status = accepted.status();
      return false;
    }
    if (!*accepted) return true;
    if (ui != nullptr) ui->ProcessMessages();
    result.names.push_back(name);
    if (ui != nullptr && ui->StopRequested()) {
      result.stopped = true;
      return false;
    }
    return true;
  });

  SortForSortedList(result.names);
  // A folder that changes while it is listed may name a file twice (XFS and Btrfs list a file
  // renamed over an entry already read once more); each picture is listed once all the same.
  result.names.erase(std::unique(result.names.begin(), result.names.end()), result.names.end());
  if (ui != nullptr) ui->SetScanning(false);
  return result;
}

}  // namespace zetgallery
