// DecodeBudget: the admission of decodes under a memory limit. Decodes keep their order of
// arrival unless the oldest cannot run yet; a large picture is not passed over for ever by a
// stream of small ones.
#include "DecodeBudget.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "util/ZetPlatform.h"

namespace zetgallery {

namespace {

// A terabyte: more than any machine this runs on, and far from an overflow when shifted.
constexpr uint64_t kMaxDecodeLimitMegabytes = uint64_t{1} << 20;

}  // namespace

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
  const uint64_t pixels = static_cast<uint64_t>(facts.width) * static_cast<uint64_t>(facts.height);
  const uint64_t bands = static_cast<uint64_t>(std::max(1, facts.bands));
  uint64_t coefficients = 0;
  if (facts.jpeg && facts.progressive) {
    const uint64_t share = static_cast<uint64_t>(std::max(1, facts.chromaShare));
    coefficients = pixels * 2 * (share + bands - 1) / share;
  }
  int64_t decodedWidth = facts.width;
  if (facts.jpeg) {
    const int factor = JpegShrinkOnLoad(facts.width, facts.height, targetWidth, targetHeight);
    decodedWidth = (facts.width + factor - 1) / factor;
  }
  constexpr uint64_t kFloat = 4;
  const uint64_t rows = facts.alpha ? 800 : 384;
  return coefficients + static_cast<uint64_t>(decodedWidth) * bands * kFloat * rows;
}

int JpegChromaShare(TReadAt readAt, const void* context) {
  unsigned char bytes[4];
  if (readAt(context, 0, bytes, 2) != 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) return 0;
  // Segments follow one another, each a marker and a length; the frame header comes before the
  // first scan, after the application segments (EXIF, colour profile), a few dozen at most.
  uint64_t offset = 2;
  for (int segment = 0; segment < 64; ++segment) {
    if (readAt(context, offset, bytes, 4) != 4 || bytes[0] != 0xFF) return 0;
    const int marker = bytes[1];
    const uint64_t length = (uint64_t{bytes[2]} << 8) | bytes[3];
    if (marker == 0xFF) {  // a fill byte before the marker
      ++offset;
      continue;
    }
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      unsigned char header[6 + 3 * 4];
      const int64_t got = readAt(context, offset + 4, header, sizeof header);
      if (got < 6) return 0;
      const int components = header[5];
      if (components < 1 || 6 + 3 * components > got) return components == 1 ? 1 : 0;
      int largest = 1;
      int colour = 0;
      for (int c = 0; c < components; ++c) {
        const unsigned char factors = header[6 + 3 * c + 1];
        const int samples = std::max(1, factors >> 4) * std::max(1, factors & 0x0F);
        largest = std::max(largest, samples);
        if (c > 0) colour = colour == 0 ? samples : std::min(colour, samples);
      }
      return colour == 0 ? 1 : std::max(1, largest / colour);
    }
    if (marker == 0xDA || length < 2) return 0;  // a scan before any frame: broken
    offset += 2 + length;
  }
  return 0;
}

uint64_t DecodeLimitFor(uint64_t physicalMemory, const char* megabytes) {
  if (megabytes != nullptr && *megabytes != '\0') {
    uint64_t value = 0;
    const char* end = megabytes + std::strlen(megabytes);
    const auto [rest, error] = std::from_chars(megabytes, end, value);
    if (error == std::errc() && rest == end && value >= 1 && value <= kMaxDecodeLimitMegabytes)
      return value << 20;
  }
  if (physicalMemory == 0) return kDecodeLimitCap;
  return std::min(physicalMemory / 4, kDecodeLimitCap);
}

uint64_t DefaultDecodeLimit() {
  return DecodeLimitFor(PhysicalMemoryBytes(), std::getenv("ZETGALLERY_DECODE_LIMIT_MB"));
}

uint64_t TDecodeQueue::Ask(uint64_t cost) {
  const uint64_t number = nextNumber_++;
  waiting_.push_back({number, cost});
  AdmitWaiting();
  return number;
}

void TDecodeQueue::Finish(uint64_t number) {
  const auto found = running_.find(number);
  if (found == running_.end()) return;
  inUse_ -= std::min(found->second, inUse_);
  running_.erase(found);
  AdmitWaiting();
}

void TDecodeQueue::Shrink(uint64_t number, uint64_t cost) {
  const auto found = running_.find(number);
  if (found == running_.end() || cost >= found->second) return;
  inUse_ -= found->second - cost;
  found->second = cost;
  AdmitWaiting();
}

