// RunCommand: runs a shell command line as a user would type it, and keeps what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

struct TCommandRun {
  int status = -1;  // the exit status; -1 when the command did not end normally
  std::string out;  // standard output
  std::string err;  // standard error
};

// `text` in single quotes for the shell.
inline std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string ReadWholeFileOrEmpty(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Runs `command` with /bin/sh, standard input empty, its two outputs kept in files of
// `scratch` (a folder of the test's own).
inline TCommandRun RunCommand(const std::string& command, const std::filesystem::path& scratch) {
  const std::filesystem::path out = scratch / "command-out.txt";
  const std::filesystem::path err = scratch / "command-err.txt";
  const std::string line = "(" + command + ") </dev/null >" + ShellQuoted(out.string()) + " 2>" +
                           ShellQuoted(err.string());
  const int raw = std::system(line.c_str());
  TCommandRun run;
  if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
  run.out = ReadWholeFileOrEmpty(out);
  run.err = ReadWholeFileOrEmpty(err);
  return run;
}
