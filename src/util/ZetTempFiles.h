// ZetTempFiles: names for files that are written whole before they take their real name. A file
// is written under a temporary name beside its target and renamed over the target once complete,
// so a reader never sees half a file and a failed write leaves the older file in place.
#pragma once

#include <string>

// A path in the folder of `target` that no other thread of this process and no other process
// uses at the same time. The name is short and hidden (".zg-PID-N.part"), whatever the length of
// the target's own name, so it stays within the file system's name limit.
std::string TemporaryPathBeside(const std::string& target);
