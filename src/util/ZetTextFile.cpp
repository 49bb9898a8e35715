// ZetTextFile: first-line reading over the line reader, and the CR LF writer.
#include "ZetTextFile.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "ZetPlatform.h"
#include "ZetTempFiles.h"

namespace {

// A path with a zero byte would silently name a different file (the text before the zero).
bool IsUsablePath(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
}

// Files up to this size are compared with what a writer wrote: every page and index of a
// gallery, and not a template-sized text held in memory twice.
constexpr uint64_t kCompareLimit = 4 << 20;

// True when the file `path` holds exactly `bytes`.
bool HoldsExactly(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::string held(bytes.size() + 1, '\0');
  const size_t read = std::fread(held.data(), 1, held.size(), file);
  std::fclose(file);
  return read == bytes.size() && held.compare(0, read, bytes) == 0;
}

}  // namespace

bool ReadFirstTextLine(const std::string& path, std::string& line, bool* cut) {
  line.clear();
  if (cut != nullptr) *cut = false;
  TTextLineReader reader;
  if (!reader.Open(path)) return false;
  // Only as much of the file is read as the first line needs: a description file may be large.
  reader.ReadLine(line);
  if (cut != nullptr) *cut = reader.LastLineCut();
  return reader.Ok();
}

TTextWriter::~TTextWriter() { Discard(); }

bool TTextWriter::Open(const std::string& path) {
  Discard();
  ok_ = false;
  if (!IsUsablePath(path)) return false;
  namespace fs = std::filesystem;
  // The target is replaced by a rename, never written through: a pipe or a device of that name
  // would be swapped for a plain file, and a protected file would lose its protection.
  std::error_code error;
  const fs::file_status status = fs::status(fs::path(path), error);
  const bool exists = fs::exists(status);
  if (exists &&
      (!fs::is_regular_file(status) ||
       (status.permissions() & fs::perms::owner_write) == fs::perms::none || !MayWriteFile(path)))
    return false;
  const std::string temporary = TemporaryPathBeside(path);
  // The replacement keeps the permissions of the file it replaces.
  const fs::perms permissions = status.permissions();
  file_ = CreateNewFile(temporary, exists ? &permissions : nullptr);
  if (file_ == nullptr) return false;
  target_ = path;
  temporary_ = temporary;
  ok_ = true;
  // A link is replaced by a file even when what it leads to holds the same text.
  TFileStatus entry;
  comparing_ = ReadEntryStatus(path, entry) && entry.IsRegular() && entry.size <= kCompareLimit;
  written_.clear();
  return true;
}

void TTextWriter::Write(const std::string& text) {
  if (file_ == nullptr || !ok_ || text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) ok_ = false;
  if (!comparing_) return;
  if (written_.size() + text.size() > kCompareLimit) {
    comparing_ = false;
    written_ = std::string();
  } else {
    written_ += text;
  }
}

void TTextWriter::WriteLine(const std::string& text) {
  Write(text);
  Write("\r\n");
}

void TTextWriter::Flush() {
  if (file_ != nullptr && ok_ && std::fflush(file_) != 0) ok_ = false;
}

bool TTextWriter::Close() {
  if (file_ == nullptr) return ok_;
  if (std::fclose(file_) != 0) ok_ = false;
  file_ = nullptr;
  // An unchanged file is not replaced: a rebuild leaves the pages that did not change as they
  // were, times included, and spares the disc (a rename over a file makes ext4 write the new
  // data at once).
  const bool unchanged = ok_ && comparing_ && HoldsExactly(target_, written_);
  if (ok_ && !unchanged && std::rename(temporary_.c_str(), target_.c_str()) != 0) ok_ = false;
  if (!ok_ || unchanged) std::remove(temporary_.c_str());
  temporary_.clear();
  written_ = std::string();
  comparing_ = false;
  return ok_;
}

void TTextWriter::Discard() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  file_ = nullptr;
  ok_ = false;
  std::remove(temporary_.c_str());
  temporary_.clear();
  written_ = std::string();
  comparing_ = false;
}
