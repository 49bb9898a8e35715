// WindowRules: which of the window's controls are enabled, and which of its mandatory texts are
// shown as missing, as a function of the settings the controls hold and of the two things the
// rules read that are no settings: the result folder shown and the number of pictures listed.
// The window evaluates the rules whenever a control they read changes and applies the result to
// its controls; nothing here knows a widget.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsSnapshot.h"

namespace zetgallery {

// What the rules read.
struct TWindowRuleInputs {
  TSettingsSnapshot Settings;
  std::string ResultFolderText;  // the entry EditResultFolder shows, "" when none is selected
  int ImageCount = 0;            // the entries of the image list
};

// What the rules give one control, named by the name the program knows it by.
struct TControlState {
  std::string_view Control;
  bool Enabled = true;
  bool Mandatory = false;    // its text must not be blank for a build
  bool Highlighted = false;  // a mandatory text that is blank: the window shows it yellow
};

struct TWindowState {
  // Every control the rules govern, once each, in the same order at every evaluation.
  std::vector<TControlState> Controls;

  // The state of `control`, or nullptr when the rules leave that control alone.
  const TControlState* Find(std::string_view control) const;
};

// The state of every control the rules govern. Blank means empty once control characters and
// blanks are trimmed from both ends.
TWindowState EvaluateWindowRules(const TWindowRuleInputs& inputs);

// The file names of the default index templates in the templates folder: the one of the lists and
// tables, and the grid's own.
inline constexpr const char* kDefaultIndexTemplate = "IndexTemplate.htm";
inline constexpr const char* kDefaultGridTemplate = "GridTemplate.htm";

// The index template text after the index kind `indexKind` is chosen: a text naming the default
// index template of `templatesFolder` (ending in a separator) becomes the grid's default template
// when the grid is chosen, and the grid's becomes the index template again when another kind is;
// any other text is the user's own choice and stays. Surrounding quotes are kept.
std::string IndexTemplateForKind(int indexKind, const std::string& templateText,
                                 const std::string& templatesFolder);

}  // namespace zetgallery
