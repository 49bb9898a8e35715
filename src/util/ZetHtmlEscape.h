// ZetHtmlEscape: what makes a file name safe inside generated HTML.
#pragma once

#include <string>

namespace zetgallery {

// For a file name or relative path put into href or src: percent-encodes % " # ? < > : \, bytes
// below 32 and byte 127, and writes & as "&amp;". Blanks, "/" and non-Latin letters stay. No name
// can so read as a scheme (javascript:) or as another host (\\host\).
std::string UrlEncodeFileName(const std::string& name);

// For a link text made from a file name: escapes & < > as entities.
std::string EscapeHtmlText(const std::string& text);

// For a text inside a double-quoted attribute (alt texts, colours): writes " as &quot;.
std::string EscapeHtmlAttribute(const std::string& text);

}  // namespace zetgallery
