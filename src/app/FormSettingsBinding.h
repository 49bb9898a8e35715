// FormSettingsBinding: the settings table bound to the window's controls. The window makes the
// binding once, when it is created: every row of the table gets its control (a radio pair its
// two buttons), found by the name the table gives and checked to be of the kind the row needs.
// The start-up values, the settings loads and the snapshot of the controls all go through the
// binding; nothing looks a control up by its name afterwards.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "app/ZetWidgets.h"
#include "settings/SettingsSnapshot.h"
#include "settings/SettingsTable.h"
#include "util/Status.h"

namespace zetgallery {

// One row and its control. Exactly the pointers its kind of control needs are set.
struct TBoundSetting {
  const TSettingRow* Row = nullptr;
  QLineEdit* Edit = nullptr;       // an Edit row shown in a one-line edit
  QComboBox* Combo = nullptr;      // an Edit row shown in an editable combo box; a DropDown row
  TSpinEdit* Spin = nullptr;       // SpinEdit and TextSpin rows
  QCheckBox* Check = nullptr;      // CheckBox rows
  TRadioButton* First = nullptr;   // RadioPair rows: the button for 0
  TRadioButton* Second = nullptr;  // and the one for 1
};

class TSettingsBindings {
 public:
  // Binds every row of kSettingsTable to its control among the descendants of `form`. A row
  // whose control is missing, named twice, of another kind, or a drop-down list without the
  // row's number of entries fails it (NotFound), the message naming the first such row.
  static TStatusOr<std::unique_ptr<TSettingsBindings>> Bind(const QWidget& form);

  // The binding of `row`. REQUIRES: `row` is an element of kSettingsTable.
  const TBoundSetting& Of(const TSettingRow& row) const;

  // Puts every control at its design-time value, gives the spin edits their limits and makes
  // each radio pair exclude its own two buttons. Signals are not blocked: call it before the
  // window connects its change reactions.
  void ApplyDesignValues() const;

  // The controls' values as stored settings.
  TSettingsSnapshot Read() const;

 private:
  TSettingsBindings() = default;

  std::array<TBoundSetting, kSettingCount> bound_{};
};

}  // namespace zetgallery
