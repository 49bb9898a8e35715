#include "RecordingUserInterface.h"

namespace zetgallery {

bool TRecordingUserInterface::AskConfirmation(const std::string& text) {
  questions.push_back(text);
  boxes.push_back("ask: " + text);
  if (answers.empty()) return answer;
  const bool next = answers.front();
  answers.pop_front();
  return next;
}

void TRecordingUserInterface::ShowError(const std::string& text) {
  errors.push_back(text);
  boxes.push_back("error: " + text);
}

void TRecordingUserInterface::ShowPlainMessage(const std::string& text) {
  messages.push_back(text);
  boxes.push_back("plain: " + text);
}

void TRecordingUserInterface::ShowStandardError(const std::string& text) {
  errors.push_back(text);
  boxes.push_back("standard: " + text);
}

void TRecordingUserInterface::ProcessMessages() {
  ++processCount;
  if (onProcessMessages) onProcessMessages();
}

void TRecordingUserInterface::ReportProgress(int done, int total, const std::string& name) {
  progress.push_back(std::to_string(done) + "/" + std::to_string(total) + " " + name);
}

void TRecordingUserInterface::SetBuilding(bool building) {
  events.push_back(building ? "building" : "built");
}

void TRecordingUserInterface::SetScanning(bool scanning) {
  events.push_back(scanning ? "scanning" : "scanned");
}

void TRecordingUserInterface::Beep() { events.push_back("beep"); }

bool TRecordingUserInterface::StopRequested() const {
  return (stopAfterProcessing >= 0 && processCount >= stopAfterProcessing) ||
         (stopAfterProgress >= 0 && static_cast<int>(progress.size()) >= stopAfterProgress);
}

}  // namespace zetgallery
