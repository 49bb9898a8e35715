#include "settings/SettingsStore.h"

#include <algorithm>
#include <cassert>

#include "settings/SettingValueRules.h"
#include "settings/SettingsTable.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

// Puts one row's stored value (or its default) into the target by the row's rules. A text its
// control would not hold is added to `refused`, and the control gets the default instead.
void LoadRow(TZetRegistry& registry, const TSettingRow& row, TSettingsTarget& target,
             TRefusedValues& refused) {
  switch (row.Control) {
    case TControlKind::Edit: {
      const bool exists = registry.ValueExists(row.Name);
      const std::string stored = exists ? registry.ReadString(row.Name) : std::string();
      // A blank text takes the default by its rule, and the defaults pass every rule.
      const bool takesDefault = row.Rule == TBlankRule::T   ? TrimControlAndBlanks(stored).empty()
                                : row.Rule == TBlankRule::E ? stored.empty()
                                                            : !exists;
      if (const TTextRefusal refusal = CheckSettingText(row, stored);
          !takesDefault && refusal != TTextRefusal::None) {
        refused.emplace_back(row.Name, refusal);
        target.ApplyText(row, DefaultTextOf(row));
        return;
      }
      if (row.Rule == TBlankRule::X) {
        target.ApplyText(row, exists ? stored : DefaultTextOf(row));
        return;
      }
      target.ApplyText(row, stored);
      // The control's own text decides, as the window shows it after its change reaction.
      const std::string shown = target.ControlText(row);
      const bool blank =
          row.Rule == TBlankRule::T ? TrimControlAndBlanks(shown).empty() : shown.empty();
      if (blank) target.ApplyText(row, DefaultTextOf(row));
      return;
    }
    case TControlKind::DropDown: {
      const int index = registry.ReadIntegerOrDefault(row.Name, row.DefaultNumber);
      const bool exists = index >= 0 && index < target.ItemCount(row);
      target.SelectIndex(row, exists ? index : -1);
      return;
    }
    case TControlKind::SpinEdit: {
      const int value = registry.ReadIntegerOrDefault(row.Name, row.DefaultNumber);
      target.ApplySpinValue(row, std::clamp(value, row.Min, row.Max));
      return;
    }
    case TControlKind::TextSpin:
      // Through the text, so the number is shown as stored, beyond the spin edit's limits.
      target.ApplyText(row,
                       std::to_string(registry.ReadIntegerOrDefault(row.Name, row.DefaultNumber)));
      return;
    case TControlKind::RadioPair: {
      const int which = registry.ReadIntegerOrDefault(row.Name, row.DefaultNumber);
      if (which == 0 || which == 1) target.ApplyRadio(row, which);
      return;
    }
    case TControlKind::CheckBox:
      target.ApplyFlag(row, registry.ReadFlagOrDefault(row.Name, row.DefaultNumber != 0));
      return;
  }
}

void SaveRow(TZetRegistry& registry, const TSettingRow& row, const TSettingsSnapshot& values) {
  switch (row.Control) {
    case TControlKind::Edit:
      registry.WriteString(row.Name, values.*row.Text);
      return;
    case TControlKind::TextSpin:
      registry.WriteInteger(row.Name, TextSpinNumber(row, values.*row.Text));
      return;
    case TControlKind::DropDown:
    case TControlKind::SpinEdit:
      registry.WriteInteger(row.Name, values.*row.Number);
      return;
    case TControlKind::RadioPair:
      // The first button checked is 0; anything else reads as the second.
      registry.WriteInteger(row.Name, values.*row.Number == 0 ? 0 : 1);
      return;
    case TControlKind::CheckBox:
      registry.WriteBool(row.Name, values.*row.Check);
      return;
  }
}

}  // namespace

bool IsUntitledPresetName(const std::string& name) {
  return name.empty() || name == kUntitledPresetName;
}

bool IsStorablePresetName(const std::string& name) {
  return name.find(kRegistryPathSeparator) == std::string::npos;
}

std::string PresetKeyPath(const std::string& name) {
  if (IsUntitledPresetName(name)) return kSettingsKey;
  return std::string(kNamedSettingsKey) + kRegistryPathSeparator + name;
}

std::shared_ptr<TRegistryDatabase> OpenSettingsDatabase(TUserInterface& ui) {
  std::shared_ptr<TRegistryDatabase> database = TRegistryDatabase::OpenDefault();
  if (!database->Available()) ui.ShowError(database->OpenError());
  return database;
}

TSettingsStore::TSettingsStore(std::shared_ptr<TRegistryDatabase> database, TUserInterface& ui)
    : database_(std::move(database)), ui_(ui) {
  assert(database_ != nullptr);
}

