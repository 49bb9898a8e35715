#include "CaseNames.h"

namespace zetgallery {

std::string CaseName(size_t index, const std::string& text) {
  // Long texts are cut: the position already keeps the names apart.
  constexpr size_t kMostCharacters = 40;
  std::string name = std::to_string(index);
  bool separated = false;
  for (const char c : text) {
    if (name.size() >= kMostCharacters) break;
    const bool letterOrDigit =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (letterOrDigit) {
      if (!separated) name += '_';
      name += c;
      separated = true;
    } else {
      separated = false;
    }
  }
  return name;
}

std::string CaseText(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += word + " ";
  return text;
}

}  // namespace zetgallery
