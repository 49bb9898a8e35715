// ZetTrash: the freedesktop.org trash, written directly rather than through QFile::moveToTrash:
// that one moves a file by its path (so a link swapped in between could choose the file), and
// Qt 6.4 reports success while it leaves the file in "files/" under the current folder when the
// data folder does not exist yet, as on a new account.
#include "util/ZetTrash.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace zetgallery {

namespace {

// Makes the folder `path` and any missing parent, each new one with `mode`. True when it exists
// as a folder afterwards.
bool MakeFolders(const std::string& path, mode_t mode) {
  if (path.empty()) return false;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash), mode))
    return false;
  return ::mkdir(path.c_str(), mode) == 0 ||
         (errno == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}

// A trash folder ready to take files: its "files" and "info" folders open.
struct TTrashPlace {
  TOpenFolder files;
  TOpenFolder info;
  std::string root;        // the trash folder itself
  std::string pathPrefix;  // what the Path key leaves out of an original path ("" or topdir + "/")
};

bool OpenTrash(const std::string& root, TTrashPlace& place) {
  if (!MakeFolders(root + "/files", 0700) || !MakeFolders(root + "/info", 0700)) return false;
  place.files = TOpenFolder(root + "/files");
  place.info = TOpenFolder(root + "/info");
  place.root = root;
  return place.files.IsOpen() && place.info.IsOpen();
}

// A trash folder at the top of a file system is used only when it is a real folder of this
// user's and not a link: another user could otherwise read or redirect what goes there.
bool IsOwnPrivateFolder(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

// The topmost folder of `path`'s file system (`device`): where the path leaves it, or "/".
std::string TopOfFileSystem(const std::string& path, uint64_t device) {
  std::string top = path;
  while (top.size() > 1) {
    const size_t slash = top.find_last_of('/');
    const std::string parent = slash == 0 ? "/" : top.substr(0, slash);
    struct stat info {};
    if (::stat(parent.c_str(), &info) != 0 || static_cast<uint64_t>(info.st_dev) != device) break;
    top = parent;
  }
  return top;
}

// The trash on the entry's own file system: the shared ".Trash/UID" when the administrator made
// ".Trash" (sticky, not a link), else this user's ".Trash-UID".
bool OpenTopTrash(const std::string& top, TTrashPlace& place) {
  const std::string uid = std::to_string(::getuid());
  const std::string base = top == "/" ? "" : top;
  struct stat shared {};
  if (::lstat((base + "/.Trash").c_str(), &shared) == 0 && S_ISDIR(shared.st_mode) &&
      (shared.st_mode & S_ISVTX) != 0) {
    const std::string root = base + "/.Trash/" + uid;
    if ((MakeFolders(root, 0700) && IsOwnPrivateFolder(root)) && OpenTrash(root, place)) {
      place.pathPrefix = base + "/";
      return true;
    }
  }
  const std::string root = base + "/.Trash-" + uid;
  struct stat own {};
  if (::lstat(root.c_str(), &own) != 0 && ::mkdir(root.c_str(), 0700) != 0) return false;
  if (!IsOwnPrivateFolder(root) || !OpenTrash(root, place)) return false;
  place.pathPrefix = base + "/";
  return true;
}

std::string DeletionDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

// Writes the ".trashinfo" of `original` under a name that neither "info" nor "files" holds yet,
// then moves the entry to "files" under that name. True when the entry moved.
bool MoveInto(const TOpenFolder& folder, const std::string& name, const std::string& original,
              TTrashPlace& place, std::string& trashedAs) {
  std::string pathKey = original;
  if (!place.pathPrefix.empty() && pathKey.starts_with(place.pathPrefix))
    pathKey = pathKey.substr(place.pathPrefix.size());
  const std::string info = "[Trash Info]\nPath=" + TrashInfoPathEscaped(pathKey) +
                           "\nDeletionDate=" + DeletionDate() + "\n";
  for (int attempt = 1; attempt < 10000; ++attempt) {
    const std::string trashName = attempt == 1 ? name : name + "." + std::to_string(attempt);
    const std::string infoName = trashName + ".trashinfo";
    const int file = ::openat(place.info.Descriptor(), infoName.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (file < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    const bool written =
        ::write(file, info.data(), info.size()) == static_cast<ssize_t>(info.size());
    const bool closed = ::close(file) == 0;
    if (written && closed && folder.MoveWithoutReplacing(name, place.files, trashName)) {
      trashedAs = place.files.PathOf(trashName);
      return true;
    }
    const int cause = errno;
    place.info.Remove(infoName);
    // A file already in "files" under that name without its info: the next name.
    if (written && closed && cause == EEXIST) continue;
    return false;
  }
  return false;
}

// The device of `path`, or of the nearest folder above it that exists; 0 when none does.
uint64_t DeviceOfNearestFolder(std::string path) {
  while (!path.empty()) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return static_cast<uint64_t>(info.st_dev);
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) break;
    path = slash == 0 ? (path == "/" ? "" : "/") : path.substr(0, slash);
  }
  return 0;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

}  // namespace

std::string HomeTrashFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return std::string(data) + "/Trash";
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share/Trash";
}

std::string TrashInfoPathEscaped(const std::string& path) {
  static const char digits[] = "0123456789ABCDEF";
  std::string escaped;
  for (const char ch : path) {
    const auto byte = static_cast<unsigned char>(ch);
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                       (byte >= '0' && byte <= '9') || byte == '/' || byte == '-' || byte == '_' ||
                       byte == '.' || byte == '~';
    if (plain) {
      escaped += ch;
    } else {
      escaped += '%';
      escaped += digits[byte >> 4];
      escaped += digits[byte & 15];
    }
  }
  return escaped;
}

TStatusOr<std::string> MoveToTrash(const TOpenFolder& folder, const std::string& name) {
  TFileStatus entry;
  if (!folder.ReadEntryStatus(name, entry)) return TStatus::NotFound(folder.PathOf(name));
  if (entry.kind == TFileStatus::TKind::Directory) return TStatus::Unsupported(folder.PathOf(name));
  const std::string folderPath = folder.RealPath();
  const std::string original = (folderPath == "/" ? "" : folderPath) + "/" + name;
  const TStatus noTrash = TStatus::IoError(folder.PathOf(name));

  std::string trashedAs;
  // Files on the home's file system go to the home trash, and only there.
  const std::string homeRoot = HomeTrashFolder();
  if (!homeRoot.empty() && DeviceOfNearestFolder(homeRoot) == entry.device) {
    TTrashPlace home;
    if (!OpenTrash(homeRoot, home) || !MoveInto(folder, name, original, home, trashedAs))
      return noTrash;
    return trashedAs;
  }
  TTrashPlace top;
  if (folderPath.empty() || folderPath[0] != '/' ||
      !OpenTopTrash(TopOfFileSystem(folderPath, entry.device), top))
    return noTrash;
  TFileStatus topStatus;
  if (!top.files.ReadStatus(topStatus) || topStatus.device != entry.device) return noTrash;
  if (!MoveInto(folder, name, original, top, trashedAs)) return noTrash;
  return trashedAs;
}

}  // namespace zetgallery