void TSettingsStore::LoadSettings(const std::string& name, TSettingsTarget& target,
                                  TPresetList* presets) {
  {
    TZetRegistry registry(database_);
    // Remembering the name must not keep the user from seeing the values: when the settings
    // file cannot be written (read-only, unusable), the load goes on without it.
    if (registry.OpenKey(kSettingsKey, true)) {
      try {
        registry.WriteString(kLastSettingsValue, name);
      } catch (const TRegistryError&) {
      }
    }
  }
  const TRefusedValues refused = ReadPresetValues(name, target);
  if (!refused.empty())
    ui_.ShowError(RefusedValuesMessage(name.empty() ? kUntitledPresetName : name, refused));
  if (presets != nullptr && IsUntitledPresetName(name)) presets->SetText(kUntitledPresetName);
  target.ScanImages();
}

TRefusedValues TSettingsStore::ReadPresetValues(const std::string& name, TSettingsTarget& target) {
  TZetRegistry registry(database_);
  // One read transaction: the values come from one save even while another copy of the
  // program is saving the same preset.
  TRegistryTransaction consistentView(*database_, TRegistryTransaction::TMode::Read);
  // A missing named preset yields the untitled preset's values; with neither, no key is open
  // and every value takes its default.
  if (!registry.OpenKey(PresetKeyPath(name), false)) registry.OpenKey(kSettingsKey, false);
  TRefusedValues refused;
  for (const TSettingRow& row : kSettingsTable) {
    LoadRow(registry, row, target, refused);
    // Selecting a result folder by index ran no change reaction; the window needs it now.
    if (row.Check == &TSettingsSnapshot::ClearResultFolder) target.EditResultFolderChange();
  }
  registry.CloseKey();
  return refused;
}

void TSettingsStore::SaveSettings(const std::string& name, const TSettingsSnapshot& values,
                                  TPresetList* presets) {
  if (!IsStorablePresetName(name)) {
    ui_.ShowError(PresetNameWithBackslashMessage(name));
    return;
  }
  const std::string presetName = name.empty() ? kUntitledPresetName : name;
  TZetRegistry registry(database_);
  registry.OpenKey(kSettingsKey, true);
  registry.WriteString(kLastSettingsValue, presetName);  // throws when the key did not open
  registry.CloseKey();

  {
    // All 55 values or none, so another copy of the program never reads half a preset and a
    // failed save never leaves one.
    TRegistryTransaction transaction(*database_, TRegistryTransaction::TMode::Write);
    if (!transaction.Started())
      throw TRegistryError(RegistryErrorText(kFailedToSetData, kSettingsTable.front().Name));
    registry.OpenKey(PresetKeyPath(presetName), true);
    for (const TSettingRow& row : kSettingsTable) SaveRow(registry, row, values);
    registry.CloseKey();
    if (!transaction.Commit())
      throw TRegistryError(RegistryErrorText(kFailedToSetData, kSettingsTable.back().Name));
  }
  RefreshSettingsList(presets);
  ui_.ShowPlainMessage(PresetSavedMessage(presetName));
}

TSettingsSnapshot TSettingsStore::ReadPresetSnapshot(const std::string& name,
                                                     TRefusedValues* refused) {
  TSettingsSnapshot snapshot = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(snapshot);
  TRefusedValues found = ReadPresetValues(name, target);
  if (refused != nullptr) *refused = std::move(found);
  return snapshot;
}

TSettingsSnapshot TSettingsStore::ReadPresetSnapshotStrictly(const std::string& name,
                                                             bool presetMustExist) {
  // One read transaction: the check and the values see the same file.
  TRegistryTransaction consistentView(*database_, TRegistryTransaction::TMode::Read);
  std::string reason;
  if (!database_->CheckWhole(reason))
    throw TRegistryError(SettingsFileUnreadableMessage(database_->Path(), reason));
  if (!IsStorablePresetName(name)) throw TRegistryError(PresetNameWithBackslashError(name));
  if (!IsUntitledPresetName(name)) {
    TZetRegistry registry(database_);
    if (!registry.OpenKey(PresetKeyPath(name), false)) {
      if (presetMustExist) throw TRegistryError(PresetNotFoundMessage(name));
    } else if (!registry.HasValues()) {
      // Such as the key "trips" above a preset once saved as "trips\2023": it would build on
      // the defaults.
      throw TRegistryError(PresetWithoutValuesMessage(name));
    }
  }
  TRefusedValues refused;
  TSettingsSnapshot snapshot = ReadPresetSnapshot(name, &refused);
  if (!refused.empty())
    throw TRegistryError(RefusedValuesError(name.empty() ? kUntitledPresetName : name, refused));
  return snapshot;
}

}  // namespace zetgallery
