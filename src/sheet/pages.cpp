#include "sheet/pages.h"

#include <algorithm>
#include <vector>

#include "platform/core/strings.h"
#include "sheet/page_breaks.h"

// Every search walks the text left to right and never counts overlapping occurrences: the same
// pieces as cutting the whole text at the marker, without building them.

namespace {

// Where the marker occurs in the text, left to right, without overlaps. The positions of the
// last text asked about are kept: a print asks for the page count and one page start per page of
// the same text, which then costs one walk over it. The kept copy shares the text's storage, so a
// change to the text (which cannot happen in place while it is shared) makes a new one.
const std::vector<qsizetype>& MarkerPositions(const QString& song, const QString& marker) {
  struct Kept {
    QString song;
    PageBreaks breaks;
  };
  thread_local Kept kept;
  if (!(song.isSharedWith(kept.song) && song.constData() == kept.song.constData() && song.size() == kept.song.size() &&
        marker == kept.breaks.Marker())) {
    kept.song = song;
    kept.breaks.Find(song, marker);
  }
  return kept.breaks.At();
}

}  // namespace

int CountPieces(const QString& song, const QString& marker) {
  if (song.isEmpty()) return 0;
  if (marker.isEmpty()) return 1;
  return CountPieces(song, marker, MarkerPositions(song, marker));
}

int CountPieces(const QString& song, const QString& marker, const std::vector<qsizetype>& at) {
  if (song.isEmpty()) return 0;
  if (marker.isEmpty()) return 1;
  return static_cast<int>(at.size()) + 1;
}

SongPage FindPage(const QString& song, const QString& marker, int page) {
  if (song.isEmpty() || marker.isEmpty()) return FindPage(song, marker, page, {});
  return FindPage(song, marker, page, MarkerPositions(song, marker));
}

SongPage FindPage(const QString& song, const QString& marker, int page, const std::vector<qsizetype>& at) {
  SongPage out;
  out.pieces = CountPieces(song, marker, at);
  if (out.pieces < 2) {
    out.text = QStringView(song).trimmed();
    return out;
  }
  out.number = std::clamp(page, 1, out.pieces);
  // The piece starts after the (number - 1)-th marker and ends at the next one.
  const qsizetype start = out.number > 1 ? at[out.number - 2] + marker.size() : 0;
  const qsizetype end = out.number - 1 < static_cast<int>(at.size()) ? at[out.number - 1] : song.size();
  out.text = QStringView(song).mid(start, end - start).trimmed();
  return out;
}

int CountPages(const QString& song, const QString& marker) { return std::max(1, CountPieces(song, marker)); }

int CountPages(const QString& song, const QString& marker, const std::vector<qsizetype>& at) {
  return std::max(1, CountPieces(song, marker, at));
}

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
