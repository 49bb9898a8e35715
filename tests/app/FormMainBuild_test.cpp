// A whole build started from the window into a temporary folder, what the window shows while it
// runs, a second click and a close during it, and "Открыть результат".
#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <future>
#include <mutex>

#include "FormTestSupport.h"
#include "support/CaseNames.h"

namespace zetgallery {

namespace {

QString StripQuotesForTest(const char* text) {
  QString name = QString::fromUtf8(text);
  if (name.startsWith('"')) name.remove(0, 1);
  if (name.endsWith('"')) name.chop(1);
  return name;
}

class BuildTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    QDir().mkpath(Pictures());
    const QColor colours[] = {Qt::red, Qt::darkGreen, Qt::blue};
    const char* names[] = {"sea.jpg", "Hills.jpg", "town.jpg"};
    for (int i = 0; i < 3; ++i) {
      QImage picture(240, 160, QImage::Format_RGB32);
      picture.fill(colours[i]);
      ASSERT_TRUE(picture.save(Pictures() + "/" + names[i], "JPEG"));
    }
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(Pictures());
    ASSERT_EQ(form->FormCreate(""), TStatus::Ok());
    ASSERT_EQ(ListEntries(), (QStringList{"Hills.jpg", "sea.jpg", "town.jpg"}));
    // The pages go beside the pictures: the images folder itself is entry 1.
    Control<TSortedComboBox>("EditResultFolder")->setCurrentIndex(1);
    form->EditResultFolderChange();
    ASSERT_TRUE(Control<QPushButton>("ButtonBuildGallery")->isEnabled());
  }
  void TearDown() override {
    QDir::setCurrent(previousDirectory);
    FormTest::TearDown();
  }

  // Types `mask` into the mask edit and clicks "Построить галерею" at once: the press moves the
  // focus out of the edit, which rescans with the button disabled, and the release reaches the
  // button during that rescan.
  void TypeMaskAndClickBuild(const QString& mask) {
    ShowPage("TabSheetFiles");
    Control<TZetEdit>("EditImagesMask")->setFocus();
    Control<TZetEdit>("EditImagesMask")->selectAll();
    QTest::keyClicks(Control<TZetEdit>("EditImagesMask"), mask);
    QPushButton* build = Control<QPushButton>("ButtonBuildGallery");
    const QPoint at = build->rect().center();
    QCoreApplication::postEvent(
        build, new QMouseEvent(QEvent::MouseButtonRelease, at, build->mapToGlobal(at),
                               Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QTest::mousePress(build, Qt::LeftButton, Qt::NoModifier, at);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }

  // Clicks "Построить галерею" and waits until the build's thread has ended.
  void BuildAndWait() {
    Control<QPushButton>("ButtonBuildGallery")->click();
    WaitForBuild();
  }
  void WaitForBuild() {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Building(); }, 60000));
  }

  QString previousDirectory;
};

TEST_F(BuildTest, BuildsTheGalleryAndShowsItIsBuilding) {
  struct {
    bool seen = false;
    std::string caption;
    bool openResultEnabled = true;
    bool progressVisible = false;
  } during;
  QTimer::singleShot(0, form.get(), [&] {
    during.seen = true;
    during.caption = form->windowTitle().toStdString();
    during.openResultEnabled = Control<QPushButton>("ButtonOpenResult")->isEnabled();
    during.progressVisible = Control<QProgressBar>("ProgressBarBuild")->isVisible();
    Control<QPushButton>("ButtonBuildGallery")->click();  // ignored while building
  });
  form->show();
  BuildAndWait();

  ASSERT_TRUE(during.seen) << "the window handled events during the build";
  EXPECT_EQ(during.caption, "ZetGallery 1.0 - Построение галереи...");
  EXPECT_FALSE(during.openResultEnabled);
  EXPECT_TRUE(during.progressVisible);
  EXPECT_EQ(desktop.Texts("confirm"),
            std::vector<std::string>{
                ("Папка " + Pictures() + "/thumbs не существует. Создать?").toStdString()})
      << "asked once: the second click did not start a build";
  EXPECT_TRUE(desktop.Texts("error").empty());
  EXPECT_GE(desktop.beeps, 1);
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0");
  EXPECT_TRUE(Control<QPushButton>("ButtonOpenResult")->isEnabled());
  EXPECT_FALSE(Control<QProgressBar>("ProgressBarBuild")->isVisible());

  const QString index = Pictures() + "/index.htm";
  ASSERT_TRUE(QFileInfo::exists(index));
  QFile page(index);
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  const QByteArray html = page.readAll();
  for (const char* name : {"Hills.jpg", "sea.jpg", "town.jpg"})
    EXPECT_TRUE(html.contains(name)) << name;
  EXPECT_EQ(QDir(Pictures() + "/thumbs").entryList(QDir::Files).size(), 3);

  Control<QPushButton>("ButtonOpenResult")->click();
  EXPECT_EQ(desktop.opened, std::vector<std::string>{index.toStdString()});
  form->close();
}

