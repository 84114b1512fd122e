#pragma once
// How the song text reads for its spell checker: the sung words, chords left out.
#include "platform/desktop/word_reading.h"
#include "sheet/lyric_words.h"

inline WordReading SongWordReading() {
  return {&lyrics::ForEachWord, &lyrics::IsWordBoundary, &lyrics::LyricAfter, &lyrics::HasDigit};
}
