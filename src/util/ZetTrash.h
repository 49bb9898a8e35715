// ZetTrash: the desktop's trash can, laid out as freedesktop.org desktops keep it
// (Linux and other free desktops), so that a file manager shows what the program put there and
// can restore it. A file is moved there from a folder already open, never by a path resolved
// anew: a link swapped in meanwhile cannot change which file goes.
#pragma once

#include <string>

#include "util/Status.h"
#include "util/ZetOpenFolder.h"

namespace zetgallery {

// Moves the entry `name` of `folder` (a file or a link, not a folder) to the user's trash: the
// home trash ($XDG_DATA_HOME/Trash, else ~/.local/share/Trash, made when missing) when the entry
// is on the same file system, else the trash at the top of the entry's own file system
// (".Trash/UID" or ".Trash-UID"). Writes the entry's ".trashinfo" (its original path and the
// time) first, under a name that no other trashed file has. The entry's path in the trash; else
// NotFound (no such entry), Unsupported (a folder) or IoError (no trash can take it, and the
// entry stays where it is), each with the entry's path as message.
TStatusOr<std::string> MoveToTrash(const TOpenFolder& folder, const std::string& name);

// The home trash folder for the current environment: $XDG_DATA_HOME/Trash when XDG_DATA_HOME
// is an absolute path, else $HOME/.local/share/Trash. Empty when no home is known.
std::string HomeTrashFolder();

// `path` escaped for the Path key of a ".trashinfo" file: every byte but letters, digits, "/" and
// "-_.~" as %XX.
std::string TrashInfoPathEscaped(const std::string& path);

}  // namespace zetgallery
