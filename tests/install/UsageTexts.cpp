#include "UsageTexts.h"

#include <regex>
#include <sstream>

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A roff line as it reads: font changes, escapes and the macro name of a request line removed.
std::string Deroffed(std::string line) {
  if (!line.empty() && line[0] == '.') {
    const size_t blank = line.find(' ');
    line = blank == std::string::npos ? "" : line.substr(blank + 1);
    std::erase(line, '"');
  }
  line = std::regex_replace(line, std::regex(R"(\\f(\[[^\]]*\]|\(..|.))"), "");
  line = std::regex_replace(line, std::regex(R"(\\\((lq|rq))"), "\"");
  line = std::regex_replace(line, std::regex(R"(\\\(..)"), "");
  line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
  line = std::regex_replace(line, std::regex(R"(\\&)"), "");
  return line;
}

// Adds the form "zetgallery ..." of `line` to `forms`; other lines are left out.
void AddForm(const std::string& line, std::map<std::string, std::set<std::string>>& forms) {
  std::string form = line;
  for (char& c : form)
    if (c == '[' || c == ']' || c == '|') c = ' ';
  std::istringstream words(form);
  std::string word;
  if (!(words >> word) || word != "zetgallery") return;
  std::string key;
  std::set<std::string> rest;
  while (words >> word) {
    if (key.empty() && rest.empty() && word[0] == '-')
      key = word;
    else
      rest.insert(word);
  }
  forms[key] = rest;
}

std::string FormName(const std::string& key) {
  return key.empty() ? "\"zetgallery\"" : "\"zetgallery " + key + "\"";
}

std::string Listed(const std::set<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return "{" + text + "}";
}

}  // namespace

std::set<std::string> OptionNames(const std::string& text) {
  static const std::regex option(
      R"((^|[^A-Za-z0-9_-])(--[A-Za-z][A-Za-z0-9-]*|-[A-Za-z])(?![A-Za-z0-9_-]))");
  std::set<std::string> names;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
       it != std::sregex_iterator(); ++it)
    names.insert((*it)[2]);
  return names;
}

TUsage ReadHelpUsage(const std::string& help) {
  TUsage usage;
  usage.text = help;
  usage.options = OptionNames(help);
  for (const std::string& line : Lines(help)) {
    std::string form = Trimmed(line);
    if (form.rfind("Usage:", 0) == 0) form = Trimmed(form.substr(6));
    // The explanation of a form starts after two blanks.
    AddForm(form.substr(0, form.find("  ")), usage.forms);
  }
  static const std::regex variable(R"(\$([A-Z_][A-Z0-9_]*))");
  for (auto it = std::sregex_iterator(help.begin(), help.end(), variable);
       it != std::sregex_iterator(); ++it)
    usage.variables.insert((*it)[1]);
  return usage;
}

TUsage ReadManualUsage(const std::string& roff) {
  TUsage usage;
  std::string section;
  bool tagFollows = false;
  for (const std::string& line : Lines(roff)) {
    if (line.rfind(".SH", 0) == 0) {
      section = Trimmed(Deroffed(line));
      continue;
    }
    const std::string text = Deroffed(line);
    usage.text += text + "\n";
    if (section == "SYNOPSIS" && line.rfind(".", 0) != 0) AddForm(Trimmed(text), usage.forms);
    if (section == "OPTIONS" && tagFollows) {
      const std::set<std::string> tagged = OptionNames(text);
      usage.options.insert(tagged.begin(), tagged.end());
    }
    tagFollows = line.rfind(".TP", 0) == 0;
  }
  return usage;
}

std::vector<std::string> UsageDifferences(const TUsage& help, const TUsage& manual) {
  std::vector<std::string> differences;
  std::set<std::string> keys;
  for (const auto& [key, words] : help.forms) keys.insert(key);
  for (const auto& [key, words] : manual.forms) keys.insert(key);
  for (const std::string& key : keys) {
    const auto inHelp = help.forms.find(key);
    const auto inManual = manual.forms.find(key);
    if (inManual == manual.forms.end())
      differences.push_back("the manual page's SYNOPSIS lacks the form " + FormName(key));
    else if (inHelp == help.forms.end())
      differences.push_back("--help lacks the form " + FormName(key));
    else if (inHelp->second != inManual->second)
      differences.push_back("the form " + FormName(key) + " has " + Listed(inHelp->second) +
                            " in --help but " + Listed(inManual->second) + " in the manual page");
  }
  for (const std::string& option : help.options)
    if (!manual.options.contains(option))
      differences.push_back("--help names " + option + ", the manual page's OPTIONS do not");
  for (const std::string& option : manual.options)
    if (!help.options.contains(option))
      differences.push_back("the manual page's OPTIONS explain " + option + ", --help does not");
  for (const std::string& variable : help.variables)
    if (manual.text.find(variable) == std::string::npos)
      differences.push_back("--help names $" + variable + ", the manual page does not");
  return differences;
}
