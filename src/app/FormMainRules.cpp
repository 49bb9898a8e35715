// Control interplay: the enable/disable rules and the yellow mandatory edits, the rescan rules of
// the folder and mask edits, the result-folder list and the two prefix edits, the sub-folder key
// filter, the colour buttons, and the image list's commands.
#include <QApplication>

#include "FormMainParts.h"
#include "app/DesktopServices.h"
#include "app/FormMain.h"
#include "app/FormSettingsBinding.h"
#include "gallery/ResultFolders.h"
#include "util/ZetFileUtils.h"
#include "util/ZetHexNums.h"
#include "util/ZetStrings.h"
#include "util/ZetWebUtils.h"

namespace zetgallery {

using namespace FormMainParts;

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

bool TrimmedEmpty(const QString& text) { return TrimControlAndBlanks(Utf8(text)).empty(); }

// Empty mandatory edits are yellow, the others keep the system's window colour.
void ShowMandatory(QWidget* edit, bool empty) {
  QPalette palette = QApplication::palette(edit);
  if (empty) palette.setColor(QPalette::Base, QColor(255, 255, 0));
  edit->setPalette(palette);
}

void EnableAll(std::initializer_list<QWidget*> controls, bool enabled) {
  for (QWidget* control : controls) control->setEnabled(enabled);
}

bool EnterWithoutModifiers(int key, Qt::KeyboardModifiers modifiers) {
  return (key == Qt::Key_Return || key == Qt::Key_Enter) &&
         !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

int SelectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.first());
}

}  // namespace

void TFormMain::ConnectRules() {
  connect(EditImagesFolder, &TZetEdit::Entered, this, &TFormMain::EditImagesFolderEnter);
  connect(EditImagesFolder, &QLineEdit::textChanged, this, &TFormMain::EditImagesFolderChange);
  connect(EditImagesFolder, &TZetEdit::Exited, this, &TFormMain::EditImagesFolderExit);
  connect(EditImagesFolder, &TZetEdit::KeyReleased, this, &TFormMain::EditImagesFolderKeyUp);
  connect(EditImagesMask, &TZetEdit::Entered, this, &TFormMain::EditImagesMaskEnter);
  connect(EditImagesMask, &QLineEdit::textChanged, this, &TFormMain::EditImagesMaskChange);
  connect(EditImagesMask, &TZetEdit::Exited, this, &TFormMain::EditImagesMaskExit);
  connect(EditImagesMask, &TZetEdit::KeyReleased, this, &TFormMain::EditImagesMaskKeyUp);

  for (QLineEdit* edit : {EditThumbsFolder, EditButtonsFolder, EditIndexFile})
    connect(edit, &QLineEdit::textChanged, this, &TFormMain::EnableDisableControls);
  connect(EditHtmlFirstImageFile, &QComboBox::editTextChanged, this,
          &TFormMain::EnableDisableControls);
  // A selection by the user; a settings load selects by index without this reaction.
  connect(ComboBoxIndexType, &QComboBox::activated, this, &TFormMain::EnableDisableControls);
  for (QCheckBox* check : {CheckBoxShowFileSizes, CheckBoxCreateThumbs})
    connect(check, &QCheckBox::toggled, this, &TFormMain::EnableDisableControls);
  for (TRadioButton* radio : {RadioButtonImageAsFile, RadioButtonImageAsHtml}) {
    // A click on the checked button changes nothing but still runs the rules; a load that
    // checks a button runs them as a click would.
    connect(radio, &QAbstractButton::clicked, this, &TFormMain::EnableDisableControls);
    connect(radio, &QAbstractButton::toggled, this, [this](bool checked) {
      if (checked) EnableDisableControls();
    });
  }

  connect(EditResultFolder, &TSortedComboBox::DroppingDown, this,
          &TFormMain::EditResultFolderDropDown);
  connect(EditResultFolder, &QComboBox::activated, this, &TFormMain::EditResultFolderChange);
  connect(PageControlMain, &QTabWidget::currentChanged, this, [this](int index) {
    if (PageControlMain->widget(index) == TabSheetFiles) TabSheetFilesShow();
  });

  // The folder name edits take only the characters a stored name may hold.
  for (const TSettingRow& row : kSettingsTable)
    if (row.Content == TTextContent::HtmlFolderName)
      bindings_->Of(row).Edit->installEventFilter(this);

  connect(ButtonTableBorderColor, &QToolButton::clicked, this,
          &TFormMain::ButtonTableBorderColorClick);
  connect(ButtonTableBackColor, &QToolButton::clicked, this, &TFormMain::ButtonTableBackColorClick);
  connect(ButtonThumbBorderColor, &QToolButton::clicked, this,
          &TFormMain::ButtonThumbBorderColorClick);
  connect(ListBoxImages, &TSortedListBox::DoubleClicked, this, &TFormMain::ListBoxImagesDblClick);
}

