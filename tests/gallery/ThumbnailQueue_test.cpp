// Tests of the thumbnail worker queue: every job runs once, same-named thumbnails keep their
// order, finished jobs come back with their tags, and the caller can wait for room.
#include "gallery/ThumbnailQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "support/CaseNames.h"

namespace zetgallery {

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

INSTANTIATE_TEST_SUITE_P(Workers, ThumbnailQueueWorkers, ::testing::Values(1, 2, 4, 8),
                         TPrintedCaseName());

TEST(ThumbnailQueue, HandsBackEveryJobsTagAndResult) {
  TRecorder recorder;
  TThumbnailQueue queue(3, recorder.Maker());
  const std::vector<std::string> sources = {"slow-a", "b", "bad-c", "d", "slow-bad-e"};
  for (size_t i = 0; i < sources.size(); ++i) {
    TThumbnailJob job = Job(sources[i], "t" + std::to_string(i));
    job.tag = 100 + i;
    queue.Add(job);
  }
  ASSERT_TRUE(queue.WaitFor(10s));
  std::map<size_t, int> results;
  for (const TFinishedThumbnail& finished : queue.TakeFinished())
    results[finished.tag] = finished.result;
  EXPECT_EQ(results, (std::map<size_t, int>{{100, 0}, {101, 0}, {102, 3}, {103, 0}, {104, 3}}));
  EXPECT_TRUE(queue.TakeFinished().empty()) << "each job is handed back once";
}

TEST(ThumbnailQueue, WaitsUntilFewerJobsAreUnfinished) {
  std::mutex gate;
  std::unique_lock<std::mutex> closed(gate);
  TThumbnailQueue queue(2, [&gate](const TThumbnailJob&) {
    std::lock_guard<std::mutex> pass(gate);
    return 0;
  });
  for (int i = 0; i < 5; ++i) queue.Add(Job("p" + std::to_string(i), "t" + std::to_string(i)));
  EXPECT_EQ(queue.Unfinished(), 5);
  EXPECT_FALSE(queue.WaitUntilUnfinishedBelow(5, 10ms));
  closed.unlock();
  EXPECT_TRUE(queue.WaitUntilUnfinishedBelow(1, 5s));
  EXPECT_EQ(queue.Unfinished(), 0);
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

}  // namespace zetgallery
