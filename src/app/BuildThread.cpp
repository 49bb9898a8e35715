// BuildThread: see the header.
#include "BuildThread.h"

#include <QCoreApplication>
#include <QThread>
#include <future>

namespace zetgallery {

TBuildThread::~TBuildThread() {
  if (!thread_.joinable()) return;
  stop_ = true;
  // The build may be waiting for an answer from this very thread.
  while (!ended_) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  if (thread_.joinable()) thread_.join();
}

void TBuildThread::Start(const TBuildInputs& inputs, TDone done, const TBuildOptions& options) {
  if (thread_.joinable()) thread_.join();
  stop_ = false;
  ended_ = false;
  running_ = true;
  thread_ = std::thread([this, inputs, done = std::move(done), options] {
    TBuildResult result = BuildGallery(inputs, *this, options);
    ended_ = true;
    OnWindowThread(
        [this, done, result] {
          if (thread_.joinable()) thread_.join();
          running_ = false;
          done(result);
        },
        false);
  });
}

void TBuildThread::OnWindowThread(std::function<void()> work, bool wait) {
  if (QThread::currentThread() == context_.thread()) {
    work();
    return;
  }
  if (!wait) {
    QMetaObject::invokeMethod(&context_, std::move(work), Qt::QueuedConnection);
    return;
  }
  std::promise<void> ran;
  QMetaObject::invokeMethod(
      &context_,
      [&work, &ran] {
        work();
        ran.set_value();
      },
      Qt::QueuedConnection);
  ran.get_future().wait();
}

bool TBuildThread::AskConfirmation(const std::string& text) {
  bool answer = false;
  OnWindowThread([&] { answer = window_.AskConfirmation(text); }, true);
  return answer;
}

void TBuildThread::ShowError(const std::string& text) {
  OnWindowThread([&] { window_.ShowError(text); }, true);
}

void TBuildThread::ShowPlainMessage(const std::string& text) {
  OnWindowThread([&] { window_.ShowPlainMessage(text); }, true);
}

void TBuildThread::ShowStandardError(const std::string& text) {
  OnWindowThread([&] { window_.ShowStandardError(text); }, true);
}

void TBuildThread::ReportProgress(int done, int total, const std::string& name) {
  OnWindowThread([this, done, total, name] { window_.ReportProgress(done, total, name); }, false);
}

void TBuildThread::Beep() {
  OnWindowThread([this] { window_.Beep(); }, false);
}

}  // namespace zetgallery
