// PageTemplate: the picture-page template of one build, read line by line for every page. A
// template of ordinary size is read from the disk once and then held, since every page copies it;
// a large one is read afresh for each page, so a build never holds more than a bounded part of it.
#pragma once

#include <string>
#include <vector>

#include "util/Status.h"
#include "util/ZetTextLineReader.h"

namespace zetgallery {

class TPageTemplate {
 public:
  // Templates whose lines add up to at most this many bytes are held after their first reading.
  static constexpr size_t kHeldBytes = 1 << 20;

  explicit TPageTemplate(std::string path) : path_(std::move(path)) {}
  TPageTemplate(const TPageTemplate&) = delete;
  TPageTemplate& operator=(const TPageTemplate&) = delete;

  // Starts a pass over the template's lines. Fails as TTextLineReader::Open when the template
  // cannot be opened (it is tried again at the next pass).
  TStatus Begin();
  // The next line of the pass, without its line end; false at the end of the template or after a
  // read error.
  bool Next(std::string& line);
  // The read error the pass ended in; ok otherwise.
  const TStatus& status() const { return status_; }
  // True the first time it is called after a line longer than kMaxTextLineBytes was cut, false
  // ever after: a template read afresh for each page is named once per build, not once per page.
  bool TakeLineCutNotice();

 private:
  std::string path_;
  TTextLineReader reader_;
  bool held_ = false;
  std::vector<std::string> lines_;  // the whole template once held_, else what this pass collected
  size_t next_ = 0;
  size_t collectedBytes_ = 0;
  bool collecting_ = false;
  TStatus status_;
  bool lineCut_ = false;
  bool lineCutNoticed_ = false;
};

}  // namespace zetgallery
