// FormTestSupport: a window on a scripted desktop, with a temporary folder for pictures and a
// settings database of its own, and its controls found by the names the program gives them.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <stdexcept>
#include <string>

#include "ScriptedDesktop.h"
#include "app/FormMain.h"

namespace zetgallery {

// The one object of kind T named `name` among the descendants of `root`. A test that asks for a
// control the window does not have fails, naming it, rather than crashing.
template <typename T = QWidget>
T* FindControl(const QObject& root, const char* name) {
  const QList<T*> found = root.findChildren<T*>(QString::fromLatin1(name));
  if (found.size() != 1)
    throw std::runtime_error("not one control named " + std::string(name) + " of its kind");
  return found.first();
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    qputenv("ZETGALLERY_REGISTRY", (folder.path() + "/registry.db").toUtf8());
    form = std::make_unique<TFormMain>(desktop);
  }

  void TearDown() override { form.reset(); }

  // Creates `name` (with its sub-folders) under the temporary folder; returns its path.
  QString MakeFile(const QString& name, const QByteArray& bytes = "x") {
    const QString path = folder.path() + "/" + name;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }

  // The window's control named `name`, of kind T.
  template <typename T = QWidget>
  T* Control(const char* name) const {
    return FindControl<T>(*form, name);
  }

  // Brings the page `name` of the page control to the front.
  void ShowPage(const char* name) {
    Control<QTabWidget>("PageControlMain")->setCurrentWidget(Control(name));
  }

  QString Pictures() const { return folder.path() + "/pics"; }

  // Shows the window and waits until it is active, so real focus moves reach the controls.
  bool ShowActive() {
    form->show();
    form->activateWindow();
    return QTest::qWaitForWindowActive(form.get());
  }

  QStringList ListEntries() const { return Control<TSortedListBox>("ListBoxImages")->Entries(); }

  QTemporaryDir folder;
  TScriptedDesktop desktop;
  std::unique_ptr<TFormMain> form;
};

}  // namespace zetgallery
