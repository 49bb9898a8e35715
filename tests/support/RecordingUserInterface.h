// RecordingUserInterface: a user interface for tests that records everything the core asks of it
// and answers its questions from a script.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "util/UserInterface.h"

namespace zetgallery {

class TRecordingUserInterface : public TUserInterface {
 public:
  bool AskConfirmation(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowPlainMessage(const std::string& text) override;
  void ShowStandardError(const std::string& text) override;
  void ProcessMessages() override;
  void ReportProgress(int done, int total, const std::string& name) override;
  void SetBuilding(bool building) override;
  void SetScanning(bool scanning) override;
  void Beep() override;
  bool StopRequested() const override;

  // The answers to the questions, in turn; once they are used up, every answer is `answer`.
  std::deque<bool> answers;
  bool answer = false;
  // Runs at each ProcessMessages, after it was counted.
  std::function<void()> onProcessMessages;
  // StopRequested turns true once this many ProcessMessages calls, or this many pictures
  // reported, were seen; -1 never.
  int stopAfterProcessing = -1;
  int stopAfterProgress = -1;

  std::vector<std::string> questions;  // AskConfirmation texts
  std::vector<std::string> errors;     // ShowError and ShowStandardError texts
  std::vector<std::string> messages;   // ShowPlainMessage texts
  // Every box in order, by its kind: "ask: ", "error: ", "plain: " or "standard: " + text.
  std::vector<std::string> boxes;
  std::vector<std::string> progress;  // "done/total name"
  // "building", "built", "scanning", "scanned", "beep", in order.
  std::vector<std::string> events;
  int processCount = 0;
};

}  // namespace zetgallery
