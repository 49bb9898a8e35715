// DecodeBudget: the admission of decodes under a memory limit. Tickets keep the order of arrival,
// so a large picture is not passed over for ever by a stream of small ones.
#include "DecodeBudget.h"

#include <algorithm>

#include "util/ZetPlatform.h"

namespace zetgallery {

bool ExceedsPixelLimit(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0) return false;
  // Divided rather than multiplied: a header may claim sides whose product overflows.
  return width > kMaxPicturePixels / height;
}

int JpegShrinkOnLoad(int64_t width, int64_t height, int targetWidth, int targetHeight) {
  if (targetWidth <= 0 || targetHeight <= 0) return 1;
  const double shrink = std::min(static_cast<double>(width) / targetWidth,
                                 static_cast<double>(height) / targetHeight);
  if (shrink >= 16) return 8;
  if (shrink >= 8) return 4;
  if (shrink >= 4) return 2;
  return 1;
}

uint64_t DecodeCostFor(const TDecodeFacts& facts, int targetWidth, int targetHeight) {
  if (facts.width <= 0 || facts.height <= 0) return 0;
  int64_t width = facts.width;
  int64_t height = facts.height;
  const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (facts.jpeg && facts.progressive) {
    const uint64_t share = static_cast<uint64_t>(std::max(1, facts.chromaShare));
    const uint64_t bands = static_cast<uint64_t>(std::max(1, facts.bands));
    return pixels * 2 * (share + bands - 1) / share;
  }
  if (facts.jpeg) {
    const int factor = JpegShrinkOnLoad(width, height, targetWidth, targetHeight);
    width = (width + factor - 1) / factor;
    height = (height + factor - 1) / factor;
  }
  return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) *
         static_cast<uint64_t>(std::max(1, facts.bands)) *
         static_cast<uint64_t>(std::max(1, facts.bytesPerSample));
}

uint64_t DefaultDecodeLimit() {
  constexpr uint64_t kAtMost = uint64_t{1} << 30;
  const uint64_t memory = PhysicalMemoryBytes();
  if (memory == 0) return kAtMost;
  return std::min(memory / 4, kAtMost);
}

void TDecodeBudget::Acquire(uint64_t cost) {
  std::unique_lock<std::mutex> lock(mutex_);
  const uint64_t ticket = nextTicket_++;
  // Raised and lowered under one hold of the lock unless the wait blocks: a decode seen waiting
  // is one held back.
  ++waiting_;
  changed_.wait(lock, [this, ticket, cost] {
    return ticket == serving_ &&
           (running_ == 0 || (inUse_ + cost <= limit_ && inUse_ + cost >= inUse_));
  });
  --waiting_;
  inUse_ += cost;
  ++running_;
  peakRunning_ = std::max(peakRunning_, running_);
  ++serving_;
  // The next ticket may fit beside this one.
  changed_.notify_all();
}

void TDecodeBudget::Release(uint64_t cost) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    inUse_ -= std::min(cost, inUse_);
    --running_;
  }
  changed_.notify_all();
}

void TDecodeBudget::SetLimit(uint64_t limit) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    limit_ = limit;
  }
  changed_.notify_all();
}

uint64_t TDecodeBudget::Limit() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return limit_;
}

int TDecodeBudget::PeakRunning() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return peakRunning_;
}

int TDecodeBudget::Waiting() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return waiting_;
}

void TDecodeBudget::ResetPeak() {
  std::lock_guard<std::mutex> lock(mutex_);
  peakRunning_ = running_;
}

TDecodeBudget& ThumbnailDecodeBudget() {
  static TDecodeBudget budget(DefaultDecodeLimit());
  return budget;
}

}  // namespace zetgallery
