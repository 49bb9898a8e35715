// DecodeBudget: what decoding a picture may cost, judged from its header before any pixel is
// read, and a process-wide limit on the memory of the decodes that run at the same time.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>

namespace zetgallery {

// Pictures with more pixels than 16384 x 16384 are refused unread: a few hundred bytes of header
// could otherwise claim gigabytes of pixels.
constexpr int64_t kMaxPicturePixels = 268435456;

// True when `width` x `height` is over kMaxPicturePixels.
bool ExceedsPixelLimit(int64_t width, int64_t height);

// What the header says about the pixels a decode produces, in stored (not upright) orientation.
struct TDecodeFacts {
  int64_t width = 0;
  int64_t height = 0;
  int bands = 0;
  int bytesPerSample = 1;
  bool jpeg = false;         // shrinks while decoding
  bool progressive = false;  // a progressive JPEG holds all its coefficients while decoding
  int chromaShare = 1;  // pixels that share one colour sample of a JPEG (4 for 4:2:0, 1 for 4:4:4)
  bool alpha = false;   // the last band is transparency
};

// Pixels that share one colour sample in a JPEG whose frame header (SOF) the segments read by
// `readAt` hold: the largest horizontal times vertical sampling factor over a colour component's
// own (1 for 4:4:4, 2 for 4:2:2 and 4:4:0, 4 for 4:2:0). `readAt(offset, buffer, size)` returns the
// bytes read, fewer at the end of the file. 0 when the file is no JPEG or its frame header cannot
// be found in the first segments. (The image library names every subsampled JPEG "4:2:0", which
// halves the colour of a 4:2:2 picture.)
using TReadAt = int64_t (*)(const void* context, uint64_t offset, void* buffer, size_t size);
int JpegChromaShare(TReadAt readAt, const void* context);

// The block shrink a baseline JPEG decoder is asked for (1, 2, 4 or 8) when the picture of
// `width` x `height` is made `targetWidth` x `targetHeight`: the largest that leaves at least a
// factor of two for the final resize.
int JpegShrinkOnLoad(int64_t width, int64_t height, int targetWidth, int targetHeight);

// Bytes a decode holds at its peak beyond the process's own, as measured with the image library's
// streaming decode and resize: rows of the decoded picture (its width divided by a JPEG's
// shrink-on-load factor), 384 rows of floating-point samples, 800 with an alpha band, which is
// resized premultiplied. The output is written as it is made and costs no more. A progressive
// JPEG also holds every DCT coefficient of the picture, two bytes each, for the brightness band
// at every pixel and for the others at every `chromaShare` pixels. The target size is in the
// picture's stored orientation.
uint64_t DecodeCostFor(const TDecodeFacts& facts, int targetWidth, int targetHeight);

// A quarter of the physical memory, at most kDecodeLimitCap: on the wallpapers of Debian's
// packages (1 to 24 megapixels, a third of them progressive JPEGs) a build on two cores then
// peaks under 200 MB, with or without display copies.
inline constexpr uint64_t kDecodeLimitCap = uint64_t{128} << 20;
// The limit for a machine of `physicalMemory` bytes (0: unknown). `megabytes`, when it holds a
// whole number from 1 to 1048576, sets it instead (benchmarks compare builds with the limit
// lifted); anything else is ignored.
uint64_t DecodeLimitFor(uint64_t physicalMemory, const char* megabytes);
// The limit for this machine; the ZETGALLERY_DECODE_LIMIT_MB variable sets it in megabytes.
uint64_t DefaultDecodeLimit();

// The order in which decodes are admitted under a limit, without threads: the rule that
// TDecodeBudget makes its callers wait on. The sum of the admitted costs never exceeds the limit,
// except that one decode is admitted when none runs, however large. Decodes are admitted in the
// order they ask while they fit. When the oldest waiting one does not fit, a later one that fits
// may pass it while a decode admitted before the oldest asked still runs (the oldest waits for
// that one anyway), and after that only if it is smaller than a decode that runs: so a small
// decode keeps a core busy beside a large one without holding up the oldest. No decode waits for
// ever. A queue may also hold the decodes that run at once to a number (the cores they share):
// then decodes that wait with their costs known are the ones it chooses from, in the same order.
class TDecodeQueue {
 public:
  explicit TDecodeQueue(uint64_t limit) : limit_(limit) {}

