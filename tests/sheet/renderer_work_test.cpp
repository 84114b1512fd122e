// How much measuring one page of the sheet costs: it grows with the lines drawn, never faster,
// and the other pages of the song add nothing to it.
#include <gtest/gtest.h>

#include <QStringList>

#include "support/doubles/recording_graphics.h"
#include "sheet/sheet_renderer.h"

namespace {

// The measuring work asked of a surface: the calls to its width, height, ink and face
// measurements, and the characters they were handed.
struct Work {
  double calls = 0, characters = 0;
};

// A recording surface that counts its measurements; widths are 0.5 × size per character, heights
// the size, and its face lacks "Ω", so that lines holding it are looked at word by word.
struct CountingSurface {
  explicit CountingSurface(int height) : g(576, height) {
    const auto count = [this](const QString& t) {
      ++work.calls;
      work.characters += double(t.size());
    };
    g.SetWidthFn([count](const QString& t, double size, bool) {
      count(t);
      return 0.5 * size * double(t.size());
    });
    g.SetHeightFn([count](const QString& t, double size, bool) {
      count(t);
      return size;
    });
    g.SetInkRiseFn([count](const QString& t, double size, bool) {
      count(t);
      return size;
    });
    g.SetCoversFn([count](const QString& t) {
      count(t);
      return !t.contains(QChar(0x3A9));
    });
  }
  RecordingGraphics g;
  Work work;
};

// A page of song lines of every kind: lyrics with chords and fret values, bold words, captions,
// paragraphs, a letter of another face.
QString PageOf(int lines) {
  QStringList out;
  for (int i = 0; i < lines; ++i) {
    switch (i % 5) {
      case 0:
        out << QStringLiteral("{Verse %1}").arg(i);
        break;
      case 1:
        out << QStringLiteral("[G]Amazing [D/F#]grace how [C!3!2!0]sweet the sound %1").arg(i);
        break;
      case 2:
        out << QStringLiteral("that *saved* a *wretch like* me %1").arg(i);
        break;
      case 3:
        out << QStringLiteral("<once was lost but now am found %1>").arg(i);
        break;
      default:
        out << QStringLiteral("was blind but now %1 ").arg(i) + QChar(0x3A9);
    }
  }
  return out.join(QChar(13));
}

Work Render(const QString& song, int page, int height) {
  CountingSurface surface(height);
  SheetInput in;
  in.title = QStringLiteral("Amazing Grace");
  in.key = QStringLiteral("G");
  in.song = song;
  RenderSheetPage(surface.g, in, page);
  EXPECT_FALSE(surface.g.Strings().empty());
  return surface.work;
}

}  // namespace

TEST(SheetRendererWork, EightTimesTheLinesCostAtMostAboutEightTimesTheMeasuring) {
  // A sheet tall enough for every line, so that each one is drawn.
  const int tall = 100000;
  const Work small = Render(PageOf(200), 1, tall), large = Render(PageOf(1600), 1, tall);
  ASSERT_GT(small.calls, 0);
  EXPECT_LT(large.calls / small.calls, 12.0);
  EXPECT_LT(large.characters / small.characters, 12.0);
}

TEST(SheetRendererWork, TheOtherPagesOfTheSongAddNoMeasuring) {
  const auto song = [](int pages) {
    QStringList out;
    for (int p = 0; p < pages; ++p) out << PageOf(80);
    return out.join(QStringLiteral("+++++"));
  };
  for (const int page : {1, 5}) {
    SCOPED_TRACE(page);
    const Work few = Render(song(10), page, 756), many = Render(song(80), page, 756);
    ASSERT_GT(few.calls, 0);
    // The page label's total ("Page: 5/10" against "Page: 5/80") is the one text that differs.
    EXPECT_EQ(many.calls, few.calls);
    EXPECT_EQ(many.characters, few.characters);
  }
}
