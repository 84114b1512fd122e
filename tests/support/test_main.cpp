// Test start-up shared by every test executable: an offscreen QApplication, settings and document
// folders inside a temporary folder, so that nothing touches the real home folder, and guarded
// errors reported through the dialogs in use, as in the application.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/core/files.h"
#include "platform/desktop/dialogs.h"
#include "support/test_env.h"

namespace {
QTemporaryDir* g_root = nullptr;
}

QString TestRoot() { return g_root->path(); }

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir root;
  g_root = &root;
  qputenv("HOME", root.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toUtf8());
  SpecialFolder::OverrideApplicationData(root.path() + "/config");
  SpecialFolder::OverridePreferences(root.path() + "/home");
  QApplication app(argc, argv);
  ReportErrorsInDialogs();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
