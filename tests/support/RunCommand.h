// RunCommand: a shell command line run as a user would type it, with what it printed.
#pragma once

#include <string>

namespace zetgallery {

struct TCommandRun {
  int status = -1;  // the exit status; -1 when the command did not end normally
  std::string out;  // standard output
  std::string err;  // standard error
};

// `text` in single quotes for the shell.
std::string ShellQuoted(const std::string& text);

// Runs `command` with /bin/sh, standard input empty. Its two outputs pass through files in
// `scratch` (a folder of the test's own), removed again before the call returns.
TCommandRun RunCommand(const std::string& command, const std::string& scratch);

}  // namespace zetgallery
