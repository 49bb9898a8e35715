// WindowMain: start-up, event loop and shutdown of the window program.
#pragma once

// Runs the window program; argv[1], when present, names the images folder. Returns the exit
// status of the event loop.
int RunWindow(int argc, char** argv);
