#include <gtest/gtest.h>

#include <QHash>
#include <optional>

#include "support/doubles/recording_graphics.h"
#include "platform/desktop/picture.h"
#include "sheet/sheet_renderer.h"

namespace {
using Op = RecordingGraphics::Op;

// A recording surface whose widths are given per text (else 0.5 × size per character) and whose
// line height is `height` times the text size over 12.
struct Surface {
  explicit Surface(QHash<QString, double> widths = {}, double height = 12, int w = 576, int h = 756) : g(w, h) {
    g.SetWidthFn([widths](const QString& t, double size, bool) { return widths.value(t, 0.5 * size * t.size()); });
    g.SetHeightFn([height](const QString&, double size, bool) { return height * size / 12; });
  }
  int Render(const SheetInput& in, int page = 1) { return RenderSheetPage(g, in, page); }
  std::optional<Op> Find(const QString& text, int nth = 0) const {
    for (const Op& op : g.Strings())
      if (op.text == text && nth-- == 0) return op;
    return std::nullopt;
  }
  QStringList Texts() const {
    QStringList out;
    for (const Op& op : g.Strings()) out << op.text;
    return out;
  }
  RecordingGraphics g;
};

SheetInput Input(const QString& song, const QString& title = {}, const QString& capo = {}, double scale = 1) {
  SheetInput in;
  in.song = song;
  in.title = title;
  in.capo = capo;
  in.scale = scale;
  return in;
}
}  // namespace

TEST(SheetRenderer, WorkedPositions) {
  struct Row {
    const char* what;
    QString title, capo, song;
    double scale;
    QString probe;
    int nth;
    double x, y, size;
    bool bold;
  };
  const QString frets = "[G!3!2!0]Amazing\rnext";
  const Row rows[] = {
      {"title", "Grace", "2", frets, 1, "Grace", 0, 10, 18, 16, true},
      {"header", "Grace", "2", frets, 1, "Capo: 2", 0, 10, 32, 10, false},
      {"chord", "Grace", "2", frets, 1, "G", 0, 10, 49, 12, true},
      {"first fret", "Grace", "2", frets, 1, "3", 0, 10 + 6 + 3, 40, 7, true},
      {"second fret", "Grace", "2", frets, 1, "2", 0, 19, 47, 7, true},
      {"third fret", "Grace", "2", frets, 1, "0", 0, 19, 54, 7, true},
      {"first line", "Grace", "2", frets, 1, "Amazing", 0, 10, 62, 12, false},
      {"next line", "Grace", "2", frets, 1, "next", 0, 10, 89, 12, false},
      {"title, no header", "Grace", "", "x", 1, "x", 0, 10, 47, 12, false},
      {"no title, no header", "", "", "[G]x", 1, "x", 0, 10, 25, 12, false},
      {"no title: chord", "", "", "[G]x", 1, "G", 0, 10, 12, 12, true},
      {"no title: header", "", "2", "x", 1, "Capo: 2", 0, 10, 10, 10, false},
      {"no title: header, first line", "", "2", "x", 1, "x", 0, 10, 40, 12, false},
      {"caption first", "Grace", "2", "{Chorus}\rx", 1, "Chorus", 0, 10, 53, 12, true},
      {"after a caption", "Grace", "2", "{Chorus}\rx", 1, "x", 0, 10, 80, 12, false},
      {"caption later", "", "", "a\r{C}", 1, "C", 0, 10, 58, 12, true},
      {"second column", "Grace", "2", "a\r-----\rb", 1, "b", 0, 298, 62, 12, false},
      {"top column", "Grace", "2", "a\r----t\rb", 1, "b", 0, 298, 12, 12, false},
      {"after a plain word", "", "", "Amazing x", 1, "x", 0, 42, 25, 12, false},
      {"after a chord word", "", "", "[G]Amazing x", 1, "x", 0, 43, 25, 12, false},
      {"chords Spacing apart", "", "", "[G] [C]", 1, "C", 0, 15, 12, 12, true},
      {"CR LF adds a line", "", "", "one\r\ntwo", 1, "two", 0, 10, 79, 12, false},
      // d = 1.5
      {"1.5 title", "Grace", "2", frets, 1.5, "Grace", 0, 15, 27, 24, true},
      {"1.5 header", "Grace", "2", frets, 1.5, "Capo: 2", 0, 15, 48, 15, false},
      {"1.5 chord", "Grace", "2", frets, 1.5, "G", 0, 15, 72.5, 18, true},
      {"1.5 first fret", "Grace", "2", frets, 1.5, "3", 0, 15 + 9 + 4.5, 59, 10.5, true},
      {"1.5 third fret", "Grace", "2", frets, 1.5, "0", 0, 28.5, 80, 10.5, true},
      {"1.5 first line", "Grace", "2", frets, 1.5, "Amazing", 0, 15, 92, 18, false},
      {"1.5 next line", "Grace", "2", frets, 1.5, "next", 0, 15, 132, 18, false},
      {"1.5 top column cuts toward zero", "", "", "a\r----t\rb", 1.5, "b", 0, 303, 18, 18, false},
      {"1.5 after a plain word", "", "", "Amazing x", 1.5, "x", 0, 48, 37, 18, false},
      {"2 after a chord word", "", "", "[G]Amazing x", 2, "x", 0, 20 + 28 + 10, 50, 24, false},
  };
  for (const Row& r : rows) {
    Surface s({{"Amazing", 28.6}});
    SheetInput in = Input(r.song, r.title, r.capo, r.scale);
    s.Render(in);
    const auto op = s.Find(r.probe, r.nth);
    ASSERT_TRUE(op) << r.what;
    EXPECT_DOUBLE_EQ(op->x, r.x) << r.what;
    EXPECT_DOUBLE_EQ(op->y, r.y) << r.what;
    EXPECT_DOUBLE_EQ(op->size, r.size) << r.what;
    EXPECT_EQ(op->bold, r.bold) << r.what;
    EXPECT_EQ(op->color, QColor(Qt::black)) << r.what;
  }
}

