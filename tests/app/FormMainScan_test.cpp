// Rescans from the window: when the folder and mask edits scan, the first showing of the main
// tab, the count label, the caption and the invalid-mask box.
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "FormTestSupport.h"
#include "support/CaseNames.h"
#include "util/UserInterface.h"
#include "util/ZetPlatform.h"

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
  emit Control<TFolderEdit>("EditImagesFolder")->Entered();
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  EXPECT_TRUE(ListEntries().isEmpty()) << "typing empties the list";
  EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text().toStdString(), "Всего картинок: 999");
  emit Control<TFolderEdit>("EditImagesFolder")->Exited();
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"}));
  EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text().toStdString(), "Всего картинок: 2");
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0");

  MakeFile("pics/d.jpg");
  emit Control<TFolderEdit>("EditImagesFolder")->Entered();
  emit Control<TFolderEdit>("EditImagesFolder")->Exited();
  EXPECT_EQ(ListEntries().size(), 2) << "entering clears the flag: no change, no scan";
}

TEST_F(ScanTest, TheListShowsTheOrderTheBuildWillUse) {
  ASSERT_TRUE(SetFileModificationTime((Pictures() + "/b.jpg").toStdString(), TFileTime{1000, 0}));
  ASSERT_TRUE(SetFileModificationTime((Pictures() + "/A.jpg").toStdString(), TFileTime{2000, 0}));
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  emit Control<TFolderEdit>("EditImagesFolder")->Exited();
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"}));
  auto* order = Control<QComboBox>("ComboBoxImageOrder");
  order->setCurrentIndex(2);
  emit order->activated(2);
  EXPECT_EQ(ListEntries(), (QStringList{"b.jpg", "A.jpg"})) << "by modification time";
  Control<QCheckBox>("CheckBoxImageOrderDescending")->click();
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"})) << "newest first";
}

TEST_F(ScanTest, EnterThenLeaveInTheMaskScansTwice) {
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  emit Control<TZetEdit>("EditImagesMask")->Entered();
  Control<TZetEdit>("EditImagesMask")->setText(QStringLiteral("*.gif"));
  EXPECT_TRUE(ListEntries().isEmpty()) << "the mask alone does nothing";
  emit Control<TZetEdit>("EditImagesMask")->KeyReleased(Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(ListEntries(), QStringList{"c.gif"});
  MakeFile("pics/e.gif");
  emit Control<TZetEdit>("EditImagesMask")->Exited();
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
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  emit Control<TFolderEdit>("EditImagesFolder")->KeyReleased(GetParam().key, GetParam().modifiers);
  EXPECT_EQ(!ListEntries().isEmpty(), GetParam().scans);
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures() + "/");
  emit Control<TZetEdit>("EditImagesMask")->KeyReleased(GetParam().key, GetParam().modifiers);
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
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
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
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
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
  ShowPage("TabSheetFiles");
  Control<TFolderEdit>("EditImagesFolder")->setFocus();
  QTest::keyClicks(Control<TFolderEdit>("EditImagesFolder"), Pictures());
  Control<TZetEdit>("EditImagesMask")->setFocus();  // leaving the changed folder edit scans
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"}));
  Control<TZetEdit>("EditImagesMask")->selectAll();
  QTest::keyClicks(Control<TZetEdit>("EditImagesMask"), QStringLiteral("*.txt"));
  QTest::keyClick(Control<TZetEdit>("EditImagesMask"), Qt::Key_Return);
  EXPECT_EQ(ListEntries(), QStringList{"notes.txt"});
  MakeFile("pics/more.txt");
  Control<TFolderEdit>("EditImagesFolder")->setFocus();
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
  emit Control<TFolderEdit>("EditImagesFolder")->Entered();
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  QFocusEvent out(QEvent::FocusOut, GetParam().reason);
  QApplication::sendEvent(Control<TFolderEdit>("EditImagesFolder"), &out);
  EXPECT_EQ(ListEntries().size(), GetParam().movesBetweenControls ? 2 : 0) << "leaving";

  emit Control<TZetEdit>("EditImagesMask")->Entered();
  Control<TZetEdit>("EditImagesMask")->setText(QStringLiteral("*.gif"));
  QFocusEvent in(QEvent::FocusIn, GetParam().reason);
  QApplication::sendEvent(Control<TZetEdit>("EditImagesMask"), &in);
  emit Control<TZetEdit>("EditImagesMask")->Exited();
  EXPECT_EQ(ListEntries() == QStringList{"c.gif"}, !GetParam().movesBetweenControls)
      << "entering forgets the change: leaving does not scan";
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
  // Start-up leaves the folder of the command line to the first showing of the main tab.
  ASSERT_EQ(form->FormCreate(Pictures().toStdString()), TStatus::Ok());
  ASSERT_EQ(Control<QTabWidget>("PageControlMain")->currentWidget(), Control("TabSheetAbout"));
  ShowPage("TabSheetIndex");
  EXPECT_TRUE(ListEntries().isEmpty());
  ShowPage("TabSheetFiles");
  EXPECT_EQ(ListEntries().size(), 2);
  MakeFile("pics/z.jpg");
  ShowPage("TabSheetAbout");
  ShowPage("TabSheetFiles");
  EXPECT_EQ(ListEntries().size(), 2) << "later showings do not scan";
}

