// BuildParameters: the build plan, the one record a build reads its settings from. The window (or
// the command line) hands over what its controls hold; CollectBuildParameters derives the paths,
// URL prefixes, column widths, page names and thumbnail save parameters once, and nothing changes
// the plan afterwards. The names of picture i (its page, links, thumbnail) follow from the plan
// and i alone (ImageNames.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/ImageDescriptions.h"
#include "catalogue/ImageOrder.h"
#include "gallery/ThumbSaveParams.h"
#include "settings/SettingsSnapshot.h"

namespace zetgallery {

// A sub-album as its parent's index lists it.
struct TAlbumLink {
  std::string name;       // the folder's name, as it is
  std::string indexHref;  // its index page, from the parent's index (not yet URL-encoded)
  std::string coverSrc;   // its cover thumbnail, likewise; "" when it has none
  int pictures = 0;       // its pictures, those of its own albums included
};

// What a build is started from: the settings as the window's controls hold them, plus the few
// control states that are not stored settings.
struct TBuildInputs {
  TSettingsSnapshot Settings;
  std::string ResultFolderText;          // text of EditResultFolder: the result folder path
  std::string ThumbsFolderPrefixText;    // text of EditThumbsFolderPrefix
  std::string ButtonsFolderPrefixText;   // text of EditButtonsFolderPrefix
  bool ClearThumbsFolderEnabled = true;  // whether CheckBoxClearThumbsFolder is enabled
  std::vector<std::string> Images;       // the image list, in gallery order
  // Filled by the albums' build only (empty, the gallery is as it always was):
  std::vector<TAlbumLink> SubAlbums;  // the albums this one lists
  std::string ParentIndexHref;        // the parent album's index page, "" at the top
  // The pictures as the album's pages reach them, when not beside or below its result folder.
  std::optional<std::string> ImagesUrlPrefix;
};

// The form of the index (the index kind drop-down; None when nothing is selected).
enum class TIndexKind {
  None = -1,
  NumberedList = 0,
  BulletedList = 1,
  TableList = 2,
  Thumbnails = 3,
  Grid = 4  // thumbnails in <figure> cells that wrap to the screen's width
};

// Where the index links lead: to the picture files, or to a page per picture.
enum class TPictureMode { File = 0, Page = 1 };

// How picture pages are named: after their pictures, or numbered from the first page's name.
enum class TPageNaming { AfterPicture = 0, Serial = 1 };

// Where the thumbnail text goes in a thumbnail's name.
enum class TThumbTextPlace { Prefix = 0, Suffix = 1 };

// The unit of the size column (None when nothing is selected: written as bytes).
enum class TFileSizeUnit { None = -1, Bytes = 0, Kilobytes = 1, Megabytes = 2 };

struct TBuildPlan {
  std::vector<std::string> Images;  // picture file names (no folder), in gallery order
  std::string ImagesFolder;
  std::string ResultFolder;
  std::string ThumbsFolderPath;
  std::string ButtonsFolderPath;
  bool ClearResultFolder = false;
  bool ClearThumbsFolder = false;
  bool CopyButtonsFromTemplate = false;
  std::string ImagesUrlPrefix;   // "" when the pages sit beside the pictures, else "Folder/"
  std::string ThumbsUrlPrefix;   // thumbs folder name + "/"
  std::string ButtonsUrlPrefix;  // buttons folder name + "/"
  std::string IndexFile;         // file name of the index page inside the result folder
  std::string IndexTemplate;
  std::string ImageTemplate;
  std::string ButtonImageFirst;  // file name parts only: the copies in the buttons folder
  std::string ButtonImagePrev;
  std::string ButtonImageNext;
  std::string ButtonImageLast;
  std::string ButtonImageIndex;
  std::string ButtonSourceFirst;  // the button pictures the copies are made from (whole paths)
  std::string ButtonSourcePrev;
  std::string ButtonSourceNext;
  std::string ButtonSourceLast;
  std::string ButtonSourceIndex;
  std::string IndexPlace;
  std::string ImagePlace;
  std::string DescrPlace;
  std::string ButtonsPlace;
  TDescriptionSource Descriptions = TDescriptionSource::None;
  TIndexKind IndexType = TIndexKind::None;
  int TableWidth = 0;
  int TableBorderWidth = 0;
  int CellSpacing = 0;
  int CellPadding = 0;
  std::string TableBorderColor;
  std::string TableBackColor;
  bool ShowTableHeaders = false;
  bool ShowDescriptions = false;
  bool ShowFileSizes = false;
  TFileSizeUnit FileSizes = TFileSizeUnit::None;
  int LinkColumnWidth = 0;
  int DescrColumnWidth = 0;
  int SizeColumnWidth = 0;
  int ThumbXCount = 1;
  int ThumbXSize = 0;
  int ThumbYSize = 0;
  int ThumbBorderWidth = 0;
  bool DescrAsThumbAlt = false;
  bool CreateThumbs = false;
  TThumbFormat ThumbsFormat = TThumbFormat::Jpeg;
  TThumbTextPlace ThumbPrefixSuffixType = TThumbTextPlace::Prefix;
  std::string ThumbPrefixSuffix;
  TPictureMode ImageType = TPictureMode::File;
  TPageNaming HtmlNames = TPageNaming::AfterPicture;
  std::string PageExtension;
  std::string FirstPageFile;
  std::string LastPageFile;
  std::string AltFirst;
  std::string AltPrev;
  std::string AltNext;
  std::string AltLast;
  std::string AltIndex;
  bool ImageClickEqualNext = false;
  // The picture page's date, camera and exposure markers are replaced (PageWriter.h).
  bool PictureFacts = false;
  TThumbSaveParams ThumbSaveParams;

