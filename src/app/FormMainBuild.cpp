// The build from the window: the Build button hands the controls' values to a build on a thread
// of its own; the caption, "Открыть результат", "Остановить" and the count follow it; its end
// brings one message of what the gallery holds; "Открыть результат" opens the index page.
#include <QFileInfo>
#include <QProgressBar>

#include "BuildReport.h"
#include "BuildThread.h"
#include "FormMainParts.h"
#include "QtUserInterface.h"
#include "app/DesktopServices.h"
#include "app/FormMain.h"
#include "gallery/BuildDriver.h"
#include "gallery/BuildMessages.h"
#include "util/ZetFileUtils.h"
#include "util/ZetStrings.h"

namespace zetgallery {

using namespace FormMainParts;

void TFormMain::ButtonBuildGalleryClick() {
  // The button stays enabled during a build; a second build would share the first one's files.
  if (building_) return;
  TBuildInputs inputs;
  inputs.Settings = ReadSnapshot();
  inputs.ResultFolderText = EditResultFolder->currentText().toStdString();
  inputs.ThumbsFolderPrefixText = EditThumbsFolderPrefix->text().toStdString();
  inputs.ButtonsFolderPrefixText = EditButtonsFolderPrefix->text().toStdString();
  inputs.ClearThumbsFolderEnabled = CheckBoxClearThumbsFolder->isEnabled();
  for (int i = 0; i < ListBoxImages->count(); ++i)
    inputs.Images.push_back(ListBoxImages->item(i)->text().toStdString());
  // Deleting the last entry leaves the button enabled; say why nothing is built. A folder of
  // folders has its pictures in its albums.
  if (inputs.Images.empty() && !inputs.Settings.SubAlbums) {
    desktop_.ShowError(Text(WindowTexts::kNoPicturesToBuild));
    return;
  }
  building_ = true;
  SetBuilding(true);
  const int pictures = static_cast<int>(inputs.Images.size());
  ReportProgress(0, pictures);
  // The page this build writes, whatever the edits hold when it ends.
  const QString indexPage = IndexPagePath();
  // The build runs beside the event loop: a message box or dialog open in the window does not
  // hold it up, and a close or "Остановить" reaches it at once.
  buildThread_->Start(
      inputs,
      [this, pictures, indexPage](const TBuildResult& result) {
        BuildFinished(result, pictures, indexPage);
      },
      buildOptions_);
}

void TFormMain::RescanThenBuild() {
  if (building_) return;
  if (ImagesFolderChanged || ImagesMaskChanged) {
    ImagesFolderChanged = false;
    ImagesMaskChanged = false;
    ScanImages();
  }
  if (ButtonBuildGallery->isEnabled()) ButtonBuildGalleryClick();
}

void TFormMain::BuildFinished(const TBuildResult& result, int pictures, const QString& indexPage) {
  building_ = false;
  SetBuilding(false);
  // A window being closed says nothing more; a build refused before writing has said why.
  if (!closeRequested_ && result.outcome == TBuildOutcome::Finished)
    desktop_.ShowBuildReport(QString::fromStdString(BuildReportText(result, pictures)), indexPage);
  CloseIfRequested();
}

void TFormMain::ButtonStopBuildClick() {
  if (!building_) return;
  buildThread_->RequestStop();
  ButtonStopBuild->setEnabled(false);
}

void TFormMain::SetBuilding(bool building) {
  setWindowTitle(
      QString::fromUtf8(building ? WindowTexts::kCaptionBuilding : WindowTexts::kCaption));
  ButtonOpenResult->setEnabled(!building);
  ButtonOpenResult->setVisible(!building);
  ButtonStopBuild->setEnabled(building);
  ButtonStopBuild->setVisible(building);
  ProgressBarBuild->setRange(0, 1);
  ProgressBarBuild->setValue(0);
  ProgressBarBuild->setTextVisible(building);
  ProgressBarBuild->setVisible(building);
}

void TFormMain::ReportProgress(int done, int total) {
  ProgressBarBuild->setRange(0, total > 0 ? total : 1);
  ProgressBarBuild->setValue(done);
}

QString TFormMain::IndexPagePath() const {
  const std::string indexFile = StripQuotes(EditIndexFile->text().toStdString());
  return QString::fromStdString(
      EnsureTrailingBackslash(StripQuotes(EditResultFolder->currentText().toStdString())) +
      indexFile);
}

void TFormMain::ButtonOpenResultClick() {
  const std::string indexFile = StripQuotes(EditIndexFile->text().toStdString());
  const QString target = IndexPagePath();
  if (!QFileInfo(target).isFile()) {
    desktop_.ShowError(Text("Индексный файл не найден!"));
    return;
  }
  if (!desktop_.OpenWithDefaultApplication(target)) {
    desktop_.ShowError(Text("Ошибка запуска приложения, ассоциированного с расширением \"") +
                       QString::fromStdString(ExtractFileExt(indexFile)) + QStringLiteral("\"."));
  }
}

}  // namespace zetgallery
