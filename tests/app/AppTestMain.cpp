// The window tests run inside one QApplication on the offscreen platform, with the settings
// store pointed at a database of their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "gallery/Thumbnailer.h"

using namespace zetgallery;

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never the user's own settings, even for a test that forgets to choose a database.
  QTemporaryDir settingsFolder;
  qputenv("ZETGALLERY_REGISTRY", (settingsFolder.path() + "/registry.db").toUtf8());
  static_cast<void>(StartImageLibrary(argv[0]));
  int status = 0;
  {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    status = RUN_ALL_TESTS();
  }
  EndImageLibrary();
  return status;
}
