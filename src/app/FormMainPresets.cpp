// Presets from the window: the controls read into stored settings, loaded values applied to
// the controls through their normal setters, and the preset combo box with its save button and
// menu.
#include "FormSettingsTarget.h"
#include "QtUserInterface.h"
#include "app/DesktopServices.h"
#include "app/FormMain.h"
#include "app/FormSettingsBinding.h"
#include "settings/SettingsMessages.h"
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
  const std::string picked = Utf8(ComboBoxSettings->currentText());
  if (!SaveChangesFirst()) {
    ShowLoadedPreset();
    return;
  }
  ShowFailure(LoadSettings(picked));
}

void TFormMain::ButtonSaveSettingsClick() {
  ShowFailure(SaveSettings(Utf8(ComboBoxSettings->currentText())));
}

void TFormMain::MenuSaveSettingsClick() { ButtonSaveSettingsClick(); }

void TFormMain::MenuDeleteSettingsClick() {
  const std::string name = Utf8(ComboBoxSettings->currentText());
  // The untitled preset is refused by the store itself, without a question.
  const QString question =
      QString::fromUtf8(WindowTexts::kDeletePresetQuestion).arg(QString::fromStdString(name));
  if (!IsUntitledPresetName(name) && !desktop_.AskConfirmation(question)) return;
  DeleteSettings(name);
}

void TFormMain::RefreshSettingsList() { Store().RefreshSettingsList(settingsTarget_.get()); }

TStatus TFormMain::LoadLastSettings() {
  TSettingsStore& store = Store();
  return store.LoadLastSettings(*settingsTarget_, *settingsTarget_);
}

TStatus TFormMain::LoadSettings(const std::string& name) {
  TSettingsStore& store = Store();
  TStatus loaded = store.LoadSettings(name, *settingsTarget_, settingsTarget_.get());
  if (loaded.ok()) RememberLoaded(name);
  return loaded;
}

TStatus TFormMain::SaveSettings(const std::string& name) {
  TSettingsStore& store = Store();
  TStatus saved = store.SaveSettings(name, ReadSnapshot(), settingsTarget_.get());
  if (saved.ok()) RememberLoaded(name);
  return saved;
}

void TFormMain::RememberLoaded(const std::string& name) {
  loadedPreset_ = name;
  loadedValues_ = ReadSnapshot();
}

bool TFormMain::SaveChangesFirst() {
  if (!loadedValues_ || ReadSnapshot() == *loadedValues_) return true;
  const std::string shown = loadedPreset_.empty() ? kUntitledPresetName : loadedPreset_;
  const QString question =
      QString::fromUtf8(WindowTexts::kSaveChangesQuestion).arg(QString::fromStdString(shown));
  switch (desktop_.AskSaveChanges(question)) {
    case TDesktop::TSaveAnswer::Save:
      if (TStatus saved = SaveSettings(loadedPreset_); !saved.ok()) {
        ShowFailure(saved);
        return false;
      }
      return true;
    case TDesktop::TSaveAnswer::Discard:
      return true;
    case TDesktop::TSaveAnswer::Cancel:
      break;
  }
  return false;
}

void TFormMain::ShowLoadedPreset() {
  const std::string shown = loadedPreset_.empty() ? kUntitledPresetName : loadedPreset_;
  const int entry = FindPresetEntry(settingsTarget_->Entries(), shown);
  if (entry >= 0)
    settingsTarget_->SelectEntry(entry);
  else
    settingsTarget_->SetText(shown);
}

void TFormMain::DeleteSettings(const std::string& name) {
  TSettingsStore& store = Store();
  store.DeleteSettings(name, settingsTarget_.get());
}

}  // namespace zetgallery
