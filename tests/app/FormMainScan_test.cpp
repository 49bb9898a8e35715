// Rescans from the window: when the folder and mask edits scan, the first showing of the main
// tab, the count label, the caption and the invalid-mask box.
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTimer>

#include "FormTestSupport.h"
#include "support/CaseNames.h"
#include "util/UserInterface.h"

namespace zetgallery {

namespace {

class ScanTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    for (const char* name : {"pics/b.jpg", "pics/A.jpg", "pics/c.gif", "pics/notes.txt"})
      MakeFile(QString::fromUtf8(name));
  }
};

TEST_F(ScanTest, LeavingTheChangedFolderEditScans) {
  form->EditImagesFolderEnter();
  form->FilesTab().EditImagesFolder->setText(Pictures());
  EXPECT_TRUE(ListEntries().isEmpty()) << "typing empties the list";
  EXPECT_TRUE(form->ImagesFolderChanged);
  EXPECT_EQ(form->FilesTab().LabelImagesCount->text().toStdString(), "Всего картинок: 999");
  form->EditImagesFolderExit();
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"}));
  EXPECT_EQ(form->FilesTab().LabelImagesCount->text().toStdString(), "Всего картинок: 2");
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0");

  MakeFile("pics/d.jpg");
  form->EditImagesFolderEnter();
  form->EditImagesFolderExit();
  EXPECT_EQ(ListEntries().size(), 2) << "entering clears the flag: no change, no scan";
}

TEST_F(ScanTest, EnterThenLeaveInTheMaskScansTwice) {
  form->FilesTab().EditImagesFolder->setText(Pictures());
  form->EditImagesMaskEnter();
  form->FilesTab().EditImagesMask->setText(QStringLiteral("*.gif"));
  EXPECT_TRUE(ListEntries().isEmpty()) << "the mask alone does nothing";
  form->EditImagesMaskKeyUp(Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(ListEntries(), QStringList{"c.gif"});
  MakeFile("pics/e.gif");
  form->EditImagesMaskExit();
  EXPECT_EQ(ListEntries(), (QStringList{"c.gif", "e.gif"})) << "leaving scans once more";
}

struct TEnterCase {
  int key;
  Qt::KeyboardModifiers modifiers;
  bool scans;
};

void PrintTo(const TEnterCase& c, std::ostream* out) {
  *out << "key " << std::hex << c.key << " modifiers " << int(c.modifiers);
}

class EnterKeyTest : public ScanTest, public ::testing::WithParamInterface<TEnterCase> {};

TEST_P(EnterKeyTest, OnlyEnterWithoutShiftCtrlAltScans) {
  form->FilesTab().EditImagesFolder->setText(Pictures());
  form->EditImagesFolderKeyUp(GetParam().key, GetParam().modifiers);
  EXPECT_EQ(!ListEntries().isEmpty(), GetParam().scans);
  form->FilesTab().EditImagesFolder->setText(Pictures() + "/");
  form->EditImagesMaskKeyUp(GetParam().key, GetParam().modifiers);
  EXPECT_EQ(!ListEntries().isEmpty(), GetParam().scans);
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterKeyTest,
                         ::testing::Values(TEnterCase{Qt::Key_Return, Qt::NoModifier, true},
                                           TEnterCase{Qt::Key_Enter, Qt::KeypadModifier, true},
                                           TEnterCase{Qt::Key_Return, Qt::ShiftModifier, false},
                                           TEnterCase{Qt::Key_Return, Qt::ControlModifier, false},
                                           TEnterCase{Qt::Key_Return, Qt::AltModifier, false},
                                           TEnterCase{Qt::Key_A, Qt::NoModifier, false},
                                           TEnterCase{Qt::Key_Tab, Qt::NoModifier, false}),
                         TPrintedCaseName());

class HeldEnterTest : public ScanTest, public ::testing::WithParamInterface<const char*> {};

// A held Enter key repeats: the system sends a release before each repeated press. Only the
// release of the key by the user scans.
TEST_P(HeldEnterTest, ScansOnlyWhenTheKeyIsReallyReleased) {
  auto* edit = form->findChild<QLineEdit*>(QString::fromLatin1(GetParam()));
  ASSERT_NE(edit, nullptr);
  form->FilesTab().EditImagesFolder->setText(Pictures());
  for (bool repeated : {false, true}) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                    repeated);
    QApplication::sendEvent(edit, &press);
  }
  QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                          true);
  QApplication::sendEvent(edit, &repeatRelease);
  EXPECT_TRUE(ListEntries().isEmpty()) << "a repeat is no release";
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(edit, &release);
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"}));
}

