// Presets from the window: the controls read into stored settings, loaded values applied to
// the controls through their normal setters, and the preset combo box with its save button and
// menu.
#include "FormSettingsTarget.h"
#include "QtUserInterface.h"
#include "app/DesktopServices.h"
#include "app/FormMain.h"
#include "app/FormSettingsBinding.h"
#include "settings/SettingsStore.h"

namespace zetgallery {

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

TSettingsStore& TFormMain::Store() {
  if (!store_) {
    store_ =
        std::make_unique<TSettingsStore>(OpenSettingsDatabase(*userInterface_), *userInterface_);
  }
  return *store_;
}

TSettingsSnapshot TFormMain::ReadSnapshot() const { return bindings_->Read(); }

void TFormMain::ConnectPresets() {
  // A pick with the mouse or the arrow keys; typing into the edit part picks nothing.
  connect(ComboBoxSettings, &QComboBox::activated, this, &TFormMain::ComboBoxSettingsClick);
  connect(ButtonSaveSettings, &QToolButton::clicked, this, &TFormMain::ButtonSaveSettingsClick);
}

void TFormMain::ShowFailure(const TStatus& status) {
  if (!status.ok()) desktop_.ShowStandardError(QString::fromStdString(status.message()));
}

// A settings error ends the command with its message; the window goes on.
void TFormMain::ComboBoxSettingsClick() {
  ShowFailure(LoadSettings(Utf8(ComboBoxSettings->currentText())));
}

void TFormMain::ButtonSaveSettingsClick() {
  ShowFailure(SaveSettings(Utf8(ComboBoxSettings->currentText())));
}

void TFormMain::MenuSaveSettingsClick() { ButtonSaveSettingsClick(); }

void TFormMain::MenuDeleteSettingsClick() { DeleteSettings(Utf8(ComboBoxSettings->currentText())); }

void TFormMain::RefreshSettingsList() { Store().RefreshSettingsList(settingsTarget_.get()); }

TStatus TFormMain::LoadLastSettings() {
  TSettingsStore& store = Store();
  return store.LoadLastSettings(*settingsTarget_, *settingsTarget_);
}

TStatus TFormMain::LoadSettings(const std::string& name) {
  TSettingsStore& store = Store();
  return store.LoadSettings(name, *settingsTarget_, settingsTarget_.get());
}

TStatus TFormMain::SaveSettings(const std::string& name) {
  TSettingsStore& store = Store();
  return store.SaveSettings(name, ReadSnapshot(), settingsTarget_.get());
}

void TFormMain::DeleteSettings(const std::string& name) {
  TSettingsStore& store = Store();
  store.DeleteSettings(name, settingsTarget_.get());
}

}  // namespace zetgallery
