// The image scan from the window: the list, the caption, the count and the Build button around
// the catalogue's folder scan, and a scan asked for while one runs.
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>

#include "QtUserInterface.h"
#include "app/DesktopServices.h"
#include "app/FormMain.h"
#include "catalogue/ImageScan.h"
#include "gallery/BuildParameters.h"

namespace zetgallery {

namespace {

// The folder a drag names: the first local folder, or the folder of the first local file;
// empty when it names neither.
QString DraggedFolder(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return QString();
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QFileInfo info(url.toLocalFile());
    if (info.isDir()) return info.absoluteFilePath();
    if (info.isFile()) return info.absolutePath();
  }
  return QString();
}

}  // namespace

void TFormMain::AcceptDropsOnEveryControl() {
  setAcceptDrops(true);
  // The edits take drops of their own (a dropped file would become text in them): a folder
  // dropped on one of them is the window's.
  for (QWidget* control : findChildren<QWidget*>())
    if (control->acceptDrops()) control->installEventFilter(this);
}

bool TFormMain::TakeFolderDrop(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  const QString folder = DraggedFolder(drop->mimeData());
  if (folder.isEmpty()) return false;
  drop->acceptProposedAction();
  if (type != QEvent::Drop) return true;
  ScanOnFilesTabShow = false;
  PageControlMain->setCurrentWidget(TabSheetFiles);
  EditImagesFolder->setText(QDir::toNativeSeparators(folder));
  ImagesFolderChanged = false;
  ScanImages();
  return true;
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!TakeFolderDrop(event)) event->ignore();
}

void TFormMain::dragMoveEvent(QDragMoveEvent* event) {
  if (!TakeFolderDrop(event)) event->ignore();
}

void TFormMain::dropEvent(QDropEvent* event) {
  if (!TakeFolderDrop(event)) event->ignore();
}

void TFormMain::ScanImages() {
  if (scanning_) {
    // The running scan sees this at its next step, stops, and starts over with the edits'
    // current texts, so the list ends with each matching name once.
    scanRestartRequested_ = true;
    return;
  }
  scanning_ = true;
  do {
    scanRestartRequested_ = false;
    RunOneScan();
  } while (scanRestartRequested_ && !closeRequested_);
  scanning_ = false;
  // After the press that started this scan has reached the button (see eventFilter).
  if (heldBuildRelease_)
    QCoreApplication::postEvent(ButtonBuildGallery, heldBuildRelease_.release());
  CloseIfRequested();
}

void TFormMain::RunOneScan() {
  ListBoxImages->clear();
  ButtonBuildGallery->setEnabled(false);
  const TScanResult result =
      zetgallery::ScanImages(EditImagesFolder->text().toStdString(),
                             EditImagesMask->text().toStdString(), userInterface_.get());
  if (!result.scanned) return;
  if (result.stopped && (scanRestartRequested_ || closeRequested_)) return;
  const std::vector<std::string> ordered = ImagesInBuildOrder(ReadSnapshot(), result.names);
  QStringList names;
  names.reserve(static_cast<int>(ordered.size()));
  for (const std::string& name : ordered) names << QString::fromStdString(name);
  ListBoxImages->ShowInOrder(names);
  ShowImageCount();
  EnableDisableControls();
  if (!result.status.ok())
    desktop_.ShowStandardError(QString::fromStdString(result.status.message()));
}

void TFormMain::ShowImageCount() {
  LabelImagesCount->setText(QString::fromUtf8(WindowTexts::kImagesCountPrefix) +
                            QString::number(ListBoxImages->count()));
}

void TFormMain::SetScanning(bool scanning) {
  // A scan may run while a build does (the folder edited meanwhile): the build's caption returns.
  const char* caption = building_ ? WindowTexts::kCaptionBuilding : WindowTexts::kCaption;
  setWindowTitle(QString::fromUtf8(scanning ? WindowTexts::kCaptionScanning : caption));
  if (scanning)
    scanClock_.start();
  else
    scanClock_.invalidate();
  if (!scanning && !building_) ProgressBarBuild->hide();
}

void TFormMain::ShowScanActivity() {
  // A scan does not know how many names are still to come: the bar only says it is busy, and
  // only once the scan is slow enough for the user to wonder.
  constexpr qint64 kQuietScanMs = 500;
  if (building_ || !scanClock_.isValid() || scanClock_.elapsed() < kQuietScanMs) return;
  if (ProgressBarBuild->isVisible()) return;
  ProgressBarBuild->setRange(0, 0);
  ProgressBarBuild->show();
}

TUserInterface& TFormMain::UserInterface() { return *userInterface_; }

}  // namespace zetgallery
