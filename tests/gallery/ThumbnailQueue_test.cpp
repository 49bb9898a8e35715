// Tests of the thumbnail worker queue: every job runs once, same-named thumbnails keep their
// order, pending jobs can be dropped.
#include "ThumbnailQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

struct TRecorder {
  std::mutex mutex;
  std::map<std::string, std::vector<std::string>> sourcesByTarget;  // in finishing order
  std::vector<std::string> finished;

  TThumbnailQueue::TMaker Maker() {
    return [this](const TThumbnailJob& job) {
      // Sources named "slow..." take longer, so a later job could overtake them.
      std::this_thread::sleep_for(job.source.rfind("slow", 0) == 0 ? 30ms : 1ms);
      std::lock_guard<std::mutex> lock(mutex);
      sourcesByTarget[job.target].push_back(job.source);
      finished.push_back(job.source);
      return job.source.find("bad") != std::string::npos ? 3 : 0;
    };
  }
};

TThumbnailJob Job(const std::string& source, const std::string& target) {
  TThumbnailJob job;
  job.source = source;
  job.target = target;
  return job;
}

class ThumbnailQueueWorkers : public ::testing::TestWithParam<int> {};

TEST_P(ThumbnailQueueWorkers, RunsEveryJobOnceAndKeepsSameTargetsInOrder) {
  TRecorder recorder;
  {
    TThumbnailQueue queue(GetParam(), recorder.Maker());
    queue.Add(Job("slow-sea.jpg", "_sea.gif"));
    queue.Add(Job("sea.png", "_sea.gif"));
    for (int i = 0; i < 20; ++i) queue.Add(Job("p" + std::to_string(i), "t" + std::to_string(i)));
    queue.Add(Job("slow-bad.jpg", "_x.gif"));
    queue.Add(Job("x.png", "_x.gif"));
    EXPECT_TRUE(queue.WaitFor(10s));
    EXPECT_EQ(queue.Added(), 24);
    EXPECT_EQ(queue.Finished(), 24);
    EXPECT_EQ(queue.Failed(), 1);
  }
  EXPECT_EQ(recorder.finished.size(), 24u);
  EXPECT_EQ(recorder.sourcesByTarget["_sea.gif"],
            (std::vector<std::string>{"slow-sea.jpg", "sea.png"}));
  EXPECT_EQ(recorder.sourcesByTarget["_x.gif"],
            (std::vector<std::string>{"slow-bad.jpg", "x.png"}));
}

INSTANTIATE_TEST_SUITE_P(Workers, ThumbnailQueueWorkers, ::testing::Values(1, 2, 4, 8));

TEST(ThumbnailQueue, CancelPendingDropsWhatHasNotStarted) {
  std::atomic<int> made{0};
  TThumbnailQueue queue(1, [&made](const TThumbnailJob&) {
    std::this_thread::sleep_for(20ms);
    ++made;
    return 0;
  });
  for (int i = 0; i < 50; ++i) queue.Add(Job("p" + std::to_string(i), "t" + std::to_string(i)));
  std::this_thread::sleep_for(5ms);
  queue.CancelPending();
  EXPECT_TRUE(queue.WaitFor(5s));
  EXPECT_EQ(queue.Finished(), 50);
  EXPECT_LT(made.load(), 5);
}

TEST(ThumbnailQueue, WaitForReportsUnfinishedWork) {
  TThumbnailQueue queue(1, [](const TThumbnailJob&) {
    std::this_thread::sleep_for(200ms);
    return 0;
  });
  queue.Add(Job("a", "b"));
  EXPECT_FALSE(queue.WaitFor(10ms));
  EXPECT_TRUE(queue.WaitFor(5s));
}

}  // namespace
