// ImageScan: finds the pictures of a folder by the user's file masks. This is the core of the
// window's scan; the window shows the result in its sorted list, caption and count label, and the
// command line prints it.
#pragma once

#include <string>
#include <vector>

#include "util/Status.h"
#include "util/UserInterface.h"

namespace zetgallery {

struct TScanResult {
  // False when the folder text was empty (or only blanks and quotes): nothing was scanned, and the
  // window leaves its caption and count label as they are.
  bool scanned = false;
  // The matching file names (no folder part, letter case as stored), each once, in the order of
  // CompareForSortedList. Also the names found before an invalid mask piece stopped the scan.
  std::vector<std::string> names;
  // Ok, or the invalid-mask status of the piece that stopped the scan (MaskTooLongMessage for a
  // mask text longer than kMaxMaskChars characters). The caller shows its message (in the window:
  // the standard error box) after it has shown the names.
  TStatus status;
  // True when the user interface asked to stop (StopRequested) during the scan; `names` then holds
  // what was found so far.
  bool stopped = false;
};

// Splits a mask text at ";" into pieces, blanks kept: "*.jpg; *.gif" gives "*.jpg" and " *.gif";
// a trailing ";" adds nothing, a leading or doubled ";" gives an empty piece, "" gives none.
std::vector<std::string> SplitMaskPieces(const std::string& maskText);

// True when `maskText` accepts `fileName` by the scan's rules: the exact text "*.*" takes every
// name; otherwise the first matching piece accepts it. When a piece that the name reaches is
// invalid, or the whole text holds more than kMaxMaskChars characters, the invalid-mask status.
TStatusOr<bool> MaskTextAccepts(const std::string& fileName, const std::string& maskText);

// Scans the folder named by `folderText` (the text of the folder edit; one pair of enclosing
// double quotes is dropped) for entries that are regular files, not hidden (a name starting with
// "."), and accepted by `maskText`. Sub-folders never appear. A folder that does not exist, cannot
// be read, or vanishes during the scan gives the names found so far and no error.
// `ui` may be null; otherwise it gets SetScanning(true) when the scan starts, ProcessMessages()
// once per accepted name, and SetScanning(false) when the enumeration is closed.
TScanResult ScanImages(const std::string& folderText, const std::string& maskText,
                       TUserInterface* ui);

}  // namespace zetgallery
