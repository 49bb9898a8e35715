// The window's rules: enable/disable table, mandatory edits, result-folder list, key filter,
// colour buttons and the image list's commands.
#include <QApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimer>

#include "FormTestSupport.h"
#include "support/CaseNames.h"

namespace zetgallery {

namespace {

// What the enable/disable rules should give for one combination of the controls they read.
struct TRuleCase {
  const char* title;
  int indexKind;     // ComboBoxIndexType
  bool imageAsHtml;  // RadioButtonImageAsHtml, else RadioButtonImageAsFile
  int description;   // ComboBoxDescrType
  bool showSizes;    // CheckBoxShowFileSizes checked
  // expected enabled states
  bool tableGroup, tableWidth, headers, descriptions, sizesCheck, sizesUnit, cellSpacing;
  bool thumbsGroup, thumbXCount, thumbNames, createThumbs, thumbsFolder;
  bool imageTemplate, descrPlace, navigation, htmlNames, buttonsFolder;
};

void PrintTo(const TRuleCase& c, std::ostream* out) { *out << c.title; }

class EnableDisableTest : public FormTest, public ::testing::WithParamInterface<TRuleCase> {};

TEST_P(EnableDisableTest, FollowsTheRules) {
  const TRuleCase& c = GetParam();
  form->IndexTab().ComboBoxIndexType->setCurrentIndex(c.indexKind);
  (c.imageAsHtml ? form->ImageTab().RadioButtonImageAsHtml
                 : form->ImageTab().RadioButtonImageAsFile)
      ->setChecked(true);
  form->FilesTab().ComboBoxDescrType->setCurrentIndex(c.description);
  form->IndexTab().CheckBoxShowFileSizes->setChecked(c.showSizes);
  form->EnableDisableControls();

  EXPECT_EQ(form->IndexTab().GroupBoxIndexTable->isEnabled(), c.tableGroup);
  EXPECT_EQ(form->IndexTab().EditTableWidth->isEnabled(), c.tableWidth);
  EXPECT_EQ(form->IndexTab().LabelTableWidth->isEnabled(), c.tableWidth);
  EXPECT_EQ(form->IndexTab().CheckBoxShowTableHeaders->isEnabled(), c.headers);
  EXPECT_EQ(form->IndexTab().CheckBoxShowDescriptions->isEnabled(), c.descriptions);
  EXPECT_EQ(form->IndexTab().CheckBoxShowFileSizes->isEnabled(), c.sizesCheck);
  EXPECT_EQ(form->IndexTab().ComboBoxFileSizes->isEnabled(), c.sizesUnit);
  EXPECT_EQ(form->IndexTab().LabelFileSizes->isEnabled(), c.sizesUnit);
  EXPECT_EQ(form->IndexTab().EditCellSpacing->isEnabled(), c.cellSpacing);
  EXPECT_EQ(form->IndexTab().ButtonTableBackColor->isEnabled(), c.cellSpacing);
  EXPECT_EQ(form->IndexTab().GroupBoxThumbs->isEnabled(), c.thumbsGroup);
  EXPECT_EQ(form->IndexTab().EditThumbXCount->isEnabled(), c.thumbXCount);
  EXPECT_EQ(form->IndexTab().ButtonThumbBorderColor->isEnabled(), c.thumbXCount);
  EXPECT_EQ(form->IndexTab().GroupBoxThumbNames->isEnabled(), c.thumbNames);
  EXPECT_EQ(form->IndexTab().EditThumbPrefixSuffix->isEnabled(), c.thumbNames);
  EXPECT_EQ(form->IndexTab().CheckBoxCreateThumbs->isEnabled(), c.createThumbs);
  EXPECT_EQ(form->IndexTab().ComboBoxThumbsFormat->isEnabled(), c.createThumbs);
  EXPECT_EQ(form->FilesTab().EditThumbsFolder->isEnabled(), c.thumbsFolder);
  EXPECT_EQ(form->FilesTab().LabelThumbsFolder->isEnabled(), c.thumbsFolder);
  EXPECT_EQ(form->FilesTab().CheckBoxClearThumbsFolder->isEnabled(), c.thumbsFolder);
  EXPECT_EQ(form->ImageTab().EditImageTemplate->isEnabled(), c.imageTemplate);
  EXPECT_EQ(form->ImageTab().EditImagePlace->isEnabled(), c.imageTemplate);
  EXPECT_EQ(form->ImageTab().EditButtonsPlace->isEnabled(), c.imageTemplate);
  EXPECT_EQ(form->ImageTab().EditDescrPlace->isEnabled(), c.descrPlace);
  EXPECT_EQ(form->ImageTab().LabelDescrPlace->isEnabled(), c.descrPlace);
  EXPECT_TRUE(form->ImageTab().GroupBoxNavigation->isEnabled())
      << "the navigation group itself stays enabled";
  EXPECT_EQ(form->ImageTab().EditButtonImageFirst->isEnabled(), c.navigation);
  EXPECT_EQ(form->ImageTab().EditAltIndex->isEnabled(), c.navigation);
  EXPECT_EQ(form->ImageTab().LabelButtonAlts->isEnabled(), c.navigation);
  EXPECT_EQ(form->ImageTab().CheckBoxImageClickEqualNext->isEnabled(), c.navigation);
  EXPECT_EQ(form->ImageTab().GroupBoxHtmlNames->isEnabled(), c.htmlNames);
  EXPECT_EQ(form->ImageTab().EditHtmlFirstImageFile->isEnabled(), c.htmlNames);
  EXPECT_EQ(form->FilesTab().EditButtonsFolder->isEnabled(), c.buttonsFolder);
  EXPECT_EQ(form->FilesTab().CheckBoxCopyButtonsFromTemplate->isEnabled(), c.buttonsFolder);
  EXPECT_FALSE(form->FilesTab().EditThumbsFolderPrefix->isEnabled());
  EXPECT_FALSE(form->FilesTab().EditButtonsFolderPrefix->isEnabled());
  EXPECT_TRUE(form->FilesTab().ComboBoxDescrType->isEnabled());
  EXPECT_TRUE(form->IndexTab().EditIndexFile->isEnabled());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, EnableDisableTest, ::testing::Values(
    //         title                       kind html descr sizes | table width head descr sizeChk unit cell | thumbs xcount names create tfolder | imgTpl descrPl nav htmlNames bfolder
    TRuleCase{"list in a table, file",      2, false, 1, true,    true, true, true, true, true, true, true,    false, false, false, false, false,   false, false, false, false, false},
    TRuleCase{"list in a table, no descr",  2, false, 0, true,    true, true, true, false, true, true, true,   false, false, false, false, false,   false, false, false, false, false},
    TRuleCase{"list in a table, unchecked", 2, true, -1, false,   true, true, true, true, true, false, true,   false, false, false, false, false,   true, true, true, true, true},
    TRuleCase{"thumbnails, pages",          3, true, 0, true,     true, false, false, false, false, false, true, true, true, true, true, true,     true, false, true, true, true},
    TRuleCase{"thumbnails, pages, descr",   3, true, 2, false,    true, false, false, false, false, false, true, true, true, true, true, true,     true, true, true, true, true},
    TRuleCase{"numbered list, pages",       0, true, 2, true,     false, false, false, false, false, false, false, false, false, false, false, false, true, true, true, true, true},
    TRuleCase{"bulleted list, file",        1, false, 2, true,    false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false},
    TRuleCase{"no index kind",             -1, true, 1, true,     false, false, false, false, false, false, false, false, false, false, false, false, true, true, true, true, true}),
TPrintedCaseName());
// clang-format on

// Fills every mandatory edit, one image and a result folder, then blanks `blank`.
struct TMandatoryCase {
  const char* blank;  // object name of the edit left blank, or "" for none
  const char* text;   // what it holds
  bool buildEnabled;
};

void PrintTo(const TMandatoryCase& c, std::ostream* out) {
  *out << (*c.blank ? c.blank : "all filled") << " = \"" << c.text << "\"";
}

class MandatoryTest : public FormTest, public ::testing::WithParamInterface<TMandatoryCase> {};

TEST_P(MandatoryTest, YellowWhenEmptyAndBuildNeedsAll) {
  const TMandatoryCase& c = GetParam();
  form->FilesTab().EditImagesFolder->setText(Pictures());
  form->IndexTab().ComboBoxIndexType->setCurrentIndex(
      0);  // the thumbnail folder is mandatory anyway
  form->ImageTab().RadioButtonImageAsFile->setChecked(true);
  form->FilesTab().ListBoxImages->AddSorted(QStringLiteral("a.jpg"));
  const QString name = QString::fromLatin1(c.blank);
  if (name == QLatin1String("EditHtmlFirstImageFile")) {
    form->ImageTab().EditHtmlFirstImageFile->setEditText(QString::fromUtf8(c.text));
  } else if (!name.isEmpty()) {
    form->findChild<QLineEdit*>(name)->setText(QString::fromUtf8(c.text));
  }
  form->EnableDisableControls();
  EXPECT_EQ(form->ButtonBuildGallery->isEnabled(), c.buildEnabled);
  const QColor yellow(255, 255, 0);
  const std::pair<const char*, QWidget*> edits[] = {
      {"EditImagesFolder", form->FilesTab().EditImagesFolder},
      {"EditThumbsFolder", form->FilesTab().EditThumbsFolder},
      {"EditButtonsFolder", form->FilesTab().EditButtonsFolder},
      {"EditIndexFile", form->IndexTab().EditIndexFile},
      {"EditHtmlFirstImageFile", form->ImageTab().EditHtmlFirstImageFile->lineEdit()}};
  for (const auto& [editName, edit] : edits) {
    const bool shouldBeYellow = name == QLatin1String(editName) && !c.buildEnabled;
    EXPECT_EQ(edit->palette().color(QPalette::Base) == yellow, shouldBeYellow) << editName;
  }
}

INSTANTIATE_TEST_SUITE_P(Edits, MandatoryTest,
                         ::testing::Values(TMandatoryCase{"", "", true},
                                           TMandatoryCase{"EditThumbsFolder", "", false},
                                           TMandatoryCase{"EditThumbsFolder", " \t ", false},
                                           TMandatoryCase{"EditButtonsFolder", "", false},
                                           TMandatoryCase{"EditIndexFile", "  ", false},
                                           TMandatoryCase{"EditIndexFile", " x ", true},
                                           TMandatoryCase{"EditHtmlFirstImageFile", "", false},
                                           TMandatoryCase{"EditImagesFolder", " ", false}),
                         TPrintedCaseName());

TEST_F(FormTest, BuildNeedsAnImageAndAResultFolder) {
  form->FilesTab().EditImagesFolder->setText(Pictures());
  form->EnableDisableControls();
  EXPECT_FALSE(form->ButtonBuildGallery->isEnabled()) << "empty image list";
  form->FilesTab().ListBoxImages->AddSorted(QStringLiteral("a.jpg"));
  form->EnableDisableControls();
  EXPECT_TRUE(form->ButtonBuildGallery->isEnabled());
  form->FilesTab().EditResultFolder->setCurrentIndex(-1);
  form->EnableDisableControls();
  EXPECT_FALSE(form->ButtonBuildGallery->isEnabled()) << "no result folder selected";
}

TEST_F(FormTest, DescriptionSourceTakesEffectAtTheNextEvaluation) {
  form->IndexTab().ComboBoxIndexType->setCurrentIndex(2);
  form->ImageTab().RadioButtonImageAsHtml->setChecked(true);
  form->FilesTab().ComboBoxDescrType->setCurrentIndex(0);
  form->EnableDisableControls();
  ASSERT_FALSE(form->IndexTab().CheckBoxShowDescriptions->isEnabled());
  ASSERT_FALSE(form->ImageTab().EditDescrPlace->isEnabled());
  form->FilesTab().ComboBoxDescrType->setCurrentIndex(1);
  emit form->FilesTab().ComboBoxDescrType->activated(1);
  EXPECT_FALSE(form->IndexTab().CheckBoxShowDescriptions->isEnabled()) << "no reaction of its own";
  EXPECT_FALSE(form->ImageTab().EditDescrPlace->isEnabled());
  form->ImageTab().RadioButtonImageAsFile->click();
  form->ImageTab().RadioButtonImageAsHtml->click();
  EXPECT_TRUE(form->IndexTab().CheckBoxShowDescriptions->isEnabled());
  EXPECT_TRUE(form->ImageTab().EditDescrPlace->isEnabled());
}

TEST_F(FormTest, ControlsThatRunTheRules) {
  // Each of these, on its own, must bring the rules up to date.
  form->IndexTab().ComboBoxIndexType->setCurrentIndex(2);
  form->EnableDisableControls();
  ASSERT_TRUE(form->IndexTab().EditTableWidth->isEnabled());
  form->IndexTab().ComboBoxIndexType->setCurrentIndex(3);
  emit form->IndexTab().ComboBoxIndexType->activated(3);
  EXPECT_FALSE(form->IndexTab().EditTableWidth->isEnabled()) << "a new index kind";

  form->IndexTab().ComboBoxIndexType->setCurrentIndex(2);
  emit form->IndexTab().ComboBoxIndexType->activated(2);
  form->IndexTab().CheckBoxShowFileSizes->setChecked(false);
  EXPECT_FALSE(form->IndexTab().ComboBoxFileSizes->isEnabled());
  form->IndexTab().CheckBoxShowFileSizes->click();
  EXPECT_TRUE(form->IndexTab().ComboBoxFileSizes->isEnabled()) << "the file size check box";

  form->FilesTab().EditImagesFolder->setText(Pictures());
  form->FilesTab().ListBoxImages->AddSorted(QStringLiteral("a.jpg"));
  form->IndexTab().EditIndexFile->setText(QString());
  EXPECT_FALSE(form->ButtonBuildGallery->isEnabled()) << "the index file edit";
  form->IndexTab().EditIndexFile->setText(QStringLiteral("i.htm"));
  EXPECT_TRUE(form->ButtonBuildGallery->isEnabled());
  form->ImageTab().EditHtmlFirstImageFile->setCurrentIndex(1);
  form->ImageTab().EditHtmlFirstImageFile->setEditText(QString());
  EXPECT_FALSE(form->ButtonBuildGallery->isEnabled()) << "the page name combo box";
  form->ImageTab().EditHtmlFirstImageFile->setCurrentIndex(0);
  EXPECT_TRUE(form->ButtonBuildGallery->isEnabled()) << "an entry chosen from its list";
}

TEST_F(FormTest, ResultFolderSelectionDoesNotRunTheRules) {
  form->FilesTab().EditImagesFolder->setText(Pictures());
  form->FilesTab().ListBoxImages->AddSorted(QStringLiteral("a.jpg"));
  form->EnableDisableControls();
  ASSERT_TRUE(form->ButtonBuildGallery->isEnabled());
  form->FilesTab().ListBoxImages->setCurrentRow(0);
  form->MenuDeleteFromListClick();
  EXPECT_TRUE(form->ButtonBuildGallery->isEnabled()) << "a deletion leaves the button as it was";
  form->FilesTab().EditResultFolder->setCurrentIndex(1);
  emit form->FilesTab().EditResultFolder->activated(1);
  EXPECT_TRUE(form->ButtonBuildGallery->isEnabled());
}

struct TResultFolderCase {
  const char* folderText;
  std::vector<const char*> entries;
};

void PrintTo(const TResultFolderCase& c, std::ostream* out) { *out << c.folderText; }

class ResultFolderTest : public FormTest,
                         public ::testing::WithParamInterface<TResultFolderCase> {};

TEST_P(ResultFolderTest, ListsParentThenFolder) {
  form->FilesTab().EditImagesFolder->setText(QString::fromUtf8(GetParam().folderText));
  QStringList expected;
  for (const char* entry : GetParam().entries) expected << QString::fromUtf8(entry);
  EXPECT_EQ(form->FilesTab().EditResultFolder->Entries(), expected);
  EXPECT_EQ(form->FilesTab().EditResultFolder->currentIndex(), 0);
  const QString prefix = expected.isEmpty() || expected[0].isEmpty() || expected[0].endsWith('/')
                             ? expected.value(0)
                             : expected[0] + "/";
  EXPECT_EQ(form->FilesTab().EditThumbsFolderPrefix->text(), prefix);
  EXPECT_EQ(form->FilesTab().EditButtonsFolderPrefix->text(), prefix);
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
  form->FilesTab().EditImagesFolder->setText(QStringLiteral("/photos/sea"));
  form->FilesTab().EditResultFolder->setCurrentIndex(0);
  form->EditResultFolderChange();
  EXPECT_EQ(form->FilesTab().EditThumbsFolderPrefix->text().toStdString(), "/photos/");
  form->FilesTab().EditImagesFolder->setText(QStringLiteral("/pics/trip"));
  EXPECT_EQ(form->FilesTab().EditResultFolder->currentIndex(), 0);
  EXPECT_EQ(form->FilesTab().EditButtonsFolderPrefix->text().toStdString(), "/pics/");

  form->FilesTab().EditResultFolder->setCurrentIndex(1);
  emit form->FilesTab().EditResultFolder->activated(1);
  EXPECT_EQ(form->FilesTab().EditThumbsFolderPrefix->text().toStdString(), "/pics/trip/");
  form->FilesTab().EditImagesFolder->setText(QStringLiteral("/other/place"));
  EXPECT_EQ(form->FilesTab().EditThumbsFolderPrefix->text().toStdString(), "/other/place/");
  form->FilesTab().EditImagesFolder->setText(QStringLiteral("/"));
  EXPECT_EQ(form->FilesTab().EditResultFolder->currentIndex(), 0) << "entry 1 is gone: entry 0";

  form->FilesTab().EditImagesFolder->setText(QStringLiteral("   "));
  EXPECT_EQ(form->FilesTab().EditResultFolder->Entries(), QStringList{"/"})
      << "a blank folder keeps the list";
}

TEST_F(FormTest, DropDownRefillsFromTheFolderText) {
  {
    const QSignalBlocker quiet(form->FilesTab().EditImagesFolder);
    form->FilesTab().EditImagesFolder->setText(QStringLiteral("/a/b"));
  }
  EXPECT_TRUE(form->FilesTab().EditResultFolder->Entries().isEmpty());
  form->FilesTab().EditResultFolder->showPopup();
  form->FilesTab().EditResultFolder->hidePopup();
  EXPECT_EQ(form->FilesTab().EditResultFolder->Entries(), (QStringList{"/a", "/a/b"}));
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
  form.IndexTab().ComboBoxIndexType->setCurrentIndex(3);
  form.ImageTab().RadioButtonImageAsHtml->setChecked(true);
  form.EnableDisableControls();
  ASSERT_TRUE(form.FilesTab().EditThumbsFolder->isEnabled());
  ASSERT_TRUE(form.FilesTab().EditButtonsFolder->isEnabled());
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
  for (QLineEdit* edit : {form->FilesTab().EditThumbsFolder, form->FilesTab().EditButtonsFolder}) {
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
  QLineEdit* edit = form->FilesTab().EditThumbsFolder;
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
  EXPECT_EQ(form->IndexTab().EditIndexFile->text().toStdString(), "index.htm");
  QTest::keyClicks(form->IndexTab().EditIndexFile, QStringLiteral(" ."));
  EXPECT_EQ(form->IndexTab().EditIndexFile->text().toStdString(), "index.htm .")
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
    void (TFormMain::*click)();
    const char* dialog;
  } buttons[] = {{form->IndexTab().EditTableBorderColor, &TFormMain::ButtonTableBorderColorClick,
                  "ColorDialogTableBorder"},
                 {form->IndexTab().EditTableBackColor, &TFormMain::ButtonTableBackColorClick,
                  "ColorDialogTableBack"},
                 {form->IndexTab().EditThumbBorderColor, &TFormMain::ButtonThumbBorderColorClick,
                  "ColorDialogThumbBorder"}};
  for (const auto& button : buttons) {
    desktop.colorDialogCustomColors.clear();
    desktop.colorDialogStartColors.clear();
    desktop.colorDialogNames.clear();
    button.edit->setText(QString::fromUtf8(c.start));
    desktop.colors.push_back(c.chosen);
    (form.get()->*button.click)();
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
    form->FilesTab().EditImagesFolder->setText(Pictures());
    for (const char* name : {"c.gif", "A.jpg", "b.jpg"})
      form->FilesTab().ListBoxImages->AddSorted(QString::fromUtf8(name));
  }
};

TEST_F(ImageListTest, PopupSelectsTheFirstEntryWhenNoneIsSelected) {
  form->FilesTab().ListBoxImages->clearSelection();
  form->PopupMenuImagesPopup();
  EXPECT_EQ(form->FilesTab().ListBoxImages->selectedItems().value(0)->text().toStdString(),
            "A.jpg");
  form->FilesTab().ListBoxImages->setCurrentRow(2);
  form->PopupMenuImagesPopup();
  EXPECT_EQ(form->FilesTab().ListBoxImages->currentRow(), 2) << "an existing selection stays";
}

TEST_F(ImageListTest, DeleteSelectsTheSameRowOrTheNewLastAndCounts) {
  form->FilesTab().ListBoxImages->setCurrentRow(2);
  form->MenuDeleteFromListClick();
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"}));
  EXPECT_EQ(form->FilesTab().ListBoxImages->currentRow(), 1);
  EXPECT_EQ(form->FilesTab().LabelImagesCount->text().toStdString(), "Всего картинок: 2");
  form->FilesTab().ListBoxImages->setCurrentRow(0);
  form->MenuDeleteFromListClick();
  EXPECT_EQ(ListEntries(), QStringList{"b.jpg"});
  EXPECT_EQ(form->FilesTab().ListBoxImages->currentRow(), 0);
  form->FilesTab().ListBoxImages->clearSelection();
  form->MenuDeleteFromListClick();
  EXPECT_EQ(ListEntries(), QStringList{"b.jpg"}) << "nothing selected, nothing removed";
  EXPECT_EQ(form->FilesTab().LabelImagesCount->text().toStdString(), "Всего картинок: 1");
}

TEST_F(ImageListTest, OpenUsesFolderAndReportsTheExtension) {
  form->FilesTab().ListBoxImages->clearSelection();
  form->ListBoxImagesDblClick();
  EXPECT_TRUE(desktop.opened.empty()) << "no selection, nothing opens";
  form->FilesTab().ListBoxImages->setCurrentRow(1);
  form->ListBoxImagesDblClick();
  ASSERT_EQ(desktop.opened.size(), 1u);
  EXPECT_EQ(desktop.opened[0], (Pictures() + "/b.jpg").toStdString());
  EXPECT_TRUE(desktop.messages.empty());
  desktop.openSucceeds = false;
  form->FilesTab().ListBoxImages->setCurrentRow(2);
  form->ListBoxImagesDblClick();
  EXPECT_EQ(desktop.Texts("error"),
            std::vector<std::string>{
                "Ошибка запуска приложения, ассоциированного с расширением \".gif\"."});
  EXPECT_EQ(form->FilesTab().ListBoxImages->currentRow(), 2);
}

TEST_F(ImageListTest, ShortcutsWorkOnlyWhileTheListHasTheFocus) {
  ASSERT_TRUE(ShowActive());
  form->PageControlMain->setCurrentWidget(form->FilesTab().TabSheetFiles);
  form->FilesTab().EditImagesMask->setFocus();
  QTest::keyClick(form->FilesTab().EditImagesMask, Qt::Key_Delete);
  QTest::keyClick(form->FilesTab().EditImagesMask, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ListEntries().size(), 3);
  EXPECT_TRUE(desktop.messages.empty());
  form->FilesTab().ListBoxImages->setFocus();
  form->FilesTab().ListBoxImages->setCurrentRow(0);
  QTest::keyClick(form->FilesTab().ListBoxImages, Qt::Key_Delete);
  EXPECT_EQ(ListEntries(), (QStringList{"b.jpg", "c.gif"}));
  QTest::keyClick(form->FilesTab().ListBoxImages, Qt::Key_Return);
  EXPECT_EQ(desktop.opened.size(), 1u);
  QTest::keyClick(form->FilesTab().ListBoxImages, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(desktop.opened.size(), 2u) << "the Enter key of the number pad";
  QTest::keyClick(form->FilesTab().ListBoxImages, Qt::Key_Z, Qt::ControlModifier);
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
  form->PageControlMain->setCurrentWidget(form->FilesTab().TabSheetFiles);
  TSortedListBox* list = form->FilesTab().ListBoxImages;
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
  EXPECT_EQ(form->FilesTab().ListBoxImages->currentRow(), c.selectedAfter);
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
  form->PageControlMain->setCurrentWidget(form->FilesTab().TabSheetFiles);
  TSortedListBox* list = form->FilesTab().ListBoxImages;
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
  form->PageControlMain->setCurrentWidget(form->FilesTab().TabSheetFiles);
  TSortedListBox* list = form->FilesTab().ListBoxImages;
  list->clearSelection();
  // The menu runs its own loop: close it from there once it is up.
  bool menuShown = false;
  QObject::connect(form->PopupMenuImages, &QMenu::aboutToShow, form.get(), [&] {
    menuShown = true;
    QTimer::singleShot(0, form->PopupMenuImages, &QMenu::close);
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
  form->ButtonHelp->click();
  EXPECT_EQ(desktop.Texts("plain"),
            std::vector<std::string>{"Извините. Help-файл будет сделан в будущих версиях."});
}

TEST_F(FormTest, DesignTimeLayout) {
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0");
  EXPECT_EQ(form->size(), QSize(421, 435));
  EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "fixed size";
  EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  ASSERT_EQ(form->PageControlMain->count(), 4);
  const char* tabs[] = {"Главная", "Индекс", "Картинка", "О программе"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(form->PageControlMain->tabText(i).toStdString(), tabs[i]);
  EXPECT_EQ(form->PageControlMain->currentWidget(), form->IndexTab().TabSheetIndex);
  EXPECT_EQ(form->FilesTab().LabelImagesCount->text().toStdString(), "Всего картинок: 999");
  EXPECT_EQ(form->ImageTab().EditHtmlFirstImageFile->currentText().toStdString(), "picture_01.htm");
  EXPECT_EQ(form->IndexTab().EditThumbXSize->Text().toStdString(), "120");
  EXPECT_EQ(form->IndexTab().ComboBoxIndexType->currentIndex(), -1);
  EXPECT_FALSE(form->ImageTab().RadioButtonImageAsFile->isChecked());
  EXPECT_FALSE(form->ImageTab().RadioButtonImageAsHtml->isChecked());
  EXPECT_TRUE(form->ImageTab().CheckBoxImageClickEqualNext->isChecked());
  EXPECT_EQ(form->ImageTab().EditAltFirst->text().toStdString(), "Первая...");
  EXPECT_EQ(form->FilesTab().ButtonSaveSettings->focusPolicy(), Qt::NoFocus);
  EXPECT_TRUE(form->FilesTab().ListBoxImages->toolTip().isEmpty())
      << "its hint comes with the creation handler";
  EXPECT_EQ(form->FilesTab().EditImagesMask->toolTip().toStdString(),
            "Можно указать несколько масок через точку с запятой\n"
            "Например: \"*.jpg;*.gif;*.bmp\". Для всех файлов укажите \"*.*\"");
  EXPECT_EQ(form->FilesTab().ButtonSaveSettings->toolTip().toStdString(),
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
  form->PageControlMain->setCurrentWidget(form->ImageTab().TabSheetImage);
  form->ImageTab().RadioButtonImageAsHtml->setChecked(true);
  QLineEdit* edit = form->ImageTab().EditHtmlFirstImageFile->lineEdit();
  edit->setFocus();
  edit->clear();
  QTest::keyClicks(edit, QStringLiteral("pic"));
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(form->ImageTab().EditHtmlFirstImageFile->currentText().toStdString(), "pic");
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
  form->PageControlMain->setCurrentWidget(form->ImageTab().TabSheetImage);
  form->ImageTab().RadioButtonImageAsHtml->setChecked(true);
  form->ImageTab().RadioButtonHtmlAsImageName->setChecked(true);
  form->FilesTab().ComboBoxDescrType->setCurrentIndex(0);
  form->EnableDisableControls();
  ASSERT_FALSE(form->ImageTab().EditDescrPlace->isEnabled());
  form->FilesTab().ComboBoxDescrType->setCurrentIndex(1);

  const struct {
    QRadioButton* clicked;
    bool asFile, asHtml, byName, serial;
  } steps[] = {
      {form->ImageTab().RadioButtonImageAsHtml, false, true, true, false},
      {form->ImageTab().RadioButtonHtmlAsImageName, false, true, true, false},
      {form->ImageTab().RadioButtonHtmlSerialNumber, false, true, false, true},
      {form->ImageTab().RadioButtonImageAsFile, true, false, false, true},
      {form->ImageTab().RadioButtonImageAsFile, true, false, false, true},
      {form->ImageTab().RadioButtonImageAsHtml, false, true, false, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.clicked->objectName().toStdString());
    ClickRadio(step.clicked);
    EXPECT_EQ(form->ImageTab().RadioButtonImageAsFile->isChecked(), step.asFile);
    EXPECT_EQ(form->ImageTab().RadioButtonImageAsHtml->isChecked(), step.asHtml);
    EXPECT_EQ(form->ImageTab().RadioButtonHtmlAsImageName->isChecked(), step.byName);
    EXPECT_EQ(form->ImageTab().RadioButtonHtmlSerialNumber->isChecked(), step.serial);
    EXPECT_EQ(form->ImageTab().EditDescrPlace->isEnabled(), step.asHtml)
        << "the click ran the rules";
  }
  form->close();
}

}  // namespace

}  // namespace zetgallery
