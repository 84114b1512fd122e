#pragma once
// String functions with the semantics the song code is written against: positions are 1-based
// characters and 0 means "not found"; InStr, Replace, ReplaceAll and EqualsCI ignore letter case,
// InStrB, ReplaceB, ReplaceAllB and StrComp compare exactly. Every function gives a defined result
// for any input (empty search texts, negative counts, positions past the end).
#include <QString>
#include <QStringList>
#include <cstdint>

using String = QString;

// Position of the first occurrence of find in source at or after start (1-based; 0 or less means
// from the beginning), ignoring letter case. 0 when not found or when find is empty.
int InStr(const QString& source, const QString& find);
int InStr(int start, const QString& source, const QString& find);
// The same, comparing exactly.
int InStrB(const QString& source, const QString& find);
int InStrB(int start, const QString& source, const QString& find);

int Len(const QString& s);
QString Left(const QString& s, int n);   // n <= 0 gives ""
QString Right(const QString& s, int n);  // n <= 0 gives ""
// From the 1-based start to the end, or count characters from it. A start below 1 or past the
// end, or a negative count, gives "".
QString Mid(const QString& s, int start);
QString Mid(const QString& s, int start, int count);

// First occurrence only / every occurrence in one left-to-right pass that never rescans what it
// inserted. An empty search text changes nothing. Case ignored; the B forms compare exactly.
QString Replace(const QString& s, const QString& find, const QString& with);
QString ReplaceAll(const QString& s, const QString& find, const QString& with);
QString ReplaceB(const QString& s, const QString& find, const QString& with);
QString ReplaceAllB(const QString& s, const QString& find, const QString& with);

// Pieces between occurrences of the delimiter (exact), empty pieces kept. An empty text has no
// pieces; an empty delimiter gives the whole text as one piece.
QStringList Split(const QString& s, const QString& delimiter);
QString Join(const QStringList& pieces, const QString& delimiter);

QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);
QString Uppercase(const QString& s);
QString Lowercase(const QString& s);

QString Str(std::int64_t n);
inline QString Str(int n) { return Str(static_cast<std::int64_t>(n)); }
QString Str(double d);

// The leading number of the text (after leading white space): sign, digits, one ".", exponent.
// Independent of the locale; 0 where there is none. Too large a magnitude saturates to the
// largest finite double.
double Val(const QString& s);
// Val cut toward zero to a whole number, saturated to [lo, hi].
int ValToInt(const QString& s, int lo, int hi);

// The character with that code point (any of 0 to 0x10FFFF, a lone surrogate too), else "".
QString Chr(int code);
// Exact comparison: -1, 0 or 1.
int StrComp(const QString& a, const QString& b);
bool EqualsCI(const QString& a, const QString& b);

// The platform's line ending ("\n" here).
QString EndOfLine();
