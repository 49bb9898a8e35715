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
// Fails, with nothing applied, when the value cannot be read or is of the wrong kind.
TStatus LoadRow(TZetRegistry& registry, const TSettingRow& row, TSettingsTarget& target,
                TRefusedValues& refused) {
  switch (row.Control) {
    case TControlKind::Edit: {
      const TStatusOr<bool> found = registry.ValueExists(row.Name);
      if (!found.ok()) return found.status();
      const bool exists = *found;
      TStatusOr<std::string> read = exists ? registry.ReadString(row.Name) : std::string();
      if (!read.ok()) return read.status();
      const std::string& stored = read.value();
      // A blank text takes the default by its rule, and the defaults pass every rule.
      const bool takesDefault = row.Rule == TBlankRule::T   ? TrimControlAndBlanks(stored).empty()
                                : row.Rule == TBlankRule::E ? stored.empty()
                                                            : !exists;
      if (const TTextRefusal refusal = CheckSettingText(row, stored);
          !takesDefault && refusal != TTextRefusal::None) {
        refused.emplace_back(row.Name, refusal);
        target.ApplyText(row, DefaultTextOf(row));
        return TStatus::Ok();
      }
      if (row.Rule == TBlankRule::X) {
        target.ApplyText(row, exists ? stored : DefaultTextOf(row));
        return TStatus::Ok();
      }
      target.ApplyText(row, stored);
      // The control's own text decides, as the window shows it after its change reaction.
      const std::string shown = target.ControlText(row);
      const bool blank =
          row.Rule == TBlankRule::T ? TrimControlAndBlanks(shown).empty() : shown.empty();
      if (blank) target.ApplyText(row, DefaultTextOf(row));
      return TStatus::Ok();
    }
    case TControlKind::CheckBox: {
      const TStatusOr<bool> flag = registry.ReadFlagOrDefault(row.Name, row.DefaultNumber != 0);
      if (flag.ok()) target.ApplyFlag(row, *flag);
      return flag.status();
    }
    default:
      break;
  }
  const TStatusOr<int32_t> number = registry.ReadIntegerOrDefault(row.Name, row.DefaultNumber);
  if (!number.ok()) return number.status();
  const int value = *number;
  switch (row.Control) {
    case TControlKind::DropDown:
      target.SelectIndex(row, value >= 0 && value < target.ItemCount(row) ? value : -1);
      break;
    case TControlKind::SpinEdit:
      target.ApplySpinValue(row, std::clamp(value, row.Min, row.Max));
      break;
    case TControlKind::TextSpin:
      // Through the text, so the number is shown as stored, beyond the spin edit's limits.
      target.ApplyText(row, std::to_string(value));
      break;
    case TControlKind::RadioPair:
      if (value == 0 || value == 1) target.ApplyRadio(row, value);
      break;
    default:
      break;
  }
  return TStatus::Ok();
}

TStatus SaveRow(TZetRegistry& registry, const TSettingRow& row, const TSettingsSnapshot& values) {
  switch (row.Control) {
    case TControlKind::Edit:
      return registry.WriteString(row.Name, values.*row.Text);
    case TControlKind::TextSpin:
      return registry.WriteInteger(row.Name, TextSpinNumber(row, values.*row.Text));
    case TControlKind::DropDown:
    case TControlKind::SpinEdit:
      return registry.WriteInteger(row.Name, values.*row.Number);
    case TControlKind::RadioPair:
      // The first button checked is 0; anything else reads as the second.
      return registry.WriteInteger(row.Name, values.*row.Number == 0 ? 0 : 1);
    case TControlKind::CheckBox:
      return registry.WriteBool(row.Name, values.*row.Check);
  }
  return TStatus::Ok();
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
  if (!database->Available())
    ui.ShowError(SettingsFileUnusableMessage(database->Path(), database->OpenStatus().message()));
  return database;
}

TSettingsStore::TSettingsStore(std::shared_ptr<TRegistryDatabase> database, TUserInterface& ui)
    : database_(std::move(database)), ui_(ui) {
  assert(database_ != nullptr);
}

TStatus TSettingsStore::LoadSettings(const std::string& name, TSettingsTarget& target,
                                     TPresetList* presets) {
  {
    TZetRegistry registry(database_);
    // Remembering the name must not keep the user from seeing the values: when the settings
    // file cannot be written (read-only, unusable), the load goes on without it.
    if (registry.OpenKey(kSettingsKey, true))
      static_cast<void>(registry.WriteString(kLastSettingsValue, name));
  }
  const TStatusOr<TRefusedValues> read = ReadPresetValues(name, target);
  if (!read.ok()) return read.status();
  const TRefusedValues& refused = read.value();
  if (!refused.empty())
    ui_.ShowError(RefusedValuesMessage(name.empty() ? kUntitledPresetName : name, refused));
  if (presets != nullptr && IsUntitledPresetName(name)) presets->SetText(kUntitledPresetName);
  target.ScanImages();
  return TStatus::Ok();
}

