// CaseNames: names for the cases of parameterised tests, so that a case keeps its name from one
// build to the next and says which case it is.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

// The case's position, then the ASCII letters and digits of `text` with every other run of
// characters as one '_': (3, "a.jpg") gives "3_a_jpg", (0, "") gives "0".
std::string CaseName(size_t index, const std::string& text);

// The name of a case given by a list of words (the arguments of a command line).
std::string CaseName(size_t index, const std::vector<std::string>& words);

// A name generator naming each case by one field of its value, a text or a list of words:
// INSTANTIATE_TEST_SUITE_P(Table, StripQuotesTest, Values(...), CaseNamesBy(&TTextCase::input)).
template <class T, class Field>
auto CaseNamesBy(Field T::*field) {
  return [field](const testing::TestParamInfo<T>& info) {
    return CaseName(info.index, info.param.*field);
  };
}

// A name generator naming each case by what GoogleTest prints of its value.
struct TPrintedCaseName {
  template <class T>
  std::string operator()(const testing::TestParamInfo<T>& info) const {
    return CaseName(info.index, testing::PrintToString(info.param));
  }
};
