// A picture for a screen of device pixel ratio 2: twice the pixels each way, the same size and
// coordinates in sheet units, text measured as at ratio 1 and drawn at the screen's resolution.
#include <gtest/gtest.h>

#include "platform/desktop/picture.h"

namespace {
// The smallest rectangle holding every pixel darker than grey, in the image's own pixels.
QRect Ink(const QImage& img) {
  QRect r;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qGray(img.pixel(x, y)) < 128) r |= QRect(x, y, 1, 1);
  return r;
}

// Draws the same things on a picture of that ratio; returns the width "Amazing" measured.
double Draw(Picture& p) {
  auto g = p.NewGraphics();
  g->ForeColor(Qt::black);
  g->TextSize(20);
  g->DrawString("Amazing", 10, 40);
  g->DrawLine(10, 60, 150, 60);
  g->DrawRect(100, 70, 40, 20);
  return g->StringWidth("Amazing");
}
}  // namespace

TEST(PictureAtRatioTwo, HasTwiceThePixelsAndTheSameSizeInSheetUnits) {
  const Picture p(576, 756, 2.0);
  EXPECT_EQ(p.Width(), 576);
  EXPECT_EQ(p.Height(), 756);
  EXPECT_DOUBLE_EQ(p.Ratio(), 2.0);
  EXPECT_DOUBLE_EQ(p.Image().devicePixelRatio(), 2.0);
  EXPECT_EQ(p.Image().size(), QSize(1152, 1512));
  EXPECT_EQ(p.Image().deviceIndependentSize(), QSizeF(576, 756));
  EXPECT_EQ(p.Image().dotsPerMeterX(), 2835);  // text sizes stay in units of 1/72 inch
  EXPECT_EQ(p.Image().pixel(1151, 1511), qRgb(255, 255, 255));

  // Ratios that a screen cannot have count as 1; an odd ratio rounds the pixels up.
  for (double odd : {0.0, -1.0, std::nan("")}) EXPECT_EQ(Picture(10, 20, odd).Image().size(), QSize(10, 20));
  EXPECT_EQ(Picture(10, 21, 1.25).Image().size(), QSize(13, 27));
  EXPECT_EQ(Picture(10, 21, 1.25).Width(), 10);
}

TEST(PictureAtRatioTwo, DrawsTheSameSheetAtTwiceTheResolution) {
  Picture one(200, 100, 1.0), two(200, 100, 2.0);
  const double width1 = Draw(one), width2 = Draw(two);
  EXPECT_DOUBLE_EQ(width1, width2);  // the layout does not change with the screen

  // The line and the frame cover the same units at both ratios: each unit that is ink at ratio 1
  // is four ink pixels at ratio 2, each blank unit four blank pixels.
  const QImage& img1 = one.Image();
  const QImage& img2 = two.Image();
  int inkUnits = 0, mismatches = 0;
  for (int y = 50; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool ink = qGray(img1.pixel(x, y)) < 128;
      inkUnits += ink;
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) mismatches += (qGray(img2.pixel(2 * x + dx, 2 * y + dy)) < 128) != ink;
    }
  }
  EXPECT_EQ(inkUnits, 141 + 2 * 40 + 2 * 18);  // the line from 10 to 150, the frame's four sides
  EXPECT_EQ(mismatches, 0);

  // The text's ink covers twice the area, in the same place.
  QImage textOne = one.Image().copy(0, 0, 200, 50), textTwo = two.Image().copy(0, 0, 400, 100);
  const QRect a = Ink(textOne), b = Ink(textTwo);
  ASSERT_FALSE(a.isEmpty());
  EXPECT_NEAR(b.left(), 2 * a.left(), 2);
  EXPECT_NEAR(b.top(), 2 * a.top(), 2);
  EXPECT_NEAR(b.right() + 1, 2 * (a.right() + 1), 2);
  EXPECT_NEAR(b.bottom() + 1, 2 * (a.bottom() + 1), 2);
}

// What a redraw repaints: the rows where the new sheet differs from the one before, in sheet
// units, rounded outwards at ratio 2.
TEST(PictureChangedRows, TheBandOfRowsThatDifferInSheetUnits) {
  const Picture before(100, 50, 2.0);
  const struct {
    const char* what;
    int firstRow, lastRow;  // image pixels changed, -1 for none
    QRect band;
  } cases[] = {
      {"alike", -1, -1, QRect()},
      {"one odd row", 5, 5, QRect(0, 2, 100, 1)},
      {"rows across a sheet unit", 5, 6, QRect(0, 2, 100, 2)},
      {"the first and the last row", 0, 99, QRect(0, 0, 100, 50)},
  };
  for (const auto& c : cases) {
    Picture after(100, 50, 2.0);
    if (c.firstRow >= 0) {
      after.Image().setPixel(0, c.firstRow, qRgb(0, 0, 0));
      after.Image().setPixel(199, c.lastRow, qRgb(0, 0, 0));
    }
    EXPECT_EQ(ChangedRows(before.Image(), after.Image()), c.band) << c.what;
  }
  EXPECT_EQ(ChangedRows(Picture(100, 40, 2.0).Image(), before.Image()), QRect(0, 0, 100, 50)) << "another size";
  EXPECT_EQ(ChangedRows(Picture(100, 50, 1.0).Image(), Picture(100, 50, 1.0).Image()), QRect()) << "ratio 1";
}
