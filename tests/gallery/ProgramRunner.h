// ProgramRunner: the built zetgallery run as a user runs it, with its settings in a test
// database (ZETGALLERY_REGISTRY), and presets stored there the way the window saves them.
#pragma once

#include <string>
#include <vector>

#include "settings/SettingsSnapshot.h"
#include "support/RunCommand.h"

namespace zetgallery {

// Runs zetgallery with `arguments` in `workFolder` (where it also leaves its output files) with
// the settings database `registry`; `wrapper` (a command such as "timeout -s TERM 0.1") runs it
// when given.
TCommandRun RunZetGallery(const std::string& workFolder, const std::string& registry,
                          const std::vector<std::string>& arguments,
                          const std::string& wrapper = "");

// Saves `settings` as preset `name` into the database `registry` (all 58 values).
void SavePresetInto(const std::string& registry, const std::string& name,
                    const TSettingsSnapshot& settings);

}  // namespace zetgallery
