// SettingsTarget: where a settings load puts the values. The window implements it over its real
// controls (so their change reactions run as the values arrive); TSnapshotTarget implements it
// over a plain TSettingsSnapshot for the command line and the tests. The load calls it row by
// row in table order and applies every rule itself (blank texts, limits, out-of-range numbers),
// so an implementation only hands each value to its control.
#pragma once

#include <string>

#include "settings/SettingsSnapshot.h"
#include "settings/SettingsTable.h"

namespace zetgallery {

class TSettingsTarget {
 public:
  virtual ~TSettingsTarget() = default;

  // Edit and TextSpin rows: puts `text` into the control through its normal setter; the
  // control's change reaction runs when the text differs from what it showed.
  virtual void ApplyText(const TSettingRow& row, const std::string& text) = 0;
  // Edit rows: the control's text as it reads now (tested after ApplyText by rules T and E).
  virtual std::string ControlText(const TSettingRow& row) = 0;
  // CheckBox rows.
  virtual void ApplyFlag(const TSettingRow& row, bool checked) = 0;
  // SpinEdit rows. REQUIRES: row.Min <= value <= row.Max.
  virtual void ApplySpinValue(const TSettingRow& row, int value) = 0;
  // RadioPair rows: 0 checks the first button, 1 the second (unchecking the other). Not called
  // for other numbers: both buttons then stay as they are.
  virtual void ApplyRadio(const TSettingRow& row, int which) = 0;
  // DropDown rows: how many entries the list holds now.
  virtual int ItemCount(const TSettingRow& row) = 0;
  // DropDown rows: selects entry `index`, or no entry for -1, without any change reaction.
  // REQUIRES: -1 <= index < ItemCount(row).
  virtual void SelectIndex(const TSettingRow& row, int index) = 0;

  // Called right after ClearResultFolder is applied: selecting a result-folder entry by index
  // ran no change reaction, so the window updates what depends on it (EditResultFolderChange).
  virtual void EditResultFolderChange() {}
  // Called at the end of a load that read every value: the window scans the images folder
  // (ScanImages), which also brings the enabled and disabled controls up to date.
  virtual void ScanImages() {}
};

// A target over a plain snapshot. Texts, numbers and flags go into the snapshot's fields. The
// result-folder list is modelled as the window keeps it: it is refilled whenever the
// ImagesFolder text changes to a non-blank one (one entry for a root, else two: the parent and
// the folder itself), keeping its selection when still valid and selecting entry 0 otherwise.
class TSnapshotTarget : public TSettingsTarget {
 public:
  // `snapshot` must outlive the target; the result-folder list starts as its ImagesFolder would
  // have filled it (empty for a blank folder).
  explicit TSnapshotTarget(TSettingsSnapshot& snapshot);

  void ApplyText(const TSettingRow& row, const std::string& text) override;
  std::string ControlText(const TSettingRow& row) override;
  void ApplyFlag(const TSettingRow& row, bool checked) override;
  void ApplySpinValue(const TSettingRow& row, int value) override;
  void ApplyRadio(const TSettingRow& row, int which) override;
  int ItemCount(const TSettingRow& row) override;
  void SelectIndex(const TSettingRow& row, int index) override;

 private:
  void RefillResultFolderList();

  TSettingsSnapshot& snapshot_;
  int resultFolderEntries_ = 0;
};

// The number of entries the result-folder list gets for an images folder text: 0 for a blank
// text (the list then keeps what it had), 1 when the folder is a root ("/"), 2 otherwise.
int ResultFolderEntryCount(const std::string& imagesFolderText);

}  // namespace zetgallery
