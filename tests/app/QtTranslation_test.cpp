// Qt's own texts in the window program: the buttons of a question box and the dialogs speak
// Russian, as the program's own texts do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "FormTestSupport.h"
#include "ScriptedDesktop.h"
#include "app/FormMain.h"
#include "app/WindowMain.h"

namespace zetgallery {

namespace {

class QtTranslationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    before_ = qApp->findChildren<QTranslator*>();
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
  }

 private:
  QList<QTranslator*> before_;
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

}  // namespace

}  // namespace zetgallery
