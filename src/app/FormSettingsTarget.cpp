// FormSettingsTarget: see the header.
#include "FormSettingsTarget.h"

#include <QSignalBlocker>

#include "FormMain.h"

namespace {
std::string Utf8(const QString& text) { return text.toStdString(); }
}  // namespace

QWidget* TFormSettingsTarget::Control(const char* name) const {
  return name != nullptr ? form_.findChild<QWidget*>(QString::fromLatin1(name)) : nullptr;
}

void TFormSettingsTarget::ApplyText(const TSettingRow& row, const std::string& text) {
  const QString value = QString::fromStdString(text);
  QWidget* control = Control(row.ControlName);
  // Each setter runs the control's change reaction when the text differs.
  if (auto* spin = qobject_cast<TSpinEdit*>(control))
    spin->SetText(value);
  else if (auto* combo = qobject_cast<QComboBox*>(control))
    combo->setEditText(value);
  else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(value);
    // A long path shows its beginning, as it does when typed and left.
    if (!edit->hasFocus()) edit->setCursorPosition(0);
  }
}

std::string TFormSettingsTarget::ControlText(const TSettingRow& row) {
  QWidget* control = Control(row.ControlName);
  if (auto* spin = qobject_cast<TSpinEdit*>(control)) return Utf8(spin->Text());
  if (auto* combo = qobject_cast<QComboBox*>(control)) return Utf8(combo->currentText());
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return Utf8(edit->text());
  return std::string();
}

void TFormSettingsTarget::ApplyFlag(const TSettingRow& row, bool checked) {
  if (auto* check = qobject_cast<QCheckBox*>(Control(row.ControlName))) check->setChecked(checked);
}

void TFormSettingsTarget::ApplySpinValue(const TSettingRow& row, int value) {
  if (auto* spin = qobject_cast<TSpinEdit*>(Control(row.ControlName))) spin->SetValue(value);
}

void TFormSettingsTarget::ApplyRadio(const TSettingRow& row, int which) {
  const char* name = which == 0 ? row.ControlName : row.SecondControlName;
  if (auto* radio = qobject_cast<QRadioButton*>(Control(name))) radio->setChecked(true);
}

int TFormSettingsTarget::ItemCount(const TSettingRow& row) {
  auto* combo = qobject_cast<QComboBox*>(Control(row.ControlName));
  return combo != nullptr ? combo->count() : 0;
}

void TFormSettingsTarget::SelectIndex(const TSettingRow& row, int index) {
  // Selecting by index runs no reaction: only the user's own choices are connected.
  if (auto* combo = qobject_cast<QComboBox*>(Control(row.ControlName)))
    combo->setCurrentIndex(index);
}

void TFormSettingsTarget::EditResultFolderChange() { form_.EditResultFolderChange(); }

void TFormSettingsTarget::ScanImages() { form_.ScanImages(); }

void TFormSettingsTarget::SetEntries(const std::vector<std::string>& names) {
  TSortedComboBox* box = form_.ComboBoxSettings;
  const QSignalBlocker quiet(box);
  const QString shown = box->currentText();
  box->clear();
  for (const std::string& name : names) box->addItem(QString::fromStdString(name));
  box->setCurrentIndex(-1);
  box->setEditText(shown);
}

std::vector<std::string> TFormSettingsTarget::Entries() const {
  std::vector<std::string> names;
  for (const QString& name : form_.ComboBoxSettings->Entries()) names.push_back(Utf8(name));
  return names;
}

void TFormSettingsTarget::SetText(const std::string& text) {
  const QSignalBlocker quiet(form_.ComboBoxSettings);
  form_.ComboBoxSettings->setEditText(QString::fromStdString(text));
}

void TFormSettingsTarget::SelectEntry(int index) {
  const QSignalBlocker quiet(form_.ComboBoxSettings);
  form_.ComboBoxSettings->setCurrentIndex(index);
}
