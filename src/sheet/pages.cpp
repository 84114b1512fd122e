#include "sheet/pages.h"

#include <algorithm>

#include "platform/strings.h"

// Every search walks the text left to right and never counts overlapping occurrences: the same
// pieces as cutting the whole text at the marker, without building them.

namespace {

// The next exact occurrence of a non-empty marker at or after from, or -1. Looks for the marker's
// first character with the fast single-character search and compares the rest there.
qsizetype NextMarker(QStringView text, QStringView marker, qsizetype from) {
  const QChar first = marker.front();
  const qsizetype lastStart = text.size() - marker.size();
  while (from <= lastStart) {
    const qsizetype at = text.indexOf(first, from);
    if (at < 0 || at > lastStart) return -1;
    if (text.sliced(at, marker.size()) == marker) return at;
    from = at + 1;
  }
  return -1;
}

}  // namespace

int CountPieces(const QString& song, const QString& marker) {
  if (song.isEmpty()) return 0;
  if (marker.isEmpty()) return 1;
  int pieces = 1;
  for (qsizetype at = NextMarker(song, marker, 0); at >= 0; at = NextMarker(song, marker, at + marker.size()))
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
  for (int i = 1; i < out.number; ++i) start = NextMarker(song, marker, start) + marker.size();
  qsizetype end = NextMarker(song, marker, start);
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