TEST_F(BuildTest, SaysOnceAtTheEndWhichFilesWentToTheTrash) {
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  for (const char* name : {"bookmarks.html", "wedding.htm"}) {
    QFile mine(Pictures() + "/" + name);
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("mine");
  }
  BuildAndWait();
  const std::vector<std::string> plain = desktop.Texts("plain");
  ASSERT_EQ(plain.size(), 1u);
  for (const char* name : {"bookmarks.html", "wedding.htm"}) {
    EXPECT_NE(plain[0].find((Pictures() + "/" + name).toStdString()), std::string::npos) << name;
    EXPECT_TRUE(QFileInfo::exists(data.path() + "/Trash/files/" + name)) << name;
  }
}

TEST_F(BuildTest, RefusedFolderStopsBeforeAnythingIsWritten) {
  desktop.confirmations.push_back(false);
  BuildAndWait();
  EXPECT_EQ(desktop.Texts("error"),
            std::vector<std::string>{"Нет папки для миниатюр! Галерея не построена."});
  EXPECT_FALSE(QFileInfo::exists(Pictures() + "/index.htm"));
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0");
}

TEST_F(BuildTest, ClosingDuringABuildEndsItThenCloses) {
  form->show();
  QTimer::singleShot(0, form.get(), [&] { form->close(); });
  BuildAndWait();
  EXPECT_TRUE(form->CloseRequested());
  EXPECT_EQ(form->windowTitle().toStdString(), "ZetGallery 1.0") << "the build ended properly";
  for (int i = 0; i < 10 && form->isVisible(); ++i) QApplication::processEvents();
  EXPECT_FALSE(form->isVisible()) << "the window closed once the build had ended";
}

TEST_F(BuildTest, EmptiedListBuildsNothingAndSaysWhy) {
  for (int i = 0; i < 3; ++i) {
    Control<TSortedListBox>("ListBoxImages")->setCurrentRow(0);
    Control<QAction>("MenuDeleteFromList")->trigger();
  }
  ASSERT_TRUE(Control<QPushButton>("ButtonBuildGallery")->isEnabled())
      << "a deletion leaves the button enabled";
  Control<QPushButton>("ButtonBuildGallery")->click();
  EXPECT_EQ(desktop.Texts("error"),
            std::vector<std::string>{"Нет картинок для галереи! Галерея не построена."});
  EXPECT_FALSE(QDir(Pictures() + "/thumbs").exists());
  EXPECT_FALSE(QFileInfo::exists(Pictures() + "/index.htm"));
}

struct TOpenCase {
  const char* indexFile;
  bool createIt;
  bool openSucceeds;
  const char* error;  // "" when none
};

void PrintTo(const TOpenCase& c, std::ostream* out) {
  *out << c.indexFile << (c.createIt ? " exists" : " missing")
       << (c.openSucceeds ? "" : ", shell fails");
}

class OpenResultTest : public BuildTest, public ::testing::WithParamInterface<TOpenCase> {};

