// SettingsStore: loading and saving the 60 settings as presets, the preset list and the memory
// of the preset used last.
//
// Registry layout, below HKEY_CURRENT_USER:
//   Software\Vorlan\ZetGallery                 LastSettings, and the untitled preset's values
//   Software\Vorlan\ZetGallery\NamedSettings\<name>   one key per named preset
//
// Errors: operations that read or write values return a failed status (ZetRegistry.h) with the
// user's message ("Invalid data type for 'IndexType'", ...). The operation stops at that point;
// the caller shows the message with TUserInterface::ShowStandardError and skips the rest of its
// command (the window's creation stops, the command line exits with status 1). What the store
// tells the user while it goes on (a saved preset, refused values) it shows itself through `ui`.
//
// Wiring the window (one object of the window can implement both interfaces):
//   creation:   database = OpenSettingsDatabase(ui);  store = TSettingsStore(database, ui);
//               store.RefreshSettingsList(&presets);  store.LoadLastSettings(target, presets);
//   ComboBoxSettingsClick:   store.LoadSettings(comboText, target, &presets);
//   ButtonSaveSettingsClick, MenuSaveSettingsClick:
//               store.SaveSettings(comboText, snapshotReadFromTheControls, &presets);
//   MenuDeleteSettingsClick: store.DeleteSettings(comboText, &presets);
// each showing the message of a failed status with ui.ShowStandardError.
// The command line: store.ReadPresetSnapshotStrictly(name), with name = store.ReadLastSettings()
// when no preset was asked for.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "settings/RegistryDatabase.h"
#include "settings/SettingsMessages.h"
#include "settings/SettingsSnapshot.h"
#include "settings/SettingsTarget.h"
#include "settings/ZetRegistry.h"
#include "util/UserInterface.h"

namespace zetgallery {

inline constexpr char kSettingsKey[] = "Software\\Vorlan\\ZetGallery";
inline constexpr char kNamedSettingsKey[] = "Software\\Vorlan\\ZetGallery\\NamedSettings";
inline constexpr char kLastSettingsValue[] = "LastSettings";

// True for the names that stand for the untitled preset: the empty name and exactly
// "<без названия>" (letter case counts).
bool IsUntitledPresetName(const std::string& name);

// False for a name with a backslash, which would be stored as a key inside other keys: the
// window does not save such a preset, the command line does not load one.
bool IsStorablePresetName(const std::string& name);

// The key of preset `name`: the settings key for the untitled preset, else
// NamedSettings\<name>, the name used unchanged.
std::string PresetKeyPath(const std::string& name);

// The preset combo box (ComboBoxSettings): a list of names and an edit part.
class TPresetList {
 public:
  virtual ~TPresetList() = default;
  // Replaces the entries with `names` (already in list order), keeping the edit part's text.
  virtual void SetEntries(const std::vector<std::string>& names) = 0;
  virtual std::vector<std::string> Entries() const = 0;
  // Sets the edit part's text.
  virtual void SetText(const std::string& text) = 0;
  // Selects entry `index`, which puts its text into the edit part.
  virtual void SelectEntry(int index) = 0;
};

// A preset list without a window (command line, tests).
class TPresetListModel : public TPresetList {
 public:
  void SetEntries(const std::vector<std::string>& names) override { entries = names; }
  std::vector<std::string> Entries() const override { return entries; }
  void SetText(const std::string& value) override { text = value; }
  void SelectEntry(int index) override {
    selected = index;
    text = entries.at(static_cast<size_t>(index));
  }

  std::vector<std::string> entries;
  std::string text;
  int selected = -1;  // -1: nothing selected yet
};

// The index in `entries` of the entry named `name`: the entry spelled exactly so when there is
// one, else the first equal to it ignoring letter case, else -1.
int FindPresetEntry(const std::vector<std::string>& entries, const std::string& name);

// Opens the settings database (DefaultRegistryPath()). When the file cannot be used, shows
// the reason with ShowError and returns an unavailable database: loads then give the defaults
// and saves fail, and the file is left alone.
std::shared_ptr<TRegistryDatabase> OpenSettingsDatabase(TUserInterface& ui);

class TSettingsStore {
 public:
  // `ui` must outlive the store.
  TSettingsStore(std::shared_ptr<TRegistryDatabase> database, TUserInterface& ui);

