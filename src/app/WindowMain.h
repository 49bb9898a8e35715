// WindowMain: start-up, event loop and shutdown of the window program.
#pragma once

#include <string>

class QApplication;

namespace zetgallery {

class TDesktop;
class TFormMain;

// What the application object gets before any window exists: its title, the hint pause and
// Qt's own texts in Russian (when the system has Qt's Russian translation).
void SetUpApplication(QApplication& application);

// Runs the window program; argv[1], when present, names the images folder. Returns the exit
// status of the event loop.
int RunWindow(int argc, char** argv);

// Runs the window's creation handler with the command-line folder, shows its error (if any) in
// the standard error box before the window appears, then shows the window centred on the screen.
void OpenMainWindow(TFormMain& form, TDesktop& desktop, const std::string& commandLineFolder);

}  // namespace zetgallery
