// CommandLine: building and listing without a window (zetgallery --build / --list).
#pragma once

// True when the arguments ask for a command-line run (--build, --list, --help, --version, or an
// unknown option), false when the window should start.
bool IsCommandLineRequest(int argc, char** argv);

// Runs the request; returns the process exit status (0 success, 1 an error was reported,
// 2 bad usage).
int RunCommandLine(int argc, char** argv);
