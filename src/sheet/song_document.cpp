#include "sheet/song_document.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>

#include "platform/core/strings.h"
#include "platform/core/text_decoding.h"

namespace {

// A field as written: without what the reader would refuse (a NUL, dropped), a separator inside
// it made a blank, then trimmed.
QString Field(const QString& s) {
  QString t = WithoutRefusedCharacters(s);
  t.replace(QChar(kFieldSeparator), QLatin1Char(' '));
  return Trim(t);
}

// The fields that hold text, which a save trims.
constexpr QString SongDocument::*kTextFields[] = {&SongDocument::title, &SongDocument::capo,   &SongDocument::key,
                                                  &SongDocument::song,  &SongDocument::timing, &SongDocument::tempo};

int Layout(const QString& piece, const LayoutRange& r) {
  return r.Clamp(ValToInt(piece, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

QString SongDocumentText(const SongDocument& doc) {
  const QChar sep(kFieldSeparator);
  QString out;
  out.reserve(doc.song.size() + 128);
  auto add = [&](const QString& v) {
    out += v;
    out += sep;
  };
  add(kSongDocumentVersion);
  add(Field(doc.title));
  add(Field(doc.capo));
  add(Field(doc.key));
  add(Field(doc.song));
  add(doc.centerLine ? QStringLiteral("1") : QStringLiteral("0"));
  for (int v : {doc.spacing, doc.wordSize, doc.chordSize, doc.chordOffset, doc.fretSize, doc.fretOffset, doc.rowHeight})
    add(Str(v));
  add(Field(doc.timing));
  add(Field(doc.tempo));
  return out;
}

QString SavedField(const QString& field) { return Field(field); }

namespace {

// What a save drops or trims away at an end: a NUL, or white space (a 0x0B is white space too).
bool Blank(QChar c) { return c.isNull() || c.isSpace(); }
bool AllBlank(QStringView s) { return std::all_of(s.begin(), s.end(), Blank); }

// The length of the common start of a and b: compared a block at a time, then within the block
// that differs.
qsizetype CommonStart(QStringView a, QStringView b) {
  constexpr qsizetype kBlock = 256;
  const qsizetype n = std::min(a.size(), b.size());
  qsizetype i = 0;
  while (i + kBlock <= n && std::memcmp(a.data() + i, b.data() + i, kBlock * sizeof(QChar)) == 0) i += kBlock;
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

qsizetype CommonEnd(QStringView a, QStringView b) {
  constexpr qsizetype kBlock = 256;
  const qsizetype n = std::min(a.size(), b.size());
  qsizetype i = 0;
  while (i + kBlock <= n &&
         std::memcmp(a.data() + a.size() - i - kBlock, b.data() + b.size() - i - kBlock, kBlock * sizeof(QChar)) == 0)
    i += kBlock;
  while (i < n && a[a.size() - 1 - i] == b[b.size() - 1 - i]) ++i;
  return i;
}

}  // namespace

namespace {

// Whether a = head + x + tail and b = head + y + tail save alike, head and tail being a's first
// and last characters. A save maps each character on its own (a NUL dropped, 0x0B made a blank),
// so the fields differ only in what x and y become, trimmed at an end where all of head (or tail)
// is trimmed away with them. Elsewhere x and y stand between kept characters and are written as
// they are mapped. Compared where they lie, nothing copied.
bool SameBetween(QStringView a, qsizetype head, qsizetype tail, QStringView x, QStringView y) {
  // What a save trims away of a mapped end is, before the mapping, a run of what Blank holds.
  const auto trimStart = [](QStringView s) {
    while (!s.isEmpty() && Blank(s.front())) s = s.sliced(1);
    return s;
  };
  const auto trimEnd = [](QStringView s) {
    while (!s.isEmpty() && Blank(s.back())) s.chop(1);
    return s;
  };
  if (AllBlank(a.first(head))) {
    x = trimStart(x);
    y = trimStart(y);
  }
  if (AllBlank(a.last(tail))) {
    x = trimEnd(x);
    y = trimEnd(y);
  }
  const auto saved = [](QChar c) { return c == QChar(kFieldSeparator) ? QChar(u' ') : c; };
  qsizetype i = 0, j = 0;
  while (true) {
    while (i < x.size() && x[i].isNull()) ++i;
    while (j < y.size() && y[j].isNull()) ++j;
    if (i == x.size() || j == y.size()) return i == x.size() && j == y.size();
    if (saved(x[i++]) != saved(y[j++])) return false;
  }
}

}  // namespace

bool SameWhenSaved(QStringView a, QStringView b) {
  const qsizetype head = CommonStart(a, b);
  const qsizetype tail = CommonEnd(a.sliced(head), b.sliced(head));
  return SameBetween(a, head, tail, a.sliced(head, a.size() - head - tail), b.sliced(head, b.size() - head - tail));
}

bool SameWhenSavedAfterEdit(QStringView a, qsizetype from, qsizetype removed, QStringView added) {
  return SameBetween(a, from, a.size() - from - removed, a.sliced(from, removed), added);
}

SongDocument SavedFields(const SongDocument& doc) {
  SongDocument out = doc;
  for (QString SongDocument::*f : kTextFields) out.*f = Field(out.*f);
  return out;
}

bool SameWhenSaved(const SongDocument& a, const SongDocument& b) {
  // The other fields are written as they are: compared with the texts left out (shared, not copied).
  SongDocument restA = a, restB = b;
  for (QString SongDocument::*f : kTextFields) {
    if (!SameWhenSaved(a.*f, b.*f)) return false;
    restA.*f = restB.*f = QString();
  }
  return restA == restB;
}

QByteArray BuildSongDocument(const SongDocument& doc) { return SongDocumentText(doc).toUtf8(); }

SongDocumentRead ParseSongDocument(QString text) {
  SongDocumentRead r;
  // The pieces are counted and the first fifteen found in place: only the short fields are
  // copied, and the song text is what is left of the text itself once the rest is cut away.
  const QChar sep(kFieldSeparator);
  r.pieces = text.isEmpty() ? 0 : static_cast<int>(std::min<qsizetype>(text.count(sep) + 1, INT_MAX));
  if (r.pieces == 0) {
    r.refusal = QStringLiteral("The file is empty.");
    return r;
  }
  if (r.pieces == 1) {
    r.refusal = QStringLiteral("The file is not a song document: it holds no song fields.");
    return r;
  }
  if (r.pieces < 7 || (r.pieces > 7 && r.pieces < 13)) {
    // Every field ends with the separator, so a trailing empty piece is not a field.
    const int fields = text.endsWith(sep) ? r.pieces - 1 : r.pieces;
    r.refusal = QStringLiteral("The song document is incomplete: it holds %1 of its 15 fields.").arg(fields);
    return r;
  }
  constexpr int kRead = 15;
  qsizetype start[kRead] = {}, end[kRead] = {};
  const int read = std::min(r.pieces, kRead);
  for (int i = 0; i < read; ++i) {
    start[i] = i == 0 ? 0 : end[i - 1] + 1;
    end[i] = text.indexOf(sep, start[i]);
    if (end[i] < 0) end[i] = text.size();
  }
  const auto piece = [&](int i) { return QStringView(text).sliced(start[i], end[i] - start[i]); };
  SongDocument& v = r.values;
  v.title = piece(1).toString();
  v.capo = piece(2).toString();
  v.key = piece(3).toString();
  v.centerLine = Val(piece(5).toString()) == 1;
  v.spacing = Layout(piece(6).toString(), kSpacingRange);
  if (r.pieces >= 13) {
    r.hasLayout = true;
    v.wordSize = Layout(piece(7).toString(), kWordSizeRange);
    v.chordSize = Layout(piece(8).toString(), kChordSizeRange);
    v.chordOffset = Layout(piece(9).toString(), kChordOffsetRange);
    v.fretSize = Layout(piece(10).toString(), kFretSizeRange);
    v.fretOffset = Layout(piece(11).toString(), kFretOffsetRange);
    v.rowHeight = Layout(piece(12).toString(), kRowHeightRange);
  }
  if (r.pieces >= 15) {
    r.hasTiming = true;
    v.timing = piece(13).toString();
    v.tempo = piece(14).toString();
  }
  text.truncate(end[4]);
  text.remove(0, start[4]);
  v.song = std::move(text);
  r.ok = true;
  return r;
}

SongDocumentRead ParseSongDocument(const QByteArray& utf8) { return ParseSongDocument(QString::fromUtf8(utf8)); }

SongDocument ReadOver(SongDocumentRead read, const SongDocument& under) {
  SongDocument doc = std::move(read.values);
  if (!read.hasLayout) {
    for (int SongDocument::*f : {&SongDocument::wordSize, &SongDocument::chordSize, &SongDocument::chordOffset,
                                 &SongDocument::fretSize, &SongDocument::fretOffset, &SongDocument::rowHeight})
      doc.*f = under.*f;
  }
  if (!read.hasTiming) {
    doc.timing = under.timing;
    doc.tempo = under.tempo;
  }
  return doc;
}
