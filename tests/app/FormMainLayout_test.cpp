// The window's layout at its fixed size: on every tab each text is shown whole and each control
// lies inside its page, whatever font the platform substitutes for the designed one; the
// keyboard's way through it, and where its file dialogs open.
#include <QAbstractButton>
#include <QDir>
#include <QLabel>

#include "FormTestSupport.h"
#include "support/CaseNames.h"

namespace zetgallery {

namespace {

class LayoutTest : public FormTest, public ::testing::WithParamInterface<int> {};

TEST_P(LayoutTest, NoTextIsCutAndEveryControlIsInsideItsPage) {
  ASSERT_EQ(form->FormCreate(""), TStatus::Ok());
  form->show();
  Control<QTabWidget>("PageControlMain")->setCurrentIndex(GetParam());
  QApplication::processEvents();
  QWidget* page = Control<QTabWidget>("PageControlMain")->currentWidget();
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
  for (QWidget* button : {static_cast<QWidget*>(Control<QPushButton>("ButtonBuildGallery")),
                          static_cast<QWidget*>(Control<QPushButton>("ButtonOpenResult")),
                          static_cast<QWidget*>(Control<QPushButton>("ButtonStopBuild")),
                          static_cast<QWidget*>(Control<QPushButton>("ButtonHelp"))}) {
    EXPECT_GE(button->width(), button->sizeHint().width()) << button->objectName().toStdString();
    EXPECT_TRUE(form->rect().contains(button->geometry()));
  }
  form->close();
}

INSTANTIATE_TEST_SUITE_P(Tabs, LayoutTest, ::testing::Values(0, 1, 2, 3), TPrintedCaseName());

}  // namespace

namespace {

// The named control `widget` is part of: inner parts (the edit of a combo or spin box, some of
// which Qt names itself, "qt_spinbox_lineedit") count as their control.
QWidget* NamedControl(QWidget* widget) {
  while (widget != nullptr &&
         (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))))
    widget = widget->parentWidget();
  return widget;
}

std::string NameOf(QWidget* widget) {
  return widget != nullptr ? widget->objectName().toStdString() : "";
}

// The named controls of `page` in the order the keyboard focus visits them, starting at `first`.
std::vector<std::string> FocusOrder(QWidget* page, QWidget* first) {
  std::vector<std::string> order;
  QWidget* widget = first;
  do {
    QWidget* named = NamedControl(widget);
    if (named != nullptr && page->isAncestorOf(named) && widget->focusPolicy() & Qt::TabFocus &&
        (order.empty() || order.back() != NameOf(named)))
      order.push_back(NameOf(named));
    widget = widget->nextInFocusChain();
  } while (widget != first);
  return order;
}

// The designed order of the "Картинка" tab.
const std::vector<const char*> kPictureTabOrder = {"RadioButtonImageAsFile",
                                                   "RadioButtonImageAsHtml",
                                                   "EditImageTemplate",
                                                   "EditImagePlace",
                                                   "EditDescrPlace",
                                                   "EditButtonsPlace",
                                                   "CheckBoxPictureFacts",
                                                   "EditButtonImageFirst",
                                                   "EditAltFirst",
                                                   "EditButtonImagePrev",
                                                   "EditAltPrev",
                                                   "EditButtonImageNext",
                                                   "EditAltNext",
                                                   "EditButtonImageLast",
                                                   "EditAltLast",
                                                   "EditButtonImageIndex",
                                                   "EditAltIndex",
                                                   "CheckBoxImageClickEqualNext",
                                                   "RadioButtonHtmlAsImageName",
                                                   "RadioButtonHtmlSerialNumber",
                                                   "EditHtmlFirstImageFile"};

struct TTabOrderCase {
  const char* page;
  std::vector<const char*> order;
};

void PrintTo(const TTabOrderCase& c, std::ostream* out) { *out << c.page; }

class TabOrderTest : public FormTest, public ::testing::WithParamInterface<TTabOrderCase> {};

TEST_P(TabOrderTest, FollowsTheDesignedOrder) {
  QWidget* page = form->findChild<QWidget*>(QString::fromLatin1(GetParam().page));
  ASSERT_NE(page, nullptr);
  const std::vector<std::string> expected(GetParam().order.begin(), GetParam().order.end());
  QWidget* first = form->findChild<QWidget*>(QString::fromStdString(expected.front()));
  std::vector<std::string> order = FocusOrder(page, first);
  if (order.size() > expected.size()) order.resize(expected.size());
  EXPECT_EQ(order, expected);
}

