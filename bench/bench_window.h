#pragma once
// What the benchmarks that drive the real main window share: the process set-up and a keystroke.
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "app/ini_class.h"
#include "app/module1.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/text_area.h"

namespace bench {

// The globals the main window expects: the page-break marker and a settings store in settings.
inline void PrepareWindowGlobals(const QTemporaryDir& settings) {
  Module1::newPageSymbol = QStringLiteral("+++++");
  Module1::myINI = std::make_shared<iniClass>(FolderItem(settings.path() + QStringLiteral("/Harmonote.ini")));
}

// A character typed at offset at and deleted again: two edits, each with its redraw.
inline void TypeAndDelete(Window1* w, int at) {
  w->txtSong()->SetSelStart(at);
  w->txtSong()->SetSelText(QStringLiteral("x"));
  w->txtSong()->SetSelStart(at);
  w->txtSong()->SetSelLength(1);
  w->txtSong()->SetSelText(QString());
}

}  // namespace bench