void TFormMain::EnableDisableControls() {
  for (QWidget* edit : std::initializer_list<QWidget*>{EditImagesFolder, EditThumbsFolder,
                                                       EditButtonsFolder, EditIndexFile}) {
    ShowMandatory(edit, TrimmedEmpty(static_cast<QLineEdit*>(edit)->text()));
  }
  ShowMandatory(EditHtmlFirstImageFile->lineEdit(),
                TrimmedEmpty(EditHtmlFirstImageFile->currentText()));

  const bool pages = RadioButtonImageAsHtml->isChecked();
  const int kind = ComboBoxIndexType->currentIndex();
  const bool described = ComboBoxDescrType->currentIndex() != 0;
  const bool table = kind == 2 || kind == 3;

  ButtonBuildGallery->setEnabled(
      !TrimmedEmpty(EditImagesFolder->text()) && !TrimmedEmpty(EditResultFolder->currentText()) &&
      !TrimmedEmpty(EditThumbsFolder->text()) && !TrimmedEmpty(EditButtonsFolder->text()) &&
      !TrimmedEmpty(EditIndexFile->text()) &&
      !TrimmedEmpty(EditHtmlFirstImageFile->currentText()) && ListBoxImages->count() > 0);

  GroupBoxHtmlNames->setEnabled(pages);
  EnableAll({RadioButtonHtmlAsImageName, RadioButtonHtmlSerialNumber, LabelHtmlFirstImageFile,
             EditHtmlFirstImageFile},
            pages);
  EnableAll({LabelImageTemplate, EditImageTemplate, LabelImagePlace, EditImagePlace}, pages);
  EnableAll({LabelDescrPlace, EditDescrPlace}, pages && described);
  EnableAll({LabelButtonsPlace, EditButtonsPlace}, pages);
  EnableAll({LabelButtonImages, LabelButtonAlts, LabelButtonImageFirst, LabelButtonImagePrev,
             LabelButtonImageNext, LabelButtonImageLast, LabelButtonImageIndex,
             EditButtonImageFirst, EditButtonImagePrev, EditButtonImageNext, EditButtonImageLast,
             EditButtonImageIndex, EditAltFirst, EditAltPrev, EditAltNext, EditAltLast,
             EditAltIndex, CheckBoxImageClickEqualNext},
            pages);
  EnableAll({LabelButtonsFolder, EditButtonsFolder, CheckBoxCopyButtonsFromTemplate}, pages);

  const bool thumbnails = kind == 3;
  GroupBoxThumbNames->setEnabled(thumbnails);
  EnableAll({CheckBoxCreateThumbs, RadioButtonThumbWithPrefix, RadioButtonThumbWithSuffix,
             EditThumbPrefixSuffix, LabelThumbsFormat, ComboBoxThumbsFormat, LabelThumbsFolder,
             EditThumbsFolder, CheckBoxClearThumbsFolder},
            thumbnails);
  GroupBoxThumbs->setEnabled(thumbnails);
  EnableAll({EditThumbXCount, LabelThumbXCount, LabelThumbXSize, EditThumbXSize, LabelThumbYSize,
             EditThumbYSize, LabelThumbBorderWidth, EditThumbBorderWidth, LabelThumbBorderColor,
             EditThumbBorderColor, ButtonThumbBorderColor, CheckBoxDescrAsThumbAlt},
            thumbnails);

  const bool list = table && kind == 2;
  GroupBoxIndexTable->setEnabled(table);
  EnableAll({EditTableWidth, LabelTableWidth}, list);
  CheckBoxShowTableHeaders->setEnabled(list);
  CheckBoxShowDescriptions->setEnabled(list && described);
  CheckBoxShowFileSizes->setEnabled(list);
  EnableAll({ComboBoxFileSizes, LabelFileSizes}, CheckBoxShowFileSizes->isChecked() && list);
  EnableAll(
      {LabelCellSpacing, EditCellSpacing, LabelCellPadding, EditCellPadding, LabelTableBorderWidth,
       EditTableBorderWidth, LabelTableBorderColor, EditTableBorderColor, ButtonTableBorderColor,
       LabelTableBackColor, EditTableBackColor, ButtonTableBackColor},
      table);
}

void TFormMain::EditImagesFolderEnter() { ImagesFolderChanged = false; }

void TFormMain::EditImagesFolderChange() {
  ImagesFolderChanged = true;
  ListBoxImages->clear();
  EnableDisableControls();
  EditResultFolderDropDown();
  EditResultFolderChange();
}

void TFormMain::EditImagesFolderExit() {
  if (ImagesFolderChanged) ScanImages();
}

