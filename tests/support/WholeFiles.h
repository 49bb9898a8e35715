// WholeFiles: a file written or read in one piece, bytes as they are.
#pragma once

#include <string>

namespace zetgallery {

// Writes `content` to `path`, replacing what was there and making the folders that lead to it.
// False on failure.
bool WriteWholeFile(const std::string& path, const std::string& content);

// The whole content of `path`; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace zetgallery
