#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "support/doubles/recording_graphics.h"
#include "platform/desktop/picture.h"
#include "sheet/sheet_renderer.h"

// Lines that lie wholly below the sheet are read for the states they hand on, but neither drawn
// nor measured; what lands on the sheet is drawn exactly as on a sheet tall enough for every line.
namespace {
using Op = RecordingGraphics::Op;

// A recording surface that keeps every text it was asked to measure the width or height of.
// Widths are 0.5 × size per character, line heights 14.3 × size / 12 (so that paragraph mode
// advances by less than a row); ink rises as high as a line is tall.
struct Surface {
  explicit Surface(int height) : g(576, height) {
    g.SetWidthFn([this](const QString& t, double size, bool) {
      measured << t;
      return 0.5 * size * t.size();
    });
    g.SetHeightFn([this](const QString& t, double size, bool) {
      measured << t;
      return 14.3 * size / 12;
    });
    g.SetInkRiseFn([](const QString&, double size, bool) { return 14.3 * size / 12; });
  }
  RecordingGraphics g;
  QStringList measured;
};

// "p1" to "pN" on lines of their own.
QString Lines(const QString& prefix, int first, int last) {
  QStringList out;
  for (int i = first; i <= last; ++i) out << prefix + QString::number(i);
  return out.join(QChar(13));
}

QString Describe(const Op& op) {
  return QStringLiteral("%1 @%2,%3 size %4%5")
      .arg(op.text)
      .arg(op.x)
      .arg(op.y)
      .arg(op.size)
      .arg(op.bold ? " bold" : "");
}

std::string Described(const std::vector<Op>& ops) {
  QStringList out;
  for (const Op& op : ops) out << Describe(op);
  return out.join('\n').toStdString();
}
}  // namespace

TEST(SheetRendererBelowTheSheet, DrawsEveryLineThatReachesTheSheetAndNoneBelow) {
  // Rows 27 apart from baseline 25. A line reaches up by the fret offset (22) and the height of the
  // largest text (14.3), so on a sheet 290 high line 12 (baseline 322, its fret value's baseline
  // at 300) is drawn, and line 13 (baseline 349) is not.
  QStringList song;
  for (int i = 1; i <= 40; ++i) song << QStringLiteral("[G!%1]w%1 x%1").arg(i);
  SheetInput in;
  in.song = song.join(QChar(13));
  in.centerLine = false;
  Surface s(290);
  RenderSheetPage(s.g, in, 1);
  QStringList drawn;
  for (const Op& op : s.g.Strings()) drawn << op.text;
  QStringList want;
  for (int i = 1; i <= 12; ++i)
    want << "G" << QString::number(i) << QStringLiteral("w%1").arg(i) << QStringLiteral("x%1").arg(i);
  EXPECT_EQ(drawn, want);
  EXPECT_DOUBLE_EQ(s.g.Strings().back().y, 322);
  EXPECT_DOUBLE_EQ(s.g.Strings()[s.g.Strings().size() - 3].y, 300);  // the fret value of line 12
  for (int i = 13; i <= 40; ++i) {
    EXPECT_FALSE(s.measured.contains(QStringLiteral("w%1").arg(i)));
    EXPECT_FALSE(s.measured.contains(QStringLiteral("x%1").arg(i)));
  }
}

TEST(SheetRendererBelowTheSheet, ALineWhoseInkRisesHigherIsDrawnWhereverItReaches) {
  // Line 20 (baseline 538) holds stacked marks; its ink rises as far as the case says, the ink of
  // every other text no higher than the text is tall. Above the fret offset (22), a rise of 230
  // reaches a sheet 290 high: that line is drawn, after the lines above it, at its own place; the
  // lines after it are not. A rise of 30 stays far below the sheet.
  const QString marked = QStringLiteral("[A") + QString(20, QChar(0x301)) + "]x20";
  QStringList song;
  for (int i = 1; i <= 40; ++i) song << (i == 20 ? marked : QStringLiteral("[G!%1]w%1 x%1").arg(i));
  SheetInput in;
  in.song = song.join(QChar(13));
  in.centerLine = false;
  for (const double rise : {230.0, 30.0}) {
    SCOPED_TRACE(rise);
    Surface s(290);
    s.g.SetInkRiseFn([rise](const QString& t, double size, bool) { return t.contains(QChar(0x301)) ? rise : size; });
    RenderSheetPage(s.g, in, 1);
    const std::vector<Op> drawn = s.g.Strings();
    const bool reaches = rise > 538 - 22 - 290;
    const auto chord = std::find_if(drawn.begin(), drawn.end(), [](const Op& op) { return op.text.startsWith('A'); });
    ASSERT_EQ(chord != drawn.end(), reaches) << Described(drawn);
    if (reaches) {
      EXPECT_DOUBLE_EQ(chord->y, 538 - 13);
    }
    EXPECT_EQ(drawn.back().text, reaches ? "x20" : "x12");
    for (int i = 21; i <= 40; ++i) EXPECT_FALSE(s.measured.contains(QStringLiteral("w%1").arg(i)));
  }
}

TEST(SheetRendererBelowTheSheet, StackedMarksOnTheLastLineKeepTheirTipsOnTheSheet) {
  // A dot, then ten empty rows: the chord's baseline lies at 295 - 13 = 282, below a sheet 245
  // high by more than a line height, while its twenty stacked accents pile up into the sheet's
  // bottom rows.
  SheetInput in;
  in.song = "." + QString(10, QChar(13)) + QStringLiteral("[A") + QString(20, QChar(0x301)) + "]x";
  in.centerLine = false;
  Picture picture(200, 245);
  RenderSheetPage(*picture.NewGraphics(), in, 1);
  const QImage& img = picture.Image();
  int ink = 0;
  for (int y = 200; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) ink += qGray(img.pixel(x, y)) < 128;
  EXPECT_GT(ink, 0);
}

