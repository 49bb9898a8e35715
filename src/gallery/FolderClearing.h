// FolderClearing: which files clearing the result folder takes, and the check that keeps the
// thumbnails folder, which is cleared of every file, away from the pictures.
#pragma once

#include <string>

namespace zetgallery {

// True when `fileName` is an old page that clearing the result folder takes: its extension (from
// the last dot) begins with ".htm" in any letter case (".htm", ".HTML", ".htmx"). A name that only
// holds ".htm" further in front ("trip.html.jpg") is not a page and stays.
bool MatchesHtmlWildcard(const std::string& fileName);

// True when `folder` is the folder `inner` itself or one of the folders holding it (symbolic
// links and spellings such as "a/./b" resolved).
bool FolderIsOrHolds(const std::string& folder, const std::string& inner);

}  // namespace zetgallery
