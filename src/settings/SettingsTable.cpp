#include "settings/SettingsTable.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QString>
#include <filesystem>
#include <system_error>

#include "util/ZetAlphaNums.h"
#include "util/ZetPlatform.h"

namespace zetgallery {

namespace {

using S = TSettingsSnapshot;

// The fields every row has; the helpers below fill in what their kind of control needs.
constexpr TSettingRow Row(const char* name, TSettingKind kind, TControlKind control,
                          const char* controlName) {
  TSettingRow row{};
  row.Name = name;
  row.Kind = kind;
  row.Control = control;
  row.ControlName = controlName;
  row.Rule = TBlankRule::None;
  row.Content = TTextContent::Any;
  row.DefaultSource = TDefaultSource::Literal;
  row.DesignText = "";
  row.DesignNumber = -1;
  return row;
}

constexpr TSettingRow TextRow(const char* name, const char* control, TBlankRule rule,
                              TDefaultSource source, const char* defaultText,
                              const char* designText, std::string S::*field) {
  TSettingRow row = Row(name, TSettingKind::Text, TControlKind::Edit, control);
  row.Rule = rule;
  row.DefaultSource = source;
  row.DefaultText = defaultText;
  row.DesignText = designText;
  row.Text = field;
  return row;
}

constexpr TSettingRow Text(const char* name, const char* control, TBlankRule rule,
                           const char* defaultText, const char* designText, std::string S::*field) {
  return TextRow(name, control, rule, TDefaultSource::Literal, defaultText, designText, field);
}

// The thumbnails and buttons folder names, whose edits take only a few characters.
constexpr TSettingRow FolderName(const char* name, const char* control, const char* defaultText,
                                 std::string S::*field) {
  TSettingRow row = Text(name, control, TBlankRule::T, defaultText, defaultText, field);
  row.Content = TTextContent::HtmlFolderName;
  return row;
}

// A file name of the result folder, refused when it would lead out of it.
constexpr TSettingRow FileName(const char* name, const char* control, const char* defaultText,
                               std::string S::*field) {
  TSettingRow row = Text(name, control, TBlankRule::T, defaultText, defaultText, field);
  row.Content = TTextContent::PlainFileName;
  return row;
}

constexpr TSettingRow Template(const char* name, const char* control, TBlankRule rule,
                               const char* fileName, const char* designText,
                               std::string S::*field) {
  return TextRow(name, control, rule, TDefaultSource::TemplatesFolder, fileName, designText, field);
}

// A drop-down list has no entry selected until a load selects one.
constexpr TSettingRow DropDown(const char* name, const char* control, int defaultIndex,
                               int itemCount, int S::*field) {
  TSettingRow row = Row(name, TSettingKind::Integer, TControlKind::DropDown, control);
  row.DefaultNumber = defaultIndex;
  row.ItemCount = itemCount;
  row.Number = field;
  return row;
}

// A spin edit shows its default already when the window is created.
constexpr TSettingRow Spin(const char* name, const char* control, int defaultValue, int min,
                           int max, int S::*field) {
  TSettingRow row = Row(name, TSettingKind::Integer, TControlKind::SpinEdit, control);
  row.DefaultNumber = defaultValue;
  row.DesignNumber = defaultValue;
  row.Min = min;
  row.Max = max;
  row.Number = field;
  return row;
}

// The thumbnail size spin edits (0..200), kept as text; 120 stands in for a text that is no
// number, and is what they show when the window is created.
constexpr TSettingRow TextSpin(const char* name, const char* control, std::string S::*field) {
  TSettingRow row = Row(name, TSettingKind::Integer, TControlKind::TextSpin, control);
  row.DefaultNumber = 120;
  row.DesignText = "120";
  row.Min = 0;
  row.Max = 200;
  row.Text = field;
  return row;
}

// Neither button of a pair is checked until a load checks one.
constexpr TSettingRow Radio(const char* name, const char* first, const char* second,
                            int S::*field) {
  TSettingRow row = Row(name, TSettingKind::Integer, TControlKind::RadioPair, first);
  row.SecondControlName = second;
  row.DefaultNumber = 0;
  row.Min = 0;
  row.Max = 1;
  row.Number = field;
  return row;
}

// Every check box starts checked when its value is absent; `designChecked` is how it stands
// when the window is created.
constexpr TSettingRow Check(const char* name, const char* control, bool designChecked,
                            bool S::*field) {
  TSettingRow row = Row(name, TSettingKind::Flag, TControlKind::CheckBox, control);
  row.DefaultNumber = 1;
  row.DesignNumber = designChecked ? 1 : 0;
  row.Min = 0;
  row.Max = 1;
  row.Check = field;
  return row;
}

// A check box added after the first release: off when its value is absent, so that a preset
// saved before it builds what it built then, and off when the window is created.
constexpr TSettingRow NewCheck(const char* name, const char* control, bool S::*field) {
  TSettingRow row = Check(name, control, false, field);
  row.DefaultNumber = 0;
  return row;
}

constexpr TBlankRule T = TBlankRule::T;
constexpr TBlankRule E = TBlankRule::E;
constexpr TBlankRule X = TBlankRule::X;

}  // namespace

constinit const std::array<TSettingRow, kSettingCount> kSettingsTable = {{
    TextRow("ImagesFolder", "EditImagesFolder", T, TDefaultSource::CurrentDirectory, "", "",
            &S::ImagesFolder),
    DropDown("ResultFolder", "EditResultFolder", 0, 0, &S::ResultFolder),
    Check("ClearResultFolder", "CheckBoxClearResultFolder", false, &S::ClearResultFolder),
    FolderName("ThumbsFolder", "EditThumbsFolder", "thumbs", &S::ThumbsFolder),
    Check("ClearThumbsFolder", "CheckBoxClearThumbsFolder", false, &S::ClearThumbsFolder),
    FolderName("ButtonsFolder", "EditButtonsFolder", "buttons", &S::ButtonsFolder),
    Check("CopyButtonsFromTemplate", "CheckBoxCopyButtonsFromTemplate", false,
          &S::CopyButtonsFromTemplate),
    Text("ImagesMask", "EditImagesMask", E, "*.jpg", "*.jpg", &S::ImagesMask),
    Radio("HtmlNames", "RadioButtonHtmlAsImageName", "RadioButtonHtmlSerialNumber", &S::HtmlNames),
    Text("HtmlFirstImageFile", "EditHtmlFirstImageFile", T, "01.htm", "picture_01.htm",
         &S::HtmlFirstImageFile),
    Text("IndexFile", "EditIndexFile", T, "index.htm", "index.htm", &S::IndexFile),
    DropDown("Descriptions", "ComboBoxDescrType", 2, 4, &S::Descriptions),
    Template("IndexTemplate", "EditIndexTemplate", E, "IndexTemplate.htm", "IndexTemplate.htm",
             &S::IndexTemplate),
    Text("IndexPlace", "EditIndexPlace", E, "~~~INDEX~~~", "~~~INDEX~~~", &S::IndexPlace),
    DropDown("IndexType", "ComboBoxIndexType", 3, 5, &S::IndexType),
    Spin("TableWidth", "EditTableWidth", 100, 0, 100, &S::TableWidth),
    Spin("TableBorderWidth", "EditTableBorderWidth", 1, 0, 10, &S::TableBorderWidth),
    Spin("CellSpacing", "EditCellSpacing", 0, 0, 10, &S::CellSpacing),
    Spin("CellPadding", "EditCellPadding", 3, 0, 10, &S::CellPadding),
    Text("TableBorderColor", "EditTableBorderColor", E, "#000000", "#000000", &S::TableBorderColor),
    Text("TableBackColor", "EditTableBackColor", X, "#FFFFFF", "#FFFFFF", &S::TableBackColor),
    Check("ShowTableHeaders", "CheckBoxShowTableHeaders", false, &S::ShowTableHeaders),
    Check("ShowDescriptions", "CheckBoxShowDescriptions", false, &S::ShowDescriptions),
    Check("ShowFileSizes", "CheckBoxShowFileSizes", false, &S::ShowFileSizes),
    DropDown("FileSizes", "ComboBoxFileSizes", 1, 3, &S::FileSizes),
    Spin("ThumbXCount", "EditThumbXCount", 5, 1, 10, &S::ThumbXCount),
    TextSpin("ThumbXSize", "EditThumbXSize", &S::ThumbXSize),
    TextSpin("ThumbYSize", "EditThumbYSize", &S::ThumbYSize),
    Spin("ThumbBorderWidth", "EditThumbBorderWidth", 1, 0, 10, &S::ThumbBorderWidth),
    Text("ThumbBorderColor", "EditThumbBorderColor", E, "#000000", "#000000", &S::ThumbBorderColor),
    Check("DescrAsThumbAlt", "CheckBoxDescrAsThumbAlt", false, &S::DescrAsThumbAlt),
    Check("CreateThumbs", "CheckBoxCreateThumbs", false, &S::CreateThumbs),
    DropDown("ThumbsFormat", "ComboBoxThumbsFormat", 1, 3, &S::ThumbsFormat),
    Radio("ThumbPrefixSuffixType", "RadioButtonThumbWithPrefix", "RadioButtonThumbWithSuffix",
          &S::ThumbPrefixSuffixType),
    Text("ThumbPrefixSuffix", "EditThumbPrefixSuffix", X, "_", "_", &S::ThumbPrefixSuffix),
    Radio("ImageType", "RadioButtonImageAsFile", "RadioButtonImageAsHtml", &S::ImageType),
    Template("ImageTemplate", "EditImageTemplate", E, "ImageTemplate.htm", "ImageTemplate.htm",
             &S::ImageTemplate),
    Text("ImagePlace", "EditImagePlace", E, "~~~IMAGE~~~", "~~~IMAGE~~~", &S::ImagePlace),
    Text("DescrPlace", "EditDescrPlace", E, "~~~DESCR~~~", "~~~DESCR~~~", &S::DescrPlace),
    Text("ButtonsPlace", "EditButtonsPlace", E, "~~~BUTTONS~~~", "~~~BUTTONS~~~", &S::ButtonsPlace),
    Template("ButtonImageFirst", "EditButtonImageFirst", X, "amber_first.gif", "",
             &S::ButtonImageFirst),
    Template("ButtonImagePrev", "EditButtonImagePrev", X, "amber_prev.gif", "",
             &S::ButtonImagePrev),
    Template("ButtonImageNext", "EditButtonImageNext", X, "amber_next.gif", "",
             &S::ButtonImageNext),
    Template("ButtonImageLast", "EditButtonImageLast", X, "amber_last.gif", "",
             &S::ButtonImageLast),
    Template("ButtonImageIndex", "EditButtonImageIndex", X, "amber_index.gif", "",
             &S::ButtonImageIndex),
    Text("AltFirst", "EditAltFirst", X, "<<-- First", "Первая...", &S::AltFirst),
    Text("AltPrev", "EditAltPrev", X, "<-- Prev", "Назад...", &S::AltPrev),
    Text("AltNext", "EditAltNext", X, "Next -->", "Далее...", &S::AltNext),
    Text("AltLast", "EditAltLast", X, "Last -->>", "В конец...", &S::AltLast),
    Text("AltIndex", "EditAltIndex", X, "Index", "Индекс", &S::AltIndex),
    Check("ImageClickEqualNext", "CheckBoxImageClickEqualNext", true, &S::ImageClickEqualNext),
    NewCheck("PictureFacts", "CheckBoxPictureFacts", &S::PictureFacts),
    DropDown("ImageOrder", "ComboBoxImageOrder", 0, 3, &S::ImageOrder),
    NewCheck("ImageOrderDescending", "CheckBoxImageOrderDescending", &S::ImageOrderDescending),
    NewCheck("DisplayCopies", "CheckBoxDisplayCopies", &S::DisplayCopies),
    Spin("DisplaySize", "EditDisplaySize", 1600, 200, 8192, &S::DisplaySize),
    Spin("DisplayQuality", "EditDisplayQuality", 85, 10, 100, &S::DisplayQuality),
    FolderName("DisplayFolder", "EditDisplayFolder", "display", &S::DisplayFolder),
    NewCheck("SubAlbums", "CheckBoxSubAlbums", &S::SubAlbums),
    NewCheck("OriginalsArchive", "CheckBoxOriginalsArchive", &S::OriginalsArchive),
    FileName("ArchiveName", "EditArchiveName", "pictures.zip", &S::ArchiveName),
}};

const TSettingRow* FindSettingRow(const std::string& name) {
  for (const TSettingRow& row : kSettingsTable)
    if (name == row.Name) return &row;
  return nullptr;
}

std::string DefaultTextOf(const TSettingRow& row) {
  switch (row.DefaultSource) {
    case TDefaultSource::CurrentDirectory: {
      std::error_code error;
      const std::filesystem::path current = std::filesystem::current_path(error);
      return error ? std::string() : current.string();
    }
    case TDefaultSource::TemplatesFolder:
      return TemplatesFolder() + row.DefaultText;
    case TDefaultSource::Literal:
      break;
  }
  return row.DefaultText ? row.DefaultText : "";
}

int TextSpinNumber(const TSettingRow& row, const std::string& text) {
  return StrToIntDef(text, row.DefaultNumber);
}

// The installed templates folder relative to the installed executable's folder; the build
// computes it from its install folders.
#ifndef ZETGALLERY_TEMPLATES_FROM_BINDIR
#define ZETGALLERY_TEMPLATES_FROM_BINDIR "../share/zetgallery/templates"
#endif

namespace {

std::string WithTrailingSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

}  // namespace

std::string ApplicationFolder() {
  if (QCoreApplication::instance() != nullptr)
    return WithTrailingSeparator(QCoreApplication::applicationDirPath().toStdString());
  // Without an application object (tests, early start-up) the system names the executable.
  const std::string executable = RunningExecutablePath();
  if (!executable.empty())
    return WithTrailingSeparator(std::filesystem::path(executable).parent_path().string());
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  return error ? std::string("./") : WithTrailingSeparator(current.string());
}

std::string TemplatesFolder() {
  const std::filesystem::path application(ApplicationFolder());
  const std::filesystem::path besideExecutable = application / "templates";
  if (IsFolder(besideExecutable)) return WithTrailingSeparator(besideExecutable.string());
  // Found from the executable's own folder, not from a prefix fixed at build time, so a copy
  // installed under DESTDIR or moved to another prefix still finds its own templates.
  const std::filesystem::path installed =
      (application / ZETGALLERY_TEMPLATES_FROM_BINDIR).lexically_normal();
  if (IsFolder(installed)) return WithTrailingSeparator(installed.string());
  const QString system = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                QStringLiteral("zetgallery/templates"),
                                                QStandardPaths::LocateDirectory);
  if (!system.isEmpty()) return WithTrailingSeparator(system.toStdString());
  return WithTrailingSeparator(besideExecutable.string());
}

}  // namespace zetgallery
