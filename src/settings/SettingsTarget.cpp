#include "settings/SettingsTarget.h"

#include <cassert>

#include "util/ZetFileUtils.h"
#include "util/ZetStrings.h"

namespace zetgallery {

int ResultFolderEntryCount(const std::string& imagesFolderText) {
  if (TrimControlAndBlanks(imagesFolderText).empty()) return 0;
  const std::string folder = NormalizeFolderPath(StripQuotes(imagesFolderText));
  // A root keeps its separator after normalising and has no parent to offer.
  if (folder.empty() || folder.back() == PathSeparator()) return 1;
  return 2;
}

TSnapshotTarget::TSnapshotTarget(TSettingsSnapshot& snapshot)
    : snapshot_(snapshot), resultFolderEntries_(ResultFolderEntryCount(snapshot.ImagesFolder)) {}

void TSnapshotTarget::ApplyText(const TSettingRow& row, const std::string& text) {
  assert(row.Text != nullptr);
  std::string& field = snapshot_.*row.Text;
  if (field == text) return;  // an unchanged text runs no change reaction
  field = text;
  if (row.Text == &TSettingsSnapshot::ImagesFolder) RefillResultFolderList();
}

void TSnapshotTarget::RefillResultFolderList() {
  const int entries = ResultFolderEntryCount(snapshot_.ImagesFolder);
  if (entries == 0) return;  // a blank folder leaves the list as it was
  resultFolderEntries_ = entries;
  int& selected = snapshot_.ResultFolder;
  if (selected < 0 || selected >= entries) selected = 0;
}

std::string TSnapshotTarget::ControlText(const TSettingRow& row) {
  assert(row.Text != nullptr);
  return snapshot_.*row.Text;
}

void TSnapshotTarget::ApplyFlag(const TSettingRow& row, bool checked) {
  assert(row.Check != nullptr);
  snapshot_.*row.Check = checked;
}

void TSnapshotTarget::ApplySpinValue(const TSettingRow& row, int value) {
  assert(row.Number != nullptr);
  snapshot_.*row.Number = value;
}

void TSnapshotTarget::ApplyRadio(const TSettingRow& row, int which) {
  assert(row.Number != nullptr);
  snapshot_.*row.Number = which;
}

int TSnapshotTarget::ItemCount(const TSettingRow& row) {
  if (row.Number == &TSettingsSnapshot::ResultFolder) return resultFolderEntries_;
  return row.ItemCount;
}

void TSnapshotTarget::SelectIndex(const TSettingRow& row, int index) {
  assert(row.Number != nullptr);
  snapshot_.*row.Number = index;
}

}  // namespace zetgallery
