#pragma once
// The sheet's one face, asked for by name with hinting off, so that text measures the same
// offscreen, under X and in PDF output.
#include <QFont>
#include <QString>

QString SheetFontFamily();  // "DejaVu Sans"
// size in sheet units; on our 72-dpi surfaces one unit is one pixel or one point.
QFont SheetFont(double size, bool bold);
