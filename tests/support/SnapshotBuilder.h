// SnapshotBuilder: the settings snapshots of the tests. Every one starts from the window's values
// when it is created, written out by hand in one place as an oracle independent of the settings
// table; a test's snapshot is then told by how it differs from them.
#pragma once

#include <string>
#include <utility>

#include "settings/SettingsSnapshot.h"

namespace zetgallery {

// TSnapshotBuilder().FirstStart(pictures, templates).Set(&TSettingsSnapshot::HtmlNames, 1).Build()
class TSnapshotBuilder {
 public:
  // The window's values when it is created: the layout's.
  TSnapshotBuilder();

  // The values every control holds after the program's first start, with `imagesFolder` as the
  // images folder and the templates and button pictures in `templatesFolder` (which ends in a
  // separator).
  TSnapshotBuilder& FirstStart(const std::string& imagesFolder, const std::string& templatesFolder);

  // One setting changed.
  template <class Field, class Value>
  TSnapshotBuilder& Set(Field TSettingsSnapshot::*field, Value&& value) {
    snapshot_.*field = std::forward<Value>(value);
    return *this;
  }

  const TSettingsSnapshot& Build() const { return snapshot_; }

 private:
  TSettingsSnapshot snapshot_;
};

}  // namespace zetgallery
