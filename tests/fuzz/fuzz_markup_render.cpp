// The markup reader and the sheet renderer over the recording graphics: every page of any song
// text, with any layout values the controls allow, any page-break marker and output scale, draws
// without fault, and the page rule agrees with cutting the text at the marker.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "platform/recording_graphics.h"
#include "platform/strings.h"
#include "sheet/layout_ranges.h"
#include "sheet/markup.h"
#include "sheet/pages.h"
#include "sheet/sheet_renderer.h"

namespace {

void ReadMarkup(const QString& page) {
  for (const QString& line : markup::PageLines(page)) {
    if (markup::KindOf(line) == markup::LineKind::Caption) {
      (void)markup::CaptionText(line);
      continue;
    }
    const QStringList words = markup::LineWords(line);
    FUZZ_CHECK(Join(words, QStringLiteral(" ")) == line);
    for (const QString& word : words) {
      if (!markup::IsChordWord(word)) {
        (void)markup::ReadPlainWord(word);
        continue;
      }
      // Text runs stop at every "[", so a chord word has at least one group.
      qsizetype chords = 0;
      for (const markup::ChordPiece& piece : markup::CutChordWord(word)) {
        if (piece.isChord) ++chords;
        else FUZZ_CHECK(!piece.text.isEmpty() && !piece.text.contains(QLatin1Char('[')));
      }
      FUZZ_CHECK(chords >= 1);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  SheetInput s;
  s.spacing = in.TakeInt(kSpacingRange.lo, kSpacingRange.hi);
  s.wordSize = in.TakeInt(kWordSizeRange.lo, kWordSizeRange.hi);
  s.chordSize = in.TakeInt(kChordSizeRange.lo, kChordSizeRange.hi);
  s.chordOffset = in.TakeInt(kChordOffsetRange.lo, kChordOffsetRange.hi);
  s.fretSize = in.TakeInt(kFretSizeRange.lo, kFretSizeRange.hi);
  s.fretOffset = in.TakeInt(kFretOffsetRange.lo, kFretOffsetRange.hi);
  s.rowHeight = in.TakeInt(kRowHeightRange.lo, kRowHeightRange.hi);
  s.centerLine = in.TakeBool();
  // From a 9-dpi surface to a 2,400-dpi printer.
  s.scale = in.TakeDouble(0.125, 2400.0 / 72.0);
  const bool ownMarker = in.TakeBool();
  const bool proportional = in.TakeBool();
  const int firstPage = in.TakeInt(-3, 3);

  s.song = in.TakeText();
  if (ownMarker) s.marker = in.TakeText();
  s.title = in.TakeText();
  s.capo = in.TakeText();
  s.key = in.TakeText();
  s.timing = in.TakeText();
  s.tempo = in.TakeText();

  // The page rule is cutting the text at the marker.
  const int pieces = CountPieces(s.song, s.marker);
  const QStringList cut = Split(s.song, s.marker);
  FUZZ_CHECK(pieces == cut.size());

  RecordingGraphics g;
  if (proportional) {
    // Widths that differ from character to character, as a real font's do.
    g.SetWidthFn([](const QString& t, double size, bool bold) {
      double w = 0;
      for (const QChar c : t) w += size * (0.25 + (c.unicode() % 7) * 0.1) + (bold ? 1 : 0);
      return w;
    });
  }
  // Every page once, and the ones just past both ends; a long song only its first and last pages.
  const int last = std::max(pieces, 1) + 1;
  for (int page = firstPage; page <= last; ++page) {
    if (page > firstPage + 8 && page < last - 8) page = last - 8;
    const SongPage sp = FindPage(s.song, s.marker, page);
    if (pieces >= 2) FUZZ_CHECK(sp.text == Trim(cut[sp.number - 1]));
    ReadMarkup(sp.text);
    g.Clear();
    const int drawn = RenderSheetPage(g, s, page);
    FUZZ_CHECK(drawn == sp.number && drawn >= 1 && drawn <= std::max(pieces, 1));
    for (const RecordingGraphics::Op& op : g.Ops()) FUZZ_CHECK(std::isfinite(op.x) && std::isfinite(op.y));
  }
  return 0;
}
