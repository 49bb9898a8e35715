// AlbumFolders: the albums of a folder of folders. Every subfolder of the images folder that holds
// pictures the mask takes, itself or in a subfolder of its own, is an album, to a limited depth.
// Hidden folders are passed over, a folder reached twice (through a symbolic link) is walked only
// the first time, and the caller keeps its own output folders out.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zetgallery {

// How deep below the images folder albums are looked for: a link that leads back up cannot make
// the walk endless, and no real collection of photos is this deep.
inline constexpr int kAlbumDepthLimit = 16;

// A folder on disk, whatever name reaches it: device and inode.
using TFolderIdentity = std::pair<uint64_t, uint64_t>;

// One album: a folder and the albums below it.
struct TAlbumFolder {
  std::string name;          // the folder's own name ("" for the images folder itself)
  std::string relativePath;  // below the images folder, parts joined by "/" ("" for the top)
  std::string folderPath;    // the whole path
  std::vector<std::string> pictures;  // the pictures the mask takes, in name order
  std::vector<TAlbumFolder> albums;   // the albums inside, in name order
  int totalPictures = 0;              // its own pictures and those of every album inside

  bool operator==(const TAlbumFolder&) const = default;
};

struct TAlbumWalk {
  std::string maskText;  // the mask of the pictures, as the scan takes it
  int depthLimit = kAlbumDepthLimit;
  // Asked before a folder below the top becomes an album; true keeps it out with everything
  // below it. May be empty.
  std::function<bool(const std::string& relativePath, const TFolderIdentity& identity)> excluded;
};

// The albums of `imagesFolder`: the top album holds the folder's own pictures and its albums.
// A folder without pictures anywhere below it is no album; one that cannot be read has none.
TAlbumFolder FindAlbumFolders(const std::string& imagesFolder, const TAlbumWalk& walk);

// Every album of `top` below it, parents before their albums.
std::vector<const TAlbumFolder*> AlbumsBelow(const TAlbumFolder& top);

// The identity of the folder `path` leads to; false when there is none.
bool ReadFolderIdentity(const std::string& path, TFolderIdentity& identity);

}  // namespace zetgallery
