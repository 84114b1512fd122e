// The preview on a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2): its picture has the
// screen's ratio, twice the pixels each way, and the same sheet in the same units; the canvas shows
// it pixel for pixel. A process reads its screens' ratio once, so the window is made in a child
// run of this executable (HighDpiPreviewChild, which skips itself in any other run).
#include "platform/desktop/picture.h"
#include "support/child_run.h"
#include "window_fixture.h"

namespace {
bool Grey(QRgb p) { return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) > 0x80 && qRed(p) < 0xF0; }
bool Black(QRgb p) { return qGray(p) < 64; }

// The smallest rectangle holding every dark pixel of img inside r.
QRect Ink(const QImage& img, const QRect& r) {
  QRect ink;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (qGray(img.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
  return ink;
}
}  // namespace

TEST(HighDpiPreview, IsDrawnAtTheScreensRatio) {
  QProcessEnvironment env;
  env.insert("QT_SCALE_FACTOR", "2");
  const ChildRun run = RunTestsInChild("HighDpiPreviewChild.*", env, 120000);
  EXPECT_TRUE(run.finished) << run.output.toStdString();
  EXPECT_EQ(run.status, 0) << run.output.toStdString();
  EXPECT_TRUE(run.output.contains("[  PASSED  ] 1 test.")) << run.output.toStdString();
  EXPECT_FALSE(run.output.contains("SKIPPED")) << run.output.toStdString();
}

using HighDpiPreviewChild = WindowFixture;

TEST_F(HighDpiPreviewChild, PictureHasTheRatioAndTheSheetKeepsItsUnits) {
  if (!IsTestChild() || qEnvironmentVariable("QT_SCALE_FACTOR") != "2")
    GTEST_SKIP() << "part of HighDpiPreview.IsDrawnAtTheScreensRatio, which runs it at ratio 2";
  ASSERT_DOUBLE_EQ(w->Canvas1()->devicePixelRatioF(), 2.0);
  w->txtTitle()->SetText("Amazing Grace");
  w->txtSong()->SetText("[G]Amazing grace how sweet the sound");
  ASSERT_TRUE(w->pImage());
  const Picture& picture = *w->pImage();
  EXPECT_DOUBLE_EQ(picture.Ratio(), 2.0);
  EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(576, 756));
  EXPECT_EQ(picture.Image().size(), QSize(1152, 1512));
  const QImage& img = picture.Image();

  // The centre line: the unit at 288, two pixels wide here.
  EXPECT_TRUE(Grey(img.pixel(576, 1400)) && Grey(img.pixel(577, 1400))) << std::hex << img.pixel(576, 1400);
  EXPECT_EQ(img.pixel(575, 1400), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(578, 1400), qRgb(255, 255, 255));

  // The same page drawn at ratio 1: the title's ink lies at half the coordinates.
  Picture one(576, 756, 1.0);
  {
    auto g = one.NewGraphics();
    w->RenderSheet(*g, w->CurrentPageNumber());
  }
  const QRect title1 = Ink(one.Image(), QRect(0, 0, 280, 24)), title2 = Ink(img, QRect(0, 0, 560, 48));
  ASSERT_FALSE(title1.isEmpty());
  EXPECT_NEAR(title2.left(), 2 * title1.left(), 2);
  EXPECT_NEAR(title2.top(), 2 * title1.top(), 2);
  EXPECT_NEAR(title2.right() + 1, 2 * (title1.right() + 1), 2);
  EXPECT_NEAR(title2.bottom() + 1, 2 * (title1.bottom() + 1), 2);

  // The canvas shows the picture pixel for pixel, inside a frame one unit (two pixels) wide.
  const QImage shown = w->Canvas1()->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(1152, 1512));
  for (const QPoint p :
       {QPoint(0, 0), QPoint(1, 1), QPoint(1150, 1510), QPoint(1151, 1511), QPoint(600, 1), QPoint(1, 700)})
    EXPECT_TRUE(Black(shown.pixel(p))) << p.x() << "," << p.y();
  EXPECT_EQ(shown.pixel(2, 2), qRgb(255, 255, 255));
  EXPECT_EQ(shown.pixel(1149, 1509), qRgb(255, 255, 255));
  EXPECT_TRUE(Grey(shown.pixel(577, 1400)));
  EXPECT_EQ(Ink(shown, QRect(2, 2, 558, 46)), title2);
}
