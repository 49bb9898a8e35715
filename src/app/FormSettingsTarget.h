// FormSettingsTarget: the window as the settings store sees it: the controls a load writes
// into, as the window bound them to the settings table, and the preset combo box. Every value
// goes through the control's normal setter, so the control's change reaction runs as it would
// for the user.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"
#include "settings/SettingsTarget.h"

namespace zetgallery {

class TFormMain;
class TSettingsBindings;
class TSortedComboBox;

class TFormSettingsTarget : public TSettingsTarget, public TPresetList {
 public:
  // All three must outlive the target; `presets` is the window's ComboBoxSettings.
  TFormSettingsTarget(TFormMain& form, const TSettingsBindings& bindings, TSortedComboBox& presets)
      : form_(form), bindings_(bindings), presets_(presets) {}

  // TSettingsTarget
  void ApplyText(const TSettingRow& row, const std::string& text) override;
  std::string ControlText(const TSettingRow& row) override;
  void ApplyFlag(const TSettingRow& row, bool checked) override;
  void ApplySpinValue(const TSettingRow& row, int value) override;
  void ApplyRadio(const TSettingRow& row, int which) override;
  int ItemCount(const TSettingRow& row) override;
  void SelectIndex(const TSettingRow& row, int index) override;
  void EditResultFolderChange() override;
  void ScanImages() override;

  // TPresetList over ComboBoxSettings; none of these runs the combo box's pick reaction.
  void SetEntries(const std::vector<std::string>& names) override;
  std::vector<std::string> Entries() const override;
  void SetText(const std::string& text) override;
  void SelectEntry(int index) override;

 private:
  TFormMain& form_;
  const TSettingsBindings& bindings_;
  TSortedComboBox& presets_;
};

}  // namespace zetgallery