// One table laid out by hand.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Pages, TabOrderTest,
    ::testing::Values(
        TTabOrderCase{
            "TabSheetFiles",
            {"EditImagesFolder", "CheckBoxSubAlbums",
             "EditImagesMask", "ListBoxImages", "ComboBoxDescrType",
             "ComboBoxImageOrder", "CheckBoxImageOrderDescending", "CheckBoxClearResultFolder",
             "EditResultFolder", "CheckBoxClearThumbsFolder", "EditThumbsFolderPrefix",
             "EditThumbsFolder", "CheckBoxCopyButtonsFromTemplate", "EditButtonsFolderPrefix",
             "EditButtonsFolder", "CheckBoxDisplayCopies", "EditDisplayFolder", "EditDisplaySize",
             "EditDisplayQuality", "ComboBoxSettings"}},
        TTabOrderCase{"TabSheetIndex",
                      {"EditIndexTemplate",
                       "EditIndexPlace",
                       "ComboBoxIndexType",
                       "EditTableWidth",
                       "EditTableBorderWidth",
                       "EditCellSpacing",
                       "EditCellPadding",
                       "EditTableBorderColor",
                       "EditTableBackColor",
                       "CheckBoxShowTableHeaders",
                       "CheckBoxShowDescriptions",
                       "CheckBoxShowFileSizes",
                       "ComboBoxFileSizes",
                       "EditThumbXCount",
                       "EditThumbXSize",
                       "EditThumbYSize",
                       "EditThumbBorderWidth",
                       "EditThumbBorderColor",
                       "CheckBoxDescrAsThumbAlt",
                       "CheckBoxCreateThumbs",
                       "ComboBoxThumbsFormat",
                       "RadioButtonThumbWithPrefix",
                       "RadioButtonThumbWithSuffix",
                       "EditThumbPrefixSuffix",
                       "EditIndexFile",
                       "CheckBoxOriginalsArchive",
                       "EditArchiveName"}},
        TTabOrderCase{"TabSheetImage", kPictureTabOrder}),
    [](const auto& info) { return std::string(info.param.page); });
// clang-format on

// The Tab key walks the "Картинка" tab in its designed order also after the picture mode has
// been switched to a file and back (the page-name group was disabled in between).
TEST_F(FormTest, TabKeyKeepsTheOrderOfThePictureTabAfterSwitchingModes) {
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetImage");
  Control<QComboBox>("ComboBoxDescrType")->setCurrentIndex(1);
  for (QRadioButton* mode : {Control<TRadioButton>("RadioButtonImageAsHtml"),
                             Control<TRadioButton>("RadioButtonImageAsFile"),
                             Control<TRadioButton>("RadioButtonImageAsHtml")})
    QTest::mouseClick(mode, Qt::LeftButton, Qt::NoModifier, QPoint(6, mode->height() / 2));
  ASSERT_TRUE(Control("GroupBoxHtmlNames")->isEnabled());
  // Switching modes leaves the focus on the last mode clicked.
  const std::vector<std::string> expected(kPictureTabOrder.begin() + 1, kPictureTabOrder.end());
  std::vector<std::string> visited{form->focusWidget()->objectName().toStdString()};
  for (size_t i = 1; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited.push_back(NameOf(NamedControl(QApplication::focusWidget())));
  }
  EXPECT_EQ(visited, expected);
  form->close();
}

// On "Картинка" each label stands on the left of its edit, on the same line.
TEST_F(FormTest, PictureTabLabelsStandLeftOfTheirEdits) {
  form->show();
  ShowPage("TabSheetImage");
  QApplication::processEvents();
  const std::pair<QWidget*, QWidget*> rows[] = {
      {Control<QLabel>("LabelImageTemplate"), Control<TFileEdit>("EditImageTemplate")},
      {Control<QLabel>("LabelImagePlace"), Control<QLineEdit>("EditImagePlace")},
      {Control<QLabel>("LabelDescrPlace"), Control<QLineEdit>("EditDescrPlace")},
      {Control<QLabel>("LabelButtonsPlace"), Control<QLineEdit>("EditButtonsPlace")}};
  for (const auto& [label, edit] : rows) {
    SCOPED_TRACE(label->objectName().toStdString());
    const QRect l(label->mapTo(form.get(), QPoint(0, 0)), label->size());
    const QRect e(edit->mapTo(form.get(), QPoint(0, 0)), edit->size());
    EXPECT_LE(l.right(), e.left());
    EXPECT_TRUE(e.top() <= l.center().y() && l.center().y() <= e.bottom()) << "on one line";
  }
  form->close();
}

