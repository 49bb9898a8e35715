#include "SnapshotDifferences.h"

#include "settings/SettingsTable.h"

namespace zetgallery {

std::vector<std::string> SnapshotDifferences(const TSettingsSnapshot& first,
                                             const TSettingsSnapshot& second) {
  std::vector<std::string> differences;
  for (const TSettingRow& row : kSettingsTable) {
    std::string a, b;
    if (row.Text != nullptr) {
      a = "\"" + first.*row.Text + "\"";
      b = "\"" + second.*row.Text + "\"";
    } else if (row.Number != nullptr) {
      a = std::to_string(first.*row.Number);
      b = std::to_string(second.*row.Number);
    } else {
      a = first.*row.Check ? "checked" : "unchecked";
      b = second.*row.Check ? "checked" : "unchecked";
    }
    if (a != b) differences.push_back(std::string(row.Name) + ": " + a + " vs " + b);
  }
  return differences;
}

}  // namespace zetgallery
