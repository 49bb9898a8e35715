// ThumbnailQueue: makes thumbnails (and display copies) on worker threads while the pages are
// written in order. The files come out as a one-thread build would leave them: two pictures that
// share one target are made one after the other, in the order they were added, so the later one
// wins.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "gallery/ThumbSaveParams.h"
#include "util/Status.h"

namespace zetgallery {

struct TThumbnailJob {
  size_t tag = 0;  // the caller's own number for the job, handed back when it is finished
  std::string source;
  std::string target;  // the thumbnail's path; empty when the job makes only a display copy
  std::string name;    // its name in the thumbnails folder
  // A second thumbnail of twice the limits, made in the same job (grid index); empty when none.
  std::string doubleTarget;
  std::string doubleName;
  int maxWidth = 0;
  int maxHeight = 0;
  TThumbSaveParams params;
  // The picture's display copy, made from the same decode; empty when none is wanted.
  std::string displayTarget;  // its path
  std::string displayName;    // its name in the display folder
  int displaySize = 0;        // its longer side at most
  int displayQuality = 0;     // its JPEG quality
};

// The paths a job writes: its thumbnail's, its thumbnail of twice the size and its display
// copy's, those it has.
std::vector<std::string> TargetsOf(const TThumbnailJob& job);

// A job that is finished: its tag and what the maker returned.
struct TFinishedThumbnail {
  size_t tag = 0;
  TStatus result;
};

class TThumbnailQueue {
 public:
  // The function that makes one thumbnail (MakeThumbnailOutput, or a stand-in in tests).
  using TMaker = std::function<TStatus(const TThumbnailJob&)>;

  // Starts `workers` threads (at least one) that run `maker` on the jobs.
  TThumbnailQueue(int workers, TMaker maker);
  // Finishes every job added, then stops the threads.
  ~TThumbnailQueue();
  TThumbnailQueue(const TThumbnailQueue&) = delete;
  TThumbnailQueue& operator=(const TThumbnailQueue&) = delete;

  // Queues one thumbnail; returns at once.
  void Add(TThumbnailJob job);
  // Waits up to `timeout` for every job to finish; true when none is left.
  bool WaitFor(std::chrono::milliseconds timeout);
  // Waits up to `timeout` until fewer than `limit` jobs are unfinished (queued or running); true
  // when that is so.
  bool WaitUntilUnfinishedBelow(int limit, std::chrono::milliseconds timeout);
  // Jobs added but not finished: queued or running.
  int Unfinished() const;
  // Jobs added so far, and jobs finished (made or failed).
  int Added() const;
  int Finished() const;
  // Jobs whose maker returned a failed status.
  int Failed() const;
  // The jobs finished since the last call, in finishing order.
  std::vector<TFinishedThumbnail> TakeFinished();

 private:
  void Work();

  TMaker maker_;
  mutable std::mutex mutex_;
  std::condition_variable jobReady_;
  std::condition_variable jobDone_;
  std::deque<TThumbnailJob> pending_;
  std::set<std::string> busyTargets_;
  std::vector<TFinishedThumbnail> finishedJobs_;
  int added_ = 0;
  int finished_ = 0;
  int failed_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace zetgallery