// The Enter that closes a message box (the invalid-mask error) is released over the edit that
// gets the focus back: it was not pressed there and must not scan into the same error again.
TEST_P(HeldEnterTest, EnterPressedElsewhereDoesNotScan) {
  auto* edit = form->findChild<QLineEdit*>(QString::fromLatin1(GetParam()));
  ASSERT_NE(edit, nullptr);
  form->FilesTab().EditImagesFolder->setText(Pictures());
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(edit, &release);
  EXPECT_TRUE(ListEntries().isEmpty());
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"})) << "pressed and released here";
}

INSTANTIATE_TEST_SUITE_P(Edits, HeldEnterTest,
                         ::testing::Values("EditImagesFolder", "EditImagesMask"),
                         TPrintedCaseName());

TEST_F(ScanTest, RealFocusMovesAndEnterScanTwice) {
  ASSERT_TRUE(ShowActive());
  form->PageControlMain->setCurrentWidget(form->FilesTab().TabSheetFiles);
  form->FilesTab().EditImagesFolder->setFocus();
  QTest::keyClicks(form->FilesTab().EditImagesFolder, Pictures());
  form->FilesTab().EditImagesMask->setFocus();  // leaving the changed folder edit scans
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"}));
  form->FilesTab().EditImagesMask->selectAll();
  QTest::keyClicks(form->FilesTab().EditImagesMask, QStringLiteral("*.txt"));
  QTest::keyClick(form->FilesTab().EditImagesMask, Qt::Key_Return);
  EXPECT_EQ(ListEntries(), QStringList{"notes.txt"});
  MakeFile("pics/more.txt");
  form->FilesTab().EditImagesFolder->setFocus();
  EXPECT_EQ(ListEntries(), (QStringList{"more.txt", "notes.txt"}));
}

struct TFocusCase {
  Qt::FocusReason reason;
  bool movesBetweenControls;  // entering clears the flag, leaving scans
};

void PrintTo(const TFocusCase& c, std::ostream* out) { *out << "reason " << int(c.reason); }

class FocusReasonTest : public ScanTest, public ::testing::WithParamInterface<TFocusCase> {};

// The window losing activation (a message box, another program) or the edit's own pop-up menu
// moves Qt's focus too, but the user has not left the edit.
TEST_P(FocusReasonTest, OnlyMovesBetweenControlsEnterOrLeave) {
  form->EditImagesFolderEnter();
  form->FilesTab().EditImagesFolder->setText(Pictures());
  QFocusEvent out(QEvent::FocusOut, GetParam().reason);
  QApplication::sendEvent(form->FilesTab().EditImagesFolder, &out);
  EXPECT_EQ(ListEntries().size(), GetParam().movesBetweenControls ? 2 : 0) << "leaving";

  form->EditImagesMaskEnter();
  form->FilesTab().EditImagesMask->setText(QStringLiteral("*.gif"));
  QFocusEvent in(QEvent::FocusIn, GetParam().reason);
  QApplication::sendEvent(form->FilesTab().EditImagesMask, &in);
  EXPECT_EQ(form->ImagesMaskChanged, !GetParam().movesBetweenControls) << "entering";
}

INSTANTIATE_TEST_SUITE_P(Reasons, FocusReasonTest,
                         ::testing::Values(TFocusCase{Qt::TabFocusReason, true},
                                           TFocusCase{Qt::BacktabFocusReason, true},
                                           TFocusCase{Qt::MouseFocusReason, true},
                                           TFocusCase{Qt::OtherFocusReason, true},
                                           TFocusCase{Qt::ActiveWindowFocusReason, false},
                                           TFocusCase{Qt::PopupFocusReason, false}),
                         TPrintedCaseName());

TEST_F(ScanTest, FirstShowingOfTheMainTabScansOnce) {
  {
    const QSignalBlocker quiet(form->PageControlMain);
    form->PageControlMain->setCurrentWidget(form->AboutTab().TabSheetAbout);
  }
  form->FilesTab().EditImagesFolder->setText(Pictures());
  form->ScanOnFilesTabShow = true;
  form->PageControlMain->setCurrentWidget(form->IndexTab().TabSheetIndex);
  EXPECT_TRUE(ListEntries().isEmpty());
  form->PageControlMain->setCurrentWidget(form->FilesTab().TabSheetFiles);
  EXPECT_EQ(ListEntries().size(), 2);
  EXPECT_FALSE(form->ScanOnFilesTabShow);
  MakeFile("pics/z.jpg");
  form->PageControlMain->setCurrentWidget(form->AboutTab().TabSheetAbout);
  form->PageControlMain->setCurrentWidget(form->FilesTab().TabSheetFiles);
  EXPECT_EQ(ListEntries().size(), 2) << "later showings do not scan";
}

