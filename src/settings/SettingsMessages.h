// SettingsMessages: every text the settings store shows to the user or puts into an error, in
// one place and spelled exactly.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "settings/SettingValueRules.h"

namespace zetgallery {

// The untitled preset: its values live directly in the settings key. Compared exactly (letter
// case counts): "<Без названия>" is an ordinary named preset.
inline constexpr char kUntitledPresetName[] = "<без названия>";

// Registry errors; the value's name takes the place of %s.
inline constexpr char kFailedToSetData[] = "Failed to set data for '%s'";
inline constexpr char kInvalidDataType[] = "Invalid data type for '%s'";
inline constexpr char kFailedToGetData[] = "Failed to get data for '%s'";

// `format` (one of the three above) with `valueName` in place of its %s.
std::string RegistryErrorText(const char* format, const std::string& valueName);

// Shown with ShowError when the user asks to delete the untitled preset.
inline constexpr char kCannotDeleteUntitled[] = "Нельзя удалить настройку \"<без названия>\"!";

// Shown with ShowPlainMessage after a preset was saved or deleted.
std::string PresetSavedMessage(const std::string& presetName);
std::string PresetDeletedMessage(const std::string& presetName);

// Shown with ShowError when the settings file cannot be used: `reason` says why. The program
// goes on with the default settings and leaves the file as it is.
std::string SettingsFileUnusableMessage(const std::string& path, const std::string& reason);

// The reason given when the file is an SQLite database of some other program.
inline constexpr char kForeignDatabaseReason[] =
    "это база данных другой программы, а не файл настроек ZetGallery";

// Why the settings file cannot be read, in a few words (the part after the colon of the
// messages above and below).
inline constexpr char kSettingsFileBusyReason[] = "файл занят другой программой";
inline constexpr char kSettingsFileDamagedReason[] = "файл повреждён";
inline constexpr char kSettingsFileNotADatabaseReason[] = "это не файл базы данных";
inline constexpr char kSettingsFileUnreadableReason[] = "файл не читается";

// For the command line, which stops instead of going on with the defaults: the settings file
// cannot be read, because `reason`.
std::string SettingsFileUnreadableMessage(const std::string& path, const std::string& reason);

// For the command line: the named preset it was asked for does not exist.
std::string PresetNotFoundMessage(const std::string& presetName);

// For the command line: a named preset whose key holds no value at all (such as the key "trips"
// left above a preset once saved as "trips\2023").
std::string PresetWithoutValuesMessage(const std::string& presetName);

// A preset name with a backslash would be stored as keys inside other keys. Shown with ShowError
// when the window is asked to save such a preset; the command line's version says it was not
// loaded.
std::string PresetNameWithBackslashMessage(const std::string& presetName);
std::string PresetNameWithBackslashError(const std::string& presetName);

// Why a stored value was refused, in a few words.
std::string TextRefusalReason(TTextRefusal refusal);

// Stored values that their controls would not hold: (value name, why) in table order.
using TRefusedValues = std::vector<std::pair<std::string, TTextRefusal>>;

// Shown with ShowError once a load put the defaults in place of `refused` values.
std::string RefusedValuesMessage(const std::string& presetName, const TRefusedValues& refused);
// For the command line, which does not go on with the defaults.
std::string RefusedValuesError(const std::string& presetName, const TRefusedValues& refused);

}  // namespace zetgallery
