#include "sheet/pages.h"

#include <algorithm>

#include "platform/strings.h"

// Every search walks the text once, left to right, never overlapping occurrences: the same
// pieces as cutting the whole text at the marker, without building them.

int CountPieces(const QString& song, const QString& marker) {
  if (song.isEmpty()) return 0;
  if (marker.isEmpty()) return 1;
  int pieces = 1;
  for (qsizetype at = song.indexOf(marker, 0, Qt::CaseSensitive); at >= 0;
       at = song.indexOf(marker, at + marker.size(), Qt::CaseSensitive))
    ++pieces;
  return pieces;
}

SongPage FindPage(const QString& song, const QString& marker, int page) {
  SongPage out;
  out.pieces = CountPieces(song, marker);
  if (out.pieces < 2) {
    out.text = Trim(song);
    return out;
  }
  out.number = std::clamp(page, 1, out.pieces);
  // The piece starts after the (number - 1)-th marker and ends at the next one.
  qsizetype start = 0;
  for (int i = 1; i < out.number; ++i) start = song.indexOf(marker, start, Qt::CaseSensitive) + marker.size();
  qsizetype end = song.indexOf(marker, start, Qt::CaseSensitive);
  if (end < 0) end = song.size();
  out.text = QStringView(song).mid(start, end - start).trimmed().toString();
  return out;
}

int CountPages(const QString& song, const QString& marker) { return std::max(1, CountPieces(song, marker)); }

int PageNumberFor(int current, int total) {
  if (total < current) current = total;
  return std::max(1, current);
}

QString PageLabelText(int n) { return QStringLiteral("Page: ") + Str(n); }

double DpiScale(double dpi) { return 1.0 / (72.0 / dpi); }

QString WindowTitleFor(const QString& text) {
  if (Trim(text).isEmpty()) return QStringLiteral("Harmonote");
  return QStringLiteral("Harmonote - ") + text;
}
