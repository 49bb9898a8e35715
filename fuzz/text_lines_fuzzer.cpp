// Fuzzes the text-file line rules: the reader over a file and over memory, at a buffer size and a
// line limit taken from the first byte, against the rules said another way (a line past the
// limit keeps its first bytes and is marked cut), and the whole-text and first-line readers
// built on it.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "FuzzCheck.h"
#include "util/ZetTextFile.h"
#include "util/ZetTextLineReader.h"

using namespace zetgallery;

namespace {

// Cut at byte 26, make every CR LF and every lone CR a LF, split at LF; a text that ends with a
// line end has no empty line after it.
std::vector<std::string> OracleLines(std::string text) {
  text = text.substr(0, text.find('\x1A'));
  std::string unified;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    unified += text[i] == '\r' ? '\n' : text[i];
  }
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t lf; (lf = unified.find('\n', start)) != std::string::npos; start = lf + 1)
    lines.push_back(unified.substr(start, lf - start));
  if (start < unified.size()) lines.push_back(unified.substr(start));
  return lines;
}

// Marks a cut line; no line holds it.
const char kCutMark[] = "\n";

// The lines as a reader with `limit` gives them, each cut one marked.
std::vector<std::string> CutLines(std::vector<std::string> lines, size_t limit) {
  for (std::string& line : lines)
    if (line.size() > limit) line = line.substr(0, limit) + kCutMark;
  return lines;
}

std::vector<std::string> ReadAll(TTextLineReader& reader) {
  std::vector<std::string> lines;
  for (std::string line; reader.ReadLine(line);)
    lines.push_back(line + (reader.LastLineCut() ? kCutMark : ""));
  return lines;
}

const std::string& ScratchFile() {
  static const std::string path = (std::filesystem::temp_directory_path() /
                                   ("zetgallery-fuzz-lines-" + std::to_string(getpid()) + ".txt"))
                                      .string();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Inputs stay below the program's own line limit, so the readers that use it cut nothing.
  if (size == 0 || size > kMaxTextLineBytes) return 0;
  const size_t bufferSize = 1 + data[0] % 16;
  const size_t lineLimit = data[0] / 16 == 0 ? kMaxTextLineBytes : data[0] / 16;
  const std::string text = InputText(data + 1, size - 1);
  const std::vector<std::string> expected = OracleLines(text);
  const std::vector<std::string> expectedCut = CutLines(expected, lineLimit);

  FUZZ_CHECK(SplitTextLines(text) == expected);
  for (const std::string& line : expected)
    FUZZ_CHECK(line.find_first_of(std::string("\r\n\x1A", 3)) == std::string::npos);
  TTextLineReader fromText(bufferSize, lineLimit);
  fromText.OpenText(text);
  FUZZ_CHECK(ReadAll(fromText) == expectedCut);
  FUZZ_CHECK(fromText.AnyLineCut() == (expectedCut != expected));

  {
    std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
    out << text;
  }
  TTextLineReader fromFile(bufferSize, lineLimit);
  FUZZ_CHECK(fromFile.Open(ScratchFile()).ok());
  FUZZ_CHECK(ReadAll(fromFile) == expectedCut);
  FUZZ_CHECK(fromFile.status().ok());
  std::string first;
  bool cut = true;
  FUZZ_CHECK(ReadFirstTextLine(ScratchFile(), first, &cut).ok());
  FUZZ_CHECK(!cut);
  FUZZ_CHECK(first == (expected.empty() ? std::string() : expected.front()));
  return 0;
}
