#include "platform/desktop/edit_recheck.h"

std::optional<Underlines> RecheckEdit(BracketIndex& index, const Underlines& before, int length, int at, int removed,
                                      int added, const BracketIndex::Reader& read, const WordReading& reading,
                                      const MisspeltWords& misspelt) {
  if (at < 0 || removed < 0 || added < 0 || at + added > length) return std::nullopt;
  if (index.Length() != length - added + removed) return std::nullopt;
  BracketIndex::Reread near = index.Edit(at, removed, added, read);
  int first = near.first, last = near.last, start = near.start;
  QString text = std::move(near.text);

  // The re-check starts after the last boundary before the edit read as lyric (or at the line's
  // start): the text before it is unchanged and so is how it is read.
  int boundary = -1;
  for (int scanFrom = start, scanTo = at;;) {
    bool lyric = index.LastBracketBefore(first) != u'[';
    for (int q = scanFrom; q < scanTo; ++q) {
      const QChar c = text.at(q - start);
      if (lyric && reading.isBoundary(c)) boundary = q;
      lyric = reading.readAfter(lyric, c);
    }
    if (boundary >= 0 || first == 0) break;
    const int len = index.ChunkLength(--first);
    text.prepend(read(start - len, start));
    scanTo = start;
    start -= len;
    scanFrom = start;
  }
  const int from = boundary + 1;

  // It stops at the first boundary after the edit read as lyric; when the edit removed or added
  // a bracket, only past the next "]" (after which the old and new text are read alike again).
  const int end = at + added;
  bool same = !near.bracketsChanged;
  bool lyric = true;
  int stop = length;
  int textEnd = start + static_cast<int>(text.size());
  for (int q = from;; ++q) {
    if (q == textEnd) {
      if (last + 1 >= index.ChunkCount()) break;
      const int len = index.ChunkLength(++last);
      text += read(textEnd, textEnd + len);
      textEnd += len;
    }
    const QChar c = text.at(q - start);
    if (q >= end) {
      if (same && lyric && reading.isBoundary(c)) {
        stop = q;
        break;
      }
      if (c == u']') same = true;
    }
    lyric = reading.readAfter(lyric, c);
  }

  // The underlines before the re-checked stretch stay, those after it move with the text.
  const int shift = added - removed;
  Underlines words;
  words.reserve(before.size() + 1);
  qsizetype i = 0;
  for (; i < before.size() && before[i].first < from; ++i) words.append(before[i]);
  for (const auto& [s, n] : misspelt(text.mid(from - start, stop - from))) words.append({from + s, n});
  while (i < before.size() && before[i].first < stop - shift) ++i;
  for (; i < before.size(); ++i) words.append({before[i].first + shift, before[i].second});
  return words;
}