  // Display copies: with picture pages only, a JPEG copy of each picture at most DisplaySize
  // pixels on its longer side, shown on its page instead of the picture.
  bool MakeDisplayCopies = false;
  std::string DisplayFolderPath;  // beside the thumbnails folder
  std::string DisplayUrlPrefix;   // display folder name + "/"
  int DisplaySize = 0;
  int DisplayQuality = 0;

  // The zip of the album's pictures in the result folder (PictureArchive.h).
  bool MakeArchive = false;
  std::string ArchiveName;

  // How numbered pages are named: page i is PageNumberPrefix + the number PageNumberStart + i
  // padded with "0" to PageNumberWidth + PageExtension; page 0 keeps FirstPageFile.
  std::string PageNumberPrefix;
  long long PageNumberStart = 1;
  int PageNumberWidth = 1;

  // Sub-albums: the albums the index lists and the link up to the parent album's index.
  std::vector<TAlbumLink> SubAlbums;
  std::string ParentIndexHref;

  // The user's decimal separator, for sizes in megabytes.
  std::string DecimalSeparator = ".";
};

// `names`, the pictures a scan found (in name order), in the order a build with `settings` puts
// them: as they are for ascending name order, else sorted as ImageOrder.h says (reading the
// pictures' dates or status).
std::vector<std::string> ImagesInBuildOrder(const TSettingsSnapshot& settings,
                                            const std::vector<std::string>& names);

// Derives the build plan from the inputs. Spin edit values are clamped to their limits
// (TableWidth 0..100, TableBorderWidth, CellSpacing, CellPadding, ThumbBorderWidth 0..10,
// ThumbXCount 1..10); ThumbXSize and ThumbYSize are read from their texts by the program's
// integer syntax, a text that is not an integer counts as 0 (the lower limit) and a number out of
// 0..200 is clamped. A thumbs format or index kind out of range is taken as JPEG / no index, a
// description source out of range as none.
// REQUIRES: inputs.Images is not empty.
TBuildPlan CollectBuildParameters(const TBuildInputs& inputs);

// The plan of a gallery of the first `count` pictures of `plan` only: the pages of a build that
// was stopped after them, whose Last buttons must name the last page written.
// REQUIRES: 0 < count <= plan.Images.size().
TBuildPlan PlanForFirstPictures(const TBuildPlan& plan, size_t count);

}  // namespace zetgallery