TEST_F(ScanTest, InvalidMaskShowsNamesThenTheError) {
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  Control<TZetEdit>("EditImagesMask")->setText(QStringLiteral("*.jpg;["));
  form->ScanImages();
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0");
  ASSERT_EQ(desktop.Texts("standard"), std::vector<std::string>{"'[' is an invalid mask at (2)"});
  EXPECT_TRUE(ListEntries().contains("A.jpg")) << "names found before the error stay";
  EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text(),
            "Всего картинок: " + QString::number(ListEntries().size()));
}

TEST_F(ScanTest, BlankFolderStopsSilentlyAndKeepsTheCount) {
  Control<TSortedListBox>("ListBoxImages")->AddSorted(QStringLiteral("old.jpg"));
  {
    const QSignalBlocker quiet(Control<TFolderEdit>("EditImagesFolder"));
    Control<TFolderEdit>("EditImagesFolder")->setText(QStringLiteral("\"  \""));
  }
  Control<QPushButton>("ButtonBuildGallery")->setEnabled(true);
  form->ScanImages();
  EXPECT_TRUE(ListEntries().isEmpty());
  EXPECT_FALSE(Control<QPushButton>("ButtonBuildGallery")->isEnabled());
  EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text().toStdString(), "Всего картинок: 999");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ScanTest, MissingFolderAndEmptyMaskCountZero) {
  Control<TFolderEdit>("EditImagesFolder")->setText(folder.path() + "/missing");
  form->ScanImages();
  EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text().toStdString(), "Всего картинок: 0");
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  Control<TZetEdit>("EditImagesMask")->setText(QString());
  form->ScanImages();
  EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text().toStdString(), "Всего картинок: 0");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ScanTest, ScanAskedForDuringAScanStartsOver) {
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  // While the first scan lets the window breathe, the user changes the mask and asks again.
  bool asked = false;
  QTimer::singleShot(0, form.get(), [&] {
    if (!form->Scanning()) return;
    asked = true;
    Control<TZetEdit>("EditImagesMask")->setText(QStringLiteral("*.gif"));
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
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
  std::string during;
  QTimer::singleShot(0, form.get(), [&] { during = form->windowTitle().toStdString(); });
  form->ScanImages();
  EXPECT_EQ(during, "ZetGallery 1.0 - Поиск картинок...");
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0");
}

TEST_F(ScanTest, ClosingDuringAScanClosesWhenItHasStopped) {
  form->show();
  Control<TFolderEdit>("EditImagesFolder")->setText(Pictures());
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
  EXPECT_FALSE(Control<QProgressBar>("ProgressBarBuild")->isVisible())
      << "a quick scan shows nothing";
  QTest::qWait(600);
  form->UserInterface().ProcessMessages();
  EXPECT_TRUE(Control<QProgressBar>("ProgressBarBuild")->isVisible());
  EXPECT_EQ(Control<QProgressBar>("ProgressBarBuild")->maximum(), 0) << "busy, without a count";
  form->SetScanning(false);
  EXPECT_FALSE(Control<QProgressBar>("ProgressBarBuild")->isVisible());
  form->close();
}

// The ways a folder reaches the images folder edit, and whether the window scans it at once.
enum class TFolderEvent {
  Browse,             // chosen in the folder browser
  DropFolder,         // dragged from a file manager onto the window
  DropPicture,        // a picture dropped on another edit: its folder
  DropLink,           // a web link: not a folder of this machine
  TypeAndClickBuild,  // typed, then a click on the greyed "Построить галерею"
};

struct TFolderEventCase {
  TFolderEvent event;
  bool scanned;  // the list shows the folder's pictures at once
  bool builds;
};

void PrintTo(const TFolderEventCase& c, std::ostream* out) {
  *out << static_cast<int>(c.event) << (c.scanned ? " scans" : "") << (c.builds ? " builds" : "");
}

class FolderEventTest : public ScanTest, public ::testing::WithParamInterface<TFolderEventCase> {
 protected:
  // Drags `url` over `target` and drops it there; true when the drop was taken.
  static bool Drop(QWidget* target, const QUrl& url) {
    QMimeData data;
    data.setUrls({url});
    data.setText(url.toString());
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
  }
};

TEST_P(FolderEventTest, FolderFromTheDesktopIsScannedAtOnce) {
  const TFolderEventCase& c = GetParam();
  ASSERT_EQ(form->FormCreate(""), TStatus::Ok());
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetFiles");
  auto* folderEdit = Control<TFolderEdit>("EditImagesFolder");
  auto* indexFile = Control<QLineEdit>("EditIndexFile");
  const QString indexFileBefore = indexFile->text();
  switch (c.event) {
    case TFolderEvent::Browse:
      desktop.folders.push_back(Pictures());
      folderEdit->Browse();
      break;
    case TFolderEvent::DropFolder:
      EXPECT_TRUE(Drop(form.get(), QUrl::fromLocalFile(Pictures())));
      break;
    case TFolderEvent::DropPicture:
      EXPECT_TRUE(Drop(indexFile, QUrl::fromLocalFile(Pictures() + "/b.jpg")));
      break;
    case TFolderEvent::DropLink:
      EXPECT_FALSE(Drop(form.get(), QUrl(QStringLiteral("https://example.org/pics/"))));
      break;
    case TFolderEvent::TypeAndClickBuild:
      folderEdit->setFocus();
      folderEdit->selectAll();
      QTest::keyClicks(folderEdit, Pictures());
      ASSERT_FALSE(Control<QPushButton>("ButtonBuildGallery")->isEnabled());
      QTest::mouseClick(Control<QPushButton>("ButtonBuildGallery"), Qt::LeftButton);
      break;
  }
  EXPECT_EQ(!ListEntries().isEmpty(), c.scanned);
  if (c.scanned) {
    EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"}));
    EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text().toStdString(), "Всего картинок: 2");
    EXPECT_EQ(folderEdit->text().toStdString(), Pictures().toStdString());
    EXPECT_EQ(indexFile->text().toStdString(), indexFileBefore.toStdString())
        << "the drop did not become text";
  }
  EXPECT_EQ(form->Building(), c.builds);
  if (form->Building()) {
    desktop.confirmations.push_back(false);  // no thumbnails folder: the build stops at once
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Building(); }, 60000));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderEventTest,
                         ::testing::Values(TFolderEventCase{TFolderEvent::Browse, true, false},
                                           TFolderEventCase{TFolderEvent::DropFolder, true, false},
                                           TFolderEventCase{TFolderEvent::DropPicture, true, false},
                                           TFolderEventCase{TFolderEvent::DropLink, false, false},
                                           TFolderEventCase{TFolderEvent::TypeAndClickBuild, true,
                                                            true}),
                         TPrintedCaseName());

}  // namespace

}  // namespace zetgallery