TEST(SheetRendererBelowTheSheet, StatesPassThroughUndrawnLinesToTheNextColumn) {
  // The texts of lines below a 300-high sheet hold an "h"; every other text lands on it.
  const QString top = Lines("a", 1, 12);
  struct Row {
    const char* what;
    QString song;
    double scale;
  };
  const Row rows[] = {
      {"plain rows, then a column", top + "\r" + Lines("h", 13, 30) + "\r-----\r" + Lines("b", 1, 3), 1},
      {"a top column", top + "\r" + Lines("h", 13, 30) + "\r----T\r" + Lines("b", 1, 3), 1},
      {"bold switched on below", top + "\rh13 *h14 h15\r-----\rb1 b2", 1},
      {"bold switched twice below", top + "\r*h13* h14 **h15\r-----\rb1", 1},
      {"bold switched by a word with an accent below",
       top + "\rh13 *h\u00E914 h15\r" + Lines("h", 16, 30) + "\r-----\rb1", 1},
      {"bold switched by a word with a mark below", top + "\rh13\r*h14\u0301\r" + Lines("h", 15, 30) + "\r-----\rb1",
       1},
      {"bold ends at a chord group below", "*" + top + "\rh13 [h7!h1]h14 h15\r-----\rb1", 1},
      {"bold ends at a caption below", "*" + top + "\r{h13}\r-----\rb1", 1},
      {"an unclosed chord word takes the star", top + "\r[h7 *h13 h14\r-----\rb1", 1},
      {"paragraph mode opened below", top + "\rh13 <h14\rh15\r-----\r" + Lines("b", 1, 20), 1},
      {"paragraph mode opened and closed below", top + "\r<h13\rh14>\r-----\rb1\rb2", 1},
      {"paragraph mode closed below", "<" + Lines("a", 1, 23) + "\rh24\rh25>\r----t\rb1\rb2", 1},
      {"a column that stays below", Lines("a", 1, 12) + "\r-----\r" + Lines("b", 1, 12) + "\r*h13\r-----\rb1", 1},
      {"lines ended by CR LF", Lines("a", 1, 6).replace("\r", "\r\n") + "\r\n\r\nh13\r\n*h14\r\n-----\r\nb1", 1},
      {"twice the scale", Lines("a", 1, 6) + "\r*h7 [h1]h8\r" + Lines("h", 9, 20) + "\r-----\rb1", 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    SheetInput in;
    in.song = r.song;
    in.scale = r.scale;
    in.centerLine = false;
    Surface sheet(300), tall(100000);
    RenderSheetPage(sheet.g, in, 1);
    RenderSheetPage(tall.g, in, 1);
    std::vector<Op> below, onSheet;
    for (const Op& op : tall.g.Strings()) (op.text.contains('h') ? below : onSheet).push_back(op);
    ASSERT_FALSE(below.empty());
    for (const Op& op : below) EXPECT_GT(op.y, 300) << Describe(op).toStdString();
    EXPECT_EQ(Described(sheet.g.Strings()), Described(onSheet));
    for (const QString& t : sheet.measured) EXPECT_FALSE(t.contains('h')) << t.toStdString();
    EXPECT_EQ(sheet.g.Bold(), tall.g.Bold());
    EXPECT_DOUBLE_EQ(sheet.g.TextSize(), tall.g.TextSize());
  }
}

TEST(SheetRendererBelowTheSheet, ReadingTheStatesOfALineAgreesWithDrawingIt) {
  // The bold and paragraph states a line hands on, read without drawing, against the states after
  // drawing it: a second column marker shows them (bold on the word, paragraph in its advance).
  const QString lines[] = {
      "",           "plain words", "*bold",     "*both*",   "* lone star", "**",    "*a *b c*",
      "[G]chord",   "*x [G]y *z",  "[G x *y",   "[G x] *y", "a]b[c *d",    "<para", "<a>",
      "<a b>",      "x> <y",       "<*a*>",     "*<a",      "{caption}",   "*{x}",  "<{x}",
      " [G!1!2] *", "*[G]",        "text[C]*x", "<[G]para", "tab\t*x",     "*\tx*", "a  *b",
  };
  for (const QString& line : lines) {
    for (const QString& before : {QString(), QStringLiteral("*on"), QStringLiteral("<on"), QStringLiteral("*<on")}) {
      SheetInput in;
      in.centerLine = false;
      // The line under test drawn (on a tall sheet) and read only (below a 100-high sheet), then
      // the same probe in the second column.
      in.song = before + "\r" + Lines("f", 1, 15) + "\r" + line + "\r-----\rprobe\rnext";
      Surface sheet(100), tall(100000);
      RenderSheetPage(sheet.g, in, 1);
      RenderSheetPage(tall.g, in, 1);
      auto find = [](const Surface& s, const QString& text) {
        for (const Op& op : s.g.Strings())
          if (op.text == text) return Describe(op);
        return QString();
      };
      EXPECT_EQ(find(sheet, "probe"), find(tall, "probe")) << before.toStdString() << " / " << line.toStdString();
      EXPECT_EQ(find(sheet, "next"), find(tall, "next")) << before.toStdString() << " / " << line.toStdString();
      EXPECT_FALSE(find(tall, "probe").isEmpty());
    }
  }
}
