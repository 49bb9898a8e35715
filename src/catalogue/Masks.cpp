// Masks: compiling a file mask into a list of one-character states and matching names with it.
#include "Masks.h"

#include <algorithm>

#include "ZetStrings.h"

namespace {

// A mask may hold at most this many star groups (runs of "*" followed by what they skip to).
constexpr int kMaxStarGroups = 30;

uint8_t UpCaseLatin(uint8_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c; }

// Code point of the well-formed multi-byte UTF-8 character of `length` bytes at `pos`.
uint32_t CodePointAt(const std::string& text, size_t pos, size_t length) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[pos + i]); };
  uint32_t value = byte(0) & (0xFFu >> (length + 1));
  for (size_t i = 1; i < length; ++i) value = (value << 6) | (byte(i) & 0x3Fu);
  return value;
}

}  // namespace

std::string InvalidMaskMessage(const std::string& maskText, int position) {
  return "'" + maskText + "' is an invalid mask at (" + std::to_string(position) + ")";
}

TMask::TMask(const std::string& maskText) : text_(maskText) {
  if (!Compile()) states_.clear();
}

bool TMask::Compile() {
  const std::string& mask = text_;
  bool afterStar = false;
  int starGroups = 0;
  size_t pos = 0;
  int charPos = 1;  // position of the character at `pos`, counted in characters from 1

  const auto fail = [&](int position) {
    errorPosition_ = position;
    errorMessage_ = InvalidMaskMessage(mask, position);
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
  const auto advance = [&] {
    pos += Utf8CharLength(mask, pos);
    ++charPos;
  };

  while (pos < mask.size()) {
    const size_t length = Utf8CharLength(mask, pos);
    const auto c = static_cast<uint8_t>(mask[pos]);
    TState state;
    if (length > 1) {
      state.kind = TKind::MultiByteLiteral;
      state.bytes = mask.substr(pos, length);
      if (!push(std::move(state), charPos)) return false;
    } else if (c == '*') {
      afterStar = true;
    } else if (c == '?') {
      // "?" right after "*" adds nothing: the star already takes any run.
      state.kind = TKind::AnyChar;
      if (!afterStar && !push(std::move(state), charPos)) return false;
    } else if (c == '[') {
      state.kind = TKind::Set;
      advance();
      if (pos < mask.size() && mask[pos] == '!') {
        state.negate = true;
        advance();
      }
      int lower = -1;  // the last single member, where a following "-" starts its range
      bool hasMembers = false;
      const auto include = [&](int from, int to) {
        for (int member = from; member <= to; ++member) {
          state.set[member >> 3] =
              static_cast<uint8_t>(state.set[member >> 3] | (1u << (member & 7)));
          hasMembers = true;
        }
      };
      while (pos < mask.size() && mask[pos] != ']') {
        const size_t memberLength = Utf8CharLength(mask, pos);
        const auto member = static_cast<uint8_t>(mask[pos]);
        if (memberLength > 1) {
          // Multi-byte characters are no members of a set.
        } else if (member == '-') {
          if (lower < 0) return fail(charPos);
          advance();
          if (pos >= mask.size()) break;  // "-" at the very end: the set is not closed
          const size_t upperLength = Utf8CharLength(mask, pos);
          // The character after "-" is always the upper end, even "]".
          const int upper =
              upperLength > 1
                  ? static_cast<int>(std::min<uint32_t>(CodePointAt(mask, pos, upperLength), 255))
                  : UpCaseLatin(static_cast<uint8_t>(mask[pos]));
          include(lower, upper);
        } else {
          lower = UpCaseLatin(member);
          include(lower, lower);
        }
        advance();
      }
      if (pos >= mask.size()) return fail(charPos);
      if (!hasMembers) return fail(charPos);
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

bool TMask::MatchesState(const TState& state, const std::string& name, size_t pos,
                         size_t length) const {
  switch (state.kind) {
    case TKind::Literal:
      return length == 1 && UpCaseLatin(static_cast<uint8_t>(name[pos])) == state.literal;
    case TKind::MultiByteLiteral:
      return length == state.bytes.size() && name.compare(pos, length, state.bytes) == 0;
    case TKind::Set: {
      bool member = false;
      if (length == 1) {
        const uint8_t c = UpCaseLatin(static_cast<uint8_t>(name[pos]));
        member = (state.set[c >> 3] >> (c & 7)) & 1u;
      }
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
  if (!IsValid()) return false;
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
      matched =
          pos < name.size() && MatchesState(current, name, pos, length = Utf8CharLength(name, pos));
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

bool MatchFileMask(const std::string& fileName, const std::string& maskText,
                   std::string* errorMessage) {
  const TMask mask(maskText);
  if (errorMessage != nullptr) *errorMessage = mask.ErrorMessage();
  return mask.Matches(fileName);
}
