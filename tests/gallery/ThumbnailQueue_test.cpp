// Tests of the thumbnail worker queue: every job runs once, same-named thumbnails keep their
// order, finished jobs come back with their tags, and the caller can wait for room.
#include "gallery/ThumbnailQueue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

using namespace std::chrono_literals;

TThumbnailJob Job(const std::string& source, const std::string& target) {
  TThumbnailJob job;
  job.source = source;
  job.target = target;
  return job;
}

// Runs `jobs` on `workers` threads and records them. A job whose source starts with "slow" is
// held back while a free worker could still run something else, so that a queue letting a later
// job of the same target run beside it records that job first. It goes on once every job of the
// other targets is finished, or once every worker holds a slow job.
struct TRecorder {
  TRecorder(int workers, const std::vector<TThumbnailJob>& jobs) : workers(workers) {
    for (const TThumbnailJob& job : jobs)
      if (job.source.starts_with("slow")) {
        slowTargets.insert(job.target);
        if (!job.doubleTarget.empty()) slowTargets.insert(job.doubleTarget);
      }
    for (const TThumbnailJob& job : jobs) others += slowTargets.count(job.target) == 0;
  }

  const int workers;
  std::set<std::string> slowTargets;
  int others = 0;   // unfinished jobs of targets without a slow job
  int holding = 0;  // slow jobs held back now
  std::mutex mutex;
  std::condition_variable changed;
  std::map<std::string, std::vector<std::string>> sourcesByTarget;  // in finishing order
  std::vector<std::string> finished;

  TThumbnailQueue::TMaker Maker() {
    return [this](const TThumbnailJob& job) {
      std::unique_lock<std::mutex> lock(mutex);
      if (job.source.starts_with("slow")) {
        ++holding;
        changed.notify_all();
        // The time limit only ends a test whose queue has lost a job.
        changed.wait_for(lock, 10s, [this] { return others == 0 || holding == workers; });
        --holding;
      }
      sourcesByTarget[job.target].push_back(job.source);
      finished.push_back(job.source);
      others -= slowTargets.count(job.target) == 0;
      changed.notify_all();
      return job.source.find("bad") != std::string::npos ? TStatus::Corrupt(job.source, 3)
                                                         : TStatus::Ok();
    };
  }
};

class ThumbnailQueueWorkers : public ::testing::TestWithParam<int> {};

TEST_P(ThumbnailQueueWorkers, RunsEveryJobOnceAndKeepsSameTargetsInOrder) {
  std::vector<TThumbnailJob> jobs = {Job("slow-sea.jpg", "_sea.gif"), Job("sea.png", "_sea.gif")};
  for (int i = 0; i < 20; ++i)
    jobs.push_back(Job("p" + std::to_string(i), "t" + std::to_string(i)));
  jobs.push_back(Job("slow-bad.jpg", "_x.gif"));
  jobs.push_back(Job("x.png", "_x.gif"));
  TRecorder recorder(GetParam(), jobs);
  {
    TThumbnailQueue queue(GetParam(), recorder.Maker());
    for (const TThumbnailJob& job : jobs) queue.Add(job);
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

TEST_P(ThumbnailQueueWorkers, AJobOfTwoTargetsKeepsTheOrderOfBoth) {
  // The grid's job makes _sea.jpg and _sea@2x.jpg; a later picture named sea@2x.jpg has the
  // thumbnail _sea@2x.jpg and must not be made before the job that also writes it.
  TThumbnailJob both = Job("slow-sea.jpg", "_sea.jpg");
  both.doubleTarget = "_sea@2x.jpg";
  std::vector<TThumbnailJob> jobs = {both, Job("sea@2x.jpg", "_sea@2x.jpg")};
  for (int i = 0; i < 10; ++i)
    jobs.push_back(Job("p" + std::to_string(i), "t" + std::to_string(i)));
  TRecorder recorder(GetParam(), jobs);
  {
    TThumbnailQueue queue(GetParam(), recorder.Maker());
    for (const TThumbnailJob& job : jobs) queue.Add(job);
    EXPECT_TRUE(queue.WaitFor(10s));
  }
  ASSERT_EQ(recorder.finished.size(), jobs.size());
  const auto at = [&](const std::string& source) {
    return std::find(recorder.finished.begin(), recorder.finished.end(), source) -
           recorder.finished.begin();
  };
  EXPECT_LT(at("slow-sea.jpg"), at("sea@2x.jpg"));
}

INSTANTIATE_TEST_SUITE_P(Workers, ThumbnailQueueWorkers, ::testing::Values(1, 2, 4, 8),
                         TPrintedCaseName());

TEST(ThumbnailQueue, HandsBackEveryJobsTagAndResult) {
  const std::vector<std::string> sources = {"slow-a", "b", "bad-c", "d", "slow-bad-e"};
  std::vector<TThumbnailJob> jobs;
  for (size_t i = 0; i < sources.size(); ++i) {
    jobs.push_back(Job(sources[i], "t" + std::to_string(i)));
    jobs.back().tag = 100 + i;
  }
  TRecorder recorder(3, jobs);
  TThumbnailQueue queue(3, recorder.Maker());
  for (const TThumbnailJob& job : jobs) queue.Add(job);
  ASSERT_TRUE(queue.WaitFor(10s));
  std::map<size_t, int> results;
  for (const TFinishedThumbnail& finished : queue.TakeFinished())
    results[finished.tag] = finished.result.detail();
  EXPECT_EQ(results, (std::map<size_t, int>{{100, 0}, {101, 0}, {102, 3}, {103, 0}, {104, 3}}));
  EXPECT_TRUE(queue.TakeFinished().empty()) << "each job is handed back once";
}

TEST(ThumbnailQueue, WaitsUntilFewerJobsAreUnfinished) {
  std::mutex gate;
  std::unique_lock<std::mutex> closed(gate);
  TThumbnailQueue queue(2, [&gate](const TThumbnailJob&) {
    std::lock_guard<std::mutex> pass(gate);
    return TStatus::Ok();
  });
  for (int i = 0; i < 5; ++i) queue.Add(Job("p" + std::to_string(i), "t" + std::to_string(i)));
  EXPECT_EQ(queue.Unfinished(), 5);
  EXPECT_FALSE(queue.WaitUntilUnfinishedBelow(5, 10ms));
  closed.unlock();
  EXPECT_TRUE(queue.WaitUntilUnfinishedBelow(1, 5s));
  EXPECT_EQ(queue.Unfinished(), 0);
}

TEST(ThumbnailQueue, WaitForReportsUnfinishedWork) {
  std::mutex gate;
  std::unique_lock<std::mutex> closed(gate);
  TThumbnailQueue queue(1, [&gate](const TThumbnailJob&) {
    std::lock_guard<std::mutex> pass(gate);
    return TStatus::Ok();
  });
  queue.Add(Job("a", "b"));
  EXPECT_FALSE(queue.WaitFor(10ms));
  closed.unlock();
  EXPECT_TRUE(queue.WaitFor(5s));
}

}  // namespace

}  // namespace zetgallery

