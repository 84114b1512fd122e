#include "platform/core/strings.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

int find(int start, const QString& source, const QString& what, Qt::CaseSensitivity cs) {
  if (what.isEmpty()) return 0;
  qsizetype from = start <= 1 ? 0 : start - 1;
  if (from >= source.size()) return 0;
  qsizetype at = source.indexOf(what, from, cs);
  return at < 0 ? 0 : static_cast<int>(at + 1);
}

QString replaceFirst(const QString& s, const QString& what, const QString& with, Qt::CaseSensitivity cs) {
  if (what.isEmpty()) return s;
  qsizetype at = s.indexOf(what, 0, cs);
  if (at < 0) return s;
  QString out = s;
  out.replace(at, what.size(), with);
  return out;
}

QString replaceEvery(const QString& s, const QString& what, const QString& with, Qt::CaseSensitivity cs) {
  if (what.isEmpty()) return s;
  QString out;
  qsizetype from = 0;
  for (;;) {
    qsizetype at = s.indexOf(what, from, cs);
    if (at < 0) break;
    out += QStringView(s).mid(from, at - from);
    out += with;
    from = at + what.size();
  }
  if (from == 0) return s;
  out += QStringView(s).mid(from);
  return out;
}

}  // namespace

int InStr(const QString& source, const QString& find_) { return find(0, source, find_, Qt::CaseInsensitive); }
int InStr(int start, const QString& source, const QString& find_) {
  return find(start, source, find_, Qt::CaseInsensitive);
}
int InStrB(const QString& source, const QString& find_) { return find(0, source, find_, Qt::CaseSensitive); }
int InStrB(int start, const QString& source, const QString& find_) {
  return find(start, source, find_, Qt::CaseSensitive);
}

int Len(const QString& s) { return static_cast<int>(s.size()); }

QString Left(const QString& s, int n) { return n <= 0 ? QString() : s.left(n); }
QString Right(const QString& s, int n) { return n <= 0 ? QString() : s.right(n); }

QString Mid(const QString& s, int start) {
  if (start < 1 || start > s.size()) return QString();
  return s.mid(start - 1);
}

QString Mid(const QString& s, int start, int count) {
  if (start < 1 || start > s.size() || count <= 0) return QString();
  return s.mid(start - 1, count);
}

QString Replace(const QString& s, const QString& f, const QString& w) {
  return replaceFirst(s, f, w, Qt::CaseInsensitive);
}
QString ReplaceAll(const QString& s, const QString& f, const QString& w) {
  return replaceEvery(s, f, w, Qt::CaseInsensitive);
}
QString ReplaceB(const QString& s, const QString& f, const QString& w) {
  return replaceFirst(s, f, w, Qt::CaseSensitive);
}
QString ReplaceAllB(const QString& s, const QString& f, const QString& w) {
  return replaceEvery(s, f, w, Qt::CaseSensitive);
}

QStringList Split(const QString& s, const QString& delimiter) {
  if (s.isEmpty()) return {};
  if (delimiter.isEmpty()) return {s};
  return s.split(delimiter, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

QString Join(const QStringList& pieces, const QString& delimiter) { return pieces.join(delimiter); }

QString Trim(const QString& s) { return s.trimmed(); }

QString LTrim(const QString& s) {
  qsizetype i = 0;
  while (i < s.size() && s.at(i).isSpace()) ++i;
  return s.mid(i);
}

QString RTrim(const QString& s) {
  qsizetype n = s.size();
  while (n > 0 && s.at(n - 1).isSpace()) --n;
  return s.left(n);
}

QString Uppercase(const QString& s) { return s.toUpper(); }
QString Lowercase(const QString& s) { return s.toLower(); }

QString Str(std::int64_t n) { return QString::number(n); }

QString Str(double d) {
  if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 1e15)
    return QString::number(static_cast<std::int64_t>(d));
  return QString::number(d, 'g', 15);
}

double Val(const QString& s) {
  qsizetype i = 0;
  const qsizetype n = s.size();
  while (i < n && s.at(i).isSpace()) ++i;
  std::string num;
  auto digit = [&](qsizetype k) { return k < n && s.at(k) >= u'0' && s.at(k) <= u'9'; };
  if (i < n && (s.at(i) == u'+' || s.at(i) == u'-')) {
    if (s.at(i) == u'-') num += '-';
    ++i;
  }
  bool any = false;
  while (digit(i)) {
    num += char(s.at(i).unicode());
    ++i;
    any = true;
  }
  if (i < n && s.at(i) == u'.') {
    num += '.';
    ++i;
    while (digit(i)) {
      num += char(s.at(i).unicode());
      ++i;
      any = true;
    }
  }
  if (!any) return 0.0;
  if (i < n && (s.at(i) == u'e' || s.at(i) == u'E')) {
    qsizetype k = i + 1;
    std::string exp = "e";
    if (k < n && (s.at(k) == u'+' || s.at(k) == u'-')) {
      exp += char(s.at(k).unicode());
      ++k;
    }
    if (digit(k)) {
      while (digit(k)) {
        exp += char(s.at(k).unicode());
        ++k;
      }
      num += exp;
    }
  }
  double value = 0.0;
  auto [ptr, ec] = std::from_chars(num.data(), num.data() + num.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Either too large (saturate) or too small (zero); tell them apart by the exponent's sign.
    const auto e = num.find('e');
    const bool tiny = e != std::string::npos && e + 1 < num.size() && num[e + 1] == '-';
    if (tiny) return 0.0;
    const double big = std::numeric_limits<double>::max();
    return num.front() == '-' ? -big : big;
  }
  if (ec != std::errc()) return 0.0;
  return value;
}

int ValToInt(const QString& s, int lo, int hi) {
  double v = std::trunc(Val(s));
  if (v < lo) return lo;
  if (v > hi) return hi;
  return static_cast<int>(v);
}

QString Chr(int code) {
  if (code < 0 || code > 0x10FFFF) return QString();
  // Built by hand: Qt's UTF-32 conversion would take a lone U+FEFF for a byte-order mark and drop it.
  const char32_t c = static_cast<char32_t>(code);
  if (!QChar::requiresSurrogates(c)) return QString(QChar(static_cast<char16_t>(c)));
  const QChar pair[2] = {QChar(QChar::highSurrogate(c)), QChar(QChar::lowSurrogate(c))};
  return QString(pair, 2);
}

int StrComp(const QString& a, const QString& b) {
  int c = QString::compare(a, b, Qt::CaseSensitive);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool EqualsCI(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

QString EndOfLine() { return QStringLiteral("\n"); }
