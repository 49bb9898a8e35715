// Control interplay: the rules applied to the controls (the rules themselves are
// WindowRules.cpp), the rescan rules of the folder and mask edits, the result-folder list and the
// two prefix edits, the sub-folder key filter, the colour buttons, and the image list's commands.
#include <QApplication>

#include "FormMainParts.h"
#include "app/DesktopServices.h"
#include "app/FormMain.h"
#include "app/FormSettingsBinding.h"
#include "app/WindowRules.h"
#include "gallery/BuildParameters.h"
#include "gallery/ResultFolders.h"
#include "settings/SettingsTable.h"
#include "util/ZetFileUtils.h"
#include "util/ZetHexNums.h"
#include "util/ZetStrings.h"
#include "util/ZetWebUtils.h"

namespace zetgallery {

using namespace FormMainParts;

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

// Shows `state` on `control`: enabled or not, and a blank mandatory text on yellow, the others
// on the system's window colour.
void ShowState(QWidget& control, const TControlState& state) {
  if (state.Mandatory) {
    // An editable combo box shows its text in its own line edit.
    auto* combo = qobject_cast<QComboBox*>(&control);
    QWidget* edit = combo != nullptr && combo->isEditable() ? combo->lineEdit() : &control;
    QPalette palette = QApplication::palette(edit);
    if (state.Highlighted) palette.setColor(QPalette::Base, QColor(255, 255, 0));
    edit->setPalette(palette);
  }
  control.setEnabled(state.Enabled);
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
  for (const TControlState& state : EvaluateWindowRules({}).Controls)
    ruleControls_.push_back(Find<QWidget>(*this, std::string(state.Control).c_str()));
  // The controls whose change runs the rules; the description source is not one of them.
  for (const char* name :
       {"EditThumbsFolder", "EditButtonsFolder", "EditIndexFile", "EditArchiveName"})
    connect(Find<QLineEdit>(*this, name), &QLineEdit::textChanged, this,
            &TFormMain::EnableDisableControls);
  connect(Find<QComboBox>(*this, "EditHtmlFirstImageFile"), &QComboBox::editTextChanged, this,
          &TFormMain::EnableDisableControls);
  // A selection by the user; a settings load selects by index without this reaction.
  connect(Find<QComboBox>(*this, "ComboBoxIndexType"), &QComboBox::activated, this,
          [this](int kind) {
            // The grid brings its own default template in place of the default index template.
            auto* edit = Find<QLineEdit>(*this, "EditIndexTemplate");
            const std::string text = edit->text().toStdString();
            const std::string chosen = IndexTemplateForKind(kind, text, TemplatesFolder());
            if (chosen != text) edit->setText(QString::fromStdString(chosen));
            EnableDisableControls();
          });
  for (const char* name : {"CheckBoxShowFileSizes", "CheckBoxCreateThumbs", "CheckBoxDisplayCopies",
                           "CheckBoxSubAlbums", "CheckBoxOriginalsArchive"})
    connect(Find<QCheckBox>(*this, name), &QCheckBox::toggled, this,
            &TFormMain::EnableDisableControls);
  for (const char* name : {"RadioButtonImageAsFile", "RadioButtonImageAsHtml"}) {
    auto* radio = Find<TRadioButton>(*this, name);
    // A click on the checked button changes nothing but still runs the rules; a load that
    // checks a button runs them as a click would.
    connect(radio, &QAbstractButton::clicked, this, &TFormMain::EnableDisableControls);
    connect(radio, &QAbstractButton::toggled, this, [this](bool checked) {
      if (checked) EnableDisableControls();
    });
  }
}

void TFormMain::ConnectEdits() {
  connect(EditImagesFolder, &TZetEdit::Entered, this, &TFormMain::EditImagesFolderEnter);
  connect(EditImagesFolder, &QLineEdit::textChanged, this, &TFormMain::EditImagesFolderChange);
  connect(EditImagesFolder, &TZetEdit::Exited, this, &TFormMain::EditImagesFolderExit);
  connect(EditImagesFolder, &TZetEdit::KeyReleased, this, &TFormMain::EditImagesFolderKeyUp);
  connect(EditImagesFolder, &TFolderEdit::FolderChosen, this, &TFormMain::EditImagesFolderChosen);
  connect(EditImagesMask, &TZetEdit::Entered, this, &TFormMain::EditImagesMaskEnter);
  connect(EditImagesMask, &QLineEdit::textChanged, this, &TFormMain::EditImagesMaskChange);
  connect(EditImagesMask, &TZetEdit::Exited, this, &TFormMain::EditImagesMaskExit);
  connect(EditImagesMask, &TZetEdit::KeyReleased, this, &TFormMain::EditImagesMaskKeyUp);

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

  connect(Find<QToolButton>(*this, "ButtonTableBorderColor"), &QToolButton::clicked, this,
          &TFormMain::ButtonTableBorderColorClick);
  connect(Find<QToolButton>(*this, "ButtonTableBackColor"), &QToolButton::clicked, this,
          &TFormMain::ButtonTableBackColorClick);
  connect(Find<QToolButton>(*this, "ButtonThumbBorderColor"), &QToolButton::clicked, this,
          &TFormMain::ButtonThumbBorderColorClick);
  connect(ListBoxImages, &TSortedListBox::DoubleClicked, this, &TFormMain::ListBoxImagesDblClick);
  // The list shows the pictures in the order the build will use: a new order is a new scan.
  connect(Find<QComboBox>(*this, "ComboBoxImageOrder"), &QComboBox::activated, this,
          &TFormMain::ScanImages);
  connect(Find<QCheckBox>(*this, "CheckBoxImageOrderDescending"), &QCheckBox::clicked, this,
          &TFormMain::ScanImages);
}

void TFormMain::EnableDisableControls() {
  TWindowRuleInputs inputs{ReadSnapshot(), Utf8(EditResultFolder->currentText()),
                           ListBoxImages->count()};
  // The page controls follow "Картинка в HTML" itself: a snapshot reads a pair with neither
  // button checked as its second choice.
  inputs.Settings.ImageType = static_cast<int>(
      RadioButtonImageAsHtml->isChecked() ? TPictureMode::Page : TPictureMode::File);
  const TWindowState state = EvaluateWindowRules(inputs);
  for (size_t i = 0; i < ruleControls_.size(); ++i) ShowState(*ruleControls_[i], state.Controls[i]);
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
  if (!ImagesFolderChanged) return;
  ImagesFolderChanged = false;
  ScanImages();
}

void TFormMain::EditImagesFolderChosen() {
  // Scanned now; leaving the edit later has nothing new to scan.
  ImagesFolderChanged = false;
  ScanImages();
}

void TFormMain::EditImagesFolderKeyUp(int key, Qt::KeyboardModifiers modifiers) {
  if (EnterWithoutModifiers(key, modifiers)) ScanImages();
}

void TFormMain::EditImagesMaskEnter() { ImagesMaskChanged = false; }

void TFormMain::EditImagesMaskChange() { ImagesMaskChanged = true; }

void TFormMain::EditImagesMaskExit() {
  if (!ImagesMaskChanged) return;
  ImagesMaskChanged = false;
  ScanImages();
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
  Find<QLineEdit>(*this, "EditDisplayFolderPrefix")->setText(prefix);
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
