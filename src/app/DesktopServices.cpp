// DesktopServices: the real desktop behind TDesktop.
#include "app/DesktopServices.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include "RussianFileList.h"

namespace zetgallery {

namespace {

const QString kConfirmationTitle = QString::fromUtf8("Подтверждение");
const QString kErrorTitle = QString::fromUtf8("Ошибка");
const QString kApplicationTitle = QStringLiteral("ZetGallery");

QColor ToQColor(TColor color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color) {
  return static_cast<TColor>(color.red()) | (static_cast<TColor>(color.green()) << 8) |
         (static_cast<TColor>(color.blue()) << 16);
}

}  // namespace

TColor ColorFromCustomColorEntry(const QString& entry) {
  const int equals = entry.indexOf(QLatin1Char('='));
  bool ok = false;
  const uint value = entry.mid(equals + 1).toUInt(&ok, 16);
  return ok ? static_cast<TColor>(value & 0xFFFFFF) : 0;
}

bool TQtDesktop::AskConfirmation(const QString& text) {
  return QMessageBox::question(owner_, kConfirmationTitle, text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

void TQtDesktop::ShowError(const QString& text) {
  QMessageBox::critical(owner_, kErrorTitle, text);
}

void TQtDesktop::ShowPlainMessage(const QString& text) {
  // Owned by no window, so it is centred on the screen; not modal, so it neither holds up the
  // event loop nor keeps the window from being closed.
  auto* box = new QMessageBox(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  box->show();
}

void TQtDesktop::ShowBuildReport(const QString& text, const QString& indexPage) {
  auto* box = new QMessageBox(QMessageBox::Information, kApplicationTitle, text,
                              QMessageBox::NoButton, owner_);
  box->setObjectName(QStringLiteral("MessageBuildReport"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  QPushButton* open =
      box->addButton(QString::fromUtf8("&Открыть в браузере"), QMessageBox::AcceptRole);
  box->addButton(QString::fromUtf8("&Закрыть"), QMessageBox::RejectRole);
  box->setDefaultButton(open);
  QObject::connect(box, &QMessageBox::buttonClicked, box, [this, box, open, indexPage](auto* b) {
    if (b == open && !OpenWithDefaultApplication(indexPage))
      ShowError(QString::fromUtf8("Индексный файл не открывается: ") + indexPage);
    box->close();
  });
  box->show();
}

TDesktop::TSaveAnswer TQtDesktop::AskSaveChanges(const QString& text) {
  QMessageBox box(QMessageBox::Question, kConfirmationTitle, text, QMessageBox::NoButton, owner_);
  QPushButton* save = box.addButton(QString::fromUtf8("&Да"), QMessageBox::YesRole);
  QPushButton* discard = box.addButton(QString::fromUtf8("&Нет"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QString::fromUtf8("Отмена"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return TSaveAnswer::Save;
  return box.clickedButton() == discard ? TSaveAnswer::Discard : TSaveAnswer::Cancel;
}

void TQtDesktop::ShowStandardError(const QString& text) {
  QMessageBox::critical(owner_, kApplicationTitle, text);
}

std::optional<QString> TQtDesktop::ChooseFolder(const QString& prompt, const QString& startFolder) {
  QFileDialog dialog(owner_, prompt, startFolder);
  MakeFileDialogRussian(dialog);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

std::optional<QString> TQtDesktop::ChooseFile(const QString& title, const QString& qtFilter,
                                              const QString& startFolder) {
  QFileDialog dialog(owner_, title, startFolder, qtFilter);
  MakeFileDialogRussian(dialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

TColor TQtDesktop::RunColorDialog(const QString& dialogName, const QStringList& customColors,
                                  TColor current) {
  for (int i = 0; i < QColorDialog::customCount(); ++i) QColorDialog::setCustomColor(i, Qt::white);
  for (int i = 0; i < customColors.size() && i < QColorDialog::customCount(); ++i)
    QColorDialog::setCustomColor(i, ToQColor(ColorFromCustomColorEntry(customColors[i])));
  QColorDialog dialog(ToQColor(current), owner_);
  dialog.setObjectName(dialogName);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return current;
  return FromQColor(dialog.selectedColor());
}

bool TQtDesktop::OpenWithDefaultApplication(const QString& target) {
  // A link carries a scheme ("http:", "mailto:"); anything else is a file of this machine.
  const QUrl link(target);
  if (link.scheme().size() > 1) return QDesktopServices::openUrl(link);
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
}

void TQtDesktop::Beep() { QApplication::beep(); }

}  // namespace zetgallery
