// QtUserInterface: what the core asks of the user while it scans or builds, answered by the
// window: message boxes through the desktop, event processing so the window stays responsive,
// the caption and progress bar, and the stop request of a window being closed.
#pragma once

#include "util/UserInterface.h"

namespace zetgallery {

class TDesktop;
class TFormMain;

class TWindowUserInterface : public TUserInterface {
 public:
  TWindowUserInterface(TFormMain& form, TDesktop& desktop) : form_(form), desktop_(desktop) {}

  bool AskConfirmation(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowPlainMessage(const std::string& text) override;
  void ShowStandardError(const std::string& text) override;
  void ProcessMessages() override;
  void ReportProgress(int done, int total, const std::string& name) override;
  void SetBuilding(bool building) override;
  void SetScanning(bool scanning) override;
  void Beep() override;
  // A build stops when the window is being closed; a scan also when a new scan was asked for.
  bool StopRequested() const override;

 private:
  TFormMain& form_;
  TDesktop& desktop_;
};

}  // namespace zetgallery
