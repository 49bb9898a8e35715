// Masks: the file-mask language of the image scan. A mask is matched against a whole file name:
//   *        any run of characters, including none ("*?" means "*"; "**" means "*")
//   ?        exactly one character
//   [set]    one character of the set; [!set] one character not in it; x-y is a range
//   other    that character; only the Latin letters a-z fold case
// One Unicode character counts as one character everywhere: "?" takes all of it, a literal
// matches the same character, a set holds any character as a member or as a range end, and ranges
// go by code point (so [а-я] holds the 32 small Cyrillic letters from а to я). A byte that is not
// part of well-formed UTF-8 is one character of its own, equal only to the same byte; ranges sort
// such bytes after every code point.
//
// An invalid mask is an error value, never an exception: an InvalidArgument status whose message
// is "'<mask>' is an invalid mask at (<position>)" and whose detail is the position, counted in
// characters from 1. A mask longer than kMaxMaskChars characters is invalid too, with its own
// message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "util/Status.h"

namespace zetgallery {

// The longest mask text taken, in characters. Masks are typed by a person, and even a list of a
// few hundred extensions stays under it; compiling costs memory in the mask's length (tens of
// bytes a character), so a longer text, which only a damaged or hostile setting holds, is
// refused rather than compiled.
inline constexpr int kMaxMaskChars = 4096;

// The message shown for an invalid mask.
std::string InvalidMaskMessage(const std::string& maskText, int position);

// The message shown for a mask text longer than kMaxMaskChars characters.
std::string MaskTooLongMessage();

// True when `maskText` holds more than kMaxMaskChars characters; looks at no more of it than
// that takes.
bool MaskTextTooLong(const std::string& maskText);

// A compiled mask. Compiling never fails loudly: an invalid mask gives an object whose status()
// says why (see above).
class TMask {
 public:
  explicit TMask(const std::string& maskText);

  // Ok, or InvalidArgument with the message to show and, as detail, the position (from 1)
  // reported in it: kMaxMaskChars + 1 for a mask that is too long.
  const TStatus& status() const { return status_; }
  const std::string& Text() const { return text_; }

  // True when the whole `fileName` matches. An invalid mask matches nothing.
  bool Matches(const std::string& fileName) const;

 private:
  enum class TKind : uint8_t { Literal, Set, AnyChar, End };
  // Characters from `low` to `high` inclusive.
  struct TRange {
    char32_t low = 0;
    char32_t high = 0;
  };
  struct TState {
    TKind kind = TKind::End;
    bool afterStar = false;      // preceded by one or more "*"
    bool negate = false;         // for sets
    char32_t literal = 0;        // for Literal: the character, Latin letters upper-cased
    std::vector<TRange> ranges;  // for Set: its members (Latin letters upper-cased), sorted, apart
  };

  bool Compile();
  static bool MatchesState(const TState& state, char32_t c);

  std::string text_;
  std::vector<TState> states_;
  TStatus status_;
};

// Compiles `maskText` and tells whether `fileName` matches it; the mask's status when it is
// invalid.
TStatusOr<bool> MatchFileMask(const std::string& fileName, const std::string& maskText);

}  // namespace zetgallery
