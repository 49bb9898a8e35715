// ZetTextFile: first-line reading over the line reader.
#include "util/ZetTextFile.h"

namespace zetgallery {

TStatus ReadFirstTextLine(const std::string& path, std::string& line, bool* cut) {
  line.clear();
  if (cut != nullptr) *cut = false;
  TTextLineReader reader;
  if (TStatus opened = reader.Open(path); !opened.ok()) return opened;
  // Only as much of the file is read as the first line needs: a description file may be large.
  reader.ReadLine(line);
  if (cut != nullptr) *cut = reader.LastLineCut();
  return reader.status();
}

}  // namespace zetgallery
