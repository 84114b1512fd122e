#pragma once
// What the benchmarks that drive the real main window share: the process set-up and an edit made
// by code.
#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/ini_class.h"
#include "app/module1.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/spell_check.h"
#include "shell/menu_bar1.h"

namespace bench {

// The globals the main window expects: the page-break marker and a settings store in settings.
inline void PrepareWindowGlobals(const QTemporaryDir& settings) {
  Module1::newPageSymbol = QStringLiteral("+++++");
  Module1::myINI = std::make_shared<iniClass>(FolderItem(settings.path() + QStringLiteral("/Harmonote.ini")));
}

// The process the window benchmarks run in: offscreen Qt unless a platform is asked for, the
// window's globals with a settings store in a temporary folder (handed to measure), released
// after it.
inline int RunWindowBench(int argc, char** argv, const std::function<void(const QTemporaryDir& settings)>& measure) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir settings;
  PrepareWindowGlobals(settings);
  measure(settings);
  Module1::myINI.reset();
  MenuBar1::Release();
  std::fflush(stdout);
  return 0;
}

// A character inserted by code at offset at and deleted again: two edits, each with its redraw
// (no key event, no paint).
inline void TypeAndDelete(Window1* w, int at) {
  w->txtSong()->SetSelStart(at);
  w->txtSong()->SetSelText(QStringLiteral("x"));
  w->txtSong()->SetSelStart(at);
  w->txtSong()->SetSelLength(1);
  w->txtSong()->SetSelText(QString());
}

// The spell checker's idle checking of the lines that wait, run to its end from the event loop
// as the application runs it when nothing else waits; no call of the checker's own is made for
// the benchmarks.
inline void FinishSpellSweep(TextArea* area) {
  if (SpellHighlighter* speller = area->Speller())
    while (speller->Pending()) QCoreApplication::processEvents();
}

}  // namespace bench
