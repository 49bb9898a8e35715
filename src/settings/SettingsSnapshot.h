// SettingsSnapshot: the plain values that the window's controls hold for the 60 stored settings,
// one field per setting, named by its stored value name. The window reads its controls into one
// of these; the command line keeps one without a window; the store saves one and loading yields
// what each control receives. Spin edits hold their value, except ThumbXSize and ThumbYSize,
// which keep their text (it may be "250" or "abc" after a load).
#pragma once

#include <string>

namespace zetgallery {

struct TSettingsSnapshot {
  std::string ImagesFolder;  // EditImagesFolder text
  int ResultFolder = -1;     // selected entry of EditResultFolder, -1 none
  bool ClearResultFolder = false;
  std::string ThumbsFolder;
  bool ClearThumbsFolder = false;
  std::string ButtonsFolder;
  bool CopyButtonsFromTemplate = false;
  std::string ImagesMask;
  int HtmlNames = 0;  // 0 RadioButtonHtmlAsImageName, 1 RadioButtonHtmlSerialNumber
  std::string HtmlFirstImageFile;
  std::string IndexFile;
  int Descriptions = -1;  // ComboBoxDescrType index: 0 none, 1 .txt, 2 descript.ion, 3 metadata
  std::string IndexTemplate;
  std::string IndexPlace;
  int IndexType = -1;  // 0 numbered, 1 bulleted, 2 list in a table, 3 thumbnails, 4 grid
  int TableWidth = 0;
  int TableBorderWidth = 0;
  int CellSpacing = 0;
  int CellPadding = 0;
  std::string TableBorderColor;
  std::string TableBackColor;
  bool ShowTableHeaders = false;
  bool ShowDescriptions = false;
  bool ShowFileSizes = false;
  int FileSizes = -1;  // 0 bytes, 1 kilobytes, 2 megabytes
  int ThumbXCount = 1;
  std::string ThumbXSize;  // text of the spin edit
  std::string ThumbYSize;  // text of the spin edit
  int ThumbBorderWidth = 0;
  std::string ThumbBorderColor;
  bool DescrAsThumbAlt = false;
  bool CreateThumbs = false;
  int ThumbsFormat = -1;          // 0 GIF, 1 JPEG, 2 BMP
  int ThumbPrefixSuffixType = 0;  // 0 prefix, 1 suffix
  std::string ThumbPrefixSuffix;
  int ImageType = 0;  // 0 picture as file, 1 picture in an HTML page
  std::string ImageTemplate;
  std::string ImagePlace;
  std::string DescrPlace;
  std::string ButtonsPlace;
  std::string ButtonImageFirst;
  std::string ButtonImagePrev;
  std::string ButtonImageNext;
  std::string ButtonImageLast;
  std::string ButtonImageIndex;
  std::string AltFirst;
  std::string AltPrev;
  std::string AltNext;
  std::string AltLast;
  std::string AltIndex;
  bool ImageClickEqualNext = false;
  bool PictureFacts = false;  // the date, camera and exposure markers of the picture page
  int ImageOrder = -1;        // ComboBoxImageOrder index: 0 name, 1 date taken, 2 modified
  bool ImageOrderDescending = false;
  bool DisplayCopies = false;     // a smaller JPEG copy of each picture for its page
  int DisplaySize = 0;            // the copy's longer side in pixels
  int DisplayQuality = 0;         // its JPEG quality
  std::string DisplayFolder;      // the folder of the copies, beside the thumbnails folder
  bool SubAlbums = false;         // each subfolder with pictures is an album of its own
  bool OriginalsArchive = false;  // a zip of the album's pictures in the result folder
  std::string ArchiveName;        // its file name

  bool operator==(const TSettingsSnapshot&) const = default;
};

// What the window's controls hold when it is created, before any settings are loaded, as the
// settings table gives it (its design-time values): drop-down lists with nothing selected (the
// result-folder list empty), check boxes unchecked except CheckBoxImageClickEqualNext. No radio
// button of a pair is checked then, which reads as the pair's second choice (1), as "first
// checked, else second" reads it.
TSettingsSnapshot DesignTimeSettingsSnapshot();

}  // namespace zetgallery
