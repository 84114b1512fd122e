#include <gtest/gtest.h>

#include <QStringList>
#include <string>
#include <vector>

#include "support/doubles/recording_graphics.h"
#include "sheet/sheet_renderer.h"

// What lies far past the sheet's right edge on a long line is read for the states it hands on,
// but neither measured nor drawn whole: what lands on the sheet is drawn exactly as on a sheet
// wide enough for every word.
namespace {
using Op = RecordingGraphics::Op;

constexpr int kSheet = 576;

// A recording surface that counts the characters it was asked to measure. Widths are 0.5 × size
// per character.
struct Surface {
  explicit Surface(int width) : g(width, 756) {
    g.SetWidthFn([this](const QString& t, double size, bool) {
      measured += t.size();
      return 0.5 * size * t.size();
    });
  }
  RecordingGraphics g;
  qsizetype measured = 0;
};

std::vector<Op> Render(Surface& s, const QString& song) {
  SheetInput in;
  in.song = song;
  in.centerLine = false;
  RenderSheetPage(s.g, in, 1);
  return s.g.Strings();
}

// The texts drawn that start on the sheet, as far as they can reach it (200 characters are wider
// than the sheet), with their places and weights.
std::string OnTheSheet(const std::vector<Op>& ops) {
  QStringList out;
  for (const Op& op : ops)
    if (op.x < kSheet)
      out << QStringLiteral("%1 @%2,%3%4").arg(op.text.left(200)).arg(op.x).arg(op.y).arg(op.bold ? " bold" : "");
  return out.join('\n').toStdString();
}

// n words "w1 w2 ... wn".
QString Words(int n) {
  QStringList w;
  for (int i = 1; i <= n; ++i) w << QStringLiteral("w%1").arg(i);
  return w.join(' ');
}
}  // namespace

TEST(SheetRendererPastTheEdge, ALongLineDrawsWhatReachesTheSheetAndHandsOnItsStates) {
  // Far past the edge the line switches bold on and paragraph mode on (whose advance then moves
  // the line after the next one); the lines after it are drawn as on the wide sheet.
  const QString cases[] = {
      Words(20000) + " *bold <para " + Words(10) + "\rafter\rlast",
      Words(20000) + " [G]chord " + Words(10) + "\r*after\rlast",
      "{" + Words(20000) + "}\r<after\rlast",  // a caption
      "{" + Words(20000) + "}\rlast",
      "<p\r{" + Words(20000) + "}\rlast",          // advancing in paragraph mode by the caption's height
      QString(100000, 'x') + " y\rafter",          // one long word
      "[G]" + QString(100000, 'x') + " y\rafter",  // a long run after a chord
  };
  for (const QString& song : cases) {
    Surface narrow(kSheet), wide(100'000'000);
    const std::vector<Op> drawn = Render(narrow, song), all = Render(wide, song);
    EXPECT_EQ(OnTheSheet(drawn), OnTheSheet(all)) << song.left(40).toStdString();
    // A start of each long text is measured and drawn, a few sheet widths of it at most.
    EXPECT_LT(narrow.measured, 20000) << song.left(40).toStdString();
    for (const Op& op : drawn) EXPECT_LT(op.text.size(), 20000) << song.left(40).toStdString();
    EXPECT_EQ(drawn.back().text, all.back().text);
  }
}

TEST(SheetRendererPastTheEdge, ALongTextGoingRightToLeftIsDrawnWhole) {
  // Its start is not what shows at its left: the order on the sheet is not that of its letters.
  for (const QString& rtl :
       {QString::fromUtf8("\u05D0"), QString::fromUtf8("\u202E"), QString::fromUtf8("\U00010800")}) {
    const QString caption = "{" + QString(100000, 'x') + rtl + "}";
    Surface s(kSheet);
    const std::vector<Op> drawn = Render(s, caption);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].text.size(), 100000 + rtl.size());
  }
}
