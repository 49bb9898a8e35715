// Tests of the lock around the image library's run-time compiled code: its calls reach the
// locked entry points, so the code stays on, and pipelines compiled and freed on many threads
// at once neither crash nor compute anything else than one thread alone.
#include <gtest/gtest.h>

#include <thread>
#include <vector>
#include <vips/vips8>
// vector.h takes its types from the headers above.
#include <vips/vector.h>

#include "TestPictures.h"
#include "gallery/VectorCodeLock.h"

namespace zetgallery {

namespace {

using vips::VImage;

// A small pipeline whose vertical reduce the library compiles to machine code when it is
// built and frees when the last reference goes: its average, as a thumbnail's pixels would be.
double ReducedAverage(int seed) {
  const VImage ramp = VImage::xyz(16, 48).extract_band(1) + seed;
  return ramp.cast(VIPS_FORMAT_UCHAR).reducev(2.3).avg();
}

TEST(VectorCodeLock, TheLibrarysCallsReachTheLockedEntryPointsAndTheCodeStaysOn) {
  StartTestPictures();
  EXPECT_TRUE(VectorCodeIsLocked());
  EXPECT_TRUE(vips_vector_isenabled());
}

// Without the lock, two pipelines freeing their code at once corrupted liborc's list of code
// blocks: this crashed within a few hundred pipelines.
TEST(VectorCodeLock, PipelinesBuiltAndFreedOnManyThreadsAtOnceGiveOneThreadsResults) {
  StartTestPictures();
  ASSERT_TRUE(vips_vector_isenabled());
  constexpr int kThreads = 6, kEach = 700, kSeeds = 5;
  std::vector<double> alone;
  for (int seed = 0; seed < kSeeds; ++seed) alone.push_back(ReducedAverage(seed));
  std::vector<int> differing(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i)
        if (ReducedAverage(i % kSeeds) != alone[i % kSeeds]) ++differing[t];
    });
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(differing[t], 0) << "thread " << t;
}

}  // namespace

}  // namespace zetgallery
