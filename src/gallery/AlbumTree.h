// AlbumTree: the build of a gallery of galleries. Every album below the images folder is built
// into the matching folder below the result folder, each by a build of its own (its own ledger,
// lock and sweep), the deepest first, and the top album last.
#pragma once

#include <functional>

#include "catalogue/AlbumFolders.h"
#include "gallery/BuildDriver.h"

namespace zetgallery {

// One album's build: the build of one gallery.
using TAlbumBuilder =
    std::function<TBuildResult(const TBuildInputs&, TUserInterface&, const TBuildOptions&)>;

// The albums below the images folder of `top` that the build takes: the walk of AlbumFolders.h,
// with every folder the gallery writes into kept out (its result, thumbnails, buttons and display
// folders, and those of every album), and every folder whose album's result folder would be one.
TAlbumFolder FindAlbums(const TBuildPlan& top, const std::string& maskText);

// Builds the albums below inputs' images folder with `buildOne`, then the top album of `inputs`
// itself, each index listing its albums. A sub-album's folders are created without asking.
// An album that fails is reported and the others still build; a stop ends the build after the
// album being built, which is left whole. The result adds the albums up; a failed picture is
// named with its album's path in front.
TBuildResult BuildAlbumTree(const TBuildInputs& inputs, TUserInterface& ui,
                            const TBuildOptions& options, const TAlbumBuilder& buildOne);

}  // namespace zetgallery
