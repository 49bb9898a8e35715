// ProcessFigures: what the kernel counts of this process, to check that work stays small.
#pragma once

#include <string>

namespace zetgallery {

// The number after `key` in the process file `file`: ("/proc/self/io", "rchar:") the bytes read
// so far, ("/proc/self/status", "VmHWM:") the peak memory in kB. -1 when there is none.
long long ProcessFigure(const std::string& file, const std::string& key);

// The bytes this process has read from files so far; -1 when the system does not tell.
long long BytesReadByThisProcess();

}  // namespace zetgallery