void TFormMain::EditImagesFolderKeyUp(int key, Qt::KeyboardModifiers modifiers) {
  if (EnterWithoutModifiers(key, modifiers)) ScanImages();
}

void TFormMain::EditImagesMaskEnter() { ImagesMaskChanged = false; }

void TFormMain::EditImagesMaskChange() { ImagesMaskChanged = true; }

void TFormMain::EditImagesMaskExit() {
  if (ImagesMaskChanged) ScanImages();
}

void TFormMain::EditImagesMaskKeyUp(int key, Qt::KeyboardModifiers modifiers) {
  if (EnterWithoutModifiers(key, modifiers)) ScanImages();
}

void TFormMain::TabSheetFilesShow() {
  const bool scan = ScanOnFilesTabShow;
  ScanOnFilesTabShow = false;
  if (scan) ScanImages();
}

void TFormMain::EditResultFolderDropDown() {
  const std::vector<std::string> entries = ResultFolderEntries(Utf8(EditImagesFolder->text()));
  if (entries.empty()) return;  // a blank folder text: the list keeps what it had
  const int previous = EditResultFolder->currentIndex();
  const bool blocked = EditResultFolder->blockSignals(true);
  EditResultFolder->clear();
  // The entries come in list order (the parent first), which the stored index relies on.
  for (const std::string& entry : entries) EditResultFolder->addItem(QString::fromStdString(entry));
  EditResultFolder->setCurrentIndex(KeptResultFolderIndex(previous, entries));
  EditResultFolder->blockSignals(blocked);
}

void TFormMain::EditResultFolderChange() {
  const QString prefix =
      QString::fromStdString(EnsureTrailingBackslash(Utf8(EditResultFolder->currentText())));
  EditThumbsFolderPrefix->setText(prefix);
  EditButtonsFolderPrefix->setText(prefix);
}

bool TFormMain::IsHtmlFolderEdit(const QObject* watched) const {
  for (const TSettingRow& row : kSettingsTable)
    if (row.Content == TTextContent::HtmlFolderName && bindings_->Of(row).Edit == watched)
      return true;
  return false;
}

void TFormMain::RunColorButton(QLineEdit* edit, const QString& dialogName) {
  const TColor color = HtmlToColor(Utf8(edit->text()));
  const QStringList customColors{QStringLiteral("ColorA=") +
                                 QString::fromStdString(IntToHexStr(int32_t(color), 6))};
  const TColor result = desktop_.RunColorDialog(dialogName, customColors, color);
  // OK or Cancel, the text comes back in the one form the program writes colours in.
  edit->setText(QString::fromStdString(ColorToHtml(result)));
}

void TFormMain::ButtonTableBorderColorClick() {
  RunColorButton(EditTableBorderColor, QStringLiteral("ColorDialogTableBorder"));
}

void TFormMain::ButtonTableBackColorClick() {
  RunColorButton(EditTableBackColor, QStringLiteral("ColorDialogTableBack"));
}

void TFormMain::ButtonThumbBorderColorClick() {
  RunColorButton(EditThumbBorderColor, QStringLiteral("ColorDialogThumbBorder"));
}

void TFormMain::ListBoxImagesDblClick() {
  const int row = SelectedRow(ListBoxImages);
  if (row < 0) return;
  const std::string entry = Utf8(ListBoxImages->item(row)->text());
  const std::string path =
      EnsureTrailingBackslash(StripQuotes(Utf8(EditImagesFolder->text()))) + entry;
  if (!desktop_.OpenWithDefaultApplication(QString::fromStdString(path))) {
    desktop_.ShowError(Text("Ошибка запуска приложения, ассоциированного с расширением \"") +
                       QString::fromStdString(ExtractFileExt(StripQuotes(entry))) +
                       QStringLiteral("\"."));
  }
}

void TFormMain::PopupMenuImagesPopup() {
  if (SelectedRow(ListBoxImages) < 0 && ListBoxImages->count() > 0) ListBoxImages->setCurrentRow(0);
}

void TFormMain::MenuDescribeClick() {
  desktop_.ShowPlainMessage(Text("Извините. Будет реализовано в следующей версии."));
}

void TFormMain::MenuDeleteFromListClick() {
  const int row = SelectedRow(ListBoxImages);
  if (row >= 0) {
    delete ListBoxImages->takeItem(row);
    const int count = ListBoxImages->count();
    if (count > 0) ListBoxImages->setCurrentRow(row < count ? row : count - 1);
  }
  ShowImageCount();
}

void TFormMain::ButtonHelpClick() {
  desktop_.ShowPlainMessage(Text("Извините. Help-файл будет сделан в будущих версиях."));
}

}  // namespace zetgallery
