#pragma once
// Reading the song markup: a page text into lines, a line into words, a chord word into text runs
// and chord groups, and the markers of plain words. Pure data: no measuring, no drawing.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace markup {

inline const QString kColumnMarker = QStringLiteral("-----");
inline const QString kTopColumnMarker = QStringLiteral("----t");

enum class LineKind { Column, TopColumn, Caption, Words };

// The lines of a (trimmed) page text: every LF becomes a CR, then the text is cut at every CR,
// so a CR LF pair ends one line and yields one more, empty, line. An empty text has no lines.
QStringList PageLines(const QString& pageText);
// The same lines one at a time: the line that starts at from ends at the returned position (the
// next CR or LF, or the end of the text); the next line starts one after it, unless it is the end.
qsizetype LineEnd(QStringView pageText, qsizetype from);

// The kind of an untrimmed line, by the first test it meets: equal to "-----" or "----t" (letter
// case ignored), holding "{" anywhere, or else a word line.
LineKind KindOf(QStringView line);

// A caption line without its first "{" and then its first remaining "}".
QString CaptionText(const QString& line);

// A word holding "[" is a chord word.
bool IsChordWord(const QString& word);

// The words of a word line, cut at every single blank (two blanks give an empty word). A chord
// word without any "]" takes the following words of the line, one at a time with one blank
// between, until the joined text holds "]" or the line's last word has been taken.
QStringList LineWords(const QString& line);
// The end of the word of a non-empty line that starts at from (a blank, or the line's end).
qsizetype WordEnd(QStringView line, qsizetype from);

// A chord group's parts: the chord name and, when the name held "!", the fret values after it
// (empty values keep their place).
struct ChordGroup {
  QString name;
  QStringList frets;
};
// group is "[" ... "]" (or "[" ... to the end of the word when unclosed).
ChordGroup ReadChordGroup(const QString& group);

// One piece of a chord word: a text run, or a chord group.
struct ChordPiece {
  bool isChord = false;
  QString text;      // the text run
  ChordGroup chord;  // the chord group
};
// A chord word cut from left to right into text runs and chord groups. A group runs from a "["
// up to and including the next "]", or to the end when none follows; a "[" inside a group
// belongs to it, a "]" outside any group belongs to a text run. Empty runs are left out.
std::vector<ChordPiece> CutChordWord(const QString& word);

// A plain word after its bold and paragraph markers have been read.
struct PlainWord {
  QString text;               // what is drawn
  bool boldBefore = false;    // switch bold before drawing
  bool boldAfter = false;     // switch bold again after drawing
  bool paragraphOn = false;   // a leading "<" turned paragraph mode on
  bool paragraphOff = false;  // a trailing ">" turned it off (read after the "<")
};
// The markers of a plain word: a "*" anywhere switches bold before the word and the first "*"
// goes; when the rest, trimmed, is longer than one character and (untrimmed) ends with "*", the
// first remaining "*" goes too and bold switches back after the word. Then a leading "<" opens
// and a trailing ">" closes paragraph mode, each removed.
PlainWord ReadPlainWord(const QString& word);

// The two states a page carries from line to line, which a line changes whether it is drawn or
// not: bold (switched by plain words' stars, off after a caption or a chord group) and paragraph
// mode (switched by plain words' "<" and ">").
struct LineState {
  bool bold = false;
  bool paragraph = false;
};
// The states a word line (or the words of one from any of them on) leaves, read as drawing them
// would: a chord word ends bold (each of its chord groups is drawn bold and switches bold off after
// it); a plain word switches them by its markers.
LineState ReadWordsState(QStringView line, LineState s);
// Reads the lines of a page text from from (where a line starts) for the states they leave, as
// drawing them would, without measuring or drawing anything, up to the next column marker line,
// or up to a line holding a character outside printable ASCII for which stopAt (when given)
// returns true: returns where that line starts, with the state the lines before it leave, or the
// text's end when no such line follows.
qsizetype ReadStatesToColumn(QStringView pageText, qsizetype from, LineState& state,
                             const std::function<bool(QStringView line)>& stopAt = {});

}  // namespace markup
