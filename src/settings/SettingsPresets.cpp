// The preset list, the memory of the preset used last, and deleting presets.
#include <algorithm>

#include "settings/SettingsStore.h"
#include "util/ZetStrings.h"

namespace zetgallery {

std::vector<std::string> TSettingsStore::RefreshSettingsList(TPresetList* presets) {
  std::vector<std::string> names;
  {
    TZetRegistry registry(database_);
    // GetKeyNames leaves the list empty when the key could not be opened.
    registry.OpenKey(kNamedSettingsKey, true);
    registry.GetKeyNames(names);
  }
  names.emplace_back(kUntitledPresetName);
  SortForSortedList(names);
  if (presets != nullptr) presets->SetEntries(names);
  return names;
}

TStatusOr<std::string> TSettingsStore::ReadLastSettings() {
  TZetRegistry registry(database_);
  // Only read: the command line asks too, and must leave the user's file as it found it. (The
  // window has created the key already, through RefreshSettingsList.)
  registry.OpenKey(kSettingsKey, false);
  return registry.ReadString(kLastSettingsValue);
}

TStatus TSettingsStore::LoadLastSettings(TSettingsTarget& target, TPresetList& presets) {
  const TStatusOr<std::string> last = ReadLastSettings();
  if (!last.ok()) return last.status();
  const std::string& name = last.value();
  if (TStatus loaded = LoadSettings(name, target, &presets); !loaded.ok()) return loaded;
  const int entry = FindPresetEntry(presets.Entries(), name);
  if (entry >= 0) presets.SelectEntry(entry);
  return TStatus::Ok();
}

int FindPresetEntry(const std::vector<std::string>& entries, const std::string& name) {
  // The untitled "<без названия>" and a preset named "<Без названия>" may stand side by side:
  // the list must show the very preset that was loaded.
  const auto exact = std::find(entries.begin(), entries.end(), name);
  if (exact != entries.end()) return static_cast<int>(exact - entries.begin());
  for (size_t i = 0; i < entries.size(); ++i)
    if (SameTextIgnoringCase(entries[i], name)) return static_cast<int>(i);
  return -1;
}

void TSettingsStore::DeleteSettings(const std::string& name, TPresetList* presets) {
  if (IsUntitledPresetName(name)) {
    ui_.ShowError(kCannotDeleteUntitled);
    return;
  }
  {
    TZetRegistry registry(database_);
    // A preset that is not there is not an error: the user sees it gone either way.
    registry.DeleteKey(PresetKeyPath(name));
  }
  RefreshSettingsList(presets);
  if (presets != nullptr) presets->SetText("");
  ui_.ShowPlainMessage(PresetDeletedMessage(name));
}

}  // namespace zetgallery
