// Tests of the decode budget: the pixel limit, the cost estimate, the admission of decodes, and
// the thumbnail maker decoding under it.
#include "gallery/DecodeBudget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <limits>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>
#include <vips/vips8>

#include "TestPictures.h"
#include "ThumbnailFiles.h"
#include "gallery/Thumbnailer.h"
#include "support/CaseNames.h"
#include "support/TempFolder.h"

namespace zetgallery {

namespace {

using namespace std::chrono_literals;

struct TLimitCase {
  int64_t width, height;
  bool exceeds;
};

void PrintTo(const TLimitCase& c, std::ostream* os) { PrintCase(os, c.width, c.height, c.exceeds); }

class PixelLimitTest : public ::testing::TestWithParam<TLimitCase> {};

TEST_P(PixelLimitTest, RefusesOnlyWhatIsOver16384Squared) {
  EXPECT_EQ(ExceedsPixelLimit(GetParam().width, GetParam().height), GetParam().exceeds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PixelLimitTest,
    ::testing::Values(TLimitCase{16384, 16384, false}, TLimitCase{16385, 16384, true},
                      TLimitCase{16384, 16385, true}, TLimitCase{268435456, 1, false},
                      TLimitCase{1, 268435457, true}, TLimitCase{65535, 4096, false},
                      TLimitCase{65535, 4097, true},
                      TLimitCase{4294967296, 4294967296, true},  // overflows
                      TLimitCase{0, 4294967296, false}, TLimitCase{-1, 1, false}),
    CaseNamesBy(&TLimitCase::width, &TLimitCase::height));

struct TShrinkCase {
  int64_t width, height;
  int targetWidth, targetHeight;
  int shrink;
};

void PrintTo(const TShrinkCase& c, std::ostream* os) {
  PrintCase(os, c.width, c.height, c.targetWidth, c.targetHeight, c.shrink);
}

class JpegShrinkTest : public ::testing::TestWithParam<TShrinkCase> {};

TEST_P(JpegShrinkTest, LeavesAtLeastAFactorOfTwo) {
  const TShrinkCase& c = GetParam();
  EXPECT_EQ(JpegShrinkOnLoad(c.width, c.height, c.targetWidth, c.targetHeight), c.shrink);
}

INSTANTIATE_TEST_SUITE_P(Cases, JpegShrinkTest,
                         ::testing::Values(TShrinkCase{4000, 3000, 120, 90, 8},
                                           TShrinkCase{1920, 1440, 120, 90, 8},  // exactly 16
                                           TShrinkCase{1919, 1440, 120, 90, 4},
                                           TShrinkCase{960, 720, 120, 90, 4},  // exactly 8
                                           TShrinkCase{959, 720, 120, 90, 2},
                                           TShrinkCase{480, 360, 120, 90, 2},  // exactly 4
                                           TShrinkCase{479, 360, 120, 90, 1},
                                           TShrinkCase{100, 50, 100, 50, 1},
                                           // the smaller of the two shrinks decides
                                           TShrinkCase{4000, 400, 120, 90, 2},
                                           TShrinkCase{800, 600, 0, 0, 1}),
                         CaseNamesBy(&TShrinkCase::width, &TShrinkCase::height,
                                     &TShrinkCase::targetWidth, &TShrinkCase::targetHeight));

struct TCostCase {
  const char* label;
  TDecodeFacts facts;
  int targetWidth, targetHeight;
  uint64_t cost;
};

void PrintTo(const TCostCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.targetWidth, c.targetHeight, c.cost);
}

class DecodeCostTest : public ::testing::TestWithParam<TCostCase> {};

TEST_P(DecodeCostTest, CountsThePixelsTheDecodeHolds) {
  const TCostCase& c = GetParam();
  EXPECT_EQ(DecodeCostFor(c.facts, c.targetWidth, c.targetHeight), c.cost);
}

// The model against the image library's own figures: the extra peak memory (maximum resident
// size less that of a tiny picture) of a build of one picture on one thread, in MB, is noted
// beside the cases measured on the photos of Debian's wallpaper packages.
constexpr uint64_t kRgbRows = 3 * 4 * 384;  // bytes a decoded pixel of width costs, 3 bands
INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeCostTest,
    ::testing::Values(
        TCostCase{"BaselineJpegShrinksByEight",
                  {4000, 3000, 3, 1, true, false, 4},
                  120,
                  90,
                  500u * kRgbRows},
        // Measured 1 MB for 4096 x 2304 to 120, 26 MB for 6028 x 3391 to 1600 (no shrink).
        TCostCase{"BaselineJpegToADisplayCopy",
                  {6000, 4000, 3, 1, true, false, 4},
                  1600,
                  1067,
                  6000u * kRgbRows},
        TCostCase{"ProgressiveJpeg420IsWhole",
                  {4000, 3000, 3, 1, true, true, 4},
                  120,
                  90,
                  // 1 + 2/4 coefficients a pixel, 2 bytes each; measured 3.0 bytes a pixel
                  4000u * 3000u * 3u + 500u * kRgbRows},
        TCostCase{"ProgressiveJpeg444HoldsTwoBytesASample",
                  {4000, 3000, 3, 1, true, true, 1},
                  120,
                  90,
                  // measured 95 MB for 4096 x 4096: 5.9 bytes a pixel
                  4000u * 3000u * 6u + 500u * kRgbRows},
        TCostCase{"ProgressiveJpeg422",
                  {4000, 3000, 3, 1, true, true, 2},
                  120,
                  90,
                  // measured 68 MB for 5640 x 3172: 3.9 bytes a pixel
                  4000u * 3000u * 4u + 500u * kRgbRows},
        TCostCase{"ProgressiveGreyJpeg",
                  {4000, 3000, 1, 1, true, true, 1},
                  120,
                  90,
                  4000u * 3000u * 2u + 500u * 4u * 384u},
        TCostCase{
            "PartialBlocksRoundUp", {4001, 3001, 1, 1, true, false}, 120, 90, 501u * 4u * 384u},
        TCostCase{
            "CmykJpegHasFourBands", {960, 720, 4, 1, true, false}, 120, 90, 240u * 16u * 384u},
        // Measured 30 MB for 3700 x 2400 with alpha to 120, 45 MB to 1600.
        TCostCase{"PngWithAlphaKeepsMoreRows",
                  {3700, 2400, 4, 1, false, false, 1, true},
                  120,
                  78,
                  3700u * 16u * 800u},
        TCostCase{"PngWithAlphaToADisplayCopy",
                  {3700, 2400, 4, 1, false, false, 1, true},
                  1600,
                  1038,
                  3700u * 16u * 800u},
        TCostCase{"SixteenBitSamplesAreResizedAsFloats",
                  {100, 100, 3, 2, false, false},
                  50,
                  50,
                  100u * kRgbRows},
        TCostCase{"HundredMegapixelProgressive",
                  {10000, 10000, 3, 1, true, true, 4},
                  120,
                  120,
                  300000000u + 1250u * kRgbRows},
        TCostCase{"NoPixels", {0, 3000, 3, 1, false, false}, 120, 90, 0u}),
    [](const auto& info) { return std::string(info.param.label); });

// JPEG files cut short after their frame header: SOI, an APP0 segment, then SOFn.
std::string JpegHead(unsigned char frameMarker, std::vector<unsigned char> factors) {
  std::string bytes = {'\xFF', '\xD8', '\xFF', '\xE0', 0, 6, 'J', 'F', 'I', 'F'};
  const auto components = static_cast<char>(factors.size());
  const auto length = static_cast<char>(8 + 3 * factors.size());
  bytes += {'\xFF', static_cast<char>(frameMarker), 0, length, 8, 0, 16, 0, 16, components};
  for (size_t c = 0; c < factors.size(); ++c)
    bytes += {static_cast<char>(c + 1), static_cast<char>(factors[c]), 0};
  return bytes;
}

struct TShareCase {
  const char* label;
  std::string bytes;
  int share;
};

void PrintTo(const TShareCase& c, std::ostream* os) { PrintCase(os, c.label, c.share); }

int64_t ReadString(const void* context, uint64_t offset, void* buffer, size_t size) {
  const auto& bytes = *static_cast<const std::string*>(context);
  if (offset >= bytes.size()) return 0;
  const size_t got = std::min(size, bytes.size() - offset);
  std::memcpy(buffer, bytes.data() + offset, got);
  return static_cast<int64_t>(got);
}

class JpegChromaShareTest : public ::testing::TestWithParam<TShareCase> {};

TEST_P(JpegChromaShareTest, ComesFromTheFrameHeader) {
  EXPECT_EQ(JpegChromaShare(ReadString, &GetParam().bytes), GetParam().share);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JpegChromaShareTest,
    ::testing::Values(
        TShareCase{"Progressive420", JpegHead(0xC2, {0x22, 0x11, 0x11}), 4},
        TShareCase{"Progressive422", JpegHead(0xC2, {0x21, 0x11, 0x11}), 2},
        TShareCase{"Progressive440", JpegHead(0xC2, {0x12, 0x11, 0x11}), 2},
        TShareCase{"Baseline444", JpegHead(0xC0, {0x11, 0x11, 0x11}), 1},
        TShareCase{"Grey", JpegHead(0xC2, {0x11}), 1},
        TShareCase{"CmykWithSubsampledColour", JpegHead(0xC1, {0x22, 0x11, 0x11, 0x22}), 4},
        TShareCase{"HuffmanTableIsNoFrame", JpegHead(0xC4, {0x22, 0x11, 0x11}), 0},
        TShareCase{"CutInsideTheFrame", JpegHead(0xC2, {0x22, 0x11, 0x11}).substr(0, 22), 0},
        TShareCase{"NoJpeg", std::string("\x89PNG\r\n\x1a\n", 8), 0},
        TShareCase{"Empty", std::string(), 0}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(DefaultDecodeLimit, IsAtMostOneGibibyte) {
  EXPECT_GT(DefaultDecodeLimit(), 0u);
  EXPECT_LE(DefaultDecodeLimit(), uint64_t{1} << 30);
  EXPECT_LE(DefaultDecodeLimit(), kDecodeLimitCap);
}

TEST(DecodeLimitFor, IsAQuarterOfTheMemoryUnlessSet) {
  constexpr uint64_t kMiB = uint64_t{1} << 20;
  const struct {
    uint64_t memory;
    const char* megabytes;
    uint64_t limit;
  } cases[] = {{256 * kMiB, nullptr, 64 * kMiB}, {uint64_t{1} << 40, "", kDecodeLimitCap},
               {0, nullptr, kDecodeLimitCap},    {256 * kMiB, "1000", 1000 * kMiB},
               {0, "1048576", 1048576 * kMiB},   {0, "99999999999999999999", kDecodeLimitCap},
               {0, "-5", kDecodeLimitCap},       {0, "64MB", kDecodeLimitCap}};
  for (const auto& c : cases)
    EXPECT_EQ(DecodeLimitFor(c.memory, c.megabytes), c.limit) << (c.megabytes ? c.megabytes : "");
}

// Scripts of decodes asking (a cost; kHuge for the largest) and ending (~number) under a limit of
// 100, at most `running` at once when set (one more when it costs at most `small`), and the
// decodes each step admits, the steps separated
// by '|'. Then ending the admitted ones, oldest first, lets every waiting one in: no decode waits
// for ever.
TEST(DecodeQueue, AdmitsUnderTheLimitWithoutStarving) {
  constexpr int64_t kHuge = INT64_MIN;
  const struct {
    std::vector<int64_t> steps;
    const char* admitted;
    int running = 0;
    uint64_t small = 0;
  } cases[] = {{{40, 40, 40, ~0}, "0|1||2"},                  // in order while they fit
               {{500, 10, ~0}, "0||1"},                       // one runs alone however large
               {{70, 80, 20, ~0}, "0||2|1"},                  // a small one passes a large one
               {{90, 50, 5, 5}, "0||2|3"},                    // passers keep their order
               {{60, 80, 50, 30}, "0|||3"},                   // a passer must fit
               {{90, 60, 50, ~0}, "0|||1"},                   // the oldest first when room is freed
               {{90, 60, 30, ~0}, "0|||1,2"},                 // freed room takes several
               {{50, 80, 30, ~0, 30, 10, ~2}, "0||2|||4|1"},  // then only smaller ones pass
               {{50, 90, 40, ~0, 20, ~3}, "0||2||3|"},        // a smaller one passes a passer
               {{10, kHuge, ~0}, "0||1"},  // a cost near the top does not wrap around
               {{100, 0}, "0|1"},
               {{10, 10, 10, ~0}, "0|1||2", 2},          // no more at once than allowed
               {{90, 60, 5, 5, ~2}, "0||2||3", 2},       // a waiting small one fills in
               {{90, 60, 5, 5, ~0}, "0||2||1", 2},       // the oldest first when a place frees
               {{500, 10, 10, ~0}, "0|||1,2", 3},        // a large one still runs alone
               {{10, 10, 5, 5, ~0}, "0|1|2||3", 2, 8},   // one more at once when it is small
               {{10, 10, 20, 5, ~3}, "0|1||3|", 2, 8}};  // a large one waits for a place
  for (const auto& c : cases) {
    TDecodeQueue queue(100);
    queue.SetMaxRunning(c.running, c.small);
    std::vector<bool> seen;
    std::string trace;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const int64_t step = c.steps[i];
      if (step >= 0 || step == kHuge) {
        queue.Ask(step == kHuge ? UINT64_MAX : static_cast<uint64_t>(step));
        seen.push_back(false);
      } else {
        queue.Finish(static_cast<uint64_t>(~step));
      }
      std::string admitted;
      for (uint64_t n = 0; n < seen.size(); ++n) {
        if (seen[n] || !queue.Admitted(n)) continue;
        admitted += (admitted.empty() ? "" : ",") + std::to_string(n);
        seen[n] = true;
      }
      trace += (i > 0 ? "|" : "") + admitted;
      EXPECT_TRUE(queue.InUse() <= 100 || queue.Running() == 1) << c.admitted;
      EXPECT_TRUE(c.running == 0 || queue.Running() <= c.running + (c.small > 0 ? 1 : 0))
          << c.admitted;
    }
    EXPECT_EQ(trace, c.admitted);
    for (int round = 0; round < 20 && queue.Waiting() > 0; ++round)
      for (uint64_t n = 0; n < seen.size(); ++n)
        if (queue.Admitted(n)) queue.Finish(n);
    EXPECT_EQ(queue.Waiting(), 0) << c.admitted;
  }
}

// A running decode that shrinks to what it still holds lets in the waiting ones that now fit
// beside it; a cost never grows, and a decode that does not run has nothing to shrink.
TEST(DecodeQueue, AShrunkDecodeMakesRoom) {
  const struct {
    uint64_t shrinkTo;
    bool shrinkTheWaiting, admitted;
    uint64_t inUse;
  } cases[] = {
      {10, false, true, 60}, {60, false, false, 60}, {95, false, false, 90}, {0, true, false, 90}};
  for (const auto& c : cases) {
    TDecodeQueue queue(100);
    const uint64_t first = queue.Ask(90);
    const uint64_t second = queue.Ask(50);
    queue.Shrink(c.shrinkTheWaiting ? second : first, c.shrinkTo);
    EXPECT_EQ(queue.Admitted(second), c.admitted) << c.shrinkTo;
    EXPECT_EQ(queue.InUse(), c.inUse) << c.shrinkTo;
  }
}

// A decode asked for on its own thread; `Admitted` turns true once the budget lets it run.
class TAsker {
 public:
  TAsker(TDecodeBudget& budget, uint64_t cost)
      : budget_(budget), cost_(cost), thread_([this] {
          const TDecodeTicket ticket = budget_.Acquire(cost_);
          std::lock_guard<std::mutex> lock(mutex_);
          ticket_ = ticket;
          admitted_ = true;
          changed_.notify_all();
        }) {}
  ~TAsker() {
    // A test that failed may leave this decode held back: let it in, so that the test ends.
    if (!Admitted()) budget_.SetLimit(std::numeric_limits<uint64_t>::max());
    thread_.join();
    budget_.Release(ticket_);
  }
  bool Admitted() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return admitted_;
  }
  // Waits up to ten seconds for the admission: far longer than a loaded machine needs.
  bool WaitAdmitted() const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, 10s, [this] { return admitted_; });
  }

 private:
  TDecodeBudget& budget_;
  uint64_t cost_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  bool admitted_ = false;
  TDecodeTicket ticket_;
  std::thread thread_;  // last: it starts once the members above exist
};