bool TDecodeQueue::Admitted(uint64_t number) const {
  return number < nextNumber_ &&
         std::none_of(waiting_.begin(), waiting_.end(),
                      [number](const TAsked& asked) { return asked.number == number; });
}

void TDecodeQueue::SetLimit(uint64_t limit) {
  limit_ = limit;
  AdmitWaiting();
}

void TDecodeQueue::SetMaxRunning(int count, uint64_t smallCost) {
  maxRunning_ = std::max(0, count);
  smallCost_ = smallCost;
  AdmitWaiting();
}

void TDecodeQueue::ResetPeak() { peakRunning_ = Running(); }

bool TDecodeQueue::MayPass(uint64_t blocked, uint64_t cost) const {
  // While a decode older than the blocked one runs (running_ is ordered by number: the first),
  // the blocked one waits for it anyway.
  if (!running_.empty() && running_.begin()->first < blocked) return true;
  // Then only a decode smaller than one that runs, which should end first. The largest running
  // cost never grows this way and shrinks as decodes end, so the blocked one is admitted at the
  // latest when none runs.
  return std::any_of(running_.begin(), running_.end(),
                     [cost](const auto& running) { return cost < running.second; });
}

void TDecodeQueue::AdmitWaiting() {
  // The number of the oldest decode that does not fit, once one is found.
  std::optional<uint64_t> blocked;
  for (auto asked = waiting_.begin(); asked != waiting_.end();) {
    if (maxRunning_ > 0 && Running() > maxRunning_) return;
    if (maxRunning_ > 0 && Running() == maxRunning_ &&
        (smallCost_ == 0 || asked->cost > smallCost_)) {
      // No place for it: it waits without holding up the small ones behind it, and is the
      // first to have a place when one frees.
      ++asked;
      continue;
    }
    const bool fits = inUse_ + asked->cost >= inUse_ && inUse_ + asked->cost <= limit_;
    const bool admit = !blocked ? fits || running_.empty() : fits && MayPass(*blocked, asked->cost);
    if (!admit) {
      if (!blocked) blocked = asked->number;
      ++asked;
      continue;
    }
    inUse_ += asked->cost;
    running_.emplace(asked->number, asked->cost);
    peakRunning_ = std::max(peakRunning_, Running());
    asked = waiting_.erase(asked);
  }
}

TDecodeTicket TDecodeBudget::Acquire(uint64_t cost) {
  std::unique_lock<std::mutex> lock(mutex_);
  const uint64_t number = queue_.Ask(cost);
  if (!queue_.Admitted(number)) {
    changed_.wait(lock, [this, number] { return queue_.Admitted(number); });
  }
  return {number};
}

void TDecodeBudget::Release(const TDecodeTicket& ticket) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.Finish(ticket.number);
  }
  changed_.notify_all();
}

void TDecodeBudget::Shrink(const TDecodeTicket& ticket, uint64_t cost) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.Shrink(ticket.number, cost);
  }
  changed_.notify_all();
}

void TDecodeBudget::SetLimit(uint64_t limit) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.SetLimit(limit);
  }
  changed_.notify_all();
}

uint64_t TDecodeBudget::Limit() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.Limit();
}

void TDecodeBudget::SetMaxRunning(int count, uint64_t smallCost) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.SetMaxRunning(count, smallCost);
  }
  changed_.notify_all();
}

int TDecodeBudget::MaxRunning() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.MaxRunning();
}

uint64_t TDecodeBudget::SmallCost() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.SmallCost();
}

TDecodeRunningLimit::TDecodeRunningLimit(TDecodeBudget& budget, int count, uint64_t smallCost)
    : budget_(budget), previous_(budget.MaxRunning()), previousSmall_(budget.SmallCost()) {
  budget_.SetMaxRunning(count, smallCost);
}

TDecodeRunningLimit::~TDecodeRunningLimit() { budget_.SetMaxRunning(previous_, previousSmall_); }

int TDecodeBudget::PeakRunning() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.PeakRunning();
}

int TDecodeBudget::Waiting() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.Waiting();
}

void TDecodeBudget::ResetPeak() {
  std::lock_guard<std::mutex> lock(mutex_);
  queue_.ResetPeak();
}

TDecodeBudget& ThumbnailDecodeBudget() {
  static TDecodeBudget budget(DefaultDecodeLimit());
  return budget;
}

}  // namespace zetgallery
