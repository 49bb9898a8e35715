// The small widgets: dialog filters, quoting of chosen files, the free-text spin edit, the
// sorted list order and the browse buttons.
#include "app/ZetWidgets.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QTest>

#include "ScriptedDesktop.h"
#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TFilterCase {
  const char* filter;
  const char* expected;
};

void PrintTo(const TFilterCase& c, std::ostream* out) { *out << c.filter; }

class ConvertDialogFilterTest : public ::testing::TestWithParam<TFilterCase> {};

TEST_P(ConvertDialogFilterTest, GivesQtSyntax) {
  EXPECT_EQ(ConvertDialogFilter(QString::fromUtf8(GetParam().filter)).toStdString(),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, ConvertDialogFilterTest,
    ::testing::Values(TFilterCase{"HTML-файлы (*.htm;*.html)|*.htm;*.html|Все файлы (*.*)|*.*",
                                  "HTML-файлы (*.htm *.html);;Все файлы (*)"},
                      TFilterCase{"GIF, BMP, JPG|*.gif;*.bmp;*.jpg|Все файлы (*.*)|*.*",
                                  "GIF, BMP, JPG (*.gif *.bmp *.jpg);;Все файлы (*)"},
                      TFilterCase{"Text|*.txt", "Text (*.txt)"},
                      // A dangling description without patterns is dropped.
                      TFilterCase{"Text|*.txt|Odd", "Text (*.txt)"}, TFilterCase{"", ""}),
    TPrintedCaseName());

struct TQuoteCase {
  const char* path;
  const char* expected;
};

void PrintTo(const TQuoteCase& c, std::ostream* out) { *out << c.path; }

class QuoteChosenFileTest : public ::testing::TestWithParam<TQuoteCase> {};

TEST_P(QuoteChosenFileTest, QuotesOnlyPathsWithBlanks) {
  EXPECT_EQ(QuoteChosenFile(QString::fromUtf8(GetParam().path)).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, QuoteChosenFileTest,
                         ::testing::Values(TQuoteCase{"/home/a/index.htm", "/home/a/index.htm"},
                                           TQuoteCase{"/home/my pics/index.htm",
                                                      "\"/home/my pics/index.htm\""},
                                           TQuoteCase{"/a/b/c d", "\"/a/b/c d\""},
                                           TQuoteCase{"/tab\there", "/tab\there"}),
                         TPrintedCaseName());

struct TSpinCase {
  int minimum, maximum;
  const char* text;
  int value;
};

void PrintTo(const TSpinCase& c, std::ostream* out) {
  *out << c.minimum << ".." << c.maximum << " \"" << c.text << "\"";
}

class SpinEditValueTest : public ::testing::TestWithParam<TSpinCase> {};

TEST_P(SpinEditValueTest, ReadsTextWithinLimits) {
  const TSpinCase& c = GetParam();
  TSpinEdit spin(c.minimum, c.maximum, c.minimum);
  spin.SetText(QString::fromUtf8(c.text));
  EXPECT_EQ(spin.Text().toStdString(), c.text) << "the text is kept as written";
  EXPECT_EQ(spin.Value(), c.value);
}

INSTANTIATE_TEST_SUITE_P(Texts, SpinEditValueTest,
                         ::testing::Values(TSpinCase{0, 200, "120", 120},
                                           TSpinCase{0, 200, "250", 200},
                                           TSpinCase{0, 200, "abc", 0}, TSpinCase{0, 200, "", 0},
                                           TSpinCase{1, 10, "abc", 1}, TSpinCase{1, 10, "-4", 1},
                                           TSpinCase{0, 100, "$10", 16},
                                           TSpinCase{0, 100, "  7", 7}, TSpinCase{0, 100, "7 ", 0}),
                         TPrintedCaseName());

TEST(SpinEdit, SetValueClampsAndStepsStayInLimits) {
  TSpinEdit spin(0, 10, 3);
  EXPECT_EQ(spin.Text().toStdString(), "3");
  spin.SetValue(25);
  EXPECT_EQ(spin.Text().toStdString(), "10");
  spin.stepBy(1);
  EXPECT_EQ(spin.Value(), 10);
  spin.SetText(QStringLiteral("abc"));
  spin.stepBy(2);
  EXPECT_EQ(spin.Text().toStdString(), "2")
      << "a text that is not a number steps from the lower limit";
}

struct TSpinLeaveCase {
  int minimum, maximum;
  const char* text;
  Qt::FocusReason reason;
  const char* after;  // the text once the focus has left
};

void PrintTo(const TSpinLeaveCase& c, std::ostream* out) {
  *out << c.minimum << ".." << c.maximum << " \"" << c.text << "\" reason " << int(c.reason);
}

class SpinEditLeaveTest : public ::testing::TestWithParam<TSpinLeaveCase> {};

TEST_P(SpinEditLeaveTest, LeavingBringsANumberIntoTheLimits) {
  const TSpinLeaveCase& c = GetParam();
  TSpinEdit spin(c.minimum, c.maximum, c.minimum);
  spin.SetText(QString::fromUtf8(c.text));
  QFocusEvent out(QEvent::FocusOut, c.reason);
  QApplication::sendEvent(&spin, &out);
  EXPECT_EQ(spin.Text().toStdString(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SpinEditLeaveTest,
    ::testing::Values(TSpinLeaveCase{0, 200, "250", Qt::TabFocusReason, "200"},
                      TSpinLeaveCase{0, 100, "-5", Qt::MouseFocusReason, "0"},
                      TSpinLeaveCase{1, 10, "0", Qt::BacktabFocusReason, "1"},
                      TSpinLeaveCase{1, 10, "7", Qt::TabFocusReason, "7"},
                      TSpinLeaveCase{0, 200, "abc", Qt::TabFocusReason, "abc"},
                      TSpinLeaveCase{0, 200, "", Qt::TabFocusReason, ""},
                      TSpinLeaveCase{0, 200, "250", Qt::ActiveWindowFocusReason, "250"},
                      TSpinLeaveCase{0, 200, "250", Qt::PopupFocusReason, "250"}),
    TPrintedCaseName());

TEST(SpinEdit, RealFocusMoveBringsTheTypedNumberIntoTheLimits) {
  QWidget window;
  auto* spin = new TSpinEdit(0, 200, 120, &window);
  auto* other = new QLineEdit(&window);
  other->move(0, 40);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  spin->setFocus();
  spin->SetText(QString());
  QTest::keyClicks(spin, QStringLiteral("250"));
  other->setFocus();
  EXPECT_EQ(spin->Text().toStdString(), "200");
}

TEST(SpinEdit, TypingRefusesLettersButTakesDigits) {
  TSpinEdit spin(0, 200, 120);
  spin.SetText(QString());
  QTest::keyClicks(&spin, QStringLiteral("1x2-"));
  EXPECT_EQ(spin.Text().toStdString(), "12-");
}

TEST(SortedInsertPosition, PutsEntriesInCaseInsensitiveOrder) {
  const QStringList entries{QStringLiteral("A.jpg"), QStringLiteral("b.jpg"),
                            QStringLiteral("C.jpg")};
  EXPECT_EQ(SortedInsertPosition(entries, QStringLiteral("a0.jpg")), 1);
  EXPECT_EQ(SortedInsertPosition(entries, QStringLiteral("Ba.jpg")), 2);
  EXPECT_EQ(SortedInsertPosition(entries, QStringLiteral("c.jpg")), 3);
  EXPECT_EQ(SortedInsertPosition(entries, QStringLiteral("0.jpg")), 0);
  EXPECT_EQ(SortedInsertPosition({}, QStringLiteral("x")), 0);
}

TEST(SortedListBox, KeepsOrderWhenAddingOneByOneAndInBulk) {
  TSortedListBox list;
  for (const char* name : {"b.jpg", "A.jpg", "c.JPG", "a.gif"})
    list.AddSorted(QString::fromUtf8(name));
  EXPECT_EQ(list.Entries(), (QStringList{"a.gif", "A.jpg", "b.jpg", "c.JPG"}));
  list.AddAllSorted({QStringLiteral("B.gif"), QStringLiteral("0.png")});
  EXPECT_EQ(list.Entries(), (QStringList{"0.png", "a.gif", "A.jpg", "B.gif", "b.jpg", "c.JPG"}));
}

TEST(SortedComboBox, EditablePartKeepsTypedText) {
  TSortedComboBox box(true);
  box.setEditText(QStringLiteral("Trip"));
  box.AddSorted(QStringLiteral("zoo"));
  box.AddSorted(QStringLiteral("<без названия>"));
  box.AddSorted(QStringLiteral("Alpha"));
  EXPECT_EQ(box.currentText().toStdString(), "Trip");
  EXPECT_EQ(box.Entries().last().toStdString(), "zoo");
  EXPECT_EQ(box.Entries().size(), 3);
}

TEST(FolderEdit, BrowseWritesChosenFolderBareAndTakesFocus) {
  TScriptedDesktop desktop;
  QWidget window;
  auto* edit = new TFolderEdit(QStringLiteral("prompt"), &window);
  auto* other = new QLineEdit(&window);
  edit->SetDesktop(&desktop);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  other->setFocus();
  bool focusedWhenChanged = false;
  QObject::connect(edit, &QLineEdit::textChanged, [&] { focusedWhenChanged = edit->hasFocus(); });
  desktop.folders.push_back(QStringLiteral("/tmp/My Pictures"));
  edit->Browse();
  EXPECT_EQ(edit->text().toStdString(), "/tmp/My Pictures");
  EXPECT_TRUE(focusedWhenChanged) << "the focus goes into the box before the text changes";
  desktop.folders.push_back(std::nullopt);
  edit->Browse();
  EXPECT_EQ(edit->text().toStdString(), "/tmp/My Pictures") << "cancel changes nothing";
}

TEST(FileEdit, BrowseQuotesPathsWithBlanksAndPassesItsFilter) {
  TScriptedDesktop desktop;
  TFileEdit edit(QStringLiteral("Pages|*.htm"), QStringLiteral("title"));
  edit.SetDesktop(&desktop);
  desktop.files.push_back(QStringLiteral("/tmp/my pages/t.htm"));
  desktop.files.push_back(QStringLiteral("/tmp/t.htm"));
  edit.Browse();
  EXPECT_EQ(edit.text().toStdString(), "\"/tmp/my pages/t.htm\"");
  edit.Browse();
  EXPECT_EQ(edit.text().toStdString(), "/tmp/t.htm");
  ASSERT_EQ(desktop.fileDialogFilters.size(), 2u);
  EXPECT_EQ(desktop.fileDialogFilters[0].toStdString(), "Pages (*.htm)");
}

}  // namespace

}  // namespace zetgallery
