#include "ProcessFigures.h"

#include <fstream>

namespace zetgallery {

long long ProcessFigure(const std::string& file, const std::string& key) {
  std::ifstream in(file);
  std::string word;
  long long value = -1;
  while (in >> word) {
    if (word == key && in >> value) return value;
  }
  return -1;
}

long long BytesReadByThisProcess() { return ProcessFigure("/proc/self/io", "rchar:"); }

}  // namespace zetgallery
