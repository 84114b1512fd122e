// The song document reader: any bytes are read or refused, and what is read writes back to a
// document that reads the same values again.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "sheet/song_document.h"
#include "stored_field.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const SongDocumentRead r = ParseSongDocument(bytes);
  FUZZ_CHECK(r.ok != !r.refusal.isEmpty());
  if (!r.ok) return 0;
  FUZZ_CHECK(r.pieces == 7 || r.pieces >= 13);
  FUZZ_CHECK(r.hasLayout == (r.pieces >= 13) && r.hasTiming == (r.pieces >= 15));

  const SongDocument& v = r.values;
  for (const auto& [value, range] : {std::pair{v.spacing, kSpacingRange},
                                     {v.wordSize, kWordSizeRange},
                                     {v.chordSize, kChordSizeRange},
                                     {v.chordOffset, kChordOffsetRange},
                                     {v.fretSize, kFretSizeRange},
                                     {v.fretOffset, kFretOffsetRange},
                                     {v.rowHeight, kRowHeightRange}})
    FUZZ_CHECK(value >= range.lo && value <= range.hi);

  // Written back, the fields come out as a document stores them and the layout values as they were.
  const SongDocumentRead again = ParseSongDocument(BuildSongDocument(v));
  FUZZ_CHECK(again.ok && again.pieces == 16 && again.hasTiming);
  const SongDocument& w = again.values;
  FUZZ_CHECK(w.title == StoredField(v.title) && w.capo == StoredField(v.capo) && w.key == StoredField(v.key));
  FUZZ_CHECK(w.song == StoredField(v.song) && w.timing == StoredField(v.timing) && w.tempo == StoredField(v.tempo));
  FUZZ_CHECK(w.centerLine == v.centerLine && w.spacing == v.spacing && w.wordSize == v.wordSize);
  FUZZ_CHECK(w.chordSize == v.chordSize && w.chordOffset == v.chordOffset && w.fretSize == v.fretSize);
  FUZZ_CHECK(w.fretOffset == v.fretOffset && w.rowHeight == v.rowHeight);
  FUZZ_CHECK(SongDocumentText(w) == SongDocumentText(v));
  return 0;
}
