// PageTemplate: the first pass collects the lines while they stay under the limit; a pass that
// reaches the end with all of them makes the template held for the rest of the build.
#include "PageTemplate.h"

namespace zetgallery {

TStatus TPageTemplate::Begin() {
  next_ = 0;
  status_ = TStatus::Ok();
  if (held_) return status_;
  reader_.Close();
  lines_.clear();
  collectedBytes_ = 0;
  collecting_ = true;
  return reader_.Open(path_);
}

bool TPageTemplate::Next(std::string& line) {
  if (held_) {
    if (next_ >= lines_.size()) return false;
    line = lines_[next_++];
    return true;
  }
  if (!reader_.ReadLine(line)) {
    status_ = reader_.status();
    if (collecting_ && status_.ok()) held_ = true;
    if (!held_) lines_.clear();
    next_ = lines_.size();
    reader_.Close();
    return false;
  }
  if (reader_.LastLineCut()) lineCut_ = true;
  if (collecting_) {
    // Two bytes a line stand for its line end, so that many short lines count too.
    collectedBytes_ += line.size() + 2;
    if (collectedBytes_ > kHeldBytes) {
      collecting_ = false;
      std::vector<std::string>().swap(lines_);
    } else {
      lines_.push_back(line);
    }
  }
  return true;
}

bool TPageTemplate::TakeLineCutNotice() {
  if (!lineCut_ || lineCutNoticed_) return false;
  lineCutNoticed_ = true;
  return true;
}

}  // namespace zetgallery
