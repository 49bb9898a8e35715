// The manual page and `zetgallery --help` name the same usage forms and the same options, and the
// manual page names every environment variable --help names.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <sstream>

#include "support/RunCommand.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace {

struct TNamed {
  std::set<std::string> forms;      // each usage form's words, brackets dropped, sorted
  std::set<std::string> options;    // every "--option"
  std::set<std::string> variables;  // environment variables
};

// The words of a usage form in sorted order, so that the order of its options does not count.
std::string FormWords(std::string form) {
  std::replace_if(
      form.begin(), form.end(), [](char c) { return c == '[' || c == ']'; }, ' ');
  std::istringstream in(form);
  std::multiset<std::string> words;
  for (std::string word; in >> word;) words.insert(word);
  std::string sorted;
  for (const std::string& word : words) sorted += word + " ";
  return sorted;
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern, int group) {
  std::set<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it)
    found.insert((*it)[group]);
  return found;
}

const std::regex kOption("(--[a-z][a-z-]*)");

// From --help: the lines that start with the program's name (up to the two blanks before their
// explanation), every option the text names, and every $VARIABLE.
TNamed FromHelp(const std::string& help) {
  TNamed named;
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) {
    const size_t start = line.find_first_not_of(' ');
    if (start != std::string::npos && line.compare(start, 11, "zetgallery ") == 0)
      named.forms.insert(FormWords(line.substr(start, line.find("  ", start) - start)));
  }
  named.options = Matches(help, kOption, 1);
  named.variables = Matches(help, std::regex(R"(\$([A-Z_]+))"), 1);
  return named;
}

// From the manual page: the SYNOPSIS lines, the tags of the OPTIONS entries, and the tags of the
// ENVIRONMENT entries (a tag is the line after .TP).
TNamed FromManual(const std::string& roff) {
  // As it reads: without font changes, "\-" a plain hyphen.
  const std::string text = std::regex_replace(
      std::regex_replace(roff, std::regex(R"(\\f[BIR])"), ""), std::regex(R"(\\-)"), "-");
  TNamed named;
  std::istringstream lines(text);
  std::string section;
  bool tag = false;
  for (std::string line; std::getline(lines, line); tag = line == ".TP") {
    if (line.starts_with(".SH ")) section = line.substr(4);
    if (section == "SYNOPSIS" && line.starts_with("zetgallery"))
      named.forms.insert(FormWords(line));
    if (section == "OPTIONS" && tag) named.options.merge(Matches(line, kOption, 1));
    if (section == "ENVIRONMENT" && tag) named.variables.insert(line.substr(line.find(' ') + 1));
  }
  return named;
}

TEST(ManualPage, SaysWhatHelpSays) {
  TTempFolder folder;
  const TCommandRun run = RunCommand("ZETGALLERY_REGISTRY=" + ShellQuoted(folder / "registry.db") +
                                         " " + ShellQuoted(ZETGALLERY_EXECUTABLE) + " --help",
                                     folder.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  const TNamed help = FromHelp(run.out);
  const TNamed manual = FromManual(ReadWholeFile(ZETGALLERY_MANUAL_PAGE));
  ASSERT_FALSE(help.forms.empty() || help.options.empty()) << "nothing read from\n" << run.out;
  ASSERT_FALSE(manual.forms.empty() || manual.options.empty()) << "nothing read from the page";
  EXPECT_EQ(help.forms, manual.forms);
  EXPECT_EQ(help.options, manual.options);
  EXPECT_TRUE(std::includes(manual.variables.begin(), manual.variables.end(),
                            help.variables.begin(), help.variables.end()))
      << testing::PrintToString(help.variables) << " not all in "
      << testing::PrintToString(manual.variables);
}

}  // namespace

}  // namespace zetgallery
