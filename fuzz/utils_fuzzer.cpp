// Fuzzes the small text utilities with properties that must hold for any input: hexadecimal
// numbers, colours, both path styles, integers and counters, quotes, the CP866 conversion, case
// folding and sorting, and the HTML and terminal escapes.
#include <cstring>

#include "FuzzCheck.h"
#include "util/ZetAlphaNums.h"
#include "util/ZetFileUtils.h"
#include "util/ZetHexNums.h"
#include "util/ZetHtmlEscape.h"
#include "util/ZetStrings.h"
#include "util/ZetTerminalText.h"
#include "util/ZetWebUtils.h"

using namespace zetgallery;

namespace {

void CheckHexAndColours(const std::string& text, const uint8_t* data, size_t size) {
  uint32_t number = 0;
  std::memcpy(&number, data, std::min<size_t>(size, sizeof number));
  const auto value = static_cast<int32_t>(number);
  FUZZ_CHECK(HexToInt(IntToHexStr(value, 8), 8) == value);
  FUZZ_CHECK(IntToHexStr(value, 1 + number % 255).size() == 1 + number % 255);
  FUZZ_CHECK(HexToByte(text) == static_cast<uint8_t>(HexToInt(text, 2)));
  for (int digits = -1; digits <= 10; ++digits) HexToInt(text, digits);
  FUZZ_CHECK(HtmlToColor(ColorToHtml(number)) == (number & 0xFFFFFFu));
  FUZZ_CHECK(HtmlToColor(text) <= 0xFFFFFFu);
  FUZZ_CHECK(ColorToHtml(HtmlToColor(text)).size() == 7);
}

void CheckPaths(const std::string& path, TPathStyle style) {
  const char separator = PathSeparator(style);
  const std::string name = ExtractFileName(path, style);
  FUZZ_CHECK(ExtractFilePath(path, style) + name == path);
  FUZZ_CHECK(ExtractFileNameNoExt(path, style) + ExtractFileExt(name, style) == name);
  const std::string drive = ExtractFileDrive(path, style);
  FUZZ_CHECK(path.compare(0, drive.size(), drive) == 0);
  const std::string ensured = EnsureTrailingBackslash(path, style);
  FUZZ_CHECK(path.empty()
                 ? ensured.empty()
                 : ensured.back() == separator && ensured.compare(0, path.size(), path) == 0);
  const std::string normal = NormalizeFolderPath(path, style);
  FUZZ_CHECK(normal.size() + 1 >= path.size() && normal.size() <= path.size() + 1);
}

void CheckNumbers(const std::string& text, const uint8_t* data, size_t size) {
  int32_t parsed = 12345;
  if (!TryStrToInt(text, parsed)) FUZZ_CHECK(parsed == 12345);
  uint32_t number = 0;
  std::memcpy(&number, data, std::min<size_t>(size, sizeof number));
  const auto value = static_cast<int32_t>(number);
  // Zeros between the sign and the digits read back as the number; blanks do only in front of
  // a number without a sign (the fill goes between the sign and the digits).
  for (char fill : {'0', ' '}) {
    const std::string padded = IntToStrPadded(value, static_cast<int>(number % 40), fill);
    int32_t back = 0;
    if (fill == '0' || value >= 0) FUZZ_CHECK(TryStrToInt(padded, back) && back == value);
  }
  const int at = TrailingNumberPos(text);
  FUZZ_CHECK(at >= 0 && static_cast<size_t>(at) <= text.size());
  FUZZ_CHECK(IncAlphaNum(text, '0').size() == text.size());
}

void CheckTexts(const std::string& text) {
  const std::string stripped = StripQuotes(text);
  FUZZ_CHECK(stripped.size() <= text.size() && stripped.size() + 2 >= text.size());
  FUZZ_CHECK(text.find(stripped) != std::string::npos);
  FUZZ_CHECK(IsUtf8(OemToAnsiString(text)));
  const std::string folded = FoldCase(text);
  FUZZ_CHECK(FoldCase(folded) == folded);
  FUZZ_CHECK(SameTextIgnoringCase(text, folded));
  const std::string trimmed = TrimControlAndBlanks(text);
  FUZZ_CHECK(trimmed.empty() || (static_cast<unsigned char>(trimmed.front()) > 32 &&
                                 static_cast<unsigned char>(trimmed.back()) > 32));
  const size_t half = text.size() / 2;
  const std::string a = text.substr(0, half), b = text.substr(half);
  FUZZ_CHECK(CompareForSortedList(a, b) == -CompareForSortedList(b, a));
  FUZZ_CHECK(CompareForSortedList(a, a) == 0);
}

void CheckEscapes(const std::string& text) {
  for (char c : UrlEncodeFileName(text)) {
    const auto byte = static_cast<unsigned char>(c);
    FUZZ_CHECK(byte >= 32 && byte != 127);
    FUZZ_CHECK(std::strchr("\"#?<>:\\", c) == nullptr);
  }
  const std::string htmlText = EscapeHtmlText(text);
  FUZZ_CHECK(htmlText.find_first_of("<>") == std::string::npos);
  FUZZ_CHECK(EscapeHtmlAttribute(text).find('"') == std::string::npos);
  const std::string shown = EscapeForTerminal(text);
  FUZZ_CHECK(IsUtf8(shown));
  for (size_t pos = 0; pos < shown.size(); ++pos) {
    const auto byte = static_cast<unsigned char>(shown[pos]);
    FUZZ_CHECK(byte >= 32 && byte != 127);
    if (byte == 0xC2 && pos + 1 < shown.size())
      FUZZ_CHECK(static_cast<unsigned char>(shown[pos + 1]) >= 0xA0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = InputText(data, size);
  CheckHexAndColours(text, data, size);
  CheckPaths(text, TPathStyle::Windows);
  CheckPaths(text, TPathStyle::Posix);
  CheckNumbers(text, data, size);
  CheckTexts(text);
  CheckEscapes(text);
  return 0;
}
