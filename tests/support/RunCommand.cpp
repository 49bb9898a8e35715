#include "RunCommand.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "WholeFiles.h"

namespace zetgallery {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

TCommandRun RunCommand(const std::string& command, const std::string& scratch) {
  const std::string out = scratch + "/command-out.txt";
  const std::string err = scratch + "/command-err.txt";
  const std::string line =
      "(" + command + ") </dev/null >" + ShellQuoted(out) + " 2>" + ShellQuoted(err);
  const int raw = std::system(line.c_str());
  TCommandRun run;
  if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
  run.out = ReadWholeFile(out);
  run.err = ReadWholeFile(err);
  std::remove(out.c_str());
  std::remove(err.c_str());
  return run;
}

}  // namespace zetgallery
