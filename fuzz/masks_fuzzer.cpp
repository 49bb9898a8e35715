// Fuzzes the mask compiler and matcher. The input is a mask, a zero byte and a file name.
#include <QString>

#include "FuzzCheck.h"
#include "catalogue/ImageScan.h"
#include "catalogue/Masks.h"

using namespace zetgallery;

namespace {

std::string UpCaseLatin(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return text;
}

// An independent matcher for short masks, by backtracking over whole characters (a byte that is
// not UTF-8 is a character numbered after all code points).
class TReferenceMatcher {
 public:
  TReferenceMatcher(const std::string& mask, const std::string& name)
      : mask_(Chars(mask)), name_(Chars(name)) {}

  // False when the mask is invalid.
  bool Valid() {
    int starGroups = 0;
    bool afterStar = false;
    for (size_t i = 0; i < mask_.size(); ++i) {
      if (mask_[i] == '*') {
        afterStar = true;
        continue;
      }
      if (mask_[i] == '?') continue;
      bool ignored = false;
      if (mask_[i] == '[' && !ParseSet(i, 0, ignored, i)) return false;
      starGroups += afterStar ? 1 : 0;
      afterStar = false;
    }
    return starGroups + (afterStar ? 1 : 0) <= 30;
  }

  bool Matches() { return Match(0, 0, false); }

 private:
  static std::vector<char32_t> Chars(const std::string& text) {
    std::vector<char32_t> chars;
    for (size_t pos = 0; pos < text.size();) {
      const size_t length = Utf8CharLength(text, pos);
      const auto lead = static_cast<unsigned char>(text[pos]);
      if (length == 1) {
        chars.push_back(lead < 0x80 ? lead : 0x110000 + lead);
      } else {
        const std::u32string decoded = QString::fromUtf8(text.substr(pos, length)).toStdU32String();
        chars.push_back(decoded.at(0));
      }
      pos += length;
    }
    return chars;
  }
  static char32_t Up(char32_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }

  // Reads the set that starts with the "[" at `open`: `member` tells whether `c` is in it, `close`
  // gets the position of its "]". False when the set is not valid.
  bool ParseSet(size_t open, char32_t c, bool& member, size_t& close) const {
    size_t i = open + 1;
    bool negate = false;
    if (i < mask_.size() && mask_[i] == '!') {
      negate = true;
      ++i;
    }
    bool any = false, in = false, haveLower = false;
    char32_t lower = 0;
    c = Up(c);
    for (; i < mask_.size() && mask_[i] != ']'; ++i) {
      if (mask_[i] == '-') {
        if (!haveLower || i + 1 >= mask_.size()) return false;
        const char32_t upper = Up(mask_[++i]);
        in = in || (c >= lower && c <= upper);
      } else {
        lower = Up(mask_[i]);
        haveLower = any = true;
        in = in || c == lower;
      }
    }
    if (i >= mask_.size() || !any) return false;
    close = i;
    member = in != negate;
    return true;
  }

  bool Match(size_t m, size_t n, bool afterStar) {
    if (m == mask_.size()) return n == name_.size();
    const char32_t c = mask_[m];
    if (c == '*') return Match(m + 1, n, true) || (n < name_.size() && Match(m, n + 1, true));
    if (c == '?' && afterStar) return Match(m + 1, n, true);
    if (n >= name_.size()) return false;
    if (c == '?') return Match(m + 1, n + 1, false);
    if (c == '[') {
      bool member = false;
      size_t close = m;
      ParseSet(m, name_[n], member, close);
      return member && Match(close + 1, n + 1, false);
    }
    return Up(c) == Up(name_[n]) && Match(m + 1, n + 1, false);
  }

  std::vector<char32_t> mask_, name_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = InputText(data, size);
  const size_t zero = input.find('\0');
  const std::string mask = input.substr(0, zero);
  const std::string name = zero == std::string::npos ? std::string() : input.substr(zero + 1);

  const TMask compiled(mask);
  const bool matched = compiled.Matches(name);
  // A mask longer than the limit is refused whatever it holds.
  const bool tooLong = CharCount(mask) > static_cast<size_t>(kMaxMaskChars);
  FUZZ_CHECK(MaskTextTooLong(mask) == tooLong);
  if (tooLong) FUZZ_CHECK(compiled.status().detail() == kMaxMaskChars + 1);
  FUZZ_CHECK(compiled.status().ok() == (compiled.status().detail() == 0));
  FUZZ_CHECK(compiled.status().ok() == compiled.status().message().empty());
  if (!compiled.status().ok()) {
    FUZZ_CHECK(!matched);
    FUZZ_CHECK(compiled.status().detail() >= 1);
    FUZZ_CHECK(static_cast<size_t>(compiled.status().detail()) <= CharCount(mask) + 1);
    FUZZ_CHECK(
        compiled.status().message() ==
        (tooLong ? MaskTooLongMessage() : InvalidMaskMessage(mask, compiled.status().detail())));
  }
  const TStatusOr<bool> direct = MatchFileMask(name, mask);
  FUZZ_CHECK((direct.ok() && *direct) == matched);
  FUZZ_CHECK(direct.status() == compiled.status());

  // Without wildcards and sets a mask matches exactly the names equal to it up to Latin case.
  if (compiled.status().ok() && mask.find_first_of("*?[") == std::string::npos)
    FUZZ_CHECK(matched == (UpCaseLatin(mask) == UpCaseLatin(name)));
  // Short masks against the reference matcher.
  if (CharCount(mask) <= 12 && CharCount(name) <= 12) {
    TReferenceMatcher reference(mask, name);
    FUZZ_CHECK(reference.Valid() == compiled.status().ok());
    if (compiled.status().ok()) FUZZ_CHECK(reference.Matches() == matched);
  }
  // A star in front lets any text come before a matching name.
  if (matched) {
    const TMask starred("*" + mask);
    if (starred.status().ok()) FUZZ_CHECK(starred.Matches("x" + name) && starred.Matches(name));
  }
  // "*" takes every name; "?" exactly the names of one character.
  FUZZ_CHECK(TMask("*").Matches(name));
  FUZZ_CHECK(TMask("?").Matches(name) == (CharCount(name) == 1));

  // The scan's mask text: pieces at ";", tried in turn; an invalid piece stops the test.
  const TStatusOr<bool> accepted = MaskTextAccepts(name, mask);
  FUZZ_CHECK(accepted.ok() || !accepted.status().message().empty());
  return 0;
}
