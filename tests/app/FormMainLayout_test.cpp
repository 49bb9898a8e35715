// The window's layout at its fixed size: on every tab each text is shown whole and each control
// lies inside its page, whatever font the platform substitutes for the designed one.
#include <QAbstractButton>
#include <QLabel>

#include "FormTestSupport.h"

namespace {

class LayoutTest : public FormTest, public ::testing::WithParamInterface<int> {};

TEST_P(LayoutTest, NoTextIsCutAndEveryControlIsInsideItsPage) {
  ASSERT_EQ(form->FormCreate(""), "");
  form->show();
  form->PageControlMain->setCurrentIndex(GetParam());
  QApplication::processEvents();
  QWidget* page = form->PageControlMain->currentWidget();
  int checked = 0;
  for (QWidget* control : page->findChildren<QWidget*>()) {
    if (control->objectName().isEmpty() || !control->isVisible()) continue;
    ++checked;
    const QRect onPage(control->mapTo(page, QPoint(0, 0)), control->size());
    EXPECT_TRUE(page->rect().contains(onPage)) << control->objectName().toStdString();
    if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)) {
      EXPECT_GE(control->width(), control->sizeHint().width())
          << control->objectName().toStdString();
      EXPECT_GE(control->height(), control->minimumSizeHint().height())
          << control->objectName().toStdString();
    }
  }
  EXPECT_GT(checked, 8);
  for (QWidget* button :
       {static_cast<QWidget*>(form->ButtonBuildGallery),
        static_cast<QWidget*>(form->ButtonOpenResult), static_cast<QWidget*>(form->ButtonHelp)}) {
    EXPECT_GE(button->width(), button->sizeHint().width()) << button->objectName().toStdString();
    EXPECT_TRUE(form->rect().contains(button->geometry()));
  }
  form->close();
}

INSTANTIATE_TEST_SUITE_P(Tabs, LayoutTest, ::testing::Values(0, 1, 2, 3));

}  // namespace