  // A decode of `cost` bytes asks; returns its number (0, 1, 2 ... in the order of asking). It
  // may be admitted at once.
  uint64_t Ask(uint64_t cost);
  // The decode numbered `number` ends; nothing happens when it does not run.
  void Finish(uint64_t number);
  // The running decode numbered `number` now holds only `cost` bytes (its pixels are decoded and
  // only its result is held); waiting decodes that fit now are admitted. A cost never grows.
  void Shrink(uint64_t number, uint64_t cost);
  // True once the decode has been admitted (and after it has finished).
  bool Admitted(uint64_t number) const;
  // Changes the limit; waiting decodes that fit now are admitted.
  void SetLimit(uint64_t limit);
  uint64_t Limit() const { return limit_; }
  // At most `count` decodes run at once (0: any number that fits), and one more when it costs at
  // most `smallCost`; waiting ones are admitted when it is raised.
  void SetMaxRunning(int count, uint64_t smallCost = 0);
  int MaxRunning() const { return maxRunning_; }
  uint64_t SmallCost() const { return smallCost_; }
  // The sum of the costs of the decodes admitted and not finished.
  uint64_t InUse() const { return inUse_; }
  int Running() const { return static_cast<int>(running_.size()); }
  int Waiting() const { return static_cast<int>(waiting_.size()); }
  // The most decodes admitted at one time since the last ResetPeak.
  int PeakRunning() const { return peakRunning_; }
  void ResetPeak();

 private:
  struct TAsked {
    uint64_t number;
    uint64_t cost;
  };
  // Whether a fitting decode of `cost` may pass the oldest waiting one, numbered `blocked`.
  bool MayPass(uint64_t blocked, uint64_t cost) const;
  void AdmitWaiting();

  uint64_t limit_;
  int maxRunning_ = 0;
  uint64_t smallCost_ = 0;
  uint64_t inUse_ = 0;
  uint64_t nextNumber_ = 0;
  std::deque<TAsked> waiting_;            // in the order of asking
  std::map<uint64_t, uint64_t> running_;  // number -> cost
  int peakRunning_ = 0;
};

// One admitted decode, handed back to TDecodeBudget::Release.
struct TDecodeTicket {
  uint64_t number = 0;
};

// Makes decodes wait for their admission by a TDecodeQueue. Safe from any thread.
class TDecodeBudget {
 public:
  explicit TDecodeBudget(uint64_t limit) : queue_(limit) {}
  TDecodeBudget(const TDecodeBudget&) = delete;
  TDecodeBudget& operator=(const TDecodeBudget&) = delete;

  // Waits until the decode of `cost` bytes may run. Every Acquire is matched by one Release.
  TDecodeTicket Acquire(uint64_t cost);
  void Release(const TDecodeTicket& ticket);
  // The admitted decode now holds only `cost` bytes.
  void Shrink(const TDecodeTicket& ticket, uint64_t cost);

  // Changes the limit for decodes that have not been admitted yet.
  void SetLimit(uint64_t limit);
  uint64_t Limit() const;
  // At most `count` decodes run at once (0: any number that fits), and one more when it costs at
  // most `smallCost`.
  void SetMaxRunning(int count, uint64_t smallCost = 0);
  int MaxRunning() const;
  uint64_t SmallCost() const;
  // The most decodes admitted at one time since the last ResetPeak.
  int PeakRunning() const;
  // Decodes that asked and are not admitted yet.
  int Waiting() const;
  void ResetPeak();

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  TDecodeQueue queue_;
};

// The budget every thumbnail of this process decodes under, at DefaultDecodeLimit().
TDecodeBudget& ThumbnailDecodeBudget();

// Holds `budget` to at most `count` decodes at once, and one more of at most `smallCost`, for the
// length of a scope (a build whose workers outnumber its cores); the earlier numbers are restored
// at its end.
class TDecodeRunningLimit {
 public:
  TDecodeRunningLimit(TDecodeBudget& budget, int count, uint64_t smallCost = 0);
  ~TDecodeRunningLimit();
  TDecodeRunningLimit(const TDecodeRunningLimit&) = delete;
  TDecodeRunningLimit& operator=(const TDecodeRunningLimit&) = delete;

 private:
  TDecodeBudget& budget_;
  int previous_;
  uint64_t previousSmall_;
};

// Holds an admission for the length of a scope.
class TDecodeAdmission {
 public:
  TDecodeAdmission(TDecodeBudget& budget, uint64_t cost)
      : budget_(budget), ticket_(budget.Acquire(cost)) {}
  ~TDecodeAdmission() { budget_.Release(ticket_); }
  // The decode is done and only its result, of `cost` bytes, is still held.
  void ShrinkTo(uint64_t cost) { budget_.Shrink(ticket_, cost); }
  TDecodeAdmission(const TDecodeAdmission&) = delete;
  TDecodeAdmission& operator=(const TDecodeAdmission&) = delete;

 private:
  TDecodeBudget& budget_;
  TDecodeTicket ticket_;
};

}  // namespace zetgallery
