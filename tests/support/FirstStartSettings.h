// FirstStartSettings: the values every control holds after the program's first start, written
// out by hand, as an oracle independent of the settings table.
#pragma once

#include <string>

#include "settings/SettingsSnapshot.h"

namespace zetgallery {

// The first start's values with `imagesFolder` as the images folder and the templates and
// button pictures in `templatesFolder` (which ends in a separator).
TSettingsSnapshot FirstStartSettings(const std::string& imagesFolder,
                                     const std::string& templatesFolder);

}  // namespace zetgallery
