// CommandLine: building and listing without a window (zetgallery --build / --list).
#pragma once

#include <string>
#include <vector>

namespace zetgallery {

// True when the arguments ask for a command-line run (--build, --list, --help, --version, or an
// unknown option), false when the window should start.
bool IsCommandLineRequest(int argc, char** argv);

// Runs the request; returns the process exit status (0 success, 1 an error was reported,
// 2 bad usage).
int RunCommandLine(int argc, char** argv);

// What the arguments ask for.
struct TCommandLineRequest {
  enum class TMode { Window, Build, List, Help, Version, BadUsage };
  TMode mode = TMode::Window;
  bool hasPreset = false;
  std::string preset;      // --preset NAME
  bool yes = false;        // --yes: every question is answered Yes
  bool null = false;       // --null: listed names end with a zero byte
  std::string folder;      // FOLDER, empty when not given
  std::string usageError;  // BadUsage: what is wrong
};

// Reads the arguments after the program name.
TCommandLineRequest ParseCommandLine(const std::vector<std::string>& arguments);

// The text printed by --help.
std::string CommandLineUsage();

}  // namespace zetgallery
