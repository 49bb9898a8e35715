// BuildThread: one build of the window on a thread of its own, so that the window's event loop,
// and any message box or dialog the user opens in it, never holds the build up. What the build
// asks of the user is carried over to the window's thread: questions and error boxes wait there
// for the user's answer, progress and the beep do not wait. A stop is a flag the build reads.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <thread>

#include "gallery/BuildDriver.h"
#include "util/UserInterface.h"

namespace zetgallery {

class TBuildThread : public TUserInterface {
 public:
  using TDone = std::function<void(const TBuildResult&)>;

  // `window` answers on the thread of `context`, which also runs `done`. Both outlive this.
  TBuildThread(QObject& context, TUserInterface& window) : context_(context), window_(window) {}
  // Stops a build still running and waits for it, answering its questions on the way.
  ~TBuildThread() override;
  TBuildThread(const TBuildThread&) = delete;
  TBuildThread& operator=(const TBuildThread&) = delete;

  // Starts a build of `inputs`; `done` runs on the window's thread once it has ended.
  // REQUIRES: no build of this object is running.
  void Start(const TBuildInputs& inputs, TDone done, const TBuildOptions& options = {});
  bool Running() const { return running_; }
  // The build ends after the current picture, the gallery whole.
  void RequestStop() { stop_ = true; }

  // ---- TUserInterface, called by the build on its own thread ----
  bool AskConfirmation(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowPlainMessage(const std::string& text) override;
  void ShowStandardError(const std::string& text) override;
  void ReportProgress(int done, int total, const std::string& name) override;
  void Beep() override;
  bool StopRequested() const override { return stop_; }

 private:
  // Runs `work` on the window's thread; with `wait`, returns once it has run.
  void OnWindowThread(std::function<void()> work, bool wait);

  QObject& context_;
  TUserInterface& window_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> running_{false};
  std::atomic<bool> ended_{false};
  std::thread thread_;
};

}  // namespace zetgallery
