#pragma once
// Everything one page of the sheet is drawn from: a snapshot of the song's fields, its layout
// values and the output scale, taken when the drawing starts.
#include <QString>

struct SheetInput {
  QString title, capo, key, timing, tempo;   // as typed; the renderer trims them
  QString song;                              // the song text, untrimmed
  QString marker = QStringLiteral("+++++");  // the page-break marker
  int spacing = 5;
  int wordSize = 12;
  int chordSize = 12;
  int chordOffset = 13;
  int fretSize = 7;
  int fretOffset = 22;
  int rowHeight = 27;
  bool centerLine = true;
  double scale = 1.0;  // d: every length is multiplied by it
};