namespace zetgallery {

namespace {

struct TTargetsCase {
  const char* label;
  const char* target;
  const char* doubleTarget;
  const char* displayTarget;
  std::vector<std::string> targets;
};

void PrintTo(const TTargetsCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.target, c.doubleTarget, c.displayTarget, c.targets);
}

class JobTargetsTest : public ::testing::TestWithParam<TTargetsCase> {};

TEST_P(JobTargetsTest, AreTheThumbnailsAndTheDisplayCopyItHas) {
  TThumbnailJob job;
  job.target = GetParam().target;
  job.doubleTarget = GetParam().doubleTarget;
  job.displayTarget = GetParam().displayTarget;
  EXPECT_EQ(TargetsOf(job), GetParam().targets);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JobTargetsTest,
    ::testing::Values(
        TTargetsCase{"Thumbnail", "t/_a.jpg", "", "", {"t/_a.jpg"}},
        TTargetsCase{"DisplayCopy", "", "", "d/a.jpg", {"d/a.jpg"}},
        TTargetsCase{"Both", "t/_a.jpg", "", "d/a.jpg", {"t/_a.jpg", "d/a.jpg"}},
        TTargetsCase{"GridPair", "t/_a.jpg", "t/_a@2x.jpg", "", {"t/_a.jpg", "t/_a@2x.jpg"}},
        TTargetsCase{
            "All", "t/_a.jpg", "t/_a@2x.jpg", "d/a.jpg", {"t/_a.jpg", "t/_a@2x.jpg", "d/a.jpg"}},
        TTargetsCase{"Neither", "", "", "", {}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ThumbnailQueue, AJobWaitsForAnEarlierJobOfItsDisplayCopy) {
  std::mutex mutex;
  std::condition_variable changed;
  bool firstStarted = false;
  bool release = false;
  TThumbnailQueue queue(2, [&](const TThumbnailJob& job) {
    std::unique_lock<std::mutex> lock(mutex);
    if (job.source == "first") {
      firstStarted = true;
      changed.notify_all();
      changed.wait(lock, [&] { return release; });
    }
    return TStatus::Ok();
  });
  TThumbnailJob first = Job("first", "t/_a.jpg");
  first.displayTarget = "d/a.jpg";
  queue.Add(first);
  {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return firstStarted; });
  }
  TThumbnailJob second = Job("second", "t/_b.jpg");  // another thumbnail, the same copy
  second.displayTarget = "d/a.jpg";
  queue.Add(second);
  // A free worker is there, but the second job must not run while the first one does.
  EXPECT_FALSE(queue.WaitUntilUnfinishedBelow(2, std::chrono::milliseconds(200)));
  {
    std::lock_guard<std::mutex> lock(mutex);
    release = true;
  }
  changed.notify_all();
  EXPECT_TRUE(queue.WaitFor(std::chrono::seconds(60)));
}

}  // namespace

}  // namespace zetgallery
