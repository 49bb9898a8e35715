// UsageTexts: what the `--help` text and the manual page each say about the command line, read
// into the same shape so the two can be compared.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

struct TUsage {
  // The usage forms ("zetgallery --build [--preset NAME] [--yes] [FOLDER]"), keyed by their
  // first word after the program's name ("" for the form without an option), each holding the
  // rest of its words without brackets, in any order.
  std::map<std::string, std::set<std::string>> forms;
  // The options explained: every option the `--help` text names; the tags of the manual page's
  // OPTIONS section.
  std::set<std::string> options;
  // Environment variables named as $NAME (the `--help` text only).
  std::set<std::string> variables;
  // The whole text, formatting taken away.
  std::string text;
};

// Reads the `--help` text: forms are its lines that start with "zetgallery" after blanks, up to
// the first run of two blanks (where the explanation starts).
TUsage ReadHelpUsage(const std::string& help);

// Reads the manual page's roff source. REQUIRES: its SYNOPSIS writes one form a line (inside
// .nf/.fi), and each OPTIONS entry is a .TP whose next line is the tag.
TUsage ReadManualUsage(const std::string& roff);

// The option names in `text`: "--word" and "-x" tokens standing alone.
std::set<std::string> OptionNames(const std::string& text);

// Every way in which `manual` fails to say what `help` says, one readable line each; empty
// when they agree.
std::vector<std::string> UsageDifferences(const TUsage& help, const TUsage& manual);
