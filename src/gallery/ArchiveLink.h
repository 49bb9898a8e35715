// ArchiveLink: the index template's line that links the zip of the pictures (PictureArchive.h).
#pragma once

#include <cstdint>
#include <string>

namespace zetgallery {

// In a line of the index template, stands for the link to the zip. The line is left out when
// there is no zip to link (the setting off, or the zip not made).
inline constexpr char kArchiveLinkMarker[] = "~~~ARCHIVELINK~~~";

// A size for a Russian reader: kilobytes below a megabyte, megabytes below a gigabyte, else
// gigabytes, with one decimal after a comma ("12,3 МБ"); 1024 bytes a kilobyte.
std::string ArchiveSizeText(uint64_t size);

// `line` with every kArchiveLinkMarker replaced by the link to the zip `fileName` (beside the
// index page) of `size` bytes.
std::string ArchiveLinkLine(const std::string& line, const std::string& fileName, uint64_t size);

}  // namespace zetgallery
