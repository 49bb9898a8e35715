// BuildParameters: the one record a build reads its settings from. The window (or the command
// line) hands over what its controls hold; CollectBuildParameters derives the paths, URL prefixes,
// column widths, page names and thumbnail save parameters that the writers use. The record also
// carries the per-picture naming state that PrepareImageNames moves on from picture to picture.
#pragma once

#include <string>
#include <vector>

#include "SettingsSnapshot.h"
#include "ThumbSaveParams.h"

// What a build is started from: the settings as the window's controls hold them, plus the few
// control states that are not stored settings.
struct TBuildInputs {
  TSettingsSnapshot Settings;
  std::string ResultFolderText;          // text of EditResultFolder: the result folder path
  std::string ThumbsFolderPrefixText;    // text of EditThumbsFolderPrefix
  std::string ButtonsFolderPrefixText;   // text of EditButtonsFolderPrefix
  bool ClearThumbsFolderEnabled = true;  // whether CheckBoxClearThumbsFolder is enabled
  std::vector<std::string> Images;       // the image list, in gallery order
};

struct TBuildParameters {
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
  std::string IndexPlace;
  std::string ImagePlace;
  std::string DescrPlace;
  std::string ButtonsPlace;
  int IndexType = 0;  // -1 none, 0 numbered, 1 bulleted, 2 list in a table, 3 thumbnails
  int TableWidth = 0;
  int TableBorderWidth = 0;
  int CellSpacing = 0;
  int CellPadding = 0;
  std::string TableBorderColor;
  std::string TableBackColor;
  bool ShowTableHeaders = false;
  bool ShowDescriptions = false;
  bool ShowFileSizes = false;
  int FileSizes = 0;  // -1 none (written as bytes), 0 bytes, 1 kilobytes, 2 megabytes
  int LinkColumnWidth = 0;
  int DescrColumnWidth = 0;
  int SizeColumnWidth = 0;
  int ThumbXCount = 0;
  int ThumbXSize = 0;
  int ThumbYSize = 0;
  int ThumbBorderWidth = 0;
  bool DescrAsThumbAlt = false;
  bool CreateThumbs = false;
  int ThumbsFormat = 0;           // 0 GIF, 1 JPEG, 2 BMP
  int ThumbPrefixSuffixType = 0;  // 0 prefix, 1 suffix
  std::string ThumbPrefixSuffix;
  int ImageType = 0;  // 0 picture as file, 1 picture in an HTML page
  int HtmlNames = 0;  // 0 pages named after the pictures, 1 numbered pages
  std::string PageExtension;
  std::string PageBaseName;
  std::string FirstPageFile;
  std::string LastPageFile;
  std::string AltFirst;
  std::string AltPrev;
  std::string AltNext;
  std::string AltLast;
  std::string AltIndex;
  bool ImageClickEqualNext = false;
  TThumbSaveParams ThumbSaveParams;

  // How numbered pages are named: page i is PageNumberPrefix + the number PageNumberStart + i
  // padded with "0" to PageNumberWidth + PageExtension; page 0 keeps FirstPageFile.
  std::string PageNumberPrefix;
  long long PageNumberStart = 1;
  int PageNumberWidth = 1;

  // The user's decimal separator, for sizes in megabytes.
  std::string DecimalSeparator = ".";

  // Per-picture naming state, set by PrepareImageNames for the current picture.
  std::string ImageLink;  // index link target: the page file name, or the picture file name
  std::string PrevPageFile;
  std::string NextPageFile;
  std::string ThumbFileName;
};

// Derives the build parameters from the inputs. Spin edit values are clamped to their limits
// (TableWidth 0..100, TableBorderWidth, CellSpacing, CellPadding, ThumbBorderWidth 0..10,
// ThumbXCount 1..10); ThumbXSize and ThumbYSize are read from their texts by the program's
// integer syntax, a text that is not an integer counts as 0 (the lower limit) and a number out of
// 0..200 is clamped. A thumbs format or index kind out of range is taken as JPEG / no index.
// REQUIRES: inputs.Images is not empty.
TBuildParameters CollectBuildParameters(const TBuildInputs& inputs);

// The name without extension of numbered page i (0 = the first page's).
std::string SerialPageBaseName(const TBuildParameters& params, long long i);

// The file name of numbered page i (0 = FirstPageFile).
std::string SerialPageFile(const TBuildParameters& params, long long i);