TEST_P(OpenResultTest, ReportsMissingIndexAndShellFailure) {
  const TOpenCase& c = GetParam();
  Control<QLineEdit>("EditIndexFile")->setText(QString::fromUtf8(c.indexFile));
  if (c.createIt) MakeFile("pics/" + StripQuotesForTest(c.indexFile));
  desktop.openSucceeds = c.openSucceeds;
  Control<QPushButton>("ButtonOpenResult")->click();
  const std::vector<std::string> errors = desktop.Texts("error");
  if (*c.error == '\0') {
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(desktop.opened.size(), 1u);
  } else {
    EXPECT_EQ(errors, std::vector<std::string>{c.error});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenResultTest,
    ::testing::Values(TOpenCase{"index.htm", false, true, "Индексный файл не найден!"},
                      TOpenCase{"index.htm", true, true, ""},
                      TOpenCase{"\"my index.html\"", true, true, ""},
                      TOpenCase{"index.htm", true, false,
                                "Ошибка запуска приложения, ассоциированного с расширением "
                                "\".htm\"."},
                      TOpenCase{"page.shtml", true, false,
                                "Ошибка запуска приложения, ассоциированного с расширением "
                                "\".shtml\"."}),
    TPrintedCaseName());

// Clicking "Построить галерею" right after changing the mask: the rescan ends with the button
// enabled, so the click builds.
TEST_F(BuildTest, FirstClickAfterChangingTheMaskBuilds) {
  ASSERT_TRUE(ShowActive());
  TypeMaskAndClickBuild(QStringLiteral("*.JPG"));
  WaitForBuild();
  EXPECT_EQ(ListEntries(), (QStringList{"Hills.jpg", "sea.jpg", "town.jpg"})) << "rescanned";
  EXPECT_TRUE(QFileInfo::exists(Pictures() + "/index.htm")) << "the click built the gallery";
  EXPECT_FALSE(Control<QPushButton>("ButtonBuildGallery")->isDown());
  form->close();
}

// The same click when the rescan finds no picture builds nothing.
TEST_F(BuildTest, ClickAfterARescanThatEmptiedTheListBuildsNothing) {
  ASSERT_TRUE(ShowActive());
  TypeMaskAndClickBuild(QStringLiteral("*.png"));
  EXPECT_TRUE(ListEntries().isEmpty());
  EXPECT_FALSE(Control<QPushButton>("ButtonBuildGallery")->isEnabled());
  EXPECT_FALSE(QFileInfo::exists(Pictures() + "/index.htm"));
  EXPECT_TRUE(desktop.messages.empty());
  form->close();
}

// Holds every thumbnail until the test lets them go, so that what the test does "during the
// build" happens while the build surely runs.
struct TThumbnailGate {
  std::promise<void> open;
  std::shared_future<void> opened = open.get_future().share();
  std::atomic<bool> entered{false};
  std::once_flag once;
  TStatus Make() {
    entered = true;
    opened.wait();
    return TStatus::Ok();
  }
  void Open() {
    std::call_once(once, [&] { open.set_value(); });
  }
};

// What the user does while a build runs, and what the window shows and says.
enum class TDuring {
  Nothing,             // the build ends: one message of what the gallery holds
  BrokenPicture,       // one file of the list is no picture
  HelpOpen,            // "Помощь" is open until the build has ended
  CloseWhileHelpOpen,  // the window is closed while "Помощь" is open
  Stop,                // "Остановить"
};

struct TDuringCase {
  TDuring during;
  bool gated;               // thumbnails held until the test lets them go
  const char* reportStart;  // the end-of-build message begins so ("" when there is none)
  const char* reportPart;   // and holds this
  bool windowCloses;
};

void PrintTo(const TDuringCase& c, std::ostream* out) {
  *out << static_cast<int>(c.during) << " " << c.reportStart << " / " << c.reportPart;
}

class BuildEventsTest : public BuildTest, public ::testing::WithParamInterface<TDuringCase> {
 protected:
  void SetUp() override {
    BuildTest::SetUp();
    if (GetParam().gated) {
      TBuildOptions options;
      options.thumbnailThreads = 1;
      options.thumbnailMaker = [this](const TThumbnailJob&) { return gate.Make(); };
      form->SetBuildOptions(options);
    }
  }
  // Waits (answering the build) until the build has ended; false when it does not in time.
  bool BuildEnds() {
    return QTest::qWaitFor([&] { return !form->Building(); }, 5000);
  }

  TThumbnailGate gate;
};

TEST_P(BuildEventsTest, WindowShowsTheCountAndSaysHowTheBuildEnded) {
  const TDuringCase& c = GetParam();
  form->show();
  if (c.during == TDuring::BrokenPicture) {
    MakeFile("pics/broken.jpg", "not a picture");
    form->ScanImages();
  }
  bool endedWhileHelpOpen = false;
  desktop.whilePlainMessageOpen = [&] {
    if (c.during == TDuring::CloseWhileHelpOpen) form->close();
    gate.Open();
    endedWhileHelpOpen = BuildEnds();
  };
  std::string countDuring;
  bool stopShown = false;
  QTimer::singleShot(0, form.get(), [&] {
    if (!c.gated) return;
    EXPECT_TRUE(QTest::qWaitFor([&] { return gate.entered.load(); }, 5000));
    countDuring = Control<QProgressBar>("ProgressBarBuild")->text().toStdString();
    stopShown = Control<QPushButton>("ButtonStopBuild")->isVisible();
    if (c.during == TDuring::Stop) Control<QPushButton>("ButtonStopBuild")->click();
    if (c.during == TDuring::HelpOpen || c.during == TDuring::CloseWhileHelpOpen)
      Control<QPushButton>("ButtonHelp")->click();
    gate.Open();
  });
  desktop.openFromReport = true;
  Control<QPushButton>("ButtonBuildGallery")->click();
  ASSERT_TRUE(BuildEnds());
  for (int i = 0; i < 10 && form->isVisible(); ++i) QApplication::processEvents();

  if (c.gated) {
    EXPECT_EQ(countDuring, "0 из 3");
    EXPECT_TRUE(stopShown);
  }
  if (c.during == TDuring::HelpOpen || c.during == TDuring::CloseWhileHelpOpen) {
    EXPECT_TRUE(endedWhileHelpOpen) << "the build went on while the message box was open";
  }
  EXPECT_EQ(!form->isVisible(), c.windowCloses) << "the close request was kept";
  EXPECT_FALSE(Control<QPushButton>("ButtonStopBuild")->isVisible());
  std::vector<std::string> plain = desktop.Texts("plain");
  if (!plain.empty() && plain.front().starts_with("Извините")) plain.erase(plain.begin());
  if (*c.reportStart == '\0') {
    EXPECT_TRUE(plain.empty());
    return;
  }
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_TRUE(plain[0].starts_with(c.reportStart)) << plain[0];
  EXPECT_NE(plain[0].find(c.reportPart), std::string::npos) << plain[0];
  const std::string index = (Pictures() + "/index.htm").toStdString();
  EXPECT_EQ(desktop.opened, std::vector<std::string>{index}) << "Открыть в браузере";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildEventsTest,
    ::testing::Values(
        TDuringCase{TDuring::Nothing, false,
                    "Галерея построена.\nКартинок: 3, страниц: ", "миниатюр: 3.", false},
        TDuringCase{TDuring::BrokenPicture, false, "Галерея построена.\nКартинок: 4, ",
                    "Не созданы миниатюры (1):\n"
                    "Миниатюра для broken.jpg не создана: это не картинка.",
                    false},
        TDuringCase{TDuring::HelpOpen, true, "Галерея построена.", "миниатюр: 3.", false},
        TDuringCase{TDuring::CloseWhileHelpOpen, true, "", "", true},
        TDuringCase{TDuring::Stop, true, "Построение остановлено, галерея цела.\nКартинок: 2 из 3",
                    "миниатюр: 2.", false}),
    TPrintedCaseName());

// The real desktop's plain message and end-of-build message do not wait: the event loop goes on
// (and with it a build), and the window behind them can still be closed.
TEST(RealDesktopTest, MessagesDoNotHoldTheWindow) {
  QWidget owner;
  TQtDesktop desktop(&owner);
  bool modalSeen = false;
  QTimer guard;  // a modal box would wait until this closes it
  QObject::connect(&guard, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) modalSeen = modal->close();
  });
  guard.start(500);
  desktop.ShowPlainMessage(QStringLiteral("Помощь"));
  desktop.ShowBuildReport(QStringLiteral("Галерея построена."), QStringLiteral("/no/index.htm"));
  EXPECT_FALSE(modalSeen);
  std::vector<std::string> buttons;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(window);
    if (box == nullptr || !box->isVisible()) continue;
    for (QAbstractButton* button : box->buttons())
      buttons.push_back(button->text().remove('&').toStdString());
    box->close();
  }
  std::sort(buttons.begin(), buttons.end());
  EXPECT_EQ(buttons, (std::vector<std::string>{"OK", "Закрыть", "Открыть в браузере"}));
}

}  // namespace

}  // namespace zetgallery
