// The build from the window: the Build button hands the controls' values to the build driver,
// the caption, "Открыть результат" and the progress bar follow it, and "Открыть результат" opens
// the index page.
#include <QFileInfo>
#include <QProgressBar>

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
  if (building_ || builder_.IsRunning()) return;
  TBuildInputs inputs;
  inputs.Settings = ReadSnapshot();
  inputs.ResultFolderText = EditResultFolder->currentText().toStdString();
  inputs.ThumbsFolderPrefixText = EditThumbsFolderPrefix->text().toStdString();
  inputs.ButtonsFolderPrefixText = EditButtonsFolderPrefix->text().toStdString();
  inputs.ClearThumbsFolderEnabled = CheckBoxClearThumbsFolder->isEnabled();
  for (int i = 0; i < ListBoxImages->count(); ++i)
    inputs.Images.push_back(ListBoxImages->item(i)->text().toStdString());
  // Deleting the last entry leaves the button enabled; say why nothing is built.
  if (inputs.Images.empty()) {
    desktop_.ShowError(Text(WindowTexts::kNoPicturesToBuild));
    return;
  }
  building_ = true;
  const TBuildResult result = builder_.Build(inputs, *userInterface_);
  building_ = false;
  if (!result.trashed.empty())
    desktop_.ShowPlainMessage(QString::fromStdString(TrashedFilesMessage(result.trashed)));
  CloseIfRequested();
}

void TFormMain::SetBuilding(bool building) {
  setWindowTitle(
      QString::fromUtf8(building ? WindowTexts::kCaptionBuilding : WindowTexts::kCaption));
  ButtonOpenResult->setEnabled(!building);
  ProgressBarBuild->setRange(0, 1);
  ProgressBarBuild->setValue(0);
  ProgressBarBuild->setVisible(building);
}

void TFormMain::ReportProgress(int done, int total) {
  ProgressBarBuild->setRange(0, total > 0 ? total : 1);
  ProgressBarBuild->setValue(done);
}

void TFormMain::ButtonOpenResultClick() {
  const std::string indexFile = StripQuotes(EditIndexFile->text().toStdString());
  const std::string path =
      EnsureTrailingBackslash(StripQuotes(EditResultFolder->currentText().toStdString())) +
      indexFile;
  const QString target = QString::fromStdString(path);
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