TStatusOr<TRefusedValues> TSettingsStore::ReadPresetValues(const std::string& name,
                                                           TSettingsTarget& target) {
  TZetRegistry registry(database_);
  // One read transaction: the values come from one save even while another copy of the
  // program is saving the same preset.
  TRegistryTransaction consistentView(*database_, TRegistryTransaction::TMode::Read);
  // A missing named preset yields the untitled preset's values; with neither, no key is open
  // and every value takes its default.
  if (!registry.OpenKey(PresetKeyPath(name), false)) registry.OpenKey(kSettingsKey, false);
  TRefusedValues refused;
  for (const TSettingRow& row : kSettingsTable) {
    if (TStatus loaded = LoadRow(registry, row, target, refused); !loaded.ok()) return loaded;
    // Selecting a result folder by index ran no change reaction; the window needs it now.
    if (row.Check == &TSettingsSnapshot::ClearResultFolder) target.EditResultFolderChange();
  }
  registry.CloseKey();
  return refused;
}

TStatus TSettingsStore::SaveSettings(const std::string& name, const TSettingsSnapshot& values,
                                     TPresetList* presets) {
  if (!IsStorablePresetName(name)) {
    ui_.ShowError(PresetNameWithBackslashMessage(name));
    return TStatus::Ok();
  }
  const std::string presetName = name.empty() ? kUntitledPresetName : name;
  TZetRegistry registry(database_);
  registry.OpenKey(kSettingsKey, true);
  // Fails when the key did not open.
  if (TStatus written = registry.WriteString(kLastSettingsValue, presetName); !written.ok())
    return written;
  registry.CloseKey();

  {
    // All 60 values or none, so another copy of the program never reads half a preset and a
    // failed save never leaves one.
    TRegistryTransaction transaction(*database_, TRegistryTransaction::TMode::Write);
    if (!transaction.Started())
      return TStatus::IoError(RegistryErrorText(kFailedToSetData, kSettingsTable.front().Name));
    registry.OpenKey(PresetKeyPath(presetName), true);
    for (const TSettingRow& row : kSettingsTable)
      if (TStatus saved = SaveRow(registry, row, values); !saved.ok()) return saved;
    registry.CloseKey();
    if (!transaction.Commit())
      return TStatus::IoError(RegistryErrorText(kFailedToSetData, kSettingsTable.back().Name));
  }
  RefreshSettingsList(presets);
  ui_.ShowPlainMessage(PresetSavedMessage(presetName));
  return TStatus::Ok();
}

TStatusOr<TSettingsSnapshot> TSettingsStore::ReadPresetSnapshot(const std::string& name,
                                                                TRefusedValues* refused) {
  TSettingsSnapshot snapshot = DesignTimeSettingsSnapshot();
  TSnapshotTarget target(snapshot);
  TStatusOr<TRefusedValues> found = ReadPresetValues(name, target);
  if (!found.ok()) return found.status();
  if (refused != nullptr) *refused = std::move(found).value();
  return snapshot;
}

TStatusOr<TSettingsSnapshot> TSettingsStore::ReadPresetSnapshotStrictly(const std::string& name,
                                                                        bool presetMustExist) {
  // One read transaction: the check and the values see the same file.
  TRegistryTransaction consistentView(*database_, TRegistryTransaction::TMode::Read);
  if (const TStatus whole = database_->CheckWhole(); !whole.ok())
    return TStatus(whole.code(), SettingsFileUnreadableMessage(database_->Path(), whole.message()));
  if (!IsStorablePresetName(name))
    return TStatus::InvalidArgument(PresetNameWithBackslashError(name));
  if (!IsUntitledPresetName(name)) {
    TZetRegistry registry(database_);
    if (!registry.OpenKey(PresetKeyPath(name), false)) {
      if (presetMustExist) return TStatus::NotFound(PresetNotFoundMessage(name));
    } else if (!registry.HasValues()) {
      // Such as the key "trips" above a preset once saved as "trips\2023": it would build on
      // the defaults.
      return TStatus::NotFound(PresetWithoutValuesMessage(name));
    }
  }
  TRefusedValues refused;
  TStatusOr<TSettingsSnapshot> snapshot = ReadPresetSnapshot(name, &refused);
  if (snapshot.ok() && !refused.empty())
    return TStatus::InvalidArgument(
        RefusedValuesError(name.empty() ? kUntitledPresetName : name, refused));
  return snapshot;
}

}  // namespace zetgallery
