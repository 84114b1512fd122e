// Test start-up shared by every test executable: an offscreen QApplication, settings and document
// folders inside a temporary folder, so that nothing touches the real home folder, and guarded
// errors reported through the dialogs in use, as in the application.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/core/files.h"
#include "platform/desktop/dialogs.h"
#include "support/test_env.h"

namespace {
QTemporaryDir* g_root = nullptr;
}

QString TestRoot() { return g_root->path(); }

QString OffscreenScreenFile(int width, int height) {
  const QString path = TestRoot() + QStringLiteral("/screen-%1x%2.json").arg(width).arg(height);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    file.write(QStringLiteral("{\"screens\": [{\"name\": \"screen\", \"x\": 0, \"y\": 0, \"width\": %1, "
                              "\"height\": %2, \"logicalDpi\": 96, \"dpr\": 1}]}")
                   .arg(width)
                   .arg(height)
                   .toUtf8());
  return path;
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir root;
  g_root = &root;
  // The plain offscreen screen is 800 by 600, smaller than the main window; the tests run on a
  // desktop-sized screen unless they choose one of their own.
  if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + OffscreenScreenFile(1920, 1200)).toUtf8());
  // The settings and home folders, through the environment the program reads them from.
  QDir().mkpath(root.path() + "/home");
  qputenv("HOME", (root.path() + "/home").toUtf8());
  qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toUtf8());
  QApplication app(argc, argv);
  ReportErrorsInDialogs();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
