#include "sheet/song_document.h"

#include <algorithm>
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

bool SameWhenSaved(QStringView a, QStringView b) {
  // a = head + x + tail and b = head + y + tail. A save maps each character on its own (a NUL
  // dropped, 0x0B made a blank), so the fields differ only in what x and y become, trimmed at an
  // end where all of head (or tail) is trimmed away with them. Elsewhere x and y stand between
  // kept characters and are written as they are mapped.
  const qsizetype head = CommonStart(a, b);
  const qsizetype tail = CommonEnd(a.sliced(head), b.sliced(head));
  const auto mapped = [](QStringView s) {
    QString out;
    for (QChar c : s) {
      if (c.isNull()) continue;
      out += c == QChar(kFieldSeparator) ? QChar(u' ') : c;
    }
    return out;
  };
  QString x = mapped(a.sliced(head, a.size() - head - tail)), y = mapped(b.sliced(head, b.size() - head - tail));
  const bool openStart = AllBlank(a.first(head)), openEnd = AllBlank(a.last(tail));
  if (openStart && openEnd) return x.trimmed() == y.trimmed();
  if (openStart) return LTrim(x) == LTrim(y);
  if (openEnd) return RTrim(x) == RTrim(y);
  return x == y;
}

SongDocument SavedFields(const SongDocument& doc) {
  SongDocument out = doc;
  for (QString* f : {&out.title, &out.capo, &out.key, &out.song, &out.timing, &out.tempo}) *f = Field(*f);
  return out;
}

QByteArray BuildSongDocument(const SongDocument& doc) { return SongDocumentText(doc).toUtf8(); }

SongDocumentRead ParseSongDocument(const QString& text) {
  SongDocumentRead r;
  const QStringList p = Split(text, QString(QChar(kFieldSeparator)));
  r.pieces = static_cast<int>(p.size());
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
    const int fields = p.last().isEmpty() ? r.pieces - 1 : r.pieces;
    r.refusal = QStringLiteral("The song document is incomplete: it holds %1 of its 15 fields.").arg(fields);
    return r;
  }
  SongDocument& v = r.values;
  v.title = p[1];
  v.capo = p[2];
  v.key = p[3];
  v.song = p[4];
  v.centerLine = Val(p[5]) == 1;
  v.spacing = Layout(p[6], kSpacingRange);
  if (r.pieces >= 13) {
    r.hasLayout = true;
    v.wordSize = Layout(p[7], kWordSizeRange);
    v.chordSize = Layout(p[8], kChordSizeRange);
    v.chordOffset = Layout(p[9], kChordOffsetRange);
    v.fretSize = Layout(p[10], kFretSizeRange);
    v.fretOffset = Layout(p[11], kFretOffsetRange);
    v.rowHeight = Layout(p[12], kRowHeightRange);
  }
  if (r.pieces >= 15) {
    r.hasTiming = true;
    v.timing = p[13];
    v.tempo = p[14];
  }
  r.ok = true;
  return r;
}

SongDocumentRead ParseSongDocument(const QByteArray& utf8) { return ParseSongDocument(QString::fromUtf8(utf8)); }
