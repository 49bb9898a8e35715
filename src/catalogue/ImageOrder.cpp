// ImageOrder: sorting by a key read from each picture once, with the name to break ties.
#include "catalogue/ImageOrder.h"

#include <algorithm>
#include <optional>
#include <tuple>

#include "catalogue/PictureFacts.h"
#include "util/ZetPlatform.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

using TKey = std::tuple<int64_t, int64_t>;

std::optional<TKey> DateKey(const std::string& path) {
  const TDateTaken d = ReadPictureFacts(path).taken;
  if (!d.valid) return std::nullopt;
  return TKey{((d.year * 16LL + d.month) * 32 + d.day), (d.hour * 60LL + d.minute) * 61 + d.second};
}

std::optional<TKey> ModificationKey(const std::string& path) {
  TFileStatus status;
  if (!ReadFileStatus(path, status)) return std::nullopt;
  return TKey{status.modified.seconds, status.modified.nanoseconds};
}

}  // namespace

std::vector<std::string> OrderedImages(const std::vector<std::string>& names,
                                       const std::string& folder, TImageOrder order,
                                       bool descending) {
  std::vector<std::string> sorted = names;
  SortForSortedList(sorted);
  if (order == TImageOrder::Name) {
    if (descending) std::reverse(sorted.begin(), sorted.end());
    return sorted;
  }
  struct TEntry {
    std::optional<TKey> key;
    size_t byName;  // the place in name order
  };
  std::vector<TEntry> entries;
  entries.reserve(sorted.size());
  for (size_t i = 0; i < sorted.size(); ++i) {
    const std::string path = folder + sorted[i];
    entries.push_back({order == TImageOrder::DateTaken ? DateKey(path) : ModificationKey(path), i});
  }
  std::stable_sort(entries.begin(), entries.end(), [descending](const TEntry& a, const TEntry& b) {
    if (a.key.has_value() != b.key.has_value()) return a.key.has_value();
    if (!a.key || *a.key == *b.key) return false;  // stable: name order stays
    return descending ? *b.key < *a.key : *a.key < *b.key;
  });
  std::vector<std::string> result;
  result.reserve(entries.size());
  for (const TEntry& entry : entries) result.push_back(sorted[entry.byName]);
  return result;
}

}  // namespace zetgallery
