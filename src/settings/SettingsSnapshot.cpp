#include "settings/SettingsSnapshot.h"

#include "settings/SettingsTable.h"

namespace zetgallery {

TSettingsSnapshot DesignTimeSettingsSnapshot() {
  TSettingsSnapshot s;
  for (const TSettingRow& row : kSettingsTable) {
    switch (row.Control) {
      case TControlKind::Edit:
      case TControlKind::TextSpin:
        s.*row.Text = row.DesignText;
        break;
      case TControlKind::DropDown:
      case TControlKind::SpinEdit:
        s.*row.Number = row.DesignNumber;
        break;
      case TControlKind::RadioPair:
        // Neither button checked reads as "not the first".
        s.*row.Number = row.DesignNumber == 0 ? 0 : 1;
        break;
      case TControlKind::CheckBox:
        s.*row.Check = row.DesignNumber != 0;
        break;
    }
  }
  return s;
}

}  // namespace zetgallery
