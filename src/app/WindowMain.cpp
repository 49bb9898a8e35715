// WindowMain: the window program's start-up and shutdown, in an order that matters: the image
// library first, then the application object with its title and hint pause, then the window and
// its creation handler; an error of the creation handler is shown before the window appears.
// The image library ends last, after the window and the application object are gone.
#include "app/WindowMain.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QToolTip>
#include <QTranslator>

#include "app/DesktopServices.h"
#include "app/FormMain.h"
#include "gallery/Thumbnailer.h"

namespace zetgallery {

namespace {

constexpr int kHintHidePauseMs = 5000;

// Keeps every hint of the application visible for a fixed time.
class THintPause : public QObject {
 public:
  THintPause(int milliseconds, QObject* parent) : QObject(parent), milliseconds_(milliseconds) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->toolTip().isEmpty()) return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), milliseconds_);
    return true;
  }

 private:
  int milliseconds_;
};

int RunApplication(int argc, char** argv) {
  QApplication application(argc, argv);
  SetUpApplication(application);
  TQtDesktop desktop;
  TFormMain form(desktop);
  OpenMainWindow(form, desktop, argc > 1 ? argv[1] : "");
  desktop.SetOwner(&form);
  return application.exec();
}

}  // namespace

void SetUpApplication(QApplication& application) {
  QApplication::setApplicationName(QStringLiteral("ZetGallery"));
  // The menu entry's name: Wayland desktops find the window's icon and entry through it.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ZetGallery"));
  application.installEventFilter(new THintPause(kHintHidePauseMs, &application));
  // The window speaks Russian whatever the desktop's language, and so do the texts Qt brings:
  // the buttons of a question box, the colour, file and folder dialogs, key names, the names of
  // file types, numbers and dates.
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  auto* translator = new QTranslator(&application);
  if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

void OpenMainWindow(TFormMain& form, TDesktop& desktop, const std::string& commandLineFolder) {
  const TStatus created = form.FormCreate(commandLineFolder);
  // The error box comes before the window, which then opens on the tab its layout shows.
  if (!created.ok()) desktop.ShowStandardError(QString::fromStdString(created.message()));
  if (const QScreen* screen = QApplication::primaryScreen()) {
    QRect frame = form.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    form.move(frame.topLeft());
  }
  form.show();
}

int RunWindow(int argc, char** argv) {
  // Start-up goes on whatever the library says: only thumbnails need it.
  static_cast<void>(StartImageLibrary(argc > 0 ? argv[0] : "zetgallery"));
  const int status = RunApplication(argc, argv);
  EndImageLibrary();
  return status;
}

}  // namespace zetgallery
