// The program's entry: a command-line request (--build, --list, --help, --version) runs without
// a window; anything else starts the window.
#include "app/CommandLine.h"
#include "app/WindowMain.h"

int main(int argc, char** argv) {
  if (zetgallery::IsCommandLineRequest(argc, argv)) return zetgallery::RunCommandLine(argc, argv);
  return zetgallery::RunWindow(argc, argv);
}
