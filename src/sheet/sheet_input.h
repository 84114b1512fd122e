#pragma once
// Everything one page of the sheet is drawn from: a snapshot of the song's document (its fields
// and layout values, the text fields as typed, which the renderer trims, and the song text
// untrimmed), the page-break marker and the output scale, taken when the drawing starts.
#include <QString>
#include <vector>

#include "sheet/song_document.h"

struct SheetInput : SongDocument {
  QString marker = QStringLiteral("+++++");  // the page-break marker
  double scale = 1.0;                        // d: every length is multiplied by it
  // Where the marker stands in the song text, when that is known (else it is looked for).
  const std::vector<qsizetype>* breaks = nullptr;
};

// The song's document as the sheet draws it, with its marker and scale. The texts are shared,
// not copied.
inline SheetInput SheetInputFor(const SongDocument& doc, const QString& marker, double scale,
                                const std::vector<qsizetype>* breaks = nullptr) {
  return SheetInput{doc, marker, scale, breaks};
}
