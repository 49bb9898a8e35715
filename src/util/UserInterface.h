// UserInterface: everything the core asks of the person using the program. The window implements
// it with message boxes and event processing, the command line with the console, tests with
// scripted answers. The core never talks to a user any other way.
#pragma once

#include <string>

namespace zetgallery {

class TUserInterface {
 public:
  virtual ~TUserInterface() = default;

  // A Yes/No question titled "Подтверждение"; true for Yes.
  virtual bool AskConfirmation(const std::string& text) = 0;
  // An error box titled "Ошибка".
  virtual void ShowError(const std::string& text) = 0;
  // A plain message box titled "ZetGallery".
  virtual void ShowPlainMessage(const std::string& text) = 0;
  // An error raised by a lower layer that nobody caught (a registry error, an invalid mask):
  // an error box titled "ZetGallery".
  virtual void ShowStandardError(const std::string& text) = 0;
  // Lets the user interface handle pending events during long work.
  virtual void ProcessMessages() {}
  // Progress of a long job: `done` of `total` finished, `name` the item being worked on.
  virtual void ReportProgress(int /*done*/, int /*total*/, const std::string& /*name*/) {}
  // A build starts (true) or ends (false): the window changes its caption and the
  // "Открыть результат" button.
  virtual void SetBuilding(bool /*building*/) {}
  // A scan starts (true) or ends (false): the window changes its caption.
  virtual void SetScanning(bool /*scanning*/) {}
  // A file the build did not write stood where it puts one of its own, or in a folder it clears,
  // and went to the desktop's trash; `path` is where it was. The command line says so at once,
  // the window once at the end of the build.
  virtual void FileMovedToTrash(const std::string& /*path*/) {}
  // The system beep.
  virtual void Beep() {}
  // True when the user asked to stop the running job (closing the window during a build).
  virtual bool StopRequested() const { return false; }
};

}  // namespace zetgallery
