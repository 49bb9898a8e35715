// StatusOf: the status of a result whether it carries a value or not, so that a test states the
// failure it expects the same way for both: EXPECT_EQ(StatusOf(registry.ReadInteger("N")), ...).
#pragma once

#include "util/Status.h"

namespace zetgallery {

inline const TStatus& StatusOf(const TStatus& status) { return status; }

template <class T>
const TStatus& StatusOf(const TStatusOr<T>& result) {
  return result.status();
}

}  // namespace zetgallery
