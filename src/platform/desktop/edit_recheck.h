#pragma once
// The spell check of one edit inside a long line (a song made one line): only the words the edit
// can have changed are read again. The re-check starts after the last word boundary before the
// edit and stops at the first one after it where the reading of the rest of the line cannot have
// changed; the underlines before that stretch stay and those after it move with the text.
#include <QString>
#include <functional>
#include <optional>

#include "platform/desktop/bracket_index.h"
#include "platform/desktop/underlines.h"
#include "platform/desktop/word_reading.h"

using MisspeltWords = std::function<Underlines(const QString& text)>;

// The text from at to at + removed of a line was replaced by added characters; the line is now
// length characters long, read gives its new text and reading tells where its words part. index
// holds the line's brackets before the edit and is brought up to date; before are the underlines
// of the line before the edit. Gives the line's underlines after the edit, or nothing when the
// line must be checked whole (then index is of no further use).
std::optional<Underlines> RecheckEdit(BracketIndex& index, const Underlines& before, int length, int at, int removed,
                                      int added, const BracketIndex::Reader& read, const WordReading& reading,
                                      const MisspeltWords& misspelt);
