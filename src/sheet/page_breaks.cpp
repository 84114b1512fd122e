#include "sheet/page_breaks.h"

#include <algorithm>
#include <iterator>

qsizetype NextMarker(QStringView text, QStringView marker, qsizetype from) {
  // Looks for the marker's first character with the fast single-character search and compares
  // the rest there.
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

namespace {

// The marker's places in text[0, end) from offset from on, left to right, without overlaps.
void FindFrom(QStringView text, QStringView marker, qsizetype from, std::vector<qsizetype>& out) {
  for (qsizetype at = NextMarker(text, marker, from); at >= 0; at = NextMarker(text, marker, at + marker.size()))
    out.push_back(at);
}

// Whether a marker starts in the marker's length less one places before offset x: where none
// does, the search from the start finds at x and after what a search begun at x finds, whatever
// came before (a marker found before x ends by x, and none starts between).
bool StartsJustBefore(QStringView text, QStringView marker, qsizetype x) {
  for (qsizetype start = std::max<qsizetype>(0, x - marker.size() + 1); start < x; ++start)
    if (start + marker.size() <= text.size() && text.sliced(start, marker.size()) == marker) return true;
  return false;
}

}  // namespace

void PageBreaks::Find(QStringView text, const QString& marker) {
  marker_ = marker;
  at_.clear();
  if (!marker_.isEmpty()) FindFrom(text, marker_, 0, at_);
}

void PageBreaks::Edit(QStringView text, qsizetype from, qsizetype removed, qsizetype added) {
  const qsizetype m = marker_.size();
  if (m == 0) return;
  const qsizetype moved = added - removed;
  // The markers wholly before the edit stay, and the search goes on after the last of them.
  const auto kept = std::upper_bound(at_.begin(), at_.end(), from - m);
  const qsizetype search = kept == at_.begin() ? 0 : *std::prev(kept) + m;
  // The first place past the edit, with a marker's length of unchanged text before it, where no
  // marker starts just before: from there on the text and its markers are those before the
  // edit, moved.
  qsizetype same = std::max(search, from + added + m - 1);
  while (same < text.size() && StartsJustBefore(text, marker_, same)) ++same;
  same = std::min(same, text.size());
  std::vector<qsizetype> fresh;
  FindFrom(text.first(same), marker_, search, fresh);
  for (auto it = std::lower_bound(kept, at_.end(), same - moved); it != at_.end(); ++it) fresh.push_back(*it + moved);
  at_.erase(kept, at_.end());
  at_.insert(at_.end(), fresh.begin(), fresh.end());
}