TEST(SheetRenderer, HeaderLineJoinsTheFilledFields) {
  struct Row {
    QString capo, key, timing, tempo, header;
  };
  const Row rows[] = {
      {" 2 ", "G", "3/4", "90", "Capo: 2   Key: G   Timing: 3/4   Tempo: 90"},
      {"", "G", "", "", "Key: G"},
      {"", "", "", "120", "Tempo: 120"},
      {"", " ", "\t", "", ""},
  };
  for (const Row& r : rows) {
    Surface s;
    SheetInput in = Input("x", "T");
    in.capo = r.capo, in.key = r.key, in.timing = r.timing, in.tempo = r.tempo;
    s.Render(in);
    const QStringList want = r.header.isEmpty() ? QStringList{"T", "x"} : QStringList{"T", r.header, "x"};
    EXPECT_EQ(s.Texts(), want);
  }
}

TEST(SheetRenderer, PageChoiceAndLabel) {
  struct Row {
    QString song;
    int page;
    int drawn;
    QStringList texts;
  };
  const Row rows[] = {
      {"", 1, 1, {}},
      {"a+++++b", 3, 2, {"b", "Page: 2/2"}},
      {"a+++++b", 0, 1, {"a", "Page: 1/2"}},
      {"a+++++b", -3, 1, {"a", "Page: 1/2"}},
      {"one\rtwo", 3, 1, {"one", "two"}},
      {"a+++++", 2, 2, {"Page: 2/2"}},
      {"a+++++++++++b", 2, 2, {"Page: 2/3"}},
  };
  for (const Row& r : rows) {
    Surface s;
    EXPECT_EQ(s.Render(Input(r.song), r.page), r.drawn) << r.song.toStdString();
    EXPECT_EQ(s.Texts(), r.texts) << r.song.toStdString();
  }
}

TEST(SheetRenderer, PageLabelSitsBottomRightRegularAndKeepsTheBoldState) {
  Surface s({{"Page: 1/2", 50.4}}, 13.9);
  s.Render(Input("*bold+++++b"));
  const auto label = s.Find("Page: 1/2");
  ASSERT_TRUE(label);
  EXPECT_DOUBLE_EQ(label->x, 522);  // trunc(576 - 50.4 - 3)
  EXPECT_DOUBLE_EQ(label->y, 749);  // trunc(756 - 13.9 / 2)
  EXPECT_FALSE(label->bold);
  EXPECT_DOUBLE_EQ(label->size, 12);
  EXPECT_EQ(label->color, QColor(Qt::black));
  EXPECT_TRUE(s.g.Bold());  // the page ended bold
  EXPECT_DOUBLE_EQ(s.g.TextSize(), 12);
}

TEST(SheetRenderer, CentreLineIsGreyAndUncut) {
  for (bool on : {true, false}) {
    Surface s({}, 12, 577, 700);
    SheetInput in = Input("x");
    in.centerLine = on;
    s.Render(in);
    std::vector<Op> lines;
    for (const Op& op : s.g.Ops())
      if (op.kind == Op::Line) lines.push_back(op);
    ASSERT_EQ(lines.size(), on ? 1u : 0u);
    if (!on) {
      EXPECT_EQ(s.g.ForeColor(), QColor(Qt::black));
      continue;
    }
    EXPECT_DOUBLE_EQ(lines[0].x, 288.5);
    EXPECT_DOUBLE_EQ(lines[0].x2, 288.5);
    EXPECT_DOUBLE_EQ(lines[0].y, 0);
    EXPECT_DOUBLE_EQ(lines[0].y2, 700);
    EXPECT_EQ(lines[0].color, QColor(0xAB, 0xAB, 0xAB));
  }
}

