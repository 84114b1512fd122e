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

bool IsIsolateOpener(char16_t c) { return c >= 0x2066 && c <= kFirstStrongIsolate; }

// A control character (C0, DEL, C1) or a line or paragraph separator: each breaks the line or
// does something in a terminal.
bool BreaksOrControls(QChar c) {
  const QChar::Category category = c.category();
  return category == QChar::Other_Control || category == QChar::Separator_Line ||
         category == QChar::Separator_Paragraph;
}

// Format characters that show nothing and neither join nor shape the letters around them: the
// soft hyphen, the zero-width space, the word joiner and the invisible operators, the deprecated
// format characters, the byte-order mark, the interlinear annotation marks, the musical beam,
// tie, slur and phrase marks and the language tag. Zero-width joiners and non-joiners, emoji tags
// and the marks that show themselves are not among them.
bool IsInvisibleFormat(char32_t u) {
  return u == 0x00AD || u == 0x200B || (u >= 0x2060 && u <= 0x2064) || (u >= 0x206A && u <= 0x206F) || u == 0xFEFF ||
         (u >= 0xFFF9 && u <= 0xFFFB) || (u >= 0x1D173 && u <= 0x1D17A) || u == 0xE0001;
}

bool IsPairAt(QStringView text, qsizetype i) {
  return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
}

QString HexByte(unsigned char byte) {
  return QStringLiteral("\\x") + QString::number(byte, 16).rightJustified(2, QLatin1Char('0')).toUpper();
}

// A character of the basic plane as the bytes of its UTF-8 form; a surrogate without its partner,
// which has none, as the three bytes it would take (those a file name holding it has).
QString Escaped(char16_t u) {
  if (u < 0x80) return HexByte(static_cast<unsigned char>(u));
  if (u < 0x800) return HexByte(0xC0 | (u >> 6)) + HexByte(0x80 | (u & 0x3F));
  return HexByte(0xE0 | (u >> 12)) + HexByte(0x80 | ((u >> 6) & 0x3F)) + HexByte(0x80 | (u & 0x3F));
}

// The number of code units of the first n characters of text, never ending between the two
// halves of a character outside the basic plane.
qsizetype UnitsOfCharacters(QStringView text, qsizetype n) {
  qsizetype units = 0;
  for (qsizetype characters = 0; characters < n && units < text.size(); ++characters)
    units += IsPairAt(text, units) ? 2 : 1;
  return units;
}

// The isolates a piece of text leaves open at its end, and those it closes without opening them.
struct IsolateBalance {
  qsizetype open = 0;
  qsizetype unopened = 0;
};

IsolateBalance BalanceOf(QStringView piece) {
  IsolateBalance balance;
  for (const QChar c : piece) {
    if (IsIsolateOpener(c.unicode())) {
      ++balance.open;
    } else if (c.unicode() == kPopDirectionalIsolate) {
      if (balance.open > 0)
        --balance.open;
      else
        ++balance.unopened;
    }
  }
  return balance;
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
      if (character.toUtf8() == sequence && character[0].category() != QChar::Other_Control) {
        out += character;
        i += length;
        continue;
      }
    }
    out += HexByte(b);
    ++i;
  }
  return out;
}

QString ShownText(const QString& text) {
  QString out;
  out.reserve(text.size());
  bool bidi = false;
  qsizetype openIsolates = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (IsPairAt(text, i)) {
      out += c;
      out += text[++i];
      continue;
    }
    if (BreaksOrControls(c) || c.isSurrogate()) {
      out += Escaped(c.unicode());
      continue;
    }
    if (IsBidiControl(c.unicode())) {
      bidi = true;
      if (IsIsolateOpener(c.unicode())) {
        ++openIsolates;
      } else if (c.unicode() == kPopDirectionalIsolate) {
        // One without its own opening would close the isolate around the whole text.
        if (openIsolates == 0) {
          out += Escaped(c.unicode());
          continue;
        }
        --openIsolates;
      }
    }
    out += c;
  }
  if (!bidi) return out;
  // Those the text leaves open are closed first, so that the last mark closes the whole.
  return QChar(kFirstStrongIsolate) + out + QString(openIsolates + 1, QChar(kPopDirectionalIsolate));
}

QString MiddleShortened(const QString& text, qsizetype maxCharacters) {
  maxCharacters = std::max<qsizetype>(maxCharacters, 3);
  if (text.size() <= maxCharacters) return text;
  const qsizetype characters = text.toUcs4().size();
  if (characters <= maxCharacters) return text;
  const qsizetype kept = maxCharacters - 1;
  const QStringView head = QStringView(text).left(UnitsOfCharacters(text, kept - kept / 2));
  // The end is counted from the back: the characters after the first (characters - kept / 2).
  const QStringView tail = QStringView(text).mid(UnitsOfCharacters(text, characters - kept / 2));
  // An isolate cut apart ends before the "…" and starts again after it.
  QString out = head.toString();
  out += QString(BalanceOf(head).open, QChar(kPopDirectionalIsolate));
  out += kEllipsis;
  out += QString(BalanceOf(tail).unopened, QChar(kFirstStrongIsolate));
  out += tail;
  return out;
}

QString WithoutControls(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (IsPairAt(text, i)) {
      if (!IsInvisibleFormat(QChar::surrogateToUcs4(c, text[i + 1]))) out += QStringView(text).mid(i, 2);
      ++i;
    } else if (!IsInvisibleFormat(c.unicode())) {
      out += BreaksOrControls(c) || IsBidiControl(c.unicode()) || c.isSurrogate() ? QChar(QLatin1Char(' ')) : c;
    }
  }
  return out;
}

QString Utf8Prefix(const QString& text, qsizetype maxBytes) {
  qsizetype bytes = 0;
  qsizetype i = 0;
  while (i < text.size()) {
    const bool pair = IsPairAt(text, i);
    const char16_t u = text[i].unicode();
    const qsizetype size = pair ? 4 : u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
    if (bytes + size > maxBytes) break;
    bytes += size;
    i += pair ? 2 : 1;
  }
  return text.left(i);
}
