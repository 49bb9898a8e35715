// WindowRules: see the header. The rules are one table: each governed control, the condition
// under which it is enabled, and the setting whose text it must not leave blank.
#include "app/WindowRules.h"

#include "catalogue/ImageDescriptions.h"
#include "gallery/BuildParameters.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

// When a control is enabled.
enum class TEnabledWhen {
  Always,
  BuildReady,          // every mandatory text, a result folder and at least one picture (or
                       // sub-albums, whose pictures the list does not show)
  PicturePages,        // every picture gets a page of its own
  DescribedPages,      // ... and the pictures have descriptions
  TableIndex,          // the index is a table: a list in a table, or thumbnails
  TableList,           // the index is a list in a table
  DescribedTableList,  // ... and the pictures have descriptions
  TableListWithSizes,  // ... that shows the file sizes
  Thumbnails,          // the index shows thumbnails: in a table or in a grid
  ThumbnailTable,      // the index shows thumbnails in a table
  DisplayCopies,       // picture pages that show display copies
  Archive,             // the build writes a zip of the pictures
};

struct TControlRule {
  const char* Control;
  TEnabledWhen EnabledWhen;
  // The setting whose text the control holds when the build needs that text, else null.
  std::string TSettingsSnapshot::*MandatoryText = nullptr;
};

using S = TSettingsSnapshot;
using W = TEnabledWhen;

// In the order the window applies them, which is also the order the focus leaves a control
// that is disabled under it.
const TControlRule kControlRules[] = {
    {"EditImagesFolder", W::Always, &S::ImagesFolder},
    {"EditIndexFile", W::Always, &S::IndexFile},
    {"ButtonBuildGallery", W::BuildReady},
    // The picture tab and the buttons folder: pages only.
    {"GroupBoxHtmlNames", W::PicturePages},
    {"RadioButtonHtmlAsImageName", W::PicturePages},
    {"RadioButtonHtmlSerialNumber", W::PicturePages},
    {"LabelHtmlFirstImageFile", W::PicturePages},
    {"EditHtmlFirstImageFile", W::PicturePages, &S::HtmlFirstImageFile},
    {"LabelImageTemplate", W::PicturePages},
    {"EditImageTemplate", W::PicturePages},
    {"LabelImagePlace", W::PicturePages},
    {"EditImagePlace", W::PicturePages},
    {"LabelDescrPlace", W::DescribedPages},
    {"EditDescrPlace", W::DescribedPages},
    {"LabelButtonsPlace", W::PicturePages},
    {"EditButtonsPlace", W::PicturePages},
    {"CheckBoxPictureFacts", W::PicturePages},
    {"LabelButtonImages", W::PicturePages},
    {"LabelButtonAlts", W::PicturePages},
    {"LabelButtonImageFirst", W::PicturePages},
    {"LabelButtonImagePrev", W::PicturePages},
    {"LabelButtonImageNext", W::PicturePages},
    {"LabelButtonImageLast", W::PicturePages},
    {"LabelButtonImageIndex", W::PicturePages},
    {"EditButtonImageFirst", W::PicturePages},
    {"EditButtonImagePrev", W::PicturePages},
    {"EditButtonImageNext", W::PicturePages},
    {"EditButtonImageLast", W::PicturePages},
    {"EditButtonImageIndex", W::PicturePages},
    {"EditAltFirst", W::PicturePages},
    {"EditAltPrev", W::PicturePages},
    {"EditAltNext", W::PicturePages},
    {"EditAltLast", W::PicturePages},
    {"EditAltIndex", W::PicturePages},
    {"CheckBoxImageClickEqualNext", W::PicturePages},
    {"LabelButtonsFolder", W::PicturePages},
    {"EditButtonsFolder", W::PicturePages, &S::ButtonsFolder},
    {"CheckBoxCopyButtonsFromTemplate", W::PicturePages},
    // Display copies: pages only, their values only when they are made.
    {"CheckBoxDisplayCopies", W::PicturePages},
    {"LabelDisplaySize", W::DisplayCopies},
    {"EditDisplaySize", W::DisplayCopies},
    {"LabelDisplayQuality", W::DisplayCopies},
    {"EditDisplayQuality", W::DisplayCopies},
    {"LabelDisplayFolder", W::DisplayCopies},
    {"EditDisplayFolder", W::DisplayCopies, &S::DisplayFolder},
    {"EditArchiveName", W::Archive, &S::ArchiveName},
    // The thumbnail groups and the thumbnails folder; the grid has no rows, borders or optional
    // alt texts.
    {"GroupBoxThumbNames", W::Thumbnails},
    {"CheckBoxCreateThumbs", W::Thumbnails},
    {"RadioButtonThumbWithPrefix", W::Thumbnails},
    {"RadioButtonThumbWithSuffix", W::Thumbnails},
    {"EditThumbPrefixSuffix", W::Thumbnails},
    {"LabelThumbsFormat", W::Thumbnails},
    {"ComboBoxThumbsFormat", W::Thumbnails},
    {"LabelThumbsFolder", W::Thumbnails},
    {"EditThumbsFolder", W::Thumbnails, &S::ThumbsFolder},
    {"CheckBoxClearThumbsFolder", W::Thumbnails},
    {"GroupBoxThumbs", W::Thumbnails},
    {"EditThumbXCount", W::ThumbnailTable},
    {"LabelThumbXCount", W::ThumbnailTable},
    {"LabelThumbXSize", W::Thumbnails},
    {"EditThumbXSize", W::Thumbnails},
    {"LabelThumbYSize", W::Thumbnails},
    {"EditThumbYSize", W::Thumbnails},
    {"LabelThumbBorderWidth", W::ThumbnailTable},
    {"EditThumbBorderWidth", W::ThumbnailTable},
    {"LabelThumbBorderColor", W::ThumbnailTable},
    {"EditThumbBorderColor", W::ThumbnailTable},
    {"ButtonThumbBorderColor", W::ThumbnailTable},
    {"CheckBoxDescrAsThumbAlt", W::ThumbnailTable},
    // The table group.
    {"GroupBoxIndexTable", W::TableIndex},
    {"EditTableWidth", W::TableList},
    {"LabelTableWidth", W::TableList},
    {"CheckBoxShowTableHeaders", W::TableList},
    {"CheckBoxShowDescriptions", W::DescribedTableList},
    {"CheckBoxShowFileSizes", W::TableList},
    {"ComboBoxFileSizes", W::TableListWithSizes},
    {"LabelFileSizes", W::TableListWithSizes},
    {"LabelCellSpacing", W::TableIndex},
    {"EditCellSpacing", W::TableIndex},
    {"LabelCellPadding", W::TableIndex},
    {"EditCellPadding", W::TableIndex},
    {"LabelTableBorderWidth", W::TableIndex},
    {"EditTableBorderWidth", W::TableIndex},
    {"LabelTableBorderColor", W::TableIndex},
    {"EditTableBorderColor", W::TableIndex},
    {"ButtonTableBorderColor", W::TableIndex},
    {"LabelTableBackColor", W::TableIndex},
    {"EditTableBackColor", W::TableIndex},
    {"ButtonTableBackColor", W::TableIndex},
};

