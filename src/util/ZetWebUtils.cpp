// ZetWebUtils: colour values and their HTML form.
#include "util/ZetWebUtils.h"

#include "util/ZetHexNums.h"

namespace zetgallery {

namespace {

struct TNamedColor {
  const char* name;
  uint8_t red, green, blue;
};

// Searched in this order. GRAY is 190,190,190 on purpose.
constexpr TNamedColor kNamedColors[] = {
    {"BLACK", 0, 0, 0},       {"WHITE", 255, 255, 255},    {"GRAY", 190, 190, 190},
    {"FUCHSIA", 255, 0, 255}, {"RED", 255, 0, 0},          {"GREEN", 0, 128, 0},
    {"LIME", 0, 255, 0},      {"BLUE", 0, 0, 255},         {"YELLOW", 255, 255, 0},
    {"AQUA", 0, 255, 255},    {"BANANA", 227, 207, 87},    {"BROWN", 165, 42, 42},
    {"CARROT", 237, 145, 33}, {"CHOCOLATE", 210, 105, 30}, {"COBALT", 61, 89, 171},
    {"INDIGO", 75, 0, 130},   {"KHAKI", 240, 230, 140},
};

TColor MakeColor(uint8_t red, uint8_t green, uint8_t blue) {
  return TColor{red} | (TColor{green} << 8) | (TColor{blue} << 16);
}

// The two characters at zero-based `start`, or fewer (even none) at the end of the text.
std::string Pair(const std::string& text, size_t start) {
  return start < text.size() ? text.substr(start, 2) : std::string();
}

}  // namespace

std::string ColorToHtml(TColor color) {
  return "#" + ByteToHex(color & 0xFF) + ByteToHex((color >> 8) & 0xFF) +
         ByteToHex((color >> 16) & 0xFF);
}

TColor HtmlToColor(const std::string& text) {
  if (text.empty()) return 0;
  if (text[0] == '#') {
    return MakeColor(HexToByte(Pair(text, 1)), HexToByte(Pair(text, 3)), HexToByte(Pair(text, 5)));
  }
  std::string upper = text;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  for (const TNamedColor& named : kNamedColors) {
    if (upper == named.name) return MakeColor(named.red, named.green, named.blue);
  }
  return 0;
}

}  // namespace zetgallery
