// app_build_screenshots: pictures of the screen while the window builds (the count and
// "Остановить"), of its end-of-build message and of its "save the changes?" question, with the
// real message boxes. Meant for a look under a virtual X display with a window manager; built
// only on request:
//   cmake --build BUILD --target app_build_screenshots
//   xvfb-run -s "-screen 0 800x600x24" sh -c 'openbox & sleep 1; BUILD/app_build_screenshots
//   /tmp/shots'
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <atomic>
#include <cstdio>

#include "app/DesktopServices.h"
#include "app/FormMain.h"
#include "app/WindowMain.h"
#include "gallery/Thumbnailer.h"

using namespace zetgallery;

namespace {

bool Shoot(const QString& file) {
  QTest::qWait(400);
  const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(file);
  std::printf("%s%s\n", qPrintable(file), saved ? "" : " (not saved)");
  return saved;
}

// Waits for `done`; says so when it does not come in time.
template <typename Done>
bool Await(Done done, int milliseconds, const char* what) {
  if (QTest::qWaitFor(done, milliseconds)) return true;
  std::fprintf(stderr, "timed out waiting for %s\n", what);
  return false;
}

void MakePictures(const QString& folder, int count) {
  QDir().mkpath(folder);
  for (int i = 0; i < count; ++i) {
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv((i * 37) % 360, 160, 200));
    picture.save(QStringLiteral("%1/photo%2.jpg").arg(folder).arg(i, 3, 10, QLatin1Char('0')));
  }
  QFile broken(folder + "/broken.jpg");
  if (broken.open(QIODevice::WriteOnly)) broken.write("not a picture");
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir work;
  qputenv("ZETGALLERY_REGISTRY", (work.path() + "/registry.db").toUtf8());
  qputenv("XDG_DATA_HOME", (work.path() + "/data").toUtf8());
  StartImageLibrary(argv[0]);
  QApplication application(argc, argv);
  SetUpApplication(application);
  if (argc < 2) {
    std::fprintf(stderr, "usage: app_build_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(output);
  const QString pictures = work.path() + "/Фото/Море";
  MakePictures(pictures, 24);
  QDir().mkpath(work.path() + "/Фото/thumbs");
  TQtDesktop desktop;
  TFormMain form(desktop);
  desktop.SetOwner(&form);
  OpenMainWindow(form, desktop, pictures.toStdString());
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
  tabs->setCurrentIndex(0);

  // A build held after a few thumbnails: the count and "Остановить".
  std::atomic<int> made{0};
  std::atomic<bool> release{false};
  TBuildOptions held;
  held.thumbnailThreads = 1;
  held.thumbnailMaker = [&](const TThumbnailJob&) {
    if (++made > 6)
      while (!release) QThread::msleep(10);
    return 0;
  };
  form.SetBuildOptions(held);
  form.findChild<QPushButton*>(QStringLiteral("ButtonBuildGallery"))->click();
  if (!Await([&] { return made > 6; }, 10000, "thumbnails")) return 1;
  Shoot(output + "/progress.png");
  release = true;
  if (!Await([&] { return !form.Building(); }, 30000, "the held build")) return 1;
  for (QWidget* box : QApplication::topLevelWidgets())
    if (box->objectName() == QStringLiteral("MessageBuildReport")) box->close();

  // A real build: the end-of-build message with the broken picture named.
  form.SetBuildOptions(TBuildOptions{});
  form.findChild<QPushButton*>(QStringLiteral("ButtonBuildGallery"))->click();
  if (!Await([&] { return !form.Building(); }, 60000, "the build")) return 1;
  Shoot(output + "/report.png");
  for (QWidget* box : QApplication::topLevelWidgets())
    if (box->objectName() == QStringLiteral("MessageBuildReport")) box->close();

  // The file dialog, with the list of the gallery's folder.
  QTimer::singleShot(600, [&] {
    Shoot(output + "/file-dialog.png");
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  desktop.ChooseFile(QString::fromUtf8("Выберите шаблон индексного файла"),
                     QStringLiteral("HTML (*.htm *.html);;* (*)"), work.path() + "/Фото");

  // A preset saved, a value changed, the window closed: the question.
  auto* presets = form.findChild<QComboBox*>(QStringLiteral("ComboBoxSettings"));
  presets->setEditText(QString::fromUtf8("Море"));
  form.findChild<QToolButton*>(QStringLiteral("ButtonSaveSettings"))->click();
  QTest::qWait(200);
  for (QWidget* box : QApplication::topLevelWidgets())
    if (qobject_cast<QMessageBox*>(box) && box->isVisible()) box->close();
  form.findChild<QLineEdit*>(QStringLiteral("EditImagesMask"))->setText(QStringLiteral("*.png"));
  QTimer::singleShot(300, [&] {
    Shoot(output + "/save-prompt.png");
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  form.close();
  EndImageLibrary();
  return 0;
}
