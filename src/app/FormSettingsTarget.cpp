// FormSettingsTarget: see the header.
#include "FormSettingsTarget.h"

#include <QSignalBlocker>

#include "app/FormMain.h"
#include "app/FormSettingsBinding.h"
#include "app/ZetWidgets.h"

namespace zetgallery {

namespace {
std::string Utf8(const QString& text) { return text.toStdString(); }
}  // namespace

void TFormSettingsTarget::ApplyText(const TSettingRow& row, const std::string& text) {
  const QString value = QString::fromStdString(text);
  const TBoundSetting& bound = bindings_.Of(row);
  // Each setter runs the control's change reaction when the text differs.
  if (bound.Spin != nullptr) {
    bound.Spin->SetText(value);
  } else if (bound.Combo != nullptr) {
    bound.Combo->setEditText(value);
  } else {
    bound.Edit->setText(value);
    // A long path shows its beginning, as it does when typed and left.
    if (!bound.Edit->hasFocus()) bound.Edit->setCursorPosition(0);
  }
}

std::string TFormSettingsTarget::ControlText(const TSettingRow& row) {
  const TBoundSetting& bound = bindings_.Of(row);
  if (bound.Spin != nullptr) return Utf8(bound.Spin->Text());
  if (bound.Combo != nullptr) return Utf8(bound.Combo->currentText());
  return Utf8(bound.Edit->text());
}

void TFormSettingsTarget::ApplyFlag(const TSettingRow& row, bool checked) {
  bindings_.Of(row).Check->setChecked(checked);
}

void TFormSettingsTarget::ApplySpinValue(const TSettingRow& row, int value) {
  bindings_.Of(row).Spin->SetValue(value);
}

void TFormSettingsTarget::ApplyRadio(const TSettingRow& row, int which) {
  const TBoundSetting& bound = bindings_.Of(row);
  (which == 0 ? bound.First : bound.Second)->setChecked(true);
}

int TFormSettingsTarget::ItemCount(const TSettingRow& row) {
  return bindings_.Of(row).Combo->count();
}

void TFormSettingsTarget::SelectIndex(const TSettingRow& row, int index) {
  // Selecting by index runs no reaction: only the user's own choices are connected.
  bindings_.Of(row).Combo->setCurrentIndex(index);
}

void TFormSettingsTarget::EditResultFolderChange() { form_.EditResultFolderChange(); }

void TFormSettingsTarget::ScanImages() { form_.ScanImages(); }

void TFormSettingsTarget::SetEntries(const std::vector<std::string>& names) {
  const QSignalBlocker quiet(presets_);
  const QString shown = presets_.currentText();
  presets_.clear();
  for (const std::string& name : names) presets_.addItem(QString::fromStdString(name));
  presets_.setCurrentIndex(-1);
  presets_.setEditText(shown);
}

std::vector<std::string> TFormSettingsTarget::Entries() const {
  std::vector<std::string> names;
  for (const QString& name : presets_.Entries()) names.push_back(Utf8(name));
  return names;
}

void TFormSettingsTarget::SetText(const std::string& text) {
  const QSignalBlocker quiet(presets_);
  presets_.setEditText(QString::fromStdString(text));
}

void TFormSettingsTarget::SelectEntry(int index) {
  const QSignalBlocker quiet(presets_);
  presets_.setCurrentIndex(index);
}

}  // namespace zetgallery