TEST(SheetRenderer, BoldStateThroughThePage) {
  struct Row {
    QString song;
    QStringList bold, regular;
  };
  const Row rows[] = {
      {"*one two three*", {"one", "two"}, {"three"}},
      {"*one two three * after", {"one", "two", "three"}, {"after"}},  // the closing star alone
      {"*word* after", {"word"}, {"after"}},
      {"*one [G]two three*", {"one", "G", "three"}, {"two"}},
      {"*one [G]two three*\rnext", {"three", "next"}, {"two"}},
      {"*[G]word*", {"G"}, {"*", "word*"}},
      {"**word** x", {"word**"}, {"x"}},
      {"*a\r{Cap}\rb", {"a", "Cap"}, {"b"}},
      {"Chorus {x} [G]", {"Chorus x [G]"}, {}},
  };
  for (const Row& r : rows) {
    Surface s;
    s.Render(Input(r.song));
    for (const QString& t : r.bold) {
      const auto op = s.Find(t);
      ASSERT_TRUE(op) << r.song.toStdString() << " / " << t.toStdString();
      EXPECT_TRUE(op->bold) << r.song.toStdString() << " / " << t.toStdString();
    }
    for (const QString& t : r.regular) {
      const auto op = s.Find(t);
      ASSERT_TRUE(op) << r.song.toStdString() << " / " << t.toStdString();
      EXPECT_FALSE(op->bold) << r.song.toStdString() << " / " << t.toStdString();
    }
  }
  Surface s;  // bold left on by one page does not reach the next call
  s.Render(Input("*on"));
  s.Render(Input("plain"));
  EXPECT_FALSE(s.Find("plain")->bold);
}

TEST(SheetRenderer, ParagraphModeAdvancesByTheTextHeight) {
  struct Row {
    QString song;
    QString probe;
    double y;
  };
  const Row rows[] = {
      {"<A para\rending here>\rlast", "ending", 39},  // 25 + 14.3
      {"<A para\rending here>\rlast", "last", 66},    // closed on the line before: row height
      {"<a>\rb", "b", 52},                            // opened and closed in one word
      {"<a\r-----\rb", "b", 12},                      // trunc(25 - 27) + 14.3
      {"<p [G]\rb", "b", 39},                         // a chord word last: the empty text's height
      {"<p\r\rb", "b", 53},                           // an empty line: its own height
      {"<p\r{Cap}\rb", "b", 59},                      // caption: 39 + 6, then 14.3
  };
  for (const Row& r : rows) {
    Surface s({}, 14.3);
    s.Render(Input(r.song));
    const auto op = s.Find(r.probe);
    ASSERT_TRUE(op) << r.song.toStdString();
    EXPECT_DOUBLE_EQ(op->y, r.y) << r.song.toStdString();
  }
}

TEST(SheetRenderer, ChordGroupsDrawTheirNameAndFretColumn) {
  Surface s({{"C", 8.8}});
  s.Render(Input("x [C!3!2!!1]word [] ]x"));
  EXPECT_EQ(s.Texts(), (QStringList{"x", "C", "3", "2", "1", "word", "]x"}));
  // "C" starts at 10 + trunc(6) + 4 = 20; fret column at 20 + trunc(8.8) + 3, rows 7 apart.
  EXPECT_DOUBLE_EQ(s.Find("C")->x, 20);
  EXPECT_DOUBLE_EQ(s.Find("1")->x, 31);
  EXPECT_DOUBLE_EQ(s.Find("1")->y, 25 - 22 + 3 * 7);
  EXPECT_DOUBLE_EQ(s.Find("word")->x, 20);
  // "word" is 24 wide, the chord word ends with Spacing, "[]" adds Spacing only.
  EXPECT_DOUBLE_EQ(s.Find("]x")->x, 20 + 24 + 5 + 5);
}

TEST(SheetRenderer, RealFontSanityOnAPicture) {
  Picture p(576, 756);
  auto g = p.NewGraphics();
  EXPECT_EQ(RenderSheetPage(*g, Input("[G]Amazing grace+++++two", "Grace", "2"), 1), 1);
  g.reset();
  auto dark = [&](int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (qGray(p.Image().pixel(x, y)) < 100) return true;
    return false;
  };
  EXPECT_TRUE(dark(10, 4, 60, 20));       // the title above its baseline
  EXPECT_TRUE(dark(10, 52, 60, 63));      // the first line
  EXPECT_TRUE(dark(440, 735, 573, 750));  // the page label
  // The grey line at x 288 straddles pixels 287 and 288 when drawn smoothly.
  const int line = std::min(qGray(p.Image().pixel(287, 400)), qGray(p.Image().pixel(288, 400)));
  EXPECT_GE(line, 0xAB);
  EXPECT_LT(line, 0xF0);
  EXPECT_FALSE(dark(300, 100, 570, 700));
}
