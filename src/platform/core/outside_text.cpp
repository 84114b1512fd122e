#include "platform/core/outside_text.h"

#include <QList>
#include <algorithm>

namespace {
constexpr char16_t kFirstStrongIsolate = 0x2068;
constexpr char16_t kPopDirectionalIsolate = 0x2069;
const QChar kEllipsis(0x2026);

bool IsBidiControl(char16_t c) {
  return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool IsControl(QChar c) { return c.category() == QChar::Other_Control; }

QString Escaped(QChar character) {
  QString out;
  for (const char byte : QString(character).toUtf8())
    out += QStringLiteral("\\x") +
           QString::number(static_cast<unsigned char>(byte), 16).rightJustified(2, QLatin1Char('0')).toUpper();
  return out;
}

// The number of code units of the first n characters of text, never ending between the two
// halves of a character outside the basic plane.
qsizetype UnitsOfCharacters(QStringView text, qsizetype n) {
  qsizetype units = 0;
  for (qsizetype characters = 0; characters < n && units < text.size(); ++characters)
    units += text[units].isHighSurrogate() && units + 1 < text.size() && text[units + 1].isLowSurrogate() ? 2 : 1;
  return units;
}
}  // namespace

QString ReadableName(const QByteArray& bytes) {
  QString out;
  for (qsizetype i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const qsizetype length = b < 0x80             ? 1
                             : (b & 0xE0) == 0xC0 ? 2
                             : (b & 0xF0) == 0xE0 ? 3
                             : (b & 0xF8) == 0xF0 ? 4
                                                  : 0;
    if (length == 1 && b >= 0x20 && b != 0x7F) {
      out += QLatin1Char(char(b));
      ++i;
      continue;
    }
    if (length > 1 && i + length <= bytes.size()) {
      // A sequence is taken whole only when it reads back as the same bytes: no overlong forms,
      // no surrogates, nothing cut short; a control character among them (C1) is escaped.
      const QByteArray sequence = bytes.mid(i, length);
      const QString character = QString::fromUtf8(sequence);
      if (character.toUtf8() == sequence && !IsControl(character[0])) {
        out += character;
        i += length;
        continue;
      }
    }
    out += QStringLiteral("\\x") + QString::number(b, 16).rightJustified(2, QLatin1Char('0')).toUpper();
    ++i;
  }
  return out;
}

QString ShownText(const QString& text) {
  QString out;
  out.reserve(text.size());
  bool bidi = false;
  int openIsolates = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (IsControl(c)) {
      out += Escaped(c);
      continue;
    }
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      out += c;
      out += text[++i];
      continue;
    }
    if (IsBidiControl(c.unicode())) {
      bidi = true;
      if (c.unicode() >= 0x2066 && c.unicode() <= 0x2068) {
        ++openIsolates;
      } else if (c.unicode() == kPopDirectionalIsolate) {
        // One without its own opening would close the isolate around the whole text.
        if (openIsolates == 0) {
          out += Escaped(c);
          continue;
        }
        --openIsolates;
      }
    }
    out += c;
  }
  if (!bidi) return out;
  return QChar(kFirstStrongIsolate) + out + QChar(kPopDirectionalIsolate);
}

QString MiddleShortened(const QString& text, qsizetype maxCharacters) {
  maxCharacters = std::max<qsizetype>(maxCharacters, 3);
  if (text.size() <= maxCharacters) return text;
  const qsizetype characters = text.toUcs4().size();
  if (characters <= maxCharacters) return text;
  const qsizetype kept = maxCharacters - 1;
  const qsizetype head = UnitsOfCharacters(text, kept - kept / 2);
  // The end is counted from the back: the characters after the first (characters - kept / 2).
  const qsizetype tailStart = UnitsOfCharacters(text, characters - kept / 2);
  return text.left(head) + kEllipsis + text.mid(tailStart);
}

QString WithoutControls(const QString& text) {
  QString out = text;
  for (QChar& c : out)
    if (IsControl(c) || IsBidiControl(c.unicode())) c = QLatin1Char(' ');
  return out;
}

QString Utf8Prefix(const QString& text, qsizetype maxBytes) {
  qsizetype bytes = 0;
  qsizetype i = 0;
  while (i < text.size()) {
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    const char16_t u = text[i].unicode();
    const qsizetype size = pair ? 4 : u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
    if (bytes + size > maxBytes) break;
    bytes += size;
    i += pair ? 2 : 1;
  }
  return text.left(i);
}
