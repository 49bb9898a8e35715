// The command-line half of zetgallery, for the sanitizer trees, which build no window: the
// command-line tests run it in place of the whole program.
#include "app/CommandLine.h"

using namespace zetgallery;

int main(int argc, char** argv) { return RunCommandLine(argc, argv); }
