#pragma once
// Chord detection: turns chord names typed as words of their own into chord markers.
#include <QString>

#include "tools/word_list.h"

// The song text with every word that is a chord name wrapped as "[" word "]", and every word made
// of two to six chord names written together (and not in the word list) turned into one marker per
// name; LF line ends become CR first. Words are the pieces between blanks, so a line end does not
// separate them. The lower-case words "a", "am" and "be" are never single chord names, and a word
// that already holds "*" (bold) is never read as a run of names. Afterwards runs of blanks are
// shortened, a marker stands directly before the word it was followed by, and two markers that
// meet are one blank apart.
QString AutoDetectChords(const QString& text, const WordList& words);

// One word's result before the blanks are tidied up: the word itself when it stays unchanged.
QString DetectChordsInWord(const QString& word, const WordList& words);
