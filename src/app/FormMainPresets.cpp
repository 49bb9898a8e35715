// Presets from the window: reading the controls into stored settings, applying loaded values
// to the controls through their normal setters, and the preset combo box with its save button
// and menu.
#include "DesktopServices.h"
#include "FormMain.h"
#include "FormSettingsTarget.h"
#include "QtUserInterface.h"
#include "SettingsStore.h"

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

// A radio pair is stored as 0 when its first button is checked, else 1.
int RadioPairValue(const QRadioButton* first) { return first->isChecked() ? 0 : 1; }

}  // namespace

TSettingsStore& TFormMain::Store() {
  if (!store_) {
    settingsTarget_ = std::make_unique<TFormSettingsTarget>(*this);
    store_ =
        std::make_unique<TSettingsStore>(OpenSettingsDatabase(*userInterface_), *userInterface_);
  }
  return *store_;
}

TSettingsSnapshot TFormMain::ReadSnapshot() const {
  TSettingsSnapshot s;
  s.ImagesFolder = Utf8(EditImagesFolder->text());
  s.ResultFolder = EditResultFolder->currentIndex();
  s.ClearResultFolder = CheckBoxClearResultFolder->isChecked();
  s.ThumbsFolder = Utf8(EditThumbsFolder->text());
  s.ClearThumbsFolder = CheckBoxClearThumbsFolder->isChecked();
  s.ButtonsFolder = Utf8(EditButtonsFolder->text());
  s.CopyButtonsFromTemplate = CheckBoxCopyButtonsFromTemplate->isChecked();
  s.ImagesMask = Utf8(EditImagesMask->text());
  s.HtmlNames = RadioPairValue(RadioButtonHtmlAsImageName);
  s.HtmlFirstImageFile = Utf8(EditHtmlFirstImageFile->currentText());
  s.IndexFile = Utf8(EditIndexFile->text());
  s.Descriptions = ComboBoxDescrType->currentIndex();
  s.IndexTemplate = Utf8(EditIndexTemplate->text());
  s.IndexPlace = Utf8(EditIndexPlace->text());
  s.IndexType = ComboBoxIndexType->currentIndex();
  s.TableWidth = EditTableWidth->Value();
  s.TableBorderWidth = EditTableBorderWidth->Value();
  s.CellSpacing = EditCellSpacing->Value();
  s.CellPadding = EditCellPadding->Value();
  s.TableBorderColor = Utf8(EditTableBorderColor->text());
  s.TableBackColor = Utf8(EditTableBackColor->text());
  s.ShowTableHeaders = CheckBoxShowTableHeaders->isChecked();
  s.ShowDescriptions = CheckBoxShowDescriptions->isChecked();
  s.ShowFileSizes = CheckBoxShowFileSizes->isChecked();
  s.FileSizes = ComboBoxFileSizes->currentIndex();
  s.ThumbXCount = EditThumbXCount->Value();
  s.ThumbXSize = Utf8(EditThumbXSize->Text());
  s.ThumbYSize = Utf8(EditThumbYSize->Text());
  s.ThumbBorderWidth = EditThumbBorderWidth->Value();
  s.ThumbBorderColor = Utf8(EditThumbBorderColor->text());
  s.DescrAsThumbAlt = CheckBoxDescrAsThumbAlt->isChecked();
  s.CreateThumbs = CheckBoxCreateThumbs->isChecked();
  s.ThumbsFormat = ComboBoxThumbsFormat->currentIndex();
  s.ThumbPrefixSuffixType = RadioPairValue(RadioButtonThumbWithPrefix);
  s.ThumbPrefixSuffix = Utf8(EditThumbPrefixSuffix->text());
  s.ImageType = RadioPairValue(RadioButtonImageAsFile);
  s.ImageTemplate = Utf8(EditImageTemplate->text());
  s.ImagePlace = Utf8(EditImagePlace->text());
  s.DescrPlace = Utf8(EditDescrPlace->text());
  s.ButtonsPlace = Utf8(EditButtonsPlace->text());
  s.ButtonImageFirst = Utf8(EditButtonImageFirst->text());
  s.ButtonImagePrev = Utf8(EditButtonImagePrev->text());
  s.ButtonImageNext = Utf8(EditButtonImageNext->text());
  s.ButtonImageLast = Utf8(EditButtonImageLast->text());
  s.ButtonImageIndex = Utf8(EditButtonImageIndex->text());
  s.AltFirst = Utf8(EditAltFirst->text());
  s.AltPrev = Utf8(EditAltPrev->text());
  s.AltNext = Utf8(EditAltNext->text());
  s.AltLast = Utf8(EditAltLast->text());
  s.AltIndex = Utf8(EditAltIndex->text());
  s.ImageClickEqualNext = CheckBoxImageClickEqualNext->isChecked();
  return s;
}

void TFormMain::ConnectPresets() {
  // A pick with the mouse or the arrow keys; typing into the edit part picks nothing.
  connect(ComboBoxSettings, &QComboBox::activated, this, &TFormMain::ComboBoxSettingsClick);
  connect(ButtonSaveSettings, &QToolButton::clicked, this, &TFormMain::ButtonSaveSettingsClick);
}

void TFormMain::ComboBoxSettingsClick() {
  // A registry error ends the command with its message; the window goes on.
  try {
    LoadSettings(Utf8(ComboBoxSettings->currentText()));
  } catch (const TRegistryError& error) {
    desktop_.ShowStandardError(QString::fromUtf8(error.what()));
  }
}

void TFormMain::ButtonSaveSettingsClick() {
  try {
    SaveSettings(Utf8(ComboBoxSettings->currentText()));
  } catch (const TRegistryError& error) {
    desktop_.ShowStandardError(QString::fromUtf8(error.what()));
  }
}

void TFormMain::MenuSaveSettingsClick() { ButtonSaveSettingsClick(); }

void TFormMain::MenuDeleteSettingsClick() {
  try {
    DeleteSettings(Utf8(ComboBoxSettings->currentText()));
  } catch (const TRegistryError& error) {
    desktop_.ShowStandardError(QString::fromUtf8(error.what()));
  }
}

void TFormMain::RefreshSettingsList() { Store().RefreshSettingsList(settingsTarget_.get()); }

void TFormMain::LoadLastSettings() {
  TSettingsStore& store = Store();
  store.LoadLastSettings(*settingsTarget_, *settingsTarget_);
}

void TFormMain::LoadSettings(const std::string& name) {
  TSettingsStore& store = Store();
  store.LoadSettings(name, *settingsTarget_, settingsTarget_.get());
}

void TFormMain::SaveSettings(const std::string& name) {
  TSettingsStore& store = Store();
  store.SaveSettings(name, ReadSnapshot(), settingsTarget_.get());
}

void TFormMain::DeleteSettings(const std::string& name) {
  TSettingsStore& store = Store();
  store.DeleteSettings(name, settingsTarget_.get());
}
