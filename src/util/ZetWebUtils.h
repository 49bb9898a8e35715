// ZetWebUtils: colour values and their HTML form. A colour value holds red in bits 0..7, green in
// 8..15 and blue in 16..23.
#pragma once

#include <cstdint>
#include <string>

namespace zetgallery {

using TColor = uint32_t;

// "#RRGGBB" in upper-case hexadecimal; bits 24..31 are ignored.
std::string ColorToHtml(TColor color);

// "#RRGGBB" (pairs read leniently) or one of the 17 colour names (Latin letters fold case);
// anything else is black.
TColor HtmlToColor(const std::string& text);

}  // namespace zetgallery
