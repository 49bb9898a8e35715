#include "FirstStartSettings.h"

namespace zetgallery {

TSettingsSnapshot FirstStartSettings(const std::string& imagesFolder,
                                     const std::string& templatesFolder) {
  TSettingsSnapshot s;
  s.ImagesFolder = imagesFolder;
  s.ResultFolder = 0;
  s.ClearResultFolder = true;
  s.ThumbsFolder = "thumbs";
  s.ClearThumbsFolder = true;
  s.ButtonsFolder = "buttons";
  s.CopyButtonsFromTemplate = true;
  s.ImagesMask = "*.jpg";
  s.HtmlNames = 0;
  s.HtmlFirstImageFile = "01.htm";
  s.IndexFile = "index.htm";
  s.Descriptions = 2;
  s.IndexTemplate = templatesFolder + "IndexTemplate.htm";
  s.IndexPlace = "~~~INDEX~~~";
  s.IndexType = 3;
  s.TableWidth = 100;
  s.TableBorderWidth = 1;
  s.CellSpacing = 0;
  s.CellPadding = 3;
  s.TableBorderColor = "#000000";
  s.TableBackColor = "#FFFFFF";
  s.ShowTableHeaders = true;
  s.ShowDescriptions = true;
  s.ShowFileSizes = true;
  s.FileSizes = 1;
  s.ThumbXCount = 5;
  s.ThumbXSize = "120";
  s.ThumbYSize = "120";
  s.ThumbBorderWidth = 1;
  s.ThumbBorderColor = "#000000";
  s.DescrAsThumbAlt = true;
  s.CreateThumbs = true;
  s.ThumbsFormat = 1;
  s.ThumbPrefixSuffixType = 0;
  s.ThumbPrefixSuffix = "_";
  s.ImageType = 0;
  s.ImageTemplate = templatesFolder + "ImageTemplate.htm";
  s.ImagePlace = "~~~IMAGE~~~";
  s.DescrPlace = "~~~DESCR~~~";
  s.ButtonsPlace = "~~~BUTTONS~~~";
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
  s.ImageClickEqualNext = true;
  return s;
}

}  // namespace zetgallery
