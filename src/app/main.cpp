// The program's entry: a command-line request (--build, --list, --help, --version) runs without
// a window; anything else starts the window.
#include "CommandLine.h"
#include "WindowMain.h"

int main(int argc, char** argv) {
  if (IsCommandLineRequest(argc, argv)) return RunCommandLine(argc, argv);
  return RunWindow(argc, argv);
}
