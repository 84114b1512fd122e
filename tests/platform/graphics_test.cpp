#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/core/errors.h"
#include "support/doubles/recording_graphics.h"
#include "platform/desktop/font.h"
#include "platform/desktop/painter_graphics.h"
#include "platform/desktop/picture.h"

TEST(Picture, IsWhiteAt72DpiWithinItsBounds) {
  Picture p(576, 756);
  EXPECT_EQ(p.Width(), 576);
  EXPECT_EQ(p.Height(), 756);
  EXPECT_EQ(p.Image().dotsPerMeterX(), 2835);
  EXPECT_EQ(p.Image().pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(p.Image().pixel(575, 755), qRgb(255, 255, 255));
  EXPECT_EQ(p.Image().depth(), 32);
  EXPECT_THROW(Picture(0, 10), OutOfBoundsException);
  EXPECT_THROW(Picture(10, -1), OutOfBoundsException);
  EXPECT_THROW(Picture(32768, 1), OutOfBoundsException);
  EXPECT_NO_THROW(Picture(32767, 1));
}

TEST(SheetFont, ResolvesToTheFamilyAskedFor) {
  QFont f = SheetFont(12, false);
  EXPECT_EQ(QFontInfo(f).family(), SheetFontFamily());
}

TEST(PainterGraphics, MeasuresInSheetUnitsOnAPicture) {
  Picture p(200, 100);
  auto g = p.NewGraphics();
  g->TextSize(12);
  const double h12 = g->StringHeight("Ag", 4000);
  EXPECT_NEAR(h12, 12 * 1.164, 0.6);  // DejaVu Sans: line height is about 1.16 em
  EXPECT_DOUBLE_EQ(g->StringHeight("", 4000), h12);
  const double w = g->StringWidth("Amazing");
  g->TextSize(24);
  EXPECT_NEAR(g->StringWidth("Amazing"), 2 * w, 0.5);
  g->Bold(true);
  EXPECT_GT(g->StringWidth("Amazing"), 2 * w);
  EXPECT_EQ(g->Width(), 200);
  EXPECT_EQ(g->Height(), 100);
  EXPECT_FALSE(g->NextPage());
}

TEST(PainterGraphics, DrawsTextOnTheBaselineAndLines) {
  Picture p(200, 100);
  {
    auto g = p.NewGraphics();
    g->TextSize(12);
    g->ForeColor(Qt::black);
    g->DrawString("HHHH", 10, 50);
    g->ForeColor(QColor(171, 171, 171));
    g->DrawLine(150, 0, 150, 100);
  }
  const QImage& img = p.Image();
  // Capital H at size 12 is about 8.75 units high: ink between 41 and 50, none below the baseline.
  auto inkInRow = [&](int y) {
    for (int x = 5; x < 60; ++x)
      if (qGray(img.pixel(x, y)) < 128) return true;
    return false;
  };
  EXPECT_TRUE(inkInRow(45));
  EXPECT_FALSE(inkInRow(52));
  EXPECT_FALSE(inkInRow(38));
  // A straight line is one crisp unit wide.
  EXPECT_EQ(img.pixel(150, 50), qRgb(171, 171, 171));
  EXPECT_EQ(img.pixel(149, 50), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(151, 50), qRgb(255, 255, 255));
}

TEST(PainterGraphics, KnowsItsFaceAndHowHighInkRises) {
  Picture p(200, 100);
  auto g = p.NewGraphics();
  g->TextSize(12);
  // The sheet's face draws Latin letters and accents, but no Devanagari and no emoji.
  const struct {
    QString text;
    bool covered;
  } faces[] = {
      {"Amazing [G!3] *grace*", true},
      {"", true},
      {QStringLiteral("Cr\u00E8me a\u0301"), true},
      {QStringLiteral("x \u0928\u092E"), false},
      {QStringLiteral("\U0001F3B8"), false},
  };
  for (const auto& f : faces) EXPECT_EQ(g->FaceCovers(f.text), f.covered) << f.text.toStdString();

  // Capital H rises 8.75 units at size 12; twenty accents stacked on an A rise far above the
  // line's height, and a blank has no ink at all.
  EXPECT_NEAR(g->InkRise("H"), 8.75, 0.3);
  EXPECT_LT(g->InkRise("x"), g->InkRise("H"));
  EXPECT_GT(g->InkRise(QStringLiteral("A") + QString(20, QChar(0x301))), 3 * g->StringHeight("", 4000));
  EXPECT_EQ(g->InkRise(" "), 0.0);
  EXPECT_EQ(g->InkRise(""), 0.0);
  g->TextSize(24);
  EXPECT_NEAR(g->InkRise("H"), 17.5, 0.6);
}

TEST(PainterGraphics, TwelveUnitsAreTwelvePointsInAPdf) {
  QTemporaryDir dir;
  const QString path = dir.filePath("t.pdf");
  {
    QPdfWriter pdf(path);
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QPageSize::Letter));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    PainterGraphics g(&pdf, 612, 792, &pdf);
    g.TextSize(12);
    g.DrawString("Hello", 100, 200);
    EXPECT_EQ(g.Width(), 612);
    EXPECT_TRUE(g.NextPage());
    g.DrawString("Two", 100, 200);
  }
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
  QProcess proc;
  proc.start(pdftotext, {"-bbox", path, "-"});
  ASSERT_TRUE(proc.waitForFinished(20000));
  const QString out = QString::fromUtf8(proc.readAllStandardOutput());
  // <word xMin="100.000000" yMin=... yMax=...>Hello</word>
  QRegularExpression re(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">Hello</word>)re");
  auto m = re.match(out);
  ASSERT_TRUE(m.hasMatch()) << out.toStdString();
  EXPECT_NEAR(m.captured(1).toDouble(), 100, 0.5);
  const double height = m.captured(3).toDouble() - m.captured(2).toDouble();
  EXPECT_NEAR(height, 12 * 1.164, 1.0);
  EXPECT_EQ(out.count("<page "), 2);
}

TEST(RecordingGraphics, RecordsWithInjectedMetrics) {
  RecordingGraphics g;
  g.SetWidthFn([](const QString& t, double, bool) { return 10.0 * t.size(); });
  g.TextSize(16);
  g.Bold(true);
  g.DrawString("T", 1, 2);
  EXPECT_DOUBLE_EQ(g.StringWidth("abc"), 30);
  ASSERT_EQ(g.Strings().size(), 1u);
  EXPECT_EQ(g.Strings()[0].size, 16);
  EXPECT_TRUE(g.Strings()[0].bold);
  g.FailNextPageAt(2);
  EXPECT_TRUE(g.NextPage());
  EXPECT_FALSE(g.NextPage());
  EXPECT_EQ(g.Pages(), 2);
}