TEST_F(ScanTest, InvalidMaskShowsNamesThenTheError) {
  form->FilesTab().EditImagesFolder->setText(Pictures());
  form->FilesTab().EditImagesMask->setText(QStringLiteral("*.jpg;["));
  form->ScanImages();
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0");
  ASSERT_EQ(desktop.Texts("standard"), std::vector<std::string>{"'[' is an invalid mask at (2)"});
  EXPECT_TRUE(ListEntries().contains("A.jpg")) << "names found before the error stay";
  EXPECT_EQ(form->FilesTab().LabelImagesCount->text(),
            "Всего картинок: " + QString::number(ListEntries().size()));
}

TEST_F(ScanTest, BlankFolderStopsSilentlyAndKeepsTheCount) {
  form->FilesTab().ListBoxImages->AddSorted(QStringLiteral("old.jpg"));
  {
    const QSignalBlocker quiet(form->FilesTab().EditImagesFolder);
    form->FilesTab().EditImagesFolder->setText(QStringLiteral("\"  \""));
  }
  form->ButtonBuildGallery->setEnabled(true);
  form->ScanImages();
  EXPECT_TRUE(ListEntries().isEmpty());
  EXPECT_FALSE(form->ButtonBuildGallery->isEnabled());
  EXPECT_EQ(form->FilesTab().LabelImagesCount->text().toStdString(), "Всего картинок: 999");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ScanTest, MissingFolderAndEmptyMaskCountZero) {
  form->FilesTab().EditImagesFolder->setText(folder.path() + "/missing");
  form->ScanImages();
  EXPECT_EQ(form->FilesTab().LabelImagesCount->text().toStdString(), "Всего картинок: 0");
  form->FilesTab().EditImagesFolder->setText(Pictures());
  form->FilesTab().EditImagesMask->setText(QString());
  form->ScanImages();
  EXPECT_EQ(form->FilesTab().LabelImagesCount->text().toStdString(), "Всего картинок: 0");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ScanTest, ScanAskedForDuringAScanStartsOver) {
  form->FilesTab().EditImagesFolder->setText(Pictures());
  // While the first scan lets the window breathe, the user changes the mask and asks again.
  bool asked = false;
  QTimer::singleShot(0, form.get(), [&] {
    if (!form->Scanning()) return;
    asked = true;
    form->FilesTab().EditImagesMask->setText(QStringLiteral("*.gif"));
    form->ScanImages();
  });
  form->ScanImages();
  ASSERT_TRUE(asked) << "the scan processed the window's events";
  EXPECT_EQ(ListEntries(), QStringList{"c.gif"}) << "the list holds the second scan's result once";
  EXPECT_FALSE(form->Scanning());
}

}  // namespace

namespace {

TEST_F(ScanTest, CaptionShowsTheScanWhileItRuns) {
  form->FilesTab().EditImagesFolder->setText(Pictures());
  std::string during;
  QTimer::singleShot(0, form.get(), [&] { during = form->windowTitle().toStdString(); });
  form->ScanImages();
  EXPECT_EQ(during, "ZetGallery 1.0 - Поиск картинок...");
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0");
}

TEST_F(ScanTest, ClosingDuringAScanClosesWhenItHasStopped) {
  form->show();
  form->FilesTab().EditImagesFolder->setText(Pictures());
  QTimer::singleShot(0, form.get(), [&] { form->close(); });
  form->ScanImages();
  EXPECT_TRUE(form->CloseRequested());
  EXPECT_FALSE(form->Scanning());
  for (int i = 0; i < 10 && form->isVisible(); ++i) QApplication::processEvents();
  EXPECT_FALSE(form->isVisible());
}

}  // namespace

namespace {

TEST_F(FormTest, LongScanShowsABusyBarShortOneDoesNot) {
  form->show();
  form->SetScanning(true);
  form->UserInterface().ProcessMessages();
  EXPECT_FALSE(form->ProgressBarBuild->isVisible()) << "a quick scan shows nothing";
  QTest::qWait(600);
  form->UserInterface().ProcessMessages();
  EXPECT_TRUE(form->ProgressBarBuild->isVisible());
  EXPECT_EQ(form->ProgressBarBuild->maximum(), 0) << "busy, without a count";
  form->SetScanning(false);
  EXPECT_FALSE(form->ProgressBarBuild->isVisible());
  form->close();
}

}  // namespace

}  // namespace zetgallery
