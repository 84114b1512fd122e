#include "sheet/pages.h"

#include <algorithm>
#include <vector>

#include "platform/core/strings.h"

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

// Where the marker occurs in the text, left to right, without overlaps. The positions of the
// last text asked about are kept: a print asks for the page count and one page start per page of
// the same text, which then costs one walk over it. The kept copy shares the text's storage, so a
// change to the text (which cannot happen in place while it is shared) makes a new one.
const std::vector<qsizetype>& MarkerPositions(const QString& song, const QString& marker) {
  struct Kept {
    QString song, marker;
    std::vector<qsizetype> at;
  };
  thread_local Kept kept;
  if (!(song.isSharedWith(kept.song) && song.constData() == kept.song.constData() && song.size() == kept.song.size() &&
        marker == kept.marker)) {
    kept.song = song;
    kept.marker = marker;
    kept.at.clear();
    for (qsizetype at = NextMarker(song, marker, 0); at >= 0; at = NextMarker(song, marker, at + marker.size()))
      kept.at.push_back(at);
  }
  return kept.at;
}

}  // namespace

int CountPieces(const QString& song, const QString& marker) {
  if (song.isEmpty()) return 0;
  if (marker.isEmpty()) return 1;
  return static_cast<int>(MarkerPositions(song, marker).size()) + 1;
}

SongPage FindPage(const QString& song, const QString& marker, int page) {
  SongPage out;
  out.pieces = CountPieces(song, marker);
  if (out.pieces < 2) {
    out.text = QStringView(song).trimmed();
    return out;
  }
  out.number = std::clamp(page, 1, out.pieces);
  // The piece starts after the (number - 1)-th marker and ends at the next one.
  const std::vector<qsizetype>& at = MarkerPositions(song, marker);
  const qsizetype start = out.number > 1 ? at[out.number - 2] + marker.size() : 0;
  const qsizetype end = out.number - 1 < static_cast<int>(at.size()) ? at[out.number - 1] : song.size();
  out.text = QStringView(song).mid(start, end - start).trimmed();
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
