// The markup reader and the sheet renderer over the recording graphics: every page of any song
// text, with any layout values the controls allow, any page-break marker and output scale, draws
// without fault, and the page rule agrees with cutting the text at the marker.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "support/doubles/recording_graphics.h"
#include "platform/core/strings.h"
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
        if (piece.isChord)
          ++chords;
        else
          FUZZ_CHECK(!piece.text.isEmpty() && !piece.text.contains(QLatin1Char('[')));
      }
      FUZZ_CHECK(chords >= 1);
    }
  }
}

bool SameOp(const RecordingGraphics::Op& a, const RecordingGraphics::Op& b) {
  return a.text == b.text && a.x == b.x && a.y == b.y && a.size == b.size && a.bold == b.bold && a.color == b.color;
}

// The texts drawn on the sheet are the tall sheet's texts in the same order, a line below the
// sheet left out, and every text whose baseline lies on the sheet is among them. The page label,
// set by the sheet's height, is left out of both.
void SameOnTheSheet(const RecordingGraphics& sheet, const RecordingGraphics& tall, bool label) {
  std::vector<RecordingGraphics::Op> drawn = sheet.Strings(), all = tall.Strings();
  if (label) {
    FUZZ_CHECK(!drawn.empty() && !all.empty());
    drawn.pop_back();
    all.pop_back();
  }
  std::size_t next = 0;
  for (const RecordingGraphics::Op& op : all) {
    if (next < drawn.size() && SameOp(op, drawn[next]))
      ++next;
    else
      FUZZ_CHECK(op.y > sheet.Height());
  }
  FUZZ_CHECK(next == drawn.size());
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

  // The sheet, and one tall enough for every line: what lands on the sheet is drawn alike on both.
  RecordingGraphics g, tall(576, 1 << 30);
  if (proportional) {
    // Widths that differ from character to character, as a real font's do.
    const auto width = [](const QString& t, double size, bool bold) {
      double w = 0;
      for (const QChar c : t) w += size * (0.25 + (c.unicode() % 7) * 0.1) + (bold ? 1 : 0);
      return w;
    };
    g.SetWidthFn(width);
    tall.SetWidthFn(width);
  }
  // Every page once, and the ones just past both ends; a long song only its first and last pages.
  const int last = std::max(pieces, 1) + 1;
  for (int page = firstPage; page <= last; ++page) {
    if (page > firstPage + 8 && page < last - 8) page = last - 8;
    const SongPage sp = FindPage(s.song, s.marker, page);
    if (pieces >= 2) FUZZ_CHECK(sp.text == Trim(cut[sp.number - 1]));
    ReadMarkup(sp.text.toString());
    g.Clear();
    const int drawn = RenderSheetPage(g, s, page);
    FUZZ_CHECK(drawn == sp.number && drawn >= 1 && drawn <= std::max(pieces, 1));
    for (const RecordingGraphics::Op& op : g.Ops()) FUZZ_CHECK(std::isfinite(op.x) && std::isfinite(op.y));
    tall.Clear();
    RenderSheetPage(tall, s, page);
    SameOnTheSheet(g, tall, pieces >= 2);
  }
  return 0;
}
