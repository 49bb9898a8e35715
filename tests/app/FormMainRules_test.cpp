// The window's side of its rules (the rules themselves are WindowRules_test.cpp): their result
// shown on the controls, the controls that run them, then the result-folder list, the key filter,
// the colour buttons and the image list's commands.
#include <QApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimer>

#include "FormTestSupport.h"
#include "app/WindowRules.h"
#include "settings/SettingsTable.h"
#include "support/CaseNames.h"

namespace zetgallery {

namespace {

// How the controls the rules read stand, and the picture mode the rules should see.
struct TShownCase {
  const char* title;
  int indexKind;      // ComboBoxIndexType
  const char* mode;   // the picture mode's radio button checked, "" for neither
  int description;    // ComboBoxDescrType
  bool showSizes;     // CheckBoxShowFileSizes
  const char* blank;  // a mandatory edit left blank, "" for none
  bool picture;       // one picture in the list
  bool pages;         // "Картинка в HTML" is checked
};

void PrintTo(const TShownCase& c, std::ostream* out) { *out << c.title; }

class ShownRulesTest : public FormTest, public ::testing::WithParamInterface<TShownCase> {};

// The window shows what the rules give for the values its controls hold: each control the rules
// govern is enabled as they say, and the blank mandatory texts are yellow, the others not.
TEST_P(ShownRulesTest, EveryGovernedControlShowsTheRulesResult) {
  const TShownCase& c = GetParam();
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  Control<QComboBox>("ComboBoxIndexType")->setCurrentIndex(c.indexKind);
  if (*c.mode != '\0') Control<TRadioButton>(c.mode)->setChecked(true);
  Control<QComboBox>("ComboBoxDescrType")->setCurrentIndex(c.description);
  Control<QCheckBox>("CheckBoxShowFileSizes")->setChecked(c.showSizes);
  if (c.picture) Control<TSortedListBox>("ListBoxImages")->AddSorted(QStringLiteral("a.jpg"));
  if (*c.blank != '\0') {
    if (auto* combo = qobject_cast<QComboBox*>(Control(c.blank)))
      combo->setEditText(QString());
    else
      Control<QLineEdit>(c.blank)->setText(QStringLiteral(" "));
  }
  form->EnableDisableControls();

  TWindowRuleInputs inputs{form->ReadSnapshot(),
                           Control<QComboBox>("EditResultFolder")->currentText().toStdString(),
                           Control<TSortedListBox>("ListBoxImages")->count()};
  inputs.Settings.ImageType = c.pages ? 1 : 0;
  const TWindowState state = EvaluateWindowRules(inputs);
  const QColor yellow(255, 255, 0);
  for (const TControlState& expected : state.Controls) {
    QWidget* control = Control(std::string(expected.Control).c_str());
    EXPECT_EQ(control->isEnabled(), expected.Enabled) << expected.Control;
    auto* combo = qobject_cast<QComboBox*>(control);
    QWidget* edit = combo != nullptr && combo->isEditable() ? combo->lineEdit() : control;
    EXPECT_EQ(edit->palette().color(QPalette::Base) == yellow, expected.Highlighted)
        << expected.Control;
  }
  EXPECT_EQ(Control("EditImagePlace")->isEnabled(), c.pages);
  EXPECT_EQ(Control("ButtonBuildGallery")->isEnabled(), c.picture && *c.blank == '\0');
  // The rules leave these as the layout made them.
  EXPECT_FALSE(Control("EditThumbsFolderPrefix")->isEnabled());
  EXPECT_FALSE(Control("EditButtonsFolderPrefix")->isEnabled());
  EXPECT_TRUE(Control("GroupBoxNavigation")->isEnabled());
  EXPECT_TRUE(Control("ComboBoxDescrType")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ShownRulesTest,
    ::testing::Values(TShownCase{"thumbnails, pages", 3, "RadioButtonImageAsHtml", 1, true, "",
                                 true, true},
                      TShownCase{"table, file, blank thumbs folder", 2, "RadioButtonImageAsFile", 0,
                                 false, "EditThumbsFolder", true, false},
                      TShownCase{"no mode, no picture, blank page name", 0, "", 2, true,
                                 "EditHtmlFirstImageFile", false, false},
                      TShownCase{"no index kind, pages, blank index file", -1,
                                 "RadioButtonImageAsHtml", -1, true, "EditIndexFile", true, true}),
    TPrintedCaseName());

TEST_F(FormTest, DescriptionSourceTakesEffectAtTheNextEvaluation) {
  Control<QComboBox>("ComboBoxIndexType")->setCurrentIndex(2);
  Control<TRadioButton>("RadioButtonImageAsHtml")->setChecked(true);
  Control<QComboBox>("ComboBoxDescrType")->setCurrentIndex(0);
  form->EnableDisableControls();
  ASSERT_FALSE(Control<QCheckBox>("CheckBoxShowDescriptions")->isEnabled());
  ASSERT_FALSE(Control<QLineEdit>("EditDescrPlace")->isEnabled());
  Control<QComboBox>("ComboBoxDescrType")->setCurrentIndex(1);
  emit Control<QComboBox>("ComboBoxDescrType")->activated(1);
  EXPECT_FALSE(Control<QCheckBox>("CheckBoxShowDescriptions")->isEnabled())
      << "no reaction of its own";
  EXPECT_FALSE(Control<QLineEdit>("EditDescrPlace")->isEnabled());
  Control<TRadioButton>("RadioButtonImageAsFile")->click();
  Control<TRadioButton>("RadioButtonImageAsHtml")->click();
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxShowDescriptions")->isEnabled());
  EXPECT_TRUE(Control<QLineEdit>("EditDescrPlace")->isEnabled());
}

TEST_F(FormTest, ChoosingTheGridBringsItsOwnDefaultTemplate) {
  auto* edit = Control<QLineEdit>("EditIndexTemplate");
  auto* kind = Control<QComboBox>("ComboBoxIndexType");
  const QString folder = QString::fromStdString(TemplatesFolder());
  edit->setText(folder + "IndexTemplate.htm");
  kind->setCurrentIndex(4);
  emit kind->activated(4);
  EXPECT_EQ(edit->text(), folder + "GridTemplate.htm");
  EXPECT_TRUE(Control<QWidget>("EditThumbXSize")->isEnabled());
  EXPECT_FALSE(Control<QWidget>("EditThumbXCount")->isEnabled()) << "the grid has no rows";
  kind->setCurrentIndex(3);
  emit kind->activated(3);
  EXPECT_EQ(edit->text(), folder + "IndexTemplate.htm");
  // The user's own template stays whatever the kind.
  edit->setText(QStringLiteral("/home/me/mine.htm"));
  kind->setCurrentIndex(4);
  emit kind->activated(4);
  EXPECT_EQ(edit->text(), QStringLiteral("/home/me/mine.htm"));
}

TEST_F(FormTest, ControlsThatRunTheRules) {
  // Each of these, on its own, must bring the rules up to date.
  Control<QComboBox>("ComboBoxIndexType")->setCurrentIndex(2);
  form->EnableDisableControls();
  ASSERT_TRUE(Control<TSpinEdit>("EditTableWidth")->isEnabled());
  Control<QComboBox>("ComboBoxIndexType")->setCurrentIndex(3);
  emit Control<QComboBox>("ComboBoxIndexType")->activated(3);
  EXPECT_FALSE(Control<TSpinEdit>("EditTableWidth")->isEnabled()) << "a new index kind";

  Control<QComboBox>("ComboBoxIndexType")->setCurrentIndex(2);
  emit Control<QComboBox>("ComboBoxIndexType")->activated(2);
  Control<QCheckBox>("CheckBoxShowFileSizes")->setChecked(false);
  EXPECT_FALSE(Control<QComboBox>("ComboBoxFileSizes")->isEnabled());
  Control<QCheckBox>("CheckBoxShowFileSizes")->click();
  EXPECT_TRUE(Control<QComboBox>("ComboBoxFileSizes")->isEnabled()) << "the file size check box";

  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  Control<TSortedListBox>("ListBoxImages")->AddSorted(QStringLiteral("a.jpg"));
  Control<QLineEdit>("EditIndexFile")->setText(QString());
  EXPECT_FALSE(Control<QPushButton>("ButtonBuildGallery")->isEnabled()) << "the index file edit";
  Control<QLineEdit>("EditIndexFile")->setText(QStringLiteral("i.htm"));
  EXPECT_TRUE(Control<QPushButton>("ButtonBuildGallery")->isEnabled());
  Control<QComboBox>("EditHtmlFirstImageFile")->setCurrentIndex(1);
  Control<QComboBox>("EditHtmlFirstImageFile")->setEditText(QString());
  EXPECT_FALSE(Control<QPushButton>("ButtonBuildGallery")->isEnabled())
      << "the page name combo box";
  Control<QComboBox>("EditHtmlFirstImageFile")->setCurrentIndex(0);
  EXPECT_TRUE(Control<QPushButton>("ButtonBuildGallery")->isEnabled())
      << "an entry chosen from its list";
}

TEST_F(FormTest, ResultFolderSelectionDoesNotRunTheRules) {
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  Control<TSortedListBox>("ListBoxImages")->AddSorted(QStringLiteral("a.jpg"));
  form->EnableDisableControls();
  ASSERT_TRUE(Control<QPushButton>("ButtonBuildGallery")->isEnabled());
  Control<TSortedListBox>("ListBoxImages")->setCurrentRow(0);
  Control<QAction>("MenuDeleteFromList")->trigger();
  EXPECT_TRUE(Control<QPushButton>("ButtonBuildGallery")->isEnabled())
      << "a deletion leaves the button as it was";
  Control<TSortedComboBox>("EditResultFolder")->setCurrentIndex(1);
  emit Control<TSortedComboBox>("EditResultFolder")->activated(1);
  EXPECT_TRUE(Control<QPushButton>("ButtonBuildGallery")->isEnabled());
}

struct TResultFolderCase {
  const char* folderText;
  std::vector<const char*> entries;
};

void PrintTo(const TResultFolderCase& c, std::ostream* out) { *out << c.folderText; }

class ResultFolderTest : public FormTest,
                         public ::testing::WithParamInterface<TResultFolderCase> {};

TEST_P(ResultFolderTest, ListsParentThenFolder) {
  Control<TFolderEdit>("EditImagesFolder")->setText(QString::fromUtf8(GetParam().folderText));
  QStringList expected;
  for (const char* entry : GetParam().entries) expected << QString::fromUtf8(entry);
  EXPECT_EQ(Control<TSortedComboBox>("EditResultFolder")->Entries(), expected);
  EXPECT_EQ(Control<TSortedComboBox>("EditResultFolder")->currentIndex(), 0);
  const QString prefix = expected.isEmpty() || expected[0].isEmpty() || expected[0].endsWith('/')
                             ? expected.value(0)
                             : expected[0] + "/";
  EXPECT_EQ(Control<QLineEdit>("EditThumbsFolderPrefix")->text(), prefix);
  EXPECT_EQ(Control<QLineEdit>("EditButtonsFolderPrefix")->text(), prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ResultFolderTest,
    ::testing::Values(TResultFolderCase{"/photos/sea", {"/photos", "/photos/sea"}},
                      TResultFolderCase{"\"/photos/sea/\"", {"/photos", "/photos/sea"}},
                      TResultFolderCase{"/photos", {"/", "/photos"}}, TResultFolderCase{"/", {"/"}},
                      TResultFolderCase{"photos", {"", "photos"}},
                      TResultFolderCase{"my photos/sea", {"my photos", "my photos/sea"}}),
    TPrintedCaseName());

TEST_F(FormTest, ResultFolderSelectionIsKeptByPosition) {
  Control<TFolderEdit>("EditImagesFolder")->setText(QStringLiteral("/photos/sea"));
  Control<TSortedComboBox>("EditResultFolder")->setCurrentIndex(0);
  form->EditResultFolderChange();
  EXPECT_EQ(Control<QLineEdit>("EditThumbsFolderPrefix")->text().toStdString(), "/photos/");
  Control<TFolderEdit>("EditImagesFolder")->setText(QStringLiteral("/pics/trip"));
  EXPECT_EQ(Control<TSortedComboBox>("EditResultFolder")->currentIndex(), 0);
  EXPECT_EQ(Control<QLineEdit>("EditButtonsFolderPrefix")->text().toStdString(), "/pics/");

  Control<TSortedComboBox>("EditResultFolder")->setCurrentIndex(1);
  emit Control<TSortedComboBox>("EditResultFolder")->activated(1);
  EXPECT_EQ(Control<QLineEdit>("EditThumbsFolderPrefix")->text().toStdString(), "/pics/trip/");
  Control<TFolderEdit>("EditImagesFolder")->setText(QStringLiteral("/other/place"));
  EXPECT_EQ(Control<QLineEdit>("EditThumbsFolderPrefix")->text().toStdString(), "/other/place/");
  Control<TFolderEdit>("EditImagesFolder")->setText(QStringLiteral("/"));
  EXPECT_EQ(Control<TSortedComboBox>("EditResultFolder")->currentIndex(), 0)
      << "entry 1 is gone: entry 0";

  Control<TFolderEdit>("EditImagesFolder")->setText(QStringLiteral("   "));
  EXPECT_EQ(Control<TSortedComboBox>("EditResultFolder")->Entries(), QStringList{"/"})
      << "a blank folder keeps the list";
}

TEST_F(FormTest, DropDownRefillsFromTheFolderText) {
  {
    const QSignalBlocker quiet(Control<TFolderEdit>("EditImagesFolder"));
    Control<TFolderEdit>("EditImagesFolder")->setText(QStringLiteral("/a/b"));
  }
  EXPECT_TRUE(Control<TSortedComboBox>("EditResultFolder")->Entries().isEmpty());
  Control<TSortedComboBox>("EditResultFolder")->showPopup();
  Control<TSortedComboBox>("EditResultFolder")->hidePopup();
  EXPECT_EQ(Control<TSortedComboBox>("EditResultFolder")->Entries(), (QStringList{"/a", "/a/b"}));
}

struct TKeyCase {
  const char* typed;
  const char* result;  // text of the edit after typing into "x"
  int beeps;
};

void PrintTo(const TKeyCase& c, std::ostream* out) { *out << "typed \"" << c.typed << "\""; }

class KeyFilterTest : public FormTest, public ::testing::WithParamInterface<TKeyCase> {};

// Both sub-folder edits in use: thumbnails in a table, pictures with pages.
void EnableFolderEdits(TFormMain& form) {
  FindControl<QComboBox>(form, "ComboBoxIndexType")->setCurrentIndex(3);
  FindControl<TRadioButton>(form, "RadioButtonImageAsHtml")->setChecked(true);
  form.EnableDisableControls();
  ASSERT_TRUE(FindControl<QLineEdit>(form, "EditThumbsFolder")->isEnabled());
  ASSERT_TRUE(FindControl<QLineEdit>(form, "EditButtonsFolder")->isEnabled());
}

// Types `text` as key presses; characters beyond ASCII arrive as a keyboard layout sends them,
// with their text and no key code of their own.
void Type(QWidget* widget, const QString& text) {
  for (const QChar character : text) {
    if (character.unicode() < 128) {
      QTest::keyClick(widget, character.toLatin1());
      continue;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
    QApplication::sendEvent(widget, &release);
  }
}

TEST_P(KeyFilterTest, LetsOnlyFolderCharactersThrough) {
  EnableFolderEdits(*form);
  for (QLineEdit* edit :
       {Control<QLineEdit>("EditThumbsFolder"), Control<QLineEdit>("EditButtonsFolder")}) {
    desktop.beeps = 0;
    edit->setText(QStringLiteral("x"));
    edit->end(false);
    Type(edit, QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(edit->text().toStdString(), GetParam().result) << edit->objectName().toStdString();
    EXPECT_EQ(desktop.beeps, GetParam().beeps);
  }
}

INSTANTIATE_TEST_SUITE_P(Characters, KeyFilterTest,
                         ::testing::Values(TKeyCase{"abzAZ", "xabzAZ", 0},
                                           TKeyCase{"0-9_", "x0-9_", 0}, TKeyCase{".", "x", 1},
                                           TKeyCase{" ", "x", 1}, TKeyCase{"a.b c", "xabc", 2},
                                           TKeyCase{"я", "x", 1}, TKeyCase{"/\\:*", "x", 4},
                                           TKeyCase{"é", "x", 1}),
                         TPrintedCaseName());

TEST_F(FormTest, KeyFilterPassesBackspaceAndPasteButNotControlCharacters) {
  EnableFolderEdits(*form);
  QLineEdit* edit = Control<QLineEdit>("EditThumbsFolder");
  edit->setText(QStringLiteral("abc"));
  edit->end(false);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text().toStdString(), "ab");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(desktop.beeps, 1);
  edit->insert(QStringLiteral(". x"));  // what pasting does
  EXPECT_EQ(edit->text().toStdString(), "ab. x");
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(edit->text().toStdString(), "ab. x") << "Ctrl+X types a control character";
  EXPECT_EQ(desktop.beeps, 2);
  EXPECT_EQ(Control<QLineEdit>("EditIndexFile")->text().toStdString(), "index.htm");
  QTest::keyClicks(Control<QLineEdit>("EditIndexFile"), QStringLiteral(" ."));
  EXPECT_EQ(Control<QLineEdit>("EditIndexFile")->text().toStdString(), "index.htm .")
      << "other edits take anything";
}

struct TColorCase {
  const char* start;
  std::optional<TColor> chosen;  // nothing: Cancel
  const char* customColor;
  TColor startColor;
  const char* result;
};

void PrintTo(const TColorCase& c, std::ostream* out) {
  *out << c.start << (c.chosen ? " OK" : " Cancel");
}

class ColorButtonTest : public FormTest, public ::testing::WithParamInterface<TColorCase> {};

TEST_P(ColorButtonTest, RewritesTheEditWithTheDialogsColour) {
  const TColorCase& c = GetParam();
  struct {
    QLineEdit* edit;
    const char* button;
    const char* dialog;
  } buttons[] = {
      {Control<QLineEdit>("EditTableBorderColor"), "ButtonTableBorderColor",
       "ColorDialogTableBorder"},
      {Control<QLineEdit>("EditTableBackColor"), "ButtonTableBackColor", "ColorDialogTableBack"},
      {Control<QLineEdit>("EditThumbBorderColor"), "ButtonThumbBorderColor",
       "ColorDialogThumbBorder"}};
  for (const auto& button : buttons) {
    desktop.colorDialogCustomColors.clear();
    desktop.colorDialogStartColors.clear();
    desktop.colorDialogNames.clear();
    button.edit->setText(QString::fromUtf8(c.start));
    desktop.colors.push_back(c.chosen);
    Control<QToolButton>(button.button)->click();
    EXPECT_EQ(button.edit->text().toStdString(), c.result);
    ASSERT_EQ(desktop.colorDialogCustomColors.size(), 1u);
    EXPECT_EQ(desktop.colorDialogCustomColors[0], QStringList{QString::fromUtf8(c.customColor)});
    EXPECT_EQ(desktop.colorDialogStartColors[0], c.startColor);
    EXPECT_EQ(desktop.colorDialogNames[0].toStdString(), button.dialog);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ColorButtonTest,
    ::testing::Values(TColorCase{"red", std::nullopt, "ColorA=0000FF", 0x0000FF, "#FF0000"},
                      TColorCase{"#FF8000", std::nullopt, "ColorA=0080FF", 0x0080FF, "#FF8000"},
                      TColorCase{"#ff8000", TColor(0x00FF00), "ColorA=0080FF", 0x0080FF, "#00FF00"},
                      TColorCase{"nonsense", std::nullopt, "ColorA=000000", 0, "#000000"},
                      TColorCase{"", TColor(0xFFFFFF), "ColorA=000000", 0, "#FFFFFF"}),
    TPrintedCaseName());

class ImageListTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
    for (const char* name : {"c.gif", "A.jpg", "b.jpg"})
      Control<TSortedListBox>("ListBoxImages")->AddSorted(QString::fromUtf8(name));
  }

  // Opens the image list's menu as a right click does, and closes it at once.
  void OpenImageMenu() {
    auto* menu = Control<QMenu>("PopupMenuImages");
    const QMetaObject::Connection closing = QObject::connect(
        menu, &QMenu::aboutToShow, menu, [menu] { QTimer::singleShot(0, menu, &QMenu::close); });
    emit Control<TSortedListBox>("ListBoxImages")->customContextMenuRequested(QPoint(1, 1));
    QObject::disconnect(closing);
  }
};

TEST_F(ImageListTest, PopupSelectsTheFirstEntryWhenNoneIsSelected) {
  Control<TSortedListBox>("ListBoxImages")->clearSelection();
  OpenImageMenu();
  EXPECT_EQ(
      Control<TSortedListBox>("ListBoxImages")->selectedItems().value(0)->text().toStdString(),
      "A.jpg");
  Control<TSortedListBox>("ListBoxImages")->setCurrentRow(2);
  OpenImageMenu();
  EXPECT_EQ(Control<TSortedListBox>("ListBoxImages")->currentRow(), 2)
      << "an existing selection stays";
}

TEST_F(ImageListTest, DeleteSelectsTheSameRowOrTheNewLastAndCounts) {
  Control<TSortedListBox>("ListBoxImages")->setCurrentRow(2);
  Control<QAction>("MenuDeleteFromList")->trigger();
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"}));
  EXPECT_EQ(Control<TSortedListBox>("ListBoxImages")->currentRow(), 1);
  EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text().toStdString(), "Всего картинок: 2");
  Control<TSortedListBox>("ListBoxImages")->setCurrentRow(0);
  Control<QAction>("MenuDeleteFromList")->trigger();
  EXPECT_EQ(ListEntries(), QStringList{"b.jpg"});
  EXPECT_EQ(Control<TSortedListBox>("ListBoxImages")->currentRow(), 0);
  Control<TSortedListBox>("ListBoxImages")->clearSelection();
  Control<QAction>("MenuDeleteFromList")->trigger();
  EXPECT_EQ(ListEntries(), QStringList{"b.jpg"}) << "nothing selected, nothing removed";
  EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text().toStdString(), "Всего картинок: 1");
}

TEST_F(ImageListTest, OpenUsesFolderAndReportsTheExtension) {
  Control<TSortedListBox>("ListBoxImages")->clearSelection();
  Control<QAction>("MenuViewImages")->trigger();
  EXPECT_TRUE(desktop.opened.empty()) << "no selection, nothing opens";
  Control<TSortedListBox>("ListBoxImages")->setCurrentRow(1);
  Control<QAction>("MenuViewImages")->trigger();
  ASSERT_EQ(desktop.opened.size(), 1u);
  EXPECT_EQ(desktop.opened[0], (Pictures() + "/b.jpg").toStdString());
  EXPECT_TRUE(desktop.messages.empty());
  desktop.openSucceeds = false;
  Control<TSortedListBox>("ListBoxImages")->setCurrentRow(2);
  Control<QAction>("MenuViewImages")->trigger();
  EXPECT_EQ(desktop.Texts("error"),
            std::vector<std::string>{
                "Ошибка запуска приложения, ассоциированного с расширением \".gif\"."});
  EXPECT_EQ(Control<TSortedListBox>("ListBoxImages")->currentRow(), 2);
}

TEST_F(ImageListTest, ShortcutsWorkOnlyWhileTheListHasTheFocus) {
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetFiles");
  Control<TZetEdit>("EditImagesMask")->setFocus();
  QTest::keyClick(Control<TZetEdit>("EditImagesMask"), Qt::Key_Delete);
  QTest::keyClick(Control<TZetEdit>("EditImagesMask"), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ListEntries().size(), 3);
  EXPECT_TRUE(desktop.messages.empty());
  Control<TSortedListBox>("ListBoxImages")->setFocus();
  Control<TSortedListBox>("ListBoxImages")->setCurrentRow(0);
  QTest::keyClick(Control<TSortedListBox>("ListBoxImages"), Qt::Key_Delete);
  EXPECT_EQ(ListEntries(), (QStringList{"b.jpg", "c.gif"}));
  QTest::keyClick(Control<TSortedListBox>("ListBoxImages"), Qt::Key_Return);
  EXPECT_EQ(desktop.opened.size(), 1u);
  QTest::keyClick(Control<TSortedListBox>("ListBoxImages"), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(desktop.opened.size(), 2u) << "the Enter key of the number pad";
  QTest::keyClick(Control<TSortedListBox>("ListBoxImages"), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(desktop.Texts("plain"),
            std::vector<std::string>{"Извините. Будет реализовано в следующей версии."});
}

// What a mouse does on the image list: `row` is the entry under it, -1 the empty area below the
// entries. Entry 1 is selected before.
struct TListMouseCase {
  const char* title;
  Qt::MouseButton button;
  bool doubleClick;
  int row;
  int selectedAfter;
  size_t opened;  // pictures opened
};

void PrintTo(const TListMouseCase& c, std::ostream* out) { *out << c.title; }

class ImageListMouseTest : public ImageListTest,
                           public ::testing::WithParamInterface<TListMouseCase> {};

// The right button only opens the menu, which then acts on the entry selected before; a
// double-click anywhere in the list opens the selected picture.
TEST_P(ImageListMouseTest, RightButtonKeepsTheSelectionDoubleClickOpensIt) {
  const TListMouseCase& c = GetParam();
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetFiles");
  TSortedListBox* list = Control<TSortedListBox>("ListBoxImages");
  list->setCurrentRow(1);
  QWidget* viewport = list->viewport();
  const QPoint at = c.row >= 0 ? list->visualItemRect(list->item(c.row)).center()
                               : QPoint(viewport->width() / 2, viewport->height() - 3);
  ASSERT_TRUE(viewport->rect().contains(at));
  if (c.row < 0) {
    ASSERT_EQ(list->itemAt(at), nullptr) << "the list is too short for the test";
  }
  QTest::mouseClick(viewport, c.button, Qt::NoModifier, at);
  if (c.doubleClick) {
    // The rest of a double-click as the window system delivers it.
    QTest::mouseDClick(viewport, c.button, Qt::NoModifier, at);
    QTest::mouseRelease(viewport, c.button, Qt::NoModifier, at);
  }
  EXPECT_EQ(Control<TSortedListBox>("ListBoxImages")->currentRow(), c.selectedAfter);
  ASSERT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->row(list->selectedItems().first()), c.selectedAfter);
  EXPECT_EQ(desktop.opened.size(), c.opened);
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, ImageListMouseTest,
    ::testing::Values(
        TListMouseCase{"left click on an entry", Qt::LeftButton, false, 2, 2, 0},
        TListMouseCase{"right click on another entry", Qt::RightButton, false, 2, 1, 0},
        TListMouseCase{"right click below the entries", Qt::RightButton, false, -1, 1, 0},
        TListMouseCase{"left click below the entries", Qt::LeftButton, false, -1, 1, 0},
        TListMouseCase{"double-click on an entry", Qt::LeftButton, true, 0, 0, 1},
        TListMouseCase{"double-click below the entries", Qt::LeftButton, true, -1, 1, 1},
        TListMouseCase{"right double-click on an entry", Qt::RightButton, true, 0, 1, 0}),
    TPrintedCaseName());

TEST_F(ImageListTest, CtrlNeverTakesTheSelectionAway) {
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetFiles");
  TSortedListBox* list = Control<TSortedListBox>("ListBoxImages");
  list->setFocus();
  list->setCurrentRow(1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    list->visualItemRect(list->item(1)).center());
  ASSERT_EQ(list->selectedItems().size(), 1) << "Ctrl and a click on the selected entry";
  EXPECT_EQ(list->row(list->selectedItems().first()), 1);
  QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
  ASSERT_EQ(list->selectedItems().size(), 1) << "Ctrl and the space bar";
  EXPECT_EQ(list->row(list->selectedItems().first()), 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    list->visualItemRect(list->item(2)).center());
  ASSERT_EQ(list->selectedItems().size(), 1) << "Ctrl and a click on another entry";
  EXPECT_EQ(list->row(list->selectedItems().first()), 2);
}

TEST_F(ImageListTest, RightClickOpensTheMenuOnTheFirstEntryWhenNoneIsSelected) {
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetFiles");
  TSortedListBox* list = Control<TSortedListBox>("ListBoxImages");
  list->clearSelection();
  // The menu runs its own loop: close it from there once it is up.
  bool menuShown = false;
  QObject::connect(Control<QMenu>("PopupMenuImages"), &QMenu::aboutToShow, form.get(), [&] {
    menuShown = true;
    QTimer::singleShot(0, Control<QMenu>("PopupMenuImages"), &QMenu::close);
  });
  const QPoint onLastEntry =
      list->viewport()->mapTo(form.get(), list->visualItemRect(list->item(2)).center());
  QTest::mouseClick(form->windowHandle(), Qt::RightButton, Qt::NoModifier, onLastEntry);
  EXPECT_TRUE(menuShown);
  ASSERT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->selectedItems().first()->text().toStdString(), "A.jpg")
      << "the entry under the mouse is not selected by the right button";
}

TEST_F(FormTest, HelpButtonShowsItsPlainMessage) {
  Control<QPushButton>("ButtonHelp")->click();
  EXPECT_EQ(desktop.Texts("plain"),
            std::vector<std::string>{"Извините. Help-файл будет сделан в будущих версиях."});
}

TEST_F(FormTest, DesignTimeLayout) {
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0");
  EXPECT_EQ(form->size(), QSize(421, 435));
  EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "fixed size";
  EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  ASSERT_EQ(Control<QTabWidget>("PageControlMain")->count(), 4);
  const char* tabs[] = {"Главная", "Индекс", "Картинка", "О программе"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Control<QTabWidget>("PageControlMain")->tabText(i).remove('&').toStdString(),
              tabs[i]);
  EXPECT_EQ(Control<QTabWidget>("PageControlMain")->currentWidget(), Control("TabSheetIndex"));
  EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text().toStdString(), "Всего картинок: 999");
  EXPECT_EQ(Control<QComboBox>("EditHtmlFirstImageFile")->currentText().toStdString(),
            "picture_01.htm");
  EXPECT_EQ(Control<TSpinEdit>("EditThumbXSize")->Text().toStdString(), "120");
  EXPECT_EQ(Control<QComboBox>("ComboBoxIndexType")->currentIndex(), -1);
  EXPECT_FALSE(Control<TRadioButton>("RadioButtonImageAsFile")->isChecked());
  EXPECT_FALSE(Control<TRadioButton>("RadioButtonImageAsHtml")->isChecked());
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxImageClickEqualNext")->isChecked());
  EXPECT_EQ(Control<QLineEdit>("EditAltFirst")->text().toStdString(), "Первая...");
  EXPECT_EQ(Control<QToolButton>("ButtonSaveSettings")->focusPolicy(), Qt::NoFocus);
  EXPECT_TRUE(Control<TSortedListBox>("ListBoxImages")->toolTip().isEmpty())
      << "its hint comes with the creation handler";
  EXPECT_EQ(Control<TZetEdit>("EditImagesMask")->toolTip().toStdString(),
            "Можно указать несколько масок через точку с запятой\n"
            "Например: \"*.jpg;*.gif;*.bmp\". Для всех файлов укажите \"*.*\"");
  EXPECT_EQ(Control<QToolButton>("ButtonSaveSettings")->toolTip().toStdString(),
            "Сохранить настройку с указанным именем");
  // Every control the settings store names exists under its name.
  for (const char* name : {"EditImagesFolder", "EditResultFolder", "CheckBoxClearResultFolder",
                           "EditTableWidth", "ComboBoxThumbsFormat", "RadioButtonHtmlSerialNumber",
                           "EditButtonImageIndex", "EditAltIndex", "CheckBoxImageClickEqualNext",
                           "UrlLabelAuthorPage", "MailLabelAuthorAddr", "ImageProgIcon"})
    EXPECT_NE(form->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(FormTest, PageNameBoxKeepsTheTypedNameAndNoDropDownCompletes) {
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetImage");
  Control<TRadioButton>("RadioButtonImageAsHtml")->setChecked(true);
  QLineEdit* edit = Control<QComboBox>("EditHtmlFirstImageFile")->lineEdit();
  edit->setFocus();
  edit->clear();
  QTest::keyClicks(edit, QStringLiteral("pic"));
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(Control<QComboBox>("EditHtmlFirstImageFile")->currentText().toStdString(), "pic");
  for (QComboBox* box : form->findChildren<QComboBox*>()) {
    if (box->isEditable()) {
      EXPECT_EQ(box->completer(), nullptr) << box->objectName().toStdString();
    }
  }
  form->close();
}

// A click with the mouse on a radio button of the "Картинка" tab, as the user makes it.
void ClickRadio(QRadioButton* radio) {
  QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(6, radio->height() / 2));
}

TEST_F(FormTest, RadioPairsOfThePictureTabAreTwoGroupsThatStayChecked) {
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetImage");
  Control<TRadioButton>("RadioButtonImageAsHtml")->setChecked(true);
  Control<TRadioButton>("RadioButtonHtmlAsImageName")->setChecked(true);
  Control<QComboBox>("ComboBoxDescrType")->setCurrentIndex(0);
  form->EnableDisableControls();
  ASSERT_FALSE(Control<QLineEdit>("EditDescrPlace")->isEnabled());
  Control<QComboBox>("ComboBoxDescrType")->setCurrentIndex(1);

  const struct {
    QRadioButton* clicked;
    bool asFile, asHtml, byName, serial;
  } steps[] = {
      {Control<TRadioButton>("RadioButtonImageAsHtml"), false, true, true, false},
      {Control<TRadioButton>("RadioButtonHtmlAsImageName"), false, true, true, false},
      {Control<TRadioButton>("RadioButtonHtmlSerialNumber"), false, true, false, true},
      {Control<TRadioButton>("RadioButtonImageAsFile"), true, false, false, true},
      {Control<TRadioButton>("RadioButtonImageAsFile"), true, false, false, true},
      {Control<TRadioButton>("RadioButtonImageAsHtml"), false, true, false, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.clicked->objectName().toStdString());
    ClickRadio(step.clicked);
    EXPECT_EQ(Control<TRadioButton>("RadioButtonImageAsFile")->isChecked(), step.asFile);
    EXPECT_EQ(Control<TRadioButton>("RadioButtonImageAsHtml")->isChecked(), step.asHtml);
    EXPECT_EQ(Control<TRadioButton>("RadioButtonHtmlAsImageName")->isChecked(), step.byName);
    EXPECT_EQ(Control<TRadioButton>("RadioButtonHtmlSerialNumber")->isChecked(), step.serial);
    EXPECT_EQ(Control<QLineEdit>("EditDescrPlace")->isEnabled(), step.asHtml)
        << "the click ran the rules";
  }
  form->close();
}

}  // namespace

}  // namespace zetgallery
