#include "SettingsStore.h"

#include <algorithm>
#include <cassert>

#include "SettingsTable.h"
#include "ZetStrings.h"

namespace {

// Puts one row's stored value (or its default) into the target by the row's rules.
void LoadRow(TZetRegistry& registry, const TSettingRow& row, TSettingsTarget& target) {
  switch (row.Control) {
    case TControlKind::Edit: {
      if (row.Rule == TBlankRule::X) {
        target.ApplyText(row, registry.ValueExists(row.Name) ? registry.ReadString(row.Name)
                                                             : DefaultTextOf(row));
        return;
      }
      target.ApplyText(row, registry.ReadString(row.Name));
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
  ReadPresetValues(name, target);
  if (presets != nullptr && IsUntitledPresetName(name)) presets->SetText(kUntitledPresetName);
  target.ScanImages();
}

void TSettingsStore::ReadPresetValues(const std::string& name, TSettingsTarget& target) {
  TZetRegistry registry(database_);
  // One read transaction: the values come from one save even while another copy of the
  // program is saving the same preset.
  TRegistryTransaction consistentView(*database_, TRegistryTransaction::TMode::Read);
  // A missing named preset yields the untitled preset's values; with neither, no key is open
  // and every value takes its default.
  if (!registry.OpenKey(PresetKeyPath(name), false)) registry.OpenKey(kSettingsKey, false);
  for (const TSettingRow& row : kSettingsTable) {
    LoadRow(registry, row, target);
    // Selecting a result folder by index ran no change reaction; the window needs it now.
    if (row.Check == &TSettingsSnapshot::ClearResultFolder) target.EditResultFolderChange();
  }
  registry.CloseKey();
}

void TSettingsStore::SaveSettings(const std::string& name, const TSettingsSnapshot& values,
                                  TPresetList* presets) {
  const std::string presetName = name.empty() ? kUntitledPresetName : name;
  TZetRegistry registry(database_);
  registry.OpenKey(kSettingsKey, true);
  registry.WriteString(kLastSettingsValue, presetName);  // throws when the key did not open
  registry.CloseKey();

  {
    // All 51 values or none, so another copy of the program never reads half a preset and a
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

TSettingsSnapshot TSettingsStore::ReadPresetSnapshot(const std::string& name) {
  TSettingsSnapshot snapshot = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(snapshot);
  ReadPresetValues(name, target);
  return snapshot;
}

TSettingsSnapshot TSettingsStore::ReadPresetSnapshotStrictly(const std::string& name,
                                                             bool presetMustExist) {
  // One read transaction: the check and the values see the same file.
  TRegistryTransaction consistentView(*database_, TRegistryTransaction::TMode::Read);
  std::string reason;
  if (!database_->CheckWhole(reason))
    throw TRegistryError(SettingsFileUnreadableMessage(database_->Path(), reason));
  if (presetMustExist && !IsUntitledPresetName(name)) {
    TZetRegistry registry(database_);
    if (!registry.OpenKey(PresetKeyPath(name), false))
      throw TRegistryError(PresetNotFoundMessage(name));
  }
  return ReadPresetSnapshot(name);
}
