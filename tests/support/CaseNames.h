// CaseNames: names for the cases of parameterised tests, so that a case keeps its name from one
// build to the next and says which case it is, and what a failing case prints of its values.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <ostream>
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

// A field of a case as a table row writes it: texts quoted with their control bytes escaped,
// nullptr, numbers, true and false, a list in braces, an enumeration as its number.
std::string CaseLiteral(const std::string& text);
std::string CaseLiteral(const char* text);
std::string CaseLiteral(char letter);
inline std::string CaseLiteral(bool flag) { return flag ? "true" : "false"; }
template <class Value>
requires std::is_arithmetic_v<Value> || std::is_enum_v<Value> std::string CaseLiteral(Value value) {
  if constexpr (std::is_enum_v<Value>)
    return std::to_string(static_cast<std::underlying_type_t<Value>>(value));
  else
    return std::to_string(value);
}
template <class Value>
std::string CaseLiteral(const std::optional<Value>& value) {
  return value ? CaseLiteral(*value) : "nullopt";
}
template <class Value>
std::string CaseLiteral(const std::vector<Value>& values) {
  std::string text = "{";
  for (size_t i = 0; i < values.size(); ++i)
    text += (i == 0 ? "" : ", ") + CaseLiteral(static_cast<const Value&>(values[i]));
  return text + "}";
}

// What GoogleTest prints of a case: the fields given, as its table row reads, {"a.jpg", 3, true}.
// Each case type of a table has a PrintTo beside it, so that a failing case shows its values
// rather than its bytes:
//   void PrintTo(const TLimitCase& c, std::ostream* os) { PrintCase(os, c.width, c.height); }
template <class... Fields>
void PrintCase(std::ostream* os, const Fields&... fields) {
  const char* separator = "";
  *os << '{';
  ((*os << separator << CaseLiteral(fields), separator = ", "), ...);
  *os << '}';
}

}  // namespace zetgallery