// Waits up to ten seconds until `count` decodes are held back by `budget`. The budget has no
// event to wait on, so its count is polled; a held-back decode stays held back until the test
// lets it in, so the test cannot be early.
bool WaitUntilWaiting(const TDecodeBudget& budget, int count) {
  for (int i = 0; i < 10000 && budget.Waiting() < count; ++i) std::this_thread::sleep_for(1ms);
  return budget.Waiting() == count;
}

TEST(DecodeBudget, AdmitsDecodesTogetherOnlyWhileTheyFit) {
  TDecodeBudget budget(100);
  const TDecodeTicket held = budget.Acquire(60);
  {
    TAsker fits(budget, 40);
    EXPECT_TRUE(fits.WaitAdmitted());
    TAsker over(budget, 1);
    ASSERT_TRUE(WaitUntilWaiting(budget, 1));
    EXPECT_FALSE(over.Admitted()) << "101 of 100 admitted";
    budget.Release(held);
    EXPECT_TRUE(over.WaitAdmitted());
  }
  EXPECT_EQ(budget.PeakRunning(), 2);
  EXPECT_EQ(budget.Waiting(), 0);
}

TEST(DecodeBudget, OneDecodeAlwaysRunsHoweverLarge) {
  TDecodeBudget budget(100);
  {
    TAsker huge(budget, 1000000);
    EXPECT_TRUE(huge.WaitAdmitted());
  }
  budget.Release(budget.Acquire(100));  // nothing is left in use by the large one
}

