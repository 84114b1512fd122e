#pragma once
// A fresh main window for each test: offscreen, with scripted dialogs, the page-break marker
// "+++++", a settings store over a file of the test's own, no document handed over, and fresh
// menu items (the shared items keep their check marks otherwise).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <memory>

#include "app/ini_class.h"
#include "app/module1.h"
#include "mainwindow/window1.h"
#include "platform/core/files.h"
#include "platform/desktop/controls/bevel_button.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/controls/up_down_arrows.h"
#include "support/doubles/scripted_dialogs.h"
#include "shell/menu_bar1.h"
#include "support/test_env.h"

class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    static int serial = 0;
    const QString folder = TestRoot() + QStringLiteral("/window-%1").arg(++serial);
    QDir().mkpath(folder);
    settingsFile = FolderItem(folder + QStringLiteral("/Harmonote.ini"));
    Module1::newPageSymbol = QStringLiteral("+++++");
    Module1::gOpenThisFile.reset();
    Module1::myINI = std::make_shared<iniClass>(settingsFile);
    PrepareSettings();
    w = Window1::Instance();
  }

  void TearDown() override {
    delete Window1::Existing();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Module1::myINI.reset();
    MenuBar1::Release();
  }

  // Runs before the window is made: a test fixture derived from this one can write settings here.
  virtual void PrepareSettings() {}

  ScriptedDialogs dialogs;
  FolderItem settingsFile;
  Window1* w = nullptr;
};
