// app_screenshots: saves a picture of each tab of the window, as a fresh start shows it, into
// the folder given as the first argument, and names every text control too narrow for its text.
// A look at the layout without a display; built only on request:
//   cmake --build BUILD --target app_screenshots
//   QT_QPA_PLATFORM=offscreen BUILD/app_screenshots /tmp/shots [images folder]
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "ScriptedDesktop.h"
#include "app/FormMain.h"

using namespace zetgallery;

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir settingsFolder;
  qputenv("ZETGALLERY_REGISTRY", (settingsFolder.path() + "/registry.db").toUtf8());
  QApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: app_screenshots OUTPUT_FOLDER [IMAGES_FOLDER]\n");
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(output);
  TScriptedDesktop desktop;
  TFormMain form(desktop);
  if (const TStatus created = form.FormCreate(argc > 2 ? argv[2] : ""); !created.ok())
    std::fprintf(stderr, "%s\n", created.message().c_str());
  form.show();
  auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
  for (int tab = 0; tab < pages->count(); ++tab) {
    pages->setCurrentIndex(tab);
    QApplication::processEvents();
    const QString file = QStringLiteral("%1/tab%2.png").arg(output).arg(tab);
    if (!form.grab().save(file)) return 1;
    std::printf("%s\n", qPrintable(file));
    // Text controls narrower than their text need.
    for (QWidget* control : pages->currentWidget()->findChildren<QWidget*>()) {
      const bool text = qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control);
      if (text && !control->objectName().isEmpty() && control->isVisible() &&
          control->width() < control->sizeHint().width())
        std::printf("  clipped %s: %d < %d\n", qPrintable(control->objectName()), control->width(),
                    control->sizeHint().width());
    }
  }
  return 0;
}