TEST(DecodeBudget, ALargeDecodeIsNotPassedOverBySmallOnes) {
  TDecodeBudget budget(100);
  const TDecodeTicket held = budget.Acquire(50);
  TAsker large(budget, 80);
  ASSERT_TRUE(WaitUntilWaiting(budget, 1));
  {
    TAsker small(budget, 30);  // fits beside the first, which the large one waits for anyway
    EXPECT_TRUE(small.WaitAdmitted());
    budget.Release(held);
    TAsker later(budget, 30);  // fits too, but as large as the one running: it could outlast it
    ASSERT_TRUE(WaitUntilWaiting(budget, 2));
    EXPECT_FALSE(large.Admitted());
    EXPECT_FALSE(later.Admitted());
  }  // the small one ends
  EXPECT_TRUE(large.WaitAdmitted());
}

// Room made while a decode waits wakes it: a raised limit, or a running decode that shrinks.
TEST(DecodeBudget, RoomMadeLetsWaitingDecodesIn) {
  for (const bool shrink : {false, true}) {
    TDecodeBudget budget(100);
    const TDecodeTicket held = budget.Acquire(100);
    TAsker waiting(budget, 90);
    ASSERT_TRUE(WaitUntilWaiting(budget, 1));
    EXPECT_FALSE(waiting.Admitted());
    if (shrink)
      budget.Shrink(held, 10);
    else
      budget.SetLimit(200);
    EXPECT_TRUE(waiting.WaitAdmitted()) << shrink;
    budget.Release(held);
  }
}

