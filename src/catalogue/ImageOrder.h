// ImageOrder: the order of the gallery's pictures: by name (the image list's own order), by the
// date each was taken, or by the time its file was last changed, either way round.
#pragma once

#include <string>
#include <vector>

namespace zetgallery {

// The entries of the image order drop-down list.
enum class TImageOrder { Name = 0, DateTaken = 1, ModificationTime = 2 };

// `names` (pictures of the folder `folder`, which ends in "/") in the order asked for. By name
// is the order of CompareForSortedList. By date taken (PictureFacts.h) or by modification time,
// pictures with equal keys follow their names, and pictures without a key (no date in the
// metadata, a file that cannot be read) come after all others, by name, whichever way round.
// Reads only what the order needs: nothing for Name, the files' status or their metadata for
// the others.
std::vector<std::string> OrderedImages(const std::vector<std::string>& names,
                                       const std::string& folder, TImageOrder order,
                                       bool descending);

}  // namespace zetgallery
