#pragma once
// Fresh application-data and preferences folders for one test, and the shared globals reset.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/app.h"
#include "app/module1.h"
#include "platform/core/files.h"
#include "support/test_env.h"

class SettingsFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(Prefs());
    qputenv("XDG_CONFIG_HOME", AppData().toUtf8());
    qputenv("HOME", Prefs().toUtf8());
    Module1::myINI.reset();
    Module1::gOpenThisFile.reset();
    Module1::newPageSymbol.clear();
  }
  void TearDown() override {
    App::Release();
    Module1::myINI.reset();
    qputenv("XDG_CONFIG_HOME", (TestRoot() + "/config").toUtf8());
    qputenv("HOME", (TestRoot() + "/home").toUtf8());
  }
  QString AppData() const { return root.filePath("config"); }
  QString Prefs() const { return root.filePath("home"); }
  QString NewFolder() const { return AppData() + "/VuqHarmonote"; }
  QString OldFolder() const { return Prefs() + "/VuqHarmonote"; }

  static void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  static QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }

  QTemporaryDir root;
};
