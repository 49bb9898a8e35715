// OutputLedger: the ledger's text format. One record a line, fields separated by tabs:
//   W <path> <size> <modified> [<device> <inode> <size> <modified> <changed> <shape>]
//   R <path>
// Times are seconds.nanoseconds. Paths and shapes escape "%", tab, CR and LF as %XX, since a
// file name may hold any of them.
#include "gallery/OutputLedger.h"

#include <charconv>
#include <vector>

namespace zetgallery {

namespace {

constexpr char kHeader[] = "ZetGallery output ledger 1";

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char ch : text) {
    switch (ch) {
      case '%':
        out += "%25";
        break;
      case '\t':
        out += "%09";
        break;
      case '\n':
        out += "%0A";
        break;
      case '\r':
        out += "%0D";
        break;
      default:
        out += ch;
    }
  }
  return out;
}

bool Unescaped(const std::string& text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const std::string code = text.substr(i + 1, 2);
    if (code == "25")
      out += '%';
    else if (code == "09")
      out += '\t';
    else if (code == "0A")
      out += '\n';
    else if (code == "0D")
      out += '\r';
    else
      return false;
    i += 2;
  }
  return true;
}

std::string TimeText(const TFileTime& time) {
  return std::to_string(time.seconds) + "." + std::to_string(time.nanoseconds);
}

template <class Number>
bool ParseNumber(const std::string& text, Number& value) {
  const char* end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && last == end && !text.empty();
}

bool ParseTime(const std::string& text, TFileTime& time) {
  const size_t dot = text.find('.');
  return dot != std::string::npos && ParseNumber(text.substr(0, dot), time.seconds) &&
         ParseNumber(text.substr(dot + 1), time.nanoseconds) && time.nanoseconds >= 0 &&
         time.nanoseconds < 1000000000;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
    fields.push_back(line.substr(start, tab - start));
  fields.push_back(line.substr(start));
  return fields;
}

}  // namespace

TSourceIdentity SourceIdentityOf(const TFileStatus& status) {
  return {status.device, status.inode, status.size, status.modified, status.changed};
}

bool TLedgerEntry::Describes(const TFileStatus& status) const {
  return status.IsRegular() && status.size == size && status.modified == modified;
}

TStatus TOutputLedger::Parse(const std::string& text) {
  entries_.clear();
  const size_t headerEnd = text.find('\n');
  if (headerEnd == std::string::npos || text.substr(0, headerEnd) != kHeader)
    return TStatus::Corrupt(kLedgerFileName);
  for (size_t start = headerEnd + 1, end; (end = text.find('\n', start)) != std::string::npos;
       start = end + 1)
    ApplyRecord(text.substr(start, end - start));
  return TStatus::Ok();
}

bool TOutputLedger::ApplyRecord(const std::string& line) {
  const std::vector<std::string> f = Fields(line);
  std::string path;
  if (f.size() < 2 || !Unescaped(f[1], path) || path.empty()) return false;
  if (f[0] == "R" && f.size() == 2) {
    entries_.erase(path);
    return true;
  }
  if (f[0] != "W" || (f.size() != 4 && f.size() != 10)) return false;
  TLedgerEntry entry;
  if (!ParseNumber(f[2], entry.size) || !ParseTime(f[3], entry.modified)) return false;
  if (f.size() == 10) {
    entry.hasSource = true;
    TSourceIdentity& source = entry.source;
    if (!ParseNumber(f[4], source.device) || !ParseNumber(f[5], source.inode) ||
        !ParseNumber(f[6], source.size) || !ParseTime(f[7], source.modified) ||
        !ParseTime(f[8], source.changed) || !Unescaped(f[9], entry.shape))
      return false;
  }
  entries_[path] = entry;
  return true;
}

std::string TOutputLedger::Text() const {
  std::string text = std::string(kHeader) + "\n";
  for (const auto& [path, entry] : entries_) text += WrittenRecord(path, entry);
  return text;
}

std::string TOutputLedger::WrittenRecord(const std::string& path, const TLedgerEntry& entry) {
  std::string line =
      "W\t" + Escaped(path) + "\t" + std::to_string(entry.size) + "\t" + TimeText(entry.modified);
  if (entry.hasSource) {
    const TSourceIdentity& s = entry.source;
    line += "\t" + std::to_string(s.device) + "\t" + std::to_string(s.inode) + "\t" +
            std::to_string(s.size) + "\t" + TimeText(s.modified) + "\t" + TimeText(s.changed) +
            "\t" + Escaped(entry.shape);
  }
  return line + "\n";
}

std::string TOutputLedger::RemovedRecord(const std::string& path) {
  return "R\t" + Escaped(path) + "\n";
}

const TLedgerEntry* TOutputLedger::Find(const std::string& path) const {
  const auto found = entries_.find(path);
  return found == entries_.end() ? nullptr : &found->second;
}

}  // namespace zetgallery
