// CaseNames: names for the cases of parameterised tests, so that a case keeps its name from one
// build to the next and says which case it is.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace zetgallery {

// The case's position, then the ASCII letters and digits of `text` with every other run of
// characters as one '_': (3, "a.jpg") gives "3_a_jpg", (0, "") gives "0".
std::string CaseName(size_t index, const std::string& text);

// What a field of a case says in its name: a text, the words of a list, a number, or an optional
// number ("absent" when it has none).
inline std::string CaseText(const std::string& text) { return text; }
inline std::string CaseText(const char* text) { return text; }
std::string CaseText(const std::vector<std::string>& words);
template <class Number>
requires std::is_arithmetic_v<Number> std::string CaseText(Number number) {
  return std::to_string(number);
}
template <class Number>
std::string CaseText(const std::optional<Number>& number) {
  return number ? CaseText(*number) : "absent";
}

// A name generator naming each case by some fields of its value:
// INSTANTIATE_TEST_SUITE_P(Table, StripQuotesTest, Values(...), CaseNamesBy(&TTextCase::input)).
template <class T, class... Fields>
auto CaseNamesBy(Fields T::*... fields) {
  return [fields...](const testing::TestParamInfo<T>& info) {
    std::string text;
    ((text += CaseText(info.param.*fields) + " "), ...);
    return CaseName(info.index, text);
  };
}

// A name generator naming each case by what GoogleTest prints of its value.
struct TPrintedCaseName {
  template <class T>
  std::string operator()(const testing::TestParamInfo<T>& info) const {
    return CaseName(info.index, testing::PrintToString(info.param));
  }
};

}  // namespace zetgallery
