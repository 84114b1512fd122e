#pragma once
// The sung words of a line of song markup, for the spell checker: chord groups "[...]" are not
// words, and a word with a chord inside ("re[D]lieved") is the word without it. An unclosed "["
// ends the lyric of its line. Markers ("{", "*", "<p>" ...) are not letters, so they part words
// like any other sign. Pure data: no dictionary, no document.
#include <QChar>
#include <QList>
#include <QString>
#include <QStringView>
#include <functional>

namespace lyrics {

// A word is a run of word characters (letters, combining marks, the digits 0-9), then any number
// of apostrophes (' or U+2019) each followed by a run of letters and marks: "don't", "o'er".
bool IsWordCharacter(char32_t c);
bool IsApostrophe(char32_t c);

// A character that never belongs to a word and is neither a bracket nor half of a surrogate pair:
// where it stands read as lyric, how the text before it reads cannot change how the text after it
// splits into words. A re-check of one edit needs to look no further than such a character.
bool IsWordBoundary(QChar c);

// Whether the character after c is read as lyric (true) or inside a chord or an unclosed "["
// (false), given how c was read. After a "]" the reading is lyric again whatever came before.
inline bool LyricAfter(bool lyric, QChar c) { return lyric ? c != u'[' : c == u']'; }

struct Word {
  QString text;    // as sung: without the chords inside it
  int start = 0;   // where it begins in the line, 0-based
  int length = 0;  // up to and including its last character, chords inside it counted
  bool operator==(const Word&) const = default;
};

// Calls found for each word of one line, in order: the word as sung, where it begins and its length.
using FoundWord = std::function<void(const QString& word, int start, int length)>;
void ForEachWord(QStringView line, const FoundWord& found);
// The same words as a list.
QList<Word> LineWords(QStringView line);

// Whether a word holds a digit ("x2", "3rd"): such words are not spelling.
bool HasDigit(QStringView word);

}  // namespace lyrics
