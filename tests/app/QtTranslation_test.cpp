// Qt's own texts in the window program: the buttons of a question box and the dialogs speak
// Russian, as the program's own texts do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTreeView>
#include <map>

#include "FormTestSupport.h"
#include "ScriptedDesktop.h"
#include "app/FormMain.h"
#include "app/RussianFileList.h"
#include "app/WindowMain.h"

namespace zetgallery {

namespace {

class QtTranslationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    before_ = qApp->findChildren<QTranslator*>();
    locale_ = QLocale();
    SetUpApplication(*qApp);
  }
  // The other tests of this program compare Qt's English texts: take the translation away.
  void TearDown() override {
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
      if (!before_.contains(translator)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
      }
    }
    QLocale::setDefault(locale_);
  }

 private:
  QList<QTranslator*> before_;
  QLocale locale_;
};

TEST_F(QtTranslationTest, QuestionBoxAndDialogsSpeakRussian) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                  QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&').toStdString(), "Да");
  EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&').toStdString(), "Нет");
  QColorDialog colors;
  colors.setOption(QColorDialog::DontUseNativeDialog);
  const QList<QPushButton*> colorButtons = colors.findChildren<QPushButton*>();
  EXPECT_TRUE(std::any_of(colorButtons.begin(), colorButtons.end(), [](QPushButton* button) {
    return button->text().remove('&').toStdString() == "Отмена";
  }));
  QFileDialog files;
  files.setOption(QFileDialog::DontUseNativeDialog);
  files.setFileMode(QFileDialog::ExistingFile);
  const QList<QPushButton*> fileButtons = files.findChildren<QPushButton*>();
  EXPECT_TRUE(std::any_of(fileButtons.begin(), fileButtons.end(), [](QPushButton* button) {
    return button->text().remove('&').toStdString() == "Открыть";
  }));
}

TEST_F(QtTranslationTest, ImageListMenuShowsEnterAsTheShortcutOfItsViewItem) {
  TScriptedDesktop desktop;
  TFormMain form(desktop);
  EXPECT_EQ(FindControl<QAction>(form, "MenuViewImages")
                ->shortcut()
                .toString(QKeySequence::NativeText)
                .toStdString(),
            "Enter");
}

// The list of the file dialog: names of file types, sizes and dates in Russian, whatever the
// system's locale.
TEST_F(QtTranslationTest, FileDialogListSpeaksRussian) {
  EXPECT_EQ(QLocale().language(), QLocale::Russian);
  QTemporaryDir folder;
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("trip")));
  QFile page(folder.path() + "/page.htm");
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.write(QByteArray(1239, 'x'));
  page.close();
  QFileDialog dialog;
  MakeFileDialogRussian(dialog);
  dialog.setViewMode(QFileDialog::Detail);
  dialog.setDirectory(folder.path());
  const auto* view = FindControl<QTreeView>(dialog, "treeView");
  const QAbstractItemModel* list = view->model();
  ASSERT_TRUE(QTest::qWaitFor([&] { return list->rowCount(view->rootIndex()) == 2; }, 5000));
  std::map<std::string, std::vector<std::string>> rows;
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 4; ++column)
      rows[list->index(row, 0, view->rootIndex()).data().toString().toStdString()].push_back(
          list->index(row, column, view->rootIndex()).data().toString().toStdString());
  const QDateTime written = QFileInfo(page).lastModified();
  const std::string date =
      QLocale(QLocale::Russian).toString(written, QLocale::ShortFormat).toStdString();
  EXPECT_EQ(rows["page.htm"],
            (std::vector<std::string>{"page.htm", "1,21 КБ", "Документ HTML", date}));
  EXPECT_EQ(rows["trip"].at(2), "Папка");
  EXPECT_EQ(RussianDataSize(512).toStdString(), "512 байт");
  EXPECT_EQ(RussianDataSize(35 * 1024 * 1024).toStdString(), "35,0 МБ");
}

}  // namespace

}  // namespace zetgallery
