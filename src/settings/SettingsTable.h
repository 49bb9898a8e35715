// SettingsTable: the 60 stored settings in the order they are read and written, each with its
// value name, kind, control, default, blank rule and limits, the value its control holds when
// the window is created, and the field of TSettingsSnapshot that holds it. Loading, saving, the
// window's controls and their start-up values all come from this one table.
#pragma once

#include <array>
#include <string>

#include "settings/SettingsSnapshot.h"

namespace zetgallery {

// How a setting is stored.
enum class TSettingKind { Text, Integer, Flag };

// What kind of control shows the setting, which decides how a stored value reaches it.
enum class TControlKind {
  Edit,       // text edit, folder/file edit or editable combo box: takes the text
  DropDown,   // drop-down list: the number selects an entry, -1 or out of range selects none
  SpinEdit,   // spin edit: the number, brought within Min..Max
  TextSpin,   // spin edit handled through its text (ThumbXSize, ThumbYSize): decimal text
  RadioPair,  // two radio buttons: 0 checks the first, 1 the second, other numbers neither
  CheckBox,   // check box: non-zero checks it
};

// What a load does with a blank text (Text rows only).
enum class TBlankRule {
  None,
  T,  // a control text that is empty or only characters with codes up to 32 gets the default
  E,  // only an exactly empty control text gets the default
  X,  // an absent value gets the default; a present one is used as stored, even empty
};

// What a Text row's control lets the user type.
enum class TTextContent {
  Any,             // any text
  HtmlFolderName,  // a folder name for the gallery's links: see IsHtmlFolderCharacter
  PlainFileName,   // a file name inside the result folder: see IsPlainFileName
};

// Where a Text row's default comes from.
enum class TDefaultSource {
  Literal,           // DefaultText itself
  CurrentDirectory,  // the process's current directory
  TemplatesFolder,   // TemplatesFolder() followed by DefaultText
};

struct TSettingRow {
  const char* Name;  // the stored value's name
  TSettingKind Kind;
  TControlKind Control;
  const char* ControlName;        // the window's control; for a radio pair its first button
  const char* SecondControlName;  // a radio pair's second button, else nullptr
  TBlankRule Rule;
  TTextContent Content;  // Text rows
  TDefaultSource DefaultSource;
  const char* DefaultText;  // Text rows (see DefaultSource)
  int DefaultNumber;        // Integer and Flag rows (flags: 1 checked, 0 not)
  // What the control holds when the window is created, before any load: the text of Edit and
  // TextSpin rows; the value of SpinEdit rows, the check of CheckBox rows (1 checked), -1 for
  // DropDown rows (no entry selected) and RadioPair rows (neither button checked).
  const char* DesignText;
  int DesignNumber;
  int Min, Max;   // SpinEdit rows: the spin edit's limits
  int ItemCount;  // DropDown rows: entries of the list; 0 when it follows the images
                  // folder (ResultFolder)
  // The snapshot field: Text for Edit and TextSpin rows, Number for DropDown, SpinEdit and
  // RadioPair rows, Check for CheckBox rows; the other two are null.
  std::string TSettingsSnapshot::*Text;
  int TSettingsSnapshot::*Number;
  bool TSettingsSnapshot::*Check;
};

inline constexpr int kSettingCount = 61;

// The table, in the order of loading and saving.
extern const std::array<TSettingRow, kSettingCount> kSettingsTable;

// The row of the value `name` (exact spelling), or nullptr.
const TSettingRow* FindSettingRow(const std::string& name);

// The default text of a Text row, computed when asked (the current directory may change).
std::string DefaultTextOf(const TSettingRow& row);

// The number a TextSpin row's text is saved as: the text as an integer, or the row's default
// (120) when it is not one.
int TextSpinNumber(const TSettingRow& row, const std::string& text);

// The folder of the running executable, ending in a separator.
std::string ApplicationFolder();

// The folder of the default templates and button pictures, ending in a separator: "templates"
// beside the executable when it exists (a build tree), else the installed data folder
// "share/zetgallery/templates" (beside the executable's "bin", then the system's data folders);
// "templates" beside the executable when none exists.
std::string TemplatesFolder();

}  // namespace zetgallery
