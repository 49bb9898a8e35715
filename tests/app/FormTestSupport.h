// FormTestSupport: a window on a scripted desktop, with a temporary folder for pictures and a
// settings database of its own.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "ScriptedDesktop.h"
#include "app/FormMain.h"

namespace zetgallery {

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

  QString Pictures() const { return folder.path() + "/pics"; }

  // Shows the window and waits until it is active, so real focus moves reach the controls.
  bool ShowActive() {
    form->show();
    form->activateWindow();
    return QTest::qWaitForWindowActive(form.get());
  }

  QStringList ListEntries() const { return form->FilesTab().ListBoxImages->Entries(); }

  QTemporaryDir folder;
  TScriptedDesktop desktop;
  std::unique_ptr<TFormMain> form;
};

}  // namespace zetgallery
