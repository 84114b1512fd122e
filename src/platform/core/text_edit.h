#pragma once
// One edit of a text: the removed characters from offset from on gave way to added.
#include <QString>
#include <QtGlobal>

struct TextEdit {
  qsizetype from = 0;
  qsizetype removed = 0;
  QString added;
};