TEST(DecodeBudget, HoldsTheDecodesAtOnceForAScope) {
  TDecodeBudget budget(100);
  const TDecodeTicket held = budget.Acquire(10);
  auto one = std::make_optional<TDecodeRunningLimit>(budget, 1);
  TAsker second(budget, 10);  // fits, but only one may run
  ASSERT_TRUE(WaitUntilWaiting(budget, 1));
  EXPECT_FALSE(second.Admitted());
  one.reset();  // the earlier number, none, is restored
  EXPECT_TRUE(second.WaitAdmitted());
  budget.Release(held);
}

// Progressive JPEGs are decoded whole: with room for one at a time, thumbnails made on several
// threads must decode one after another.
TEST(CreateThumbnailFile, DecodesUnderTheProcessBudget) {
  TTempFolder folder;
  std::vector<std::string> pictures;
  StartTestPictures();
  for (int i = 0; i < 6; ++i) {
    const std::string path = folder / ("p" + std::to_string(i) + ".jpg");
    ASSERT_TRUE(MakeTestPicture(folder / "plain.png", 600, 400));
    vips::VImage::new_from_file((folder / "plain.png").c_str())
        .jpegsave(path.c_str(), vips::VImage::option()->set("interlace", true));
    pictures.push_back(path);
  }
  TDecodeBudget& budget = ThumbnailDecodeBudget();
  const uint64_t limit = budget.Limit();
  const uint64_t one = DecodeCostFor({600, 400, 3, 1, true, true, 4}, 120, 80);
  budget.SetLimit(one + one / 3);  // one and a third pictures
  budget.ResetPeak();
  std::atomic<int> made{0};
  {
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t) {
      threads.emplace_back([&, t] {
        for (int i = t; i < 6; i += 3) {
          if (WriteThumbnailFile(pictures[i], pictures[i] + ".thumb.jpg", 120, 120, {}).ok())
            ++made;
        }
      });
    }
    for (std::thread& thread : threads) thread.join();
  }
  const int peak = budget.PeakRunning();
  budget.SetLimit(limit);
  EXPECT_EQ(made, 6);
  EXPECT_EQ(peak, 1);
}

}  // namespace

}  // namespace zetgallery