  // Loads preset `name` into `target`:
  //  1. writes `name` into LastSettings exactly as given (empty stays empty);
  //  2. reads the preset's key, the untitled preset's key when that preset does not exist, or
  //     nothing (all defaults) when neither does, applying every row in table order, with
  //     target.EditResultFolderChange() right after ClearResultFolder;
  //  3. when a stored text failed its control's rules (SettingValueRules.h), that control got
  //     its default: shows one message naming every such value (ShowError);
  //  4. for an untitled name sets the preset list's text to "<без названия>" (when `presets`
  //     is given), then calls target.ScanImages().
  // A value that cannot be read or is of the wrong kind fails the load: the rows before it are
  // applied, the rest and steps 3 and 4 are skipped.
  TStatus LoadSettings(const std::string& name, TSettingsTarget& target, TPresetList* presets);

  // Step 2 of LoadSettings alone: reads preset `name` into `target` without writing
  // LastSettings and without the final scan, and returns the texts that failed their
  // controls' rules (their controls got the defaults). Fails as LoadSettings does.
  TStatusOr<TRefusedValues> ReadPresetValues(const std::string& name, TSettingsTarget& target);

  // Saves `values` as preset `name` (empty: the untitled preset): writes LastSettings (the
  // untitled name for an empty one), then all 60 values in one transaction (all or none), then
  // refills `presets` and shows "Настройка "<name>" сохранена.". Fails ("Failed to set data for
  // '<value>'") when something could not be written; no message then. A name with a backslash is
  // refused with ShowError, and nothing is written (the status is then ok: the user was told).
  TStatus SaveSettings(const std::string& name, const TSettingsSnapshot& values,
                       TPresetList* presets);

  // The names of all presets (the sub-keys of NamedSettings and "<без названия>") in list
  // order; also given to `presets` when not null. Creates NamedSettings (and the settings
  // key) when missing.
  std::vector<std::string> RefreshSettingsList(TPresetList* presets);

  // The LastSettings value ("" when absent or when there is no settings key); fails for a value
  // of the wrong kind. Writes nothing.
  TStatusOr<std::string> ReadLastSettings();

  // Loads the preset named by LastSettings (LoadSettings) and selects its entry of `presets`
  // (FindPresetEntry); with no such entry the selection and text stay. Fails as LoadSettings.
  TStatus LoadLastSettings(TSettingsTarget& target, TPresetList& presets);

  // Deletes preset `name` with all its sub-keys, refills `presets`, empties its text and shows
  // "Настройка "<name>" удалена.". The untitled preset (an empty name included) is refused
  // with ShowError and nothing changes. Deleting a preset that does not exist reports success.
  void DeleteSettings(const std::string& name, TPresetList* presets);

  // What the controls would hold after loading preset `name` into a freshly created window
  // (DesignTimeSettingsSnapshot()), without writing LastSettings or scanning; the refused
  // texts go to `refused` when given. Fails for a value of the wrong kind.
  TStatusOr<TSettingsSnapshot> ReadPresetSnapshot(const std::string& name,
                                                  TRefusedValues* refused = nullptr);

  // ReadPresetSnapshot for a caller that must not go on with other settings than it asked for
  // (the command line): the whole file is read through first, and when `presetMustExist` a named
  // preset that does not exist is an error (the untitled preset always exists). Fails with the
  // user's message for a file that is unavailable, damaged or held by another program beyond the
  // wait (the code of CheckWhole), for a missing preset or a named preset that holds no value
  // (NotFound), a name with a backslash, a text its control would not hold (InvalidArgument),
  // and a value of the wrong kind.
  TStatusOr<TSettingsSnapshot> ReadPresetSnapshotStrictly(const std::string& name,
                                                          bool presetMustExist);

 private:
  std::shared_ptr<TRegistryDatabase> database_;
  TUserInterface& ui_;
};

}  // namespace zetgallery
