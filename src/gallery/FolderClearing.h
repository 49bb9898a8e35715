// FolderClearing: emptying the result and thumbnails folders before a build, and the rules that
// keep files from being taken: the caller decides for every file whether it stays.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

// Whether one file found while clearing a folder stays.
using TKeepFile = std::function<bool(const std::filesystem::directory_entry& file)>;

// Deletes the files directly in `folder` that `keep` does not keep. Folders (and what they hold)
// always stay, and a file that cannot be deleted stays without a word.
void ClearFolderFiles(const std::string& folder, const TKeepFile& keep);

// True when the owner may not write `file`: protected on purpose (the read-only attribute of
// other systems, which keeps a file from being deleted there).
bool IsWriteProtected(const std::filesystem::directory_entry& file);

// True when `fileName` is an old page that clearing the result folder takes: its extension (from
// the last dot) begins with ".htm" in any letter case (".htm", ".HTML", ".htmx"). A name that only
// holds ".htm" further in front ("trip.html.jpg") is not a page and stays.
bool MatchesHtmlWildcard(const std::string& fileName);

// True when `folder` is the folder `inner` itself or one of the folders holding it (symbolic
// links and spellings such as "a/./b" resolved).
bool FolderIsOrHolds(const std::string& folder, const std::string& inner);
