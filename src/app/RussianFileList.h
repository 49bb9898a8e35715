// RussianFileList: the file dialog's list in the program's language. Qt's own dialog writes the
// sizes and dates of its list in the system's locale whatever the program chose, and its
// catalogue has no word for a folder; this model between the dialog and its file system model
// writes them in the program's locale (QLocale()), a folder's type as the system names it.
#pragma once

#include <QIdentityProxyModel>
#include <QString>

class QFileDialog;

namespace zetgallery {

// A size as the dialog shows it: "512 байт", "1,21 КБ", "3,5 МБ" (in the default locale).
QString RussianDataSize(qint64 bytes);

class TRussianFileList : public QIdentityProxyModel {
  Q_OBJECT
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override;
};

// Makes `dialog` Qt's own (not the desktop's, which speaks the desktop's language) with its list
// in the program's language.
void MakeFileDialogRussian(QFileDialog& dialog);

}  // namespace zetgallery
