// Any field contents written as a song document and opened again as opening does (decoded, then
// read): the document is never refused, and every field comes back as StoredField says.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "platform/core/text_decoding.h"
#include "sheet/song_document.h"
#include "stored_field.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  SongDocument d;
  d.centerLine = in.TakeBool();
  const auto layout = [&](const LayoutRange& r) { return in.TakeInt(r.lo, r.hi); };
  d.spacing = layout(kSpacingRange), d.wordSize = layout(kWordSizeRange), d.chordSize = layout(kChordSizeRange);
  d.chordOffset = layout(kChordOffsetRange), d.fretSize = layout(kFretSizeRange),
  d.fretOffset = layout(kFretOffsetRange);
  d.rowHeight = layout(kRowHeightRange);
  // Raw UTF-16 code units: any code point, lone surrogates and controls alike.
  in.SetUtf16(in.TakeBool());
  QString* texts[] = {&d.title, &d.capo, &d.key, &d.song, &d.timing, &d.tempo};
  for (QString* t : texts) *t = in.TakeText();

  const std::optional<QString> text = DecodeText(BuildSongDocument(d), TextKind::SongDocument);
  FUZZ_CHECK(text.has_value());
  const SongDocumentRead r = ParseSongDocument(*text);
  FUZZ_CHECK(r.ok && r.pieces == 16 && r.hasLayout && r.hasTiming);
  const SongDocument& v = r.values;
  FUZZ_CHECK(v.title == StoredField(d.title) && v.capo == StoredField(d.capo) && v.key == StoredField(d.key));
  FUZZ_CHECK(v.song == StoredField(d.song) && v.timing == StoredField(d.timing) && v.tempo == StoredField(d.tempo));
  FUZZ_CHECK(v.centerLine == d.centerLine && v.spacing == d.spacing && v.wordSize == d.wordSize);
  FUZZ_CHECK(v.chordSize == d.chordSize && v.chordOffset == d.chordOffset && v.fretSize == d.fretSize);
  FUZZ_CHECK(v.fretOffset == d.fretOffset && v.rowHeight == d.rowHeight);
  // What was read writes the same document again.
  FUZZ_CHECK(BuildSongDocument(v) == BuildSongDocument(d));
  return 0;
}
