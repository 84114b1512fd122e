#include "platform/desktop/bracket_index.h"

#include <algorithm>

BracketIndex::BracketIndex(QStringView line) : length_(static_cast<int>(line.size())) { Replace(0, 0, line); }

BracketIndex::Chunk BracketIndex::Summarise(QStringView text) {
  Chunk c;
  c.length = static_cast<int>(text.size());
  for (QChar ch : text) {
    if (ch == u'[') {
      ++c.opens;
      c.last = ch;
    } else if (ch == u']') {
      ++c.closes;
      c.last = ch;
    }
  }
  return c;
}

void BracketIndex::Replace(size_t first, size_t end, QStringView text) {
  std::vector<Chunk> pieces;
  const qsizetype n = text.size();
  const qsizetype count = n == 0 ? 0 : std::max<qsizetype>(1, n / kChunk);
  for (qsizetype i = 0; i < count; ++i) {
    const qsizetype from = n * i / count;
    const qsizetype to = n * (i + 1) / count;
    pieces.push_back(Summarise(text.mid(from, to - from)));
  }
  // In place as far as they go, so that typing (one chunk for one) moves no other chunk.
  const size_t same = std::min(end - first, pieces.size());
  std::copy(pieces.begin(), pieces.begin() + static_cast<std::ptrdiff_t>(same),
            chunks_.begin() + static_cast<std::ptrdiff_t>(first));
  const auto at = chunks_.begin() + static_cast<std::ptrdiff_t>(first + same);
  if (same < end - first) chunks_.erase(at, chunks_.begin() + static_cast<std::ptrdiff_t>(end));
  if (same < pieces.size()) chunks_.insert(at, pieces.begin() + static_cast<std::ptrdiff_t>(same), pieces.end());
}

QChar BracketIndex::LastBracketBefore(int k) const {
  QChar found;
  int m = k - 1;
  const int known = knownBefore_ >= 0 && knownBefore_ <= k ? knownBefore_ : 0;
  while (m >= known && found.isNull()) found = chunks_[static_cast<size_t>(m--)].last;
  if (found.isNull() && known > 0) found = knownBracket_;
  knownBefore_ = k;
  knownBracket_ = found;
  return found;
}

BracketIndex::Reread BracketIndex::Edit(int at, int removed, int added, const Reader& read) {
  Reread r;
  if (chunks_.empty()) {
    r.text = read(0, added);
    Replace(0, 0, r.text);
    length_ = added;
    hint_ = 0;
    hintStart_ = 0;
    knownBefore_ = -1;
    r.last = ChunkCount() - 1;
    r.bracketsChanged = true;
    return r;
  }
  // The chunks [i, j] that hold the replaced text, or the place of an insertion: looked for from
  // where the last edit was.
  size_t i = hint_;
  int start = hintStart_;
  while (i > 0 && start > at) start -= chunks_[--i].length;
  while (i + 1 < chunks_.size() && start + chunks_[i].length <= at) start += chunks_[i++].length;
  size_t j = i;
  int end = start + chunks_[i].length;
  while (j + 1 < chunks_.size() && end < at + removed) end += chunks_[++j].length;
  // A span left too short takes in a neighbour, so that the chunks stay long.
  int newLength = end - start - removed + added;
  while (newLength < kChunk / 2 && (i > 0 || j + 1 < chunks_.size())) {
    if (j + 1 < chunks_.size()) {
      newLength += chunks_[++j].length;
    } else {
      newLength += chunks_[--i].length;
      start -= chunks_[i].length;
    }
  }
  int opens = 0, closes = 0;
  for (size_t k = i; k <= j; ++k) {
    opens += chunks_[k].opens;
    closes += chunks_[k].closes;
  }
  r.start = start;
  r.text = read(start, start + newLength);
  const Chunk now = Summarise(r.text);
  const Chunk put = Summarise(QStringView(r.text).mid(at - start, added));
  // What the span held before, less what it still holds apart from the new text, was removed.
  const bool removedBracket = opens != now.opens - put.opens || closes != now.closes - put.closes;
  r.bracketsChanged = put.opens > 0 || put.closes > 0 || removedBracket;
  const size_t before = chunks_.size();
  Replace(i, j + 1, r.text);
  if (knownBefore_ > static_cast<int>(i)) knownBefore_ = -1;  // the chunks it spoke of changed
  hint_ = i;
  hintStart_ = start;
  r.first = static_cast<int>(i);
  r.last = static_cast<int>(i + (chunks_.size() - before) + (j + 1 - i)) - 1;
  length_ += added - removed;
  return r;
}
