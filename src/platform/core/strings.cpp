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

namespace {

// Reads the number a text starts with (after white space), as Val takes it, into the plain form
// that std::from_chars reads: a sign, digits with at most one ".", and an exponent only where it
// has a digit (else the number ends before the "e").
class LeadingNumber {
 public:
  explicit LeadingNumber(const QString& s) : s_(s) {}

  // The number's text ("-12.5e3"); "" when the text starts with none.
  std::string Read() {
    while (i_ < s_.size() && s_.at(i_).isSpace()) ++i_;
    if (At(i_, u'-')) out_ += '-';
    if (At(i_, u'-') || At(i_, u'+')) ++i_;
    bool any = Digits(out_, i_);
    if (At(i_, u'.')) {
      out_ += '.';
      ++i_;
      any = Digits(out_, i_) || any;
    }
    if (!any) return {};
    Exponent();
    return out_;
  }

 private:
  bool At(qsizetype k, char16_t c) const { return k < s_.size() && s_.at(k) == c; }
  bool IsDigit(qsizetype k) const { return k < s_.size() && s_.at(k) >= u'0' && s_.at(k) <= u'9'; }

  // Appends the digits from k on to to; whether there was one.
  bool Digits(std::string& to, qsizetype& k) const {
    const qsizetype from = k;
    for (; IsDigit(k); ++k) to += char(s_.at(k).unicode());
    return k > from;
  }

  void Exponent() {
    if (!At(i_, u'e') && !At(i_, u'E')) return;
    qsizetype k = i_ + 1;
    std::string exponent = "e";
    if (At(k, u'+') || At(k, u'-')) exponent += char(s_.at(k++).unicode());
    if (Digits(exponent, k)) out_ += exponent;
  }

  const QString& s_;
  qsizetype i_ = 0;
  std::string out_;
};

// A number too large for a double saturates; one too small is zero. The exponent's sign tells
// which.
double OutOfRange(const std::string& number) {
  const auto e = number.find('e');
  if (e != std::string::npos && e + 1 < number.size() && number[e + 1] == '-') return 0.0;
  const double big = std::numeric_limits<double>::max();
  return number.front() == '-' ? -big : big;
}

}  // namespace

double Val(const QString& s) {
  const std::string number = LeadingNumber(s).Read();
  if (number.empty()) return 0.0;
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) return OutOfRange(number);
  return ec == std::errc() ? value : 0.0;
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
