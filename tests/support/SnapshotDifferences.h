// SnapshotDifferences: two settings snapshots compared field by field, each difference named
// by its setting, so a failing test says which setting differs and how.
#pragma once

#include <string>
#include <vector>

#include "settings/SettingsSnapshot.h"

namespace zetgallery {

// "Name: first vs second" for every setting whose fields differ, in table order.
std::vector<std::string> SnapshotDifferences(const TSettingsSnapshot& first,
                                             const TSettingsSnapshot& second);

}  // namespace zetgallery
