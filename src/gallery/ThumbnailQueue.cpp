// ThumbnailQueue: a plain worker pool. Jobs are taken oldest first, except that a job with a
// target that another worker is writing, or that an older waiting job shares, waits, which keeps
// same-named thumbnails in order.
#include "gallery/ThumbnailQueue.h"

#include <algorithm>

namespace zetgallery {

std::vector<std::string> TargetsOf(const TThumbnailJob& job) {
  std::vector<std::string> targets;
  for (const std::string* target : {&job.target, &job.doubleTarget, &job.displayTarget})
    if (!target->empty()) targets.push_back(*target);
  return targets;
}

TThumbnailQueue::TThumbnailQueue(int workers, TMaker maker) : maker_(std::move(maker)) {
  const int count = std::max(1, workers);
  for (int i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
}

TThumbnailQueue::~TThumbnailQueue() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    jobDone_.wait(lock, [this] { return finished_ == added_; });
    stopping_ = true;
  }
  jobReady_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void TThumbnailQueue::Add(TThumbnailJob job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.push_back(std::move(job));
    ++added_;
  }
  jobReady_.notify_one();
}

bool TThumbnailQueue::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return jobDone_.wait_for(lock, timeout, [this] { return finished_ == added_; });
}

bool TThumbnailQueue::WaitUntilUnfinishedBelow(int limit, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return jobDone_.wait_for(lock, timeout, [this, limit] { return added_ - finished_ < limit; });
}

int TThumbnailQueue::Unfinished() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return added_ - finished_;
}

int TThumbnailQueue::Added() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return added_;
}

int TThumbnailQueue::Finished() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return finished_;
}

int TThumbnailQueue::Failed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

std::vector<TFinishedThumbnail> TThumbnailQueue::TakeFinished() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<TFinishedThumbnail> finished;
  finished.swap(finishedJobs_);
  return finished;
}

void TThumbnailQueue::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    // The first job none of whose targets anybody is writing or an earlier job waits to write.
    // Jobs of one target stay in added order: while one of them runs or waits, all later ones of
    // that target are passed over.
    auto ready = pending_.end();
    jobReady_.wait(lock, [this, &ready] {
      std::set<std::string> claimed = busyTargets_;
      for (ready = pending_.begin(); ready != pending_.end(); ++ready) {
        const std::vector<std::string> targets = TargetsOf(*ready);
        if (std::none_of(targets.begin(), targets.end(),
                         [&claimed](const std::string& t) { return claimed.count(t) != 0; }))
          break;
        claimed.insert(targets.begin(), targets.end());
      }
      return stopping_ || ready != pending_.end();
    });
    if (ready == pending_.end()) return;  // stopping, and nothing left that could run
    TThumbnailJob job = std::move(*ready);
    pending_.erase(ready);
    const std::vector<std::string> targets = TargetsOf(job);
    busyTargets_.insert(targets.begin(), targets.end());
    lock.unlock();
    TStatus result = maker_(job);
    lock.lock();
    for (const std::string& target : targets) busyTargets_.erase(target);
    ++finished_;
    if (!result.ok()) ++failed_;
    finishedJobs_.push_back({job.tag, std::move(result)});
    // A job of the same target may have been waiting for this one.
    jobReady_.notify_all();
    jobDone_.notify_all();
  }
}

}  // namespace zetgallery