// The keyboard from the start: Ctrl+Tab and Ctrl+Shift+Tab wherever the focus is, Alt with the
// underlined letter of a tab, and F9 for "Построить галерею".
struct TKeyCase {
  const char* focus;  // the control that has the focus ("" for the window's first state)
  int key;
  Qt::KeyboardModifiers modifiers;
  const char* page;  // in front afterwards
  bool builds;
};

void PrintTo(const TKeyCase& c, std::ostream* out) {
  *out << (*c.focus ? c.focus : "start") << " key " << c.key << " -> " << c.page;
}

class KeyboardTest : public FormTest, public ::testing::WithParamInterface<TKeyCase> {};

TEST_P(KeyboardTest, ReachesTabsAndTheBuild) {
  const TKeyCase& c = GetParam();
  MakeFile("pics/a.jpg");
  ASSERT_EQ(form->FormCreate(Pictures().toStdString()), TStatus::Ok());
  ASSERT_TRUE(ShowActive());
  QWidget* target = form.get();
  if (*c.focus) {
    ShowPage("TabSheetFiles");
    target = Control(c.focus);
    target->setFocus();
  }
  desktop.confirmations.push_back(false);  // the build stops at its first question
  const auto key = static_cast<Qt::Key>(c.key);
  // A Cyrillic letter has no ASCII character for QTest to derive its text from.
  if (c.key >= 0x400 && c.key < 0x500)
    QTest::sendKeyEvent(QTest::Click, target, key, QString(QChar(c.key)).toLower(), c.modifiers);
  else
    QTest::keyClick(target, key, c.modifiers);
  EXPECT_EQ(Control<QTabWidget>("PageControlMain")->currentWidget()->objectName().toStdString(),
            c.page);
  EXPECT_EQ(form->Building(), c.builds);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Building(); }, 60000));
  EXPECT_EQ(desktop.Texts("error").size(), c.builds ? 1u : 0u) << "the build was refused";
  EXPECT_NE(Control<QPushButton>("ButtonBuildGallery")->toolTip().indexOf("F9"), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardTest,
    ::testing::Values(
        TKeyCase{"", Qt::Key_Tab, Qt::ControlModifier, "TabSheetFiles", false},
        TKeyCase{"", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, "TabSheetImage",
                 false},
        TKeyCase{"EditImagesMask", Qt::Key_Tab, Qt::ControlModifier, "TabSheetIndex", false},
        TKeyCase{"", 0x41A /* К */, Qt::AltModifier, "TabSheetImage", false},
        TKeyCase{"EditImagesMask", Qt::Key_F9, Qt::NoModifier, "TabSheetFiles", true}),
    TPrintedCaseName());

// The file dialogs open in the folder of the file named in their box, as the build reads it
// (from the working folder); "%1" stands for the test's folder.
TEST_F(FormTest, FileDialogsOpenWhereTheNamedFileIs) {
  MakeFile("my templates/page.htm");
  const std::pair<const char*, const char*> cases[] = {
      {"\"%1/my templates/page.htm\"", "%1/my templates"},
      {"my templates/index.htm", "%1/my templates"},
      {"/no/such/folder/index.htm", ""}};
  const QString previous = QDir::currentPath();
  QDir::setCurrent(folder.path());
  for (const auto& [text, start] : cases) {
    Control<TFileEdit>("EditIndexTemplate")->setText(QString::fromUtf8(text).arg(folder.path()));
    Control<TFileEdit>("EditIndexTemplate")->Browse();
    EXPECT_EQ(desktop.fileDialogStarts.back().toStdString(),
              QString::fromUtf8(start).arg(folder.path()).toStdString());
  }
  QDir::setCurrent(previous);
}

}  // namespace

}  // namespace zetgallery
