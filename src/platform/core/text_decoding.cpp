#include "platform/core/text_decoding.h"

#include <QStringDecoder>

namespace {

const char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar Windows1252Char(unsigned char b) { return QChar(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t(b)); }

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

QString DecodeWide(const QByteArray& bytes, QStringConverter::Encoding encoding, qsizetype bom) {
  // The mark itself is already skipped: a U+FEFF after it is text.
  QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  return decoder.decode(QByteArrayView(bytes).sliced(bom));
}

}  // namespace

QString DecodeUtf8OrWindows1252(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
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
  return out;
}

std::optional<QString> DecodeText(const QByteArray& bytes, TextKind kind) {
  // UTF-32 marks first: the UTF-32 little-endian mark begins with the UTF-16 one.
  struct Mark {
    const char* bytes;
    qsizetype size;
    QStringConverter::Encoding encoding;
  };
  static const Mark wide[] = {{"\xFF\xFE\x00\x00", 4, QStringConverter::Utf32LE},
                              {"\x00\x00\xFE\xFF", 4, QStringConverter::Utf32BE},
                              {"\xFF\xFE", 2, QStringConverter::Utf16LE},
                              {"\xFE\xFF", 2, QStringConverter::Utf16BE}};
  QString text;
  bool decoded = false;
  for (const Mark& m : wide) {
    if (!StartsWith(bytes, m.bytes, m.size)) continue;
    if (kind == TextKind::SongDocument) return std::nullopt;
    text = DecodeWide(bytes, m.encoding, m.size);
    decoded = true;
    break;
  }
  if (!decoded) {
    const qsizetype bom = StartsWith(bytes, "\xEF\xBB\xBF", 3) ? 3 : 0;
    text = DecodeUtf8OrWindows1252(bom ? bytes.sliced(bom) : bytes);
  }
  if (text.contains(QChar(u'\0'))) return std::nullopt;
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
