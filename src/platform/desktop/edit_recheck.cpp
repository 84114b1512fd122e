#include "platform/desktop/edit_recheck.h"

#include <utility>

namespace {

// The text of the chunks [first, last] of the line, which the re-check reads on from as far as it
// needs, a chunk at a time.
class ChunkText {
 public:
  ChunkText(const BracketIndex& index, const BracketIndex::Reader& read, BracketIndex::Reread near)
      : index_(index),
        read_(read),
        text_(std::move(near.text)),
        first_(near.first),
        last_(near.last),
        start_(near.start) {}

  int First() const { return first_; }
  int Start() const { return start_; }
  int End() const { return start_ + static_cast<int>(text_.size()); }
  QChar At(int q) const { return text_.at(q - start_); }
  QString Mid(int from, int to) const { return text_.mid(from - start_, to - from); }
  // Reads the chunk before the first one; false at the line's start.
  bool ReadBefore() {
    if (first_ == 0) return false;
    const int length = index_.ChunkLength(--first_);
    text_.prepend(read_(start_ - length, start_));
    start_ -= length;
    return true;
  }
  // Reads the chunk after the last one; false at the line's end.
  bool ReadAfter() {
    if (last_ + 1 >= index_.ChunkCount()) return false;
    const int end = End();
    text_ += read_(end, end + index_.ChunkLength(++last_));
    return true;
  }

 private:
  const BracketIndex& index_;
  const BracketIndex::Reader& read_;
  QString text_;
  int first_, last_, start_;
};

// The last boundary read as lyric in [from, to) of text, read from from on as lyric or not; -1
// when there is none.
int LastBoundary(const ChunkText& text, int from, int to, bool lyric, const WordReading& reading) {
  int boundary = -1;
  for (int q = from; q < to; ++q) {
    const QChar c = text.At(q);
    if (lyric && reading.isBoundary(c)) boundary = q;
    lyric = reading.readAfter(lyric, c);
  }
  return boundary;
}

// Where the re-check starts: after the last boundary before at read as lyric (or at the line's
// start). The text before it is unchanged and so is how it is read.
int RecheckStart(const BracketIndex& index, ChunkText& text, int at, const WordReading& reading) {
  for (int to = at;;) {
    const int boundary = LastBoundary(text, text.Start(), to, !index.InsideBracketsAt(text.First()), reading);
    if (boundary >= 0) return boundary + 1;
    to = text.Start();
    if (!text.ReadBefore()) return 0;
  }
}

// After c the text reads as lyric however it was read before c (a "]" closing a chord).
bool AlwaysLyricAfter(QChar c, const WordReading& reading) {
  return reading.readAfter(false, c) && reading.readAfter(true, c);
}

// Where the re-check stops: at the first boundary at or after end read as lyric; when the edit
// removed or added a bracket, only past the next character that ends every stretch in brackets
// (after which the old and new text are read alike again). The line's length when there is none.
int RecheckStop(ChunkText& text, int from, int end, bool bracketsChanged, const WordReading& reading) {
  bool same = !bracketsChanged;
  bool lyric = true;
  for (int q = from;; ++q) {
    if (q == text.End() && !text.ReadAfter()) return q;
    const QChar c = text.At(q);
    if (q >= end) {
      if (same && lyric && reading.isBoundary(c)) return q;
      if (AlwaysLyricAfter(c, reading)) same = true;
    }
    lyric = reading.readAfter(lyric, c);
  }
}

// The underlines before from stay, those found in [from, stop) come next, and those after the
// stretch move with the text by shift.
Underlines Merged(const Underlines& before, int from, int stop, int shift, const Underlines& found) {
  Underlines words;
  words.reserve(before.size() + found.size());
  qsizetype i = 0;
  for (; i < before.size() && before[i].first < from; ++i) words.append(before[i]);
  for (const auto& [s, n] : found) words.append({from + s, n});
  while (i < before.size() && before[i].first < stop - shift) ++i;
  for (; i < before.size(); ++i) words.append({before[i].first + shift, before[i].second});
  return words;
}

}  // namespace

std::optional<Underlines> RecheckEdit(BracketIndex& index, const Underlines& before, int length, int at, int removed,
                                      int added, const BracketIndex::Reader& read, const WordReading& reading,
                                      const MisspeltWords& misspelt) {
  if (at < 0 || removed < 0 || added < 0 || at + added > length) return std::nullopt;
  if (index.Length() != length - added + removed) return std::nullopt;
  BracketIndex::Reread near = index.Edit(at, removed, added, read);
  const bool bracketsChanged = near.bracketsChanged;
  ChunkText text(index, read, std::move(near));
  const int from = RecheckStart(index, text, at, reading);
  const int stop = RecheckStop(text, from, at + added, bracketsChanged, reading);
  return Merged(before, from, stop, added - removed, misspelt(text.Mid(from, stop)));
}
