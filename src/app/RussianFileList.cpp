// RussianFileList: see the header.
#include "RussianFileList.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QMimeDatabase>

namespace zetgallery {

namespace {

// The columns of QFileSystemModel.
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;

}  // namespace

QString RussianDataSize(qint64 bytes) {
  const QLocale locale;
  if (bytes < 1024) return locale.toString(bytes) + QString::fromUtf8(" байт");
  const char* units[] = {"КБ", "МБ", "ГБ", "ТБ"};
  double value = static_cast<double>(bytes) / 1024;
  int unit = 0;
  for (; value >= 1024 && unit < 3; ++unit) value /= 1024;
  return locale.toString(value, 'f', value < 10 ? 2 : 1) + QLatin1Char(' ') +
         QString::fromUtf8(units[unit]);
}

QVariant TRussianFileList::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (role != Qt::DisplayRole || files == nullptr || !index.isValid())
    return QIdentityProxyModel::data(index, role);
  const QModelIndex source = mapToSource(index);
  if (index.column() == kSizeColumn && !files->isDir(source))
    return RussianDataSize(files->size(source));
  // Qt's catalogue has no word for a folder; the system's file types have.
  if (index.column() == kTypeColumn && files->isDir(source))
    return QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory")).comment();
  if (index.column() == kDateColumn)
    return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
  return QIdentityProxyModel::data(index, role);
}

void MakeFileDialogRussian(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setProxyModel(new TRussianFileList(&dialog));
}

}  // namespace zetgallery
