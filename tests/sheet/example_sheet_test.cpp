#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetricsF>
#include <QRectF>
#include <cmath>

#include "support/doubles/recording_graphics.h"
#include "platform/desktop/font.h"
#include "platform/desktop/picture.h"
#include "sheet/pages.h"
#include "sheet/sheet_renderer.h"
#include "sheet/song_document.h"

namespace {

// The example song that `make run` opens, drawn page by page with the sheet's real font metrics:
// where each text's ink lands.
class ExampleSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile file(QStringLiteral(HARMONOTE_SOURCE_DIR "/examples/Amazing Grace.hmnt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const SongDocumentRead read = ParseSongDocument(file.readAll());
    ASSERT_TRUE(read.ok) << read.refusal.toStdString();
    doc = read.values;
  }

  SheetInput Input() const {
    SheetInput in;
    in.title = doc.title, in.capo = doc.capo, in.key = doc.key, in.timing = doc.timing, in.tempo = doc.tempo;
    in.song = doc.song;
    in.spacing = doc.spacing, in.wordSize = doc.wordSize, in.chordSize = doc.chordSize;
    in.chordOffset = doc.chordOffset, in.fretSize = doc.fretSize, in.fretOffset = doc.fretOffset;
    in.rowHeight = doc.rowHeight, in.centerLine = doc.centerLine;
    return in;
  }

  QFontMetricsF Metrics(double size, bool bold) { return QFontMetricsF(SheetFont(size, bold), &device.Image()); }

  struct Ink {
    QString text;
    QRectF box;
    double x, baseline, size;
    bool bold;
  };
  // Every text drawn on the page, with the box its ink covers.
  std::vector<Ink> Page(int page) {
    RecordingGraphics g(device.Width(), device.Height());
    g.SetWidthFn([this](const QString& t, double size, bool bold) { return Metrics(size, bold).horizontalAdvance(t); });
    g.SetHeightFn([this](const QString& t, double size, bool bold) {
      const QFontMetricsF fm = Metrics(size, bold);
      const QRectF r = fm.boundingRect(QRectF(0, 0, 4000, 1e9), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, t);
      return t.isEmpty() ? fm.height() : std::max(r.height(), fm.height());
    });
    RenderSheetPage(g, Input(), page);
    std::vector<Ink> out;
    for (const RecordingGraphics::Op& op : g.Strings())
      out.push_back({op.text, Metrics(op.size, op.bold).tightBoundingRect(op.text).translated(op.x, op.y), op.x, op.y,
                     op.size, op.bold});
    return out;
  }

  SongDocument doc;
  Picture device{576, 756};
};

// The pieces of one line may meet (a word cut by a chord), and so may the values of one fret
// column and the lines of one paragraph, which are set by their text's height; any other text
// above or below keeps clear.
TEST_F(ExampleSheet, NoTextCrossesTheCentreLineOrTouchesTheLinesAboveAndBelow) {
  ASSERT_TRUE(doc.centerLine);
  const int pages = CountPages(doc.song, QStringLiteral("+++++"));
  ASSERT_EQ(pages, 2);
  const double half = device.Width() / 2.0;
  for (int page = 1; page <= pages; ++page) {
    SCOPED_TRACE(page);
    const std::vector<Ink> inks = Page(page);
    ASSERT_GT(inks.size(), 20u);
    for (size_t i = 0; i < inks.size(); ++i) {
      const Ink& a = inks[i];
      EXPECT_TRUE(a.box.left() >= half + 1 || a.box.right() <= half - 1)
          << a.text.toStdString() << " crosses the centre line";
      EXPECT_LE(a.box.right(), device.Width()) << a.text.toStdString();
      for (size_t j = i + 1; j < inks.size(); ++j) {
        const Ink& b = inks[j];
        const bool sameLine = a.baseline == b.baseline;
        const bool sameFretColumn = a.x == b.x && a.size == doc.fretSize && b.size == doc.fretSize;
        const bool sameParagraph = !a.bold && !b.bold && a.size == doc.wordSize && b.size == doc.wordSize &&
                                   std::abs(a.baseline - b.baseline) < doc.rowHeight;
        if (sameLine || sameFretColumn || sameParagraph) continue;
        EXPECT_FALSE(a.box.adjusted(-0.5, -0.5, 0.5, 0.5).intersects(b.box))
            << a.text.toStdString() << " touches " << b.text.toStdString();
      }
    }
  }
}

}  // namespace
