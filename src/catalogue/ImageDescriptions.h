// ImageDescriptions: the one-line description of each picture, read from a ".txt" file beside the
// picture, from the folder's "descript.ion" file or from the picture's own metadata.
#pragma once

#include <string>
#include <vector>

namespace zetgallery {

// Where descriptions come from: the index of the descriptions combo box. PictureCaptions is the
// caption each picture carries in its own metadata (PictureFacts.h).
enum class TDescriptionSource { None = 0, TextFiles = 1, DescriptIon = 2, PictureCaptions = 3 };

// Position (from 1) in a descript.ion line where the file name part ends: after the closing quote
// of a quoted name, else the first blank; 0 when the line is empty or the name has no end.
int NameEndPos(const std::string& line);

// The name of the description file of picture `imageName` in the .txt source: the part from the
// last dot on replaced by ".txt", or ".txt" appended to a name without a dot.
std::string TextDescriptionFileName(const std::string& imageName);

// One description per picture of `imageList`, in its order (empty text where none was found); no
// entries at all when `source` is None or the list is empty. `imagesFolderText` is the text of the
// images folder edit (one pair of enclosing double quotes is dropped). Never reports an error:
// missing or unreadable files give empty descriptions. A line longer than kMaxTextLineBytes is
// cut; when `filesCut` is given, it gets the path of every file whose cut line gave a
// description, each once, in the order of the pictures (the caller tells the user).
std::vector<std::string> GetDescriptions(const std::vector<std::string>& imageList,
                                         const std::string& imagesFolderText,
                                         TDescriptionSource source,
                                         std::vector<std::string>* filesCut = nullptr);

// The same with the combo box index; an index other than 1, 2 or 3 means no descriptions.
std::vector<std::string> GetDescriptions(const std::vector<std::string>& imageList,
                                         const std::string& imagesFolderText, int sourceIndex);

}  // namespace zetgallery
