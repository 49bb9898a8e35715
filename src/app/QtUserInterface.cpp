// QtUserInterface: see the header.
#include "QtUserInterface.h"

#include <QCoreApplication>
#include <QString>

#include "app/DesktopServices.h"
#include "app/FormMain.h"

namespace zetgallery {

namespace {
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

bool TWindowUserInterface::AskConfirmation(const std::string& text) {
  return desktop_.AskConfirmation(FromUtf8(text));
}

void TWindowUserInterface::ShowError(const std::string& text) {
  desktop_.ShowError(FromUtf8(text));
}

void TWindowUserInterface::ShowPlainMessage(const std::string& text) {
  desktop_.ShowPlainMessage(FromUtf8(text));
}

void TWindowUserInterface::ShowStandardError(const std::string& text) {
  desktop_.ShowStandardError(FromUtf8(text));
}

void TWindowUserInterface::ProcessMessages() {
  form_.ShowScanActivity();
  QCoreApplication::processEvents();
}

void TWindowUserInterface::ReportProgress(int done, int total, const std::string&) {
  form_.ReportProgress(done, total);
}

void TWindowUserInterface::SetBuilding(bool building) { form_.SetBuilding(building); }

void TWindowUserInterface::SetScanning(bool scanning) { form_.SetScanning(scanning); }

void TWindowUserInterface::Beep() { desktop_.Beep(); }

bool TWindowUserInterface::StopRequested() const {
  if (form_.CloseRequested()) return true;
  return form_.Scanning() && form_.ScanRestartRequested();
}

}  // namespace zetgallery
