// AlbumFolders: the walk over the folder tree, depth first, each folder once.
#include "catalogue/AlbumFolders.h"

#include <algorithm>
#include <set>

#include "FolderEntries.h"
#include "catalogue/ImageScan.h"
#include "util/ZetFileUtils.h"
#include "util/ZetPlatform.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

struct TWalker {
  const TAlbumWalk& walk;
  std::set<TFolderIdentity> seen;

  // Fills `album` (its folder path and names set) and its albums; `depth` is its own depth.
  void Fill(TAlbumFolder& album, int depth) {
    album.pictures = ScanImages(album.folderPath, walk.maskText, nullptr).names;
    album.totalPictures = static_cast<int>(album.pictures.size());
    if (depth >= walk.depthLimit) return;
    std::vector<std::string> names;
    ForEachSubfolder(album.folderPath,
                     [&names](const std::string& name) { names.push_back(name); });
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
      return CompareForSortedList(a, b) < 0;
    });
    for (const std::string& name : names) {
      TAlbumFolder inner;
      inner.name = name;
      inner.relativePath = album.relativePath.empty() ? name : album.relativePath + "/" + name;
      inner.folderPath = EnsureTrailingBackslash(album.folderPath) + name;
      TFolderIdentity identity;
      // A folder met before (a link to it, or a link back up) is walked the first time only.
      if (!ReadFolderIdentity(inner.folderPath, identity) || !seen.insert(identity).second)
        continue;
      if (walk.excluded && walk.excluded(inner.relativePath, identity)) continue;
      Fill(inner, depth + 1);
      if (inner.totalPictures == 0) continue;
      album.totalPictures += inner.totalPictures;
      album.albums.push_back(std::move(inner));
    }
  }
};

void CollectBelow(const TAlbumFolder& album, std::vector<const TAlbumFolder*>& out) {
  for (const TAlbumFolder& inner : album.albums) {
    out.push_back(&inner);
    CollectBelow(inner, out);
  }
}

}  // namespace

bool ReadFolderIdentity(const std::string& path, TFolderIdentity& identity) {
  TFileStatus status;
  if (path.empty() || !ReadFileStatus(path, status) || status.kind != TFileStatus::TKind::Directory)
    return false;
  identity = {status.device, status.inode};
  return true;
}

TAlbumFolder FindAlbumFolders(const std::string& imagesFolder, const TAlbumWalk& walk) {
  TWalker walker{walk, {}};
  TAlbumFolder top;
  top.folderPath = imagesFolder;
  TFolderIdentity identity;
  if (ReadFolderIdentity(imagesFolder, identity)) walker.seen.insert(identity);
  walker.Fill(top, 0);
  return top;
}

std::vector<const TAlbumFolder*> AlbumsBelow(const TAlbumFolder& top) {
  std::vector<const TAlbumFolder*> albums;
  CollectBelow(top, albums);
  return albums;
}

}  // namespace zetgallery
