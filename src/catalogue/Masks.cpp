// Masks: compiling a file mask into a list of one-character states and matching names with it.
#include "catalogue/Masks.h"

#include <algorithm>
#include <iterator>

#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

// A mask may hold at most this many star groups (runs of "*" followed by what they skip to).
constexpr int kMaxStarGroups = 30;

// Stray bytes (not part of well-formed UTF-8) are numbered after every code point, so that each
// is a character of its own and equal to no real character.
constexpr char32_t kStrayByteBase = 0x110000;

char32_t UpCaseLatin(char32_t c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

// The character that starts at `pos` of `text`; `length` gets its number of bytes.
// REQUIRES: pos < text.size().
char32_t CharAt(const std::string& text, size_t pos, size_t& length) {
  length = Utf8CharLength(text, pos);
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[pos + i]); };
  if (length == 1) return byte(0) < 0x80 ? byte(0) : kStrayByteBase + byte(0);
  char32_t value = byte(0) & (0xFFu >> (length + 1));
  for (size_t i = 1; i < length; ++i) value = (value << 6) | (byte(i) & 0x3Fu);
  return value;
}

}  // namespace

std::string InvalidMaskMessage(const std::string& maskText, int position) {
  return "'" + maskText + "' is an invalid mask at (" + std::to_string(position) + ")";
}

std::string MaskTooLongMessage() {
  return "Слишком длинная маска файлов: в ней больше " + std::to_string(kMaxMaskChars) +
         " символов.";
}

bool MaskTextTooLong(const std::string& maskText) {
  // Each character takes at least one byte, so a short text needs no counting.
  if (maskText.size() <= static_cast<size_t>(kMaxMaskChars)) return false;
  int chars = 0;
  for (size_t pos = 0; pos < maskText.size(); pos += Utf8CharLength(maskText, pos))
    if (++chars > kMaxMaskChars) return true;
  return false;
}

TMask::TMask(const std::string& maskText) : text_(maskText) {
  if (MaskTextTooLong(maskText)) {
    status_ = TStatus::InvalidArgument(MaskTooLongMessage(), kMaxMaskChars + 1);
    return;
  }
  if (!Compile()) states_.clear();
}

bool TMask::Compile() {
  const std::string& mask = text_;
  bool afterStar = false;
  int starGroups = 0;
  size_t pos = 0;
  int charPos = 1;  // position of the character at `pos`, counted in characters from 1
  size_t length = 0;

  const auto fail = [&](int position) {
    status_ = TStatus::InvalidArgument(InvalidMaskMessage(mask, position), position);
    return false;
  };
  // Appends a state; a state that follows "*" opens a star group, `position` is where a group
  // too many is reported.
  const auto push = [&](TState state, int position) {
    if (afterStar && ++starGroups > kMaxStarGroups) return fail(position);
    state.afterStar = afterStar;
    states_.push_back(std::move(state));
    afterStar = false;
    return true;
  };
  const auto current = [&] { return CharAt(mask, pos, length); };
  const auto advance = [&] {
    pos += Utf8CharLength(mask, pos);
    ++charPos;
  };

  while (pos < mask.size()) {
    const char32_t c = current();
    TState state;
    if (c == '*') {
      afterStar = true;
    } else if (c == '?') {
      // "?" right after "*" adds nothing: the star already takes any run.
      state.kind = TKind::AnyChar;
      if (!afterStar && !push(std::move(state), charPos)) return false;
    } else if (c == '[') {
      state.kind = TKind::Set;
      advance();
      if (pos < mask.size() && current() == '!') {
        state.negate = true;
        advance();
      }
      bool hasLower = false;  // a "-" needs a member before it, where its range starts
      char32_t lower = 0;
      while (pos < mask.size() && current() != ']') {
        const char32_t member = current();
        if (member == '-') {
          if (!hasLower) return fail(charPos);
          advance();
          if (pos >= mask.size()) break;  // "-" at the very end: the set is not closed
          // The character after "-" is always the upper end, even "]". A range that runs
          // backwards adds nothing beyond its lower end, which is a member already.
          const char32_t upper = UpCaseLatin(current());
          if (upper > lower) state.ranges.push_back({lower, upper});
        } else {
          hasLower = true;
          lower = UpCaseLatin(member);
          state.ranges.push_back({lower, lower});
        }
        advance();
      }
      if (pos >= mask.size()) return fail(charPos);
      if (state.ranges.empty()) return fail(charPos);
      // Sorted and merged, a set is tested by a binary search however many members it has.
      std::sort(state.ranges.begin(), state.ranges.end(),
                [](const TRange& x, const TRange& y) { return x.low < y.low; });
      std::vector<TRange> merged;
      for (const TRange& range : state.ranges) {
        if (!merged.empty() && range.low <= merged.back().high + 1)
          merged.back().high = std::max(merged.back().high, range.high);
        else
          merged.push_back(range);
      }
      state.ranges = std::move(merged);
      if (!push(std::move(state), charPos)) return false;
    } else {
      state.kind = TKind::Literal;
      state.literal = UpCaseLatin(c);
      if (!push(std::move(state), charPos)) return false;
    }
    advance();
  }
  TState end;
  end.kind = TKind::End;
  return push(std::move(end), charPos);
}

bool TMask::MatchesState(const TState& state, char32_t c) {
  switch (state.kind) {
    case TKind::Literal:
      return UpCaseLatin(c) == state.literal;
    case TKind::Set: {
      const char32_t folded = UpCaseLatin(c);
      // Only the last range that starts at or below `folded` can hold it.
      auto next = std::upper_bound(state.ranges.begin(), state.ranges.end(), folded,
                                   [](char32_t value, const TRange& r) { return value < r.low; });
      const bool member = next != state.ranges.begin() && folded <= std::prev(next)->high;
      return member != state.negate;
    }
    case TKind::AnyChar:
      return true;
    case TKind::End:
      return false;
  }
  return false;
}

bool TMask::Matches(const std::string& name) const {
  if (!status_.ok()) return false;
  // Every state but the end takes exactly one character, so on a mismatch it is enough to let
  // the most recent star take one more character: earlier stars never need to be revisited.
  // This keeps the match linear in the name for each state, whatever the number of stars.
  size_t state = 0;
  size_t pos = 0;
  size_t starState = std::string::npos;
  size_t starPos = 0;
  for (;;) {
    const TState& current = states_[state];
    if (current.afterStar && state != starState) {
      starState = state;
      starPos = pos;
    }
    bool matched;
    size_t length = 0;
    if (current.kind == TKind::End) {
      if (pos == name.size()) return true;
      matched = false;
    } else {
      matched = pos < name.size() && MatchesState(current, CharAt(name, pos, length));
    }
    if (matched) {
      pos += length;
      ++state;
      continue;
    }
    if (starState == std::string::npos || starPos >= name.size()) return false;
    starPos += Utf8CharLength(name, starPos);
    pos = starPos;
    state = starState;
  }
}

TStatusOr<bool> MatchFileMask(const std::string& fileName, const std::string& maskText) {
  const TMask mask(maskText);
  if (!mask.status().ok()) return mask.status();
  return mask.Matches(fileName);
}

}  // namespace zetgallery
