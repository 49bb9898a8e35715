// FolderSnapshot: walking a tree and reading links out of generated pages.
#include "FolderSnapshot.h"

#include <filesystem>
#include <functional>

#include "TestPictures.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

std::map<std::string, std::string> FolderContents(const std::string& root) {
  std::map<std::string, std::string> contents;
  std::error_code error;
  for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
       it.increment(error)) {
    // Lexically: a link's own path, not the path of what it leads to.
    const std::string relative = it->path().lexically_relative(root).string();
    if (it->is_symlink()) {
      contents[relative] = "link:" + fs::read_symlink(it->path()).string();
    } else if (it->is_directory()) {
      contents[relative] = "dir";
    } else if (!it->is_regular_file()) {
      contents[relative] = "special";  // a pipe is never read: that would wait for a writer
    } else {
      const std::string bytes = ReadWholeFile(it->path().string());
      contents[relative] = "file:" + std::to_string(bytes.size()) + ":" +
                           std::to_string(std::hash<std::string>{}(bytes));
    }
  }
  return contents;
}

std::vector<std::string> ChangedOrLost(const std::map<std::string, std::string>& before,
                                       const std::map<std::string, std::string>& after) {
  std::vector<std::string> changed;
  for (const auto& [path, content] : before) {
    const auto found = after.find(path);
    if (found == after.end() || found->second != content) changed.push_back(path);
  }
  return changed;
}

std::vector<std::string> PartFilesUnder(const std::string& root) {
  std::vector<std::string> parts;
  for (const auto& [path, content] : FolderContents(root))
    if (path.ends_with(".part")) parts.push_back(path);
  return parts;
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Decoded(const std::string& value) {
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value.compare(i, 5, "&amp;") == 0) {
      text += '&';
      i += 4;
    } else if (value[i] == '%' && i + 2 < value.size() && HexValue(value[i + 1]) >= 0 &&
               HexValue(value[i + 2]) >= 0) {
      text += static_cast<char>(HexValue(value[i + 1]) * 16 + HexValue(value[i + 2]));
      i += 2;
    } else {
      text += value[i];
    }
  }
  return text;
}

}  // namespace

std::vector<std::string> LinkedPaths(const std::string& html) {
  std::vector<std::string> paths;
  for (const std::string attribute : {" href=\"", " src=\""}) {
    for (size_t at = html.find(attribute); at != std::string::npos;
         at = html.find(attribute, at + 1)) {
      const size_t start = at + attribute.size();
      const size_t end = html.find('"', start);
      if (end == std::string::npos) break;
      paths.push_back(Decoded(html.substr(start, end - start)));
    }
  }
  return paths;
}

}  // namespace zetgallery
