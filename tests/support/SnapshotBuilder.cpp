#include "SnapshotBuilder.h"

namespace zetgallery {

TSnapshotBuilder::TSnapshotBuilder() {
  TSettingsSnapshot& s = snapshot_;
  s.ImagesFolder = "";
  s.ResultFolder = -1;
  s.ClearResultFolder = false;
  s.ThumbsFolder = "thumbs";
  s.ClearThumbsFolder = false;
  s.ButtonsFolder = "buttons";
  s.CopyButtonsFromTemplate = false;
  s.ImagesMask = "*.jpg";
  s.HtmlNames = 1;
  s.HtmlFirstImageFile = "picture_01.htm";
  s.IndexFile = "index.htm";
  s.Descriptions = -1;
  s.IndexTemplate = "IndexTemplate.htm";
  s.IndexPlace = "~~~INDEX~~~";
  s.IndexType = -1;
  s.TableWidth = 100;
  s.TableBorderWidth = 1;
  s.CellSpacing = 0;
  s.CellPadding = 3;
  s.TableBorderColor = "#000000";
  s.TableBackColor = "#FFFFFF";
  s.ShowTableHeaders = false;
  s.ShowDescriptions = false;
  s.ShowFileSizes = false;
  s.FileSizes = -1;
  s.ThumbXCount = 5;
  s.ThumbXSize = "120";
  s.ThumbYSize = "120";
  s.ThumbBorderWidth = 1;
  s.ThumbBorderColor = "#000000";
  s.DescrAsThumbAlt = false;
  s.CreateThumbs = false;
  s.ThumbsFormat = -1;
  s.ThumbPrefixSuffixType = 1;
  s.ThumbPrefixSuffix = "_";
  s.ImageType = 1;
  s.ImageTemplate = "ImageTemplate.htm";
  s.ImagePlace = "~~~IMAGE~~~";
  s.DescrPlace = "~~~DESCR~~~";
  s.ButtonsPlace = "~~~BUTTONS~~~";
  s.ButtonImageFirst = "";
  s.ButtonImagePrev = "";
  s.ButtonImageNext = "";
  s.ButtonImageLast = "";
  s.ButtonImageIndex = "";
  s.AltFirst = "Первая...";
  s.AltPrev = "Назад...";
  s.AltNext = "Далее...";
  s.AltLast = "В конец...";
  s.AltIndex = "Индекс";
  s.ImageClickEqualNext = true;
  s.PictureFacts = false;
  s.ImageOrder = -1;
  s.ImageOrderDescending = false;
  s.DisplayCopies = false;
  s.DisplaySize = 1600;
  s.DisplayQuality = 85;
  s.DisplayFolder = "display";
  s.SubAlbums = false;
  s.OriginalsArchive = false;
  s.ArchiveName = "pictures.zip";
}

TSnapshotBuilder& TSnapshotBuilder::FirstStart(const std::string& imagesFolder,
                                               const std::string& templatesFolder) {
  // What the first start changes; the other values stay as the layout has them.
  TSettingsSnapshot& s = snapshot_;
  s.ImagesFolder = imagesFolder;
  s.ResultFolder = 0;
  s.ClearResultFolder = true;
  s.ClearThumbsFolder = true;
  s.CopyButtonsFromTemplate = true;
  s.HtmlNames = 0;
  s.HtmlFirstImageFile = "01.htm";
  s.Descriptions = 2;
  s.IndexTemplate = templatesFolder + "IndexTemplate.htm";
  s.IndexType = 3;
  s.ShowTableHeaders = true;
  s.ShowDescriptions = true;
  s.ShowFileSizes = true;
  s.FileSizes = 1;
  s.DescrAsThumbAlt = true;
  s.CreateThumbs = true;
  s.ThumbsFormat = 1;
  s.ThumbPrefixSuffixType = 0;
  s.ImageType = 0;
  s.ImageTemplate = templatesFolder + "ImageTemplate.htm";
  s.ButtonImageFirst = templatesFolder + "amber_first.gif";
  s.ButtonImagePrev = templatesFolder + "amber_prev.gif";
  s.ButtonImageNext = templatesFolder + "amber_next.gif";
  s.ButtonImageLast = templatesFolder + "amber_last.gif";
  s.ButtonImageIndex = templatesFolder + "amber_index.gif";
  s.AltFirst = "<<-- First";
  s.AltPrev = "<-- Prev";
  s.AltNext = "Next -->";
  s.AltLast = "Last -->>";
  s.AltIndex = "Index";
  s.ImageOrder = 0;
  return *this;
}

}  // namespace zetgallery
