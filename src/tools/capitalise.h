#pragma once
// Letter-case corrections over the whole song text.
#include <QString>

// In every chord marker's text (after a "[", up to the first "]"; the text before the first "["
// counts when it holds a "]") the first character is upper-cased, and so is the whole part
// between the first bass separator and the next one, except a "b" or "B" right after that part's
// note letter, which is the flat sign and is written "b". The separator is "\" when the text
// holds one, else "/"; everything else keeps its letter case.
QString ConvertChordsToCaps(const QString& text);

// The first character of every CR-ended line upper-cased (LF does not end a line here).
QString CapFirstLetterOfLine(const QString& text);
