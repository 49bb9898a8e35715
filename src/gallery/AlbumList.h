// AlbumList: the index page's list of sub-albums and its link up to the parent album, the two
// template lines that stand for them, and the count of pictures as a Russian reader says it.
#pragma once

#include <string>

#include "gallery/BuildParameters.h"

namespace zetgallery {

// A template line holding one of these becomes the list of sub-albums, or the link to the parent
// album's index; the line is dropped when there is nothing to list or link.
inline constexpr const char* kAlbumsMarker = "~~~ALBUMS~~~";
inline constexpr const char* kParentLinkMarker = "~~~PARENTLINK~~~";

// "1 картинка", "3 картинки", "5 картинок": `count` and the noun in its right form.
std::string PictureCountText(int count);

// The grid of plan.SubAlbums: a cell a sub-album with its cover (when it has one), its name and
// its count, each leading to its index. REQUIRES: plan.SubAlbums is not empty.
std::string AlbumListHtml(const TBuildPlan& plan);

// The link to plan.ParentIndexHref. REQUIRES: it is not empty.
std::string ParentLinkHtml(const TBuildPlan& plan);

}  // namespace zetgallery
