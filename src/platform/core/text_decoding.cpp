#include "platform/core/text_decoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <utility>

namespace {

const char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar Windows1252Char(unsigned char b) {
  return QChar(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t(b));
}

// The length of the valid UTF-8 sequence at p (n bytes left) and its code point, or 0.
int Utf8Sequence(const unsigned char* p, qsizetype n, char32_t& cp) {
  const unsigned char b = p[0];
  int len;
  char32_t min;
  if (b >= 0xC2 && b <= 0xDF) {
    len = 2, min = 0x80, cp = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    len = 3, min = 0x800, cp = b & 0x0F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    len = 4, min = 0x10000, cp = b & 0x07;
  } else {
    return 0;
  }
  if (n < len) return 0;
  for (int i = 1; i < len; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

bool StartsWith(const QByteArray& bytes, const char* mark, qsizetype n) {
  return bytes.size() >= n && std::equal(mark, mark + n, bytes.constData());
}

// Appends the text of bytes: UTF-8 where valid, every other byte as its Windows-1252 character.
void AppendUtf8OrWindows1252(QByteArrayView bytes, QString& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype n = bytes.size();
  qsizetype i = 0;
  while (i < n) {
    // Runs of plain ASCII go in at once.
    qsizetype j = i;
    while (j < n && p[j] < 0x80) ++j;
    if (j > i) {
      out.append(QLatin1String(reinterpret_cast<const char*>(p + i), j - i));
      i = j;
      if (i == n) break;
    }
    char32_t cp = 0;
    const int len = Utf8Sequence(p + i, n - i, cp);
    if (len == 0) {
      out.append(Windows1252Char(p[i]));
      ++i;
    } else {
      // Built from the code point itself: a conversion from UTF-32 would drop a U+FEFF as a mark.
      if (QChar::requiresSurrogates(cp)) {
        out.append(QChar(QChar::highSurrogate(cp)));
        out.append(QChar(QChar::lowSurrogate(cp)));
      } else {
        out.append(QChar(char16_t(cp)));
      }
      i += len;
    }
  }
}

// How many of the bytes can be decoded before more arrive: all but a UTF-8 sequence begun in the
// last three bytes that they do not complete. A lead byte is never inside another sequence, so
// the decoding goes on from it exactly as it would have in the joined bytes.
qsizetype Utf8DecodableLength(QByteArrayView bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype n = bytes.size();
  for (qsizetype i = n - 1; i >= 0 && i >= n - 3; --i) {
    const unsigned char b = p[i];
    const int len = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (len == 0) continue;
    return len > n - i ? i : n;
  }
  return n;
}

}  // namespace

QString DecodeUtf8OrWindows1252(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  AppendUtf8OrWindows1252(bytes, out);
  return out;
}

std::optional<QString> DecodeText(const QByteArray& bytes, TextKind kind) {
  TextDecoder decoder(kind);
  decoder.Feed(bytes);
  return decoder.Finish();
}

void TextDecoder::Decide(bool atEnd) {
  // Four bytes tell every mark apart; UTF-32 marks first, as the little-endian one begins with
  // the UTF-16 one.
  if (!atEnd && held_.size() < 4) return;
  struct Mark {
    const char* bytes;
    qsizetype size;
    Mode mode;
  };
  static const Mark wide[] = {{"\xFF\xFE\x00\x00", 4, Mode::Utf32LE},
                              {"\x00\x00\xFE\xFF", 4, Mode::Utf32BE},
                              {"\xFF\xFE", 2, Mode::Utf16LE},
                              {"\xFE\xFF", 2, Mode::Utf16BE}};
  for (const Mark& m : wide) {
    if (!StartsWith(held_, m.bytes, m.size)) continue;
    if (kind_ == TextKind::SongDocument) {
      refused_ = true;
      return;
    }
    mode_ = m.mode;
    held_.remove(0, m.size);
    return;
  }
  mode_ = Mode::Utf8;
  if (StartsWith(held_, "\xEF\xBB\xBF", 3)) held_.remove(0, 3);
}

qsizetype TextDecoder::Decode(QByteArrayView bytes, bool atEnd) {
  const qsizetype from = text_.size();
  qsizetype length = bytes.size();
  if (mode_ == Mode::Utf8) {
    if (!atEnd) length = Utf8DecodableLength(bytes);
    AppendUtf8OrWindows1252(bytes.first(length), text_);
  } else {
    if (!atEnd) length = WholeUnits(bytes);
    AppendWide(bytes.first(length));
  }
  if (QStringView(text_).sliced(from).contains(QChar(u'\0'))) refused_ = true;
  return length;
}

qsizetype TextDecoder::WholeUnits(QByteArrayView bytes) const {
  // Whole code units only, and the last of them left for later: Qt's decoder marks a cut unit at
  // the very end with U+FFFD only when a whole unit comes before it in the same call. Nor is a
  // surrogate pair ever cut.
  const bool utf16 = mode_ == Mode::Utf16LE || mode_ == Mode::Utf16BE;
  const qsizetype unit = utf16 ? 2 : 4;
  qsizetype length = std::max<qsizetype>(0, bytes.size() - bytes.size() % unit - unit);
  if (utf16 && length >= 2) {
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.data()) + length - 2;
    const char16_t last = mode_ == Mode::Utf16LE ? char16_t(u[0] | u[1] << 8) : char16_t(u[0] << 8 | u[1]);
    if (QChar::isHighSurrogate(last)) length -= 2;
  }
  return length;
}

void TextDecoder::AppendWide(QByteArrayView bytes) {
  const QStringConverter::Encoding encoding = mode_ == Mode::Utf16LE   ? QStringConverter::Utf16LE
                                              : mode_ == Mode::Utf16BE ? QStringConverter::Utf16BE
                                              : mode_ == Mode::Utf32LE ? QStringConverter::Utf32LE
                                                                       : QStringConverter::Utf32BE;
  // The mark itself is already skipped: a U+FEFF after it is text.
  QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  text_.append(decoder.decode(bytes));
}

bool TextDecoder::Feed(QByteArrayView piece) {
  if (refused_) return false;
  if (held_.isEmpty() && mode_ != Mode::Undecided) {
    // The usual case: nothing is left over from the piece before, so the piece is decoded where
    // it lies and only its cut end is kept.
    held_ = piece.sliced(Decode(piece, false)).toByteArray();
  } else {
    held_.append(piece);
    if (mode_ == Mode::Undecided) Decide(false);
    if (!refused_ && mode_ != Mode::Undecided) held_.remove(0, Decode(held_, false));
  }
  if (refused_) Drop();
  return !refused_;
}

std::optional<QString> TextDecoder::Finish() {
  if (!refused_ && mode_ == Mode::Undecided) Decide(true);
  if (!refused_) Decode(held_, true);
  std::optional<QString> text;
  if (!refused_) text = std::move(text_);
  Drop();
  return text;
}

void TextDecoder::Drop() {
  text_ = QString();
  held_ = QByteArray();
}

QString WithoutRefusedCharacters(QString text) {
  // Looked for as one character (the quick search), as the NUL is the only one refused.
  if (text.contains(QChar(u'\0'))) text.removeIf(IsRefusedInText);
  return text;
}

bool IsValidUtf8(const QByteArray& bytes) {
  QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString s = dec.decode(bytes);
  (void)s;
  return !dec.hasError();
}

QString DecodeWindows1252(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  for (char c : bytes) out += Windows1252Char(static_cast<unsigned char>(c));
  return out;
}