bool Blank(const std::string& text) { return TrimControlAndBlanks(text).empty(); }

bool BuildReady(const TWindowRuleInputs& inputs) {
  for (const TControlRule& rule : kControlRules)
    if (rule.MandatoryText != nullptr && Blank(inputs.Settings.*rule.MandatoryText)) return false;
  return !Blank(inputs.ResultFolderText) && (inputs.ImageCount > 0 || inputs.Settings.SubAlbums);
}

bool Holds(TEnabledWhen when, const TWindowRuleInputs& inputs) {
  const TSettingsSnapshot& s = inputs.Settings;
  const auto kind = static_cast<TIndexKind>(s.IndexType);
  const bool pages = s.ImageType == static_cast<int>(TPictureMode::Page);
  // Nothing selected counts as described: only "none" turns the descriptions off.
  const bool described = s.Descriptions != static_cast<int>(TDescriptionSource::None);
  const bool list = kind == TIndexKind::TableList;
  switch (when) {
    case W::Always:
      return true;
    case W::BuildReady:
      return BuildReady(inputs);
    case W::PicturePages:
      return pages;
    case W::DescribedPages:
      return pages && described;
    case W::TableIndex:
      return list || kind == TIndexKind::Thumbnails;
    case W::TableList:
      return list;
    case W::DescribedTableList:
      return list && described;
    case W::TableListWithSizes:
      return list && s.ShowFileSizes;
    case W::Thumbnails:
      return kind == TIndexKind::Thumbnails || kind == TIndexKind::Grid;
    case W::ThumbnailTable:
      return kind == TIndexKind::Thumbnails;
    case W::DisplayCopies:
      return pages && s.DisplayCopies;
    case W::Archive:
      return s.OriginalsArchive;
  }
  return true;
}

}  // namespace

const TControlState* TWindowState::Find(std::string_view control) const {
  for (const TControlState& state : Controls)
    if (state.Control == control) return &state;
  return nullptr;
}

TWindowState EvaluateWindowRules(const TWindowRuleInputs& inputs) {
  TWindowState state;
  state.Controls.reserve(std::size(kControlRules));
  for (const TControlRule& rule : kControlRules) {
    const bool mandatory = rule.MandatoryText != nullptr;
    state.Controls.push_back({rule.Control, Holds(rule.EnabledWhen, inputs), mandatory,
                              mandatory && Blank(inputs.Settings.*rule.MandatoryText)});
  }
  return state;
}

std::string IndexTemplateForKind(int indexKind, const std::string& templateText,
                                 const std::string& templatesFolder) {
  const std::string path = StripQuotes(templateText);
  const std::string table = templatesFolder + kDefaultIndexTemplate;
  const std::string grid = templatesFolder + kDefaultGridTemplate;
  const bool toGrid = indexKind == static_cast<int>(TIndexKind::Grid);
  std::string chosen;
  if (toGrid && path == table) chosen = grid;
  if (!toGrid && path == grid) chosen = table;
  if (chosen.empty()) return templateText;
  // A path chosen through the file dialog stands in quotes when it holds a blank.
  return templateText.starts_with('"') ? '"' + chosen + '"' : chosen;
}

}  // namespace zetgallery
