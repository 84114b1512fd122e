// The live preview: what redraws, what it marks, what the picture shows, paging, the canvas
// paint and the title.
#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QScreen>
#include <QWindow>

#include "support/doubles/recording_graphics.h"
#include "platform/desktop/controls/bevel_button.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/picture.h"
#include "window_fixture.h"

using WindowPreview = WindowFixture;

namespace {
// A grey pixel: neither white nor black, no colour cast.
bool Grey(QRgb p) { return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) > 0x80 && qRed(p) < 0xF0; }

bool AnyPixel(const QImage& img, const QRect& r, const std::function<bool(QRgb)>& test) {
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (test(img.pixel(x, y))) return true;
  return false;
}
}  // namespace

TEST_F(WindowPreview, EveryChangeOfASongFieldRedrawsAndMarksTheSongModifiedWhenItChanged) {
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"title", [&] { w->txtTitle()->SetText("Amazing Grace"); }},
      {"capo", [&] { w->txtCapo()->SetText("2"); }},
      {"key", [&] { w->txtKey()->SetText("G"); }},
      {"timing", [&] { w->txtTiming()->SetText("3/4"); }},
      {"tempo", [&] { w->txtTempo()->SetText("80"); }},
      {"song", [&] { w->txtSong()->SetText("[G]Amazing grace"); }},
      {"centre line", [&] { w->cbCenterLine()->SetValue(false); }},
      {"spacing", [&] { w->sldrSpacing()->SetValue(6); }},
      {"word size", [&] { w->sldrWordSize()->SetValue(13); }},
      {"chord size", [&] { w->sldrChords()->SetValue(9); }},
      {"chord offset", [&] { w->sldrChordOffset()->SetValue(11); }},
      {"fret size", [&] { w->sldrFrets()->SetValue(5); }},
      {"fret offset", [&] { w->sldrFretOffset()->SetValue(9); }},
      {"row height", [&] { w->sldrRowHeight()->SetValue(30); }},
  };
  for (const auto& [what, change] : changes) {
    w->Modified(false);
    const auto before = w->pImage();
    change();
    EXPECT_NE(w->pImage(), before) << what;
    EXPECT_TRUE(w->Modified()) << what;
    EXPECT_TRUE(w->isWindowModified()) << what;
  }
  // The same values again change nothing a save would write (the song text is assigned again,
  // and redrawn, all the same).
  for (const auto& [what, change] : changes) {
    w->Modified(false);
    change();
    EXPECT_FALSE(w->Modified()) << what << " unchanged";
    EXPECT_FALSE(w->isWindowModified()) << what << " unchanged";
  }
}

TEST_F(WindowPreview, TypingRedrawsAfterEachKeyWithTheNewText) {
  w->Modified(false);
  w->txtSong()->setFocus();
  std::vector<std::shared_ptr<Picture>> pictures;
  for (const char* key : {"a", "b", "c"}) {
    QTest::keyClicks(w->txtSong(), key);
    pictures.push_back(w->pImage());
  }
  EXPECT_NE(pictures[0], pictures[1]);
  EXPECT_NE(pictures[1], pictures[2]);
  EXPECT_EQ(w->txtSong()->Text(), "abc");
  EXPECT_TRUE(w->Modified());
}

TEST_F(WindowPreview, NothingRedrawsOrIsMarkedWhileOpening) {
  w->Modified(false);
  const auto before = w->pImage();
  w->State().SetOpening(true);
  w->txtTitle()->SetText("x");
  w->txtSong()->SetText("y");
  w->sldrRowHeight()->SetValue(40);
  w->cbCenterLine()->SetValue(false);
  w->doDrawing();
  EXPECT_EQ(w->pImage(), before);
  EXPECT_FALSE(w->Modified());
}

TEST_F(WindowPreview, PictureIsWhiteWithBlackTextAndAGreyCentreLine) {
  w->txtTitle()->SetText("Amazing Grace");
  w->txtSong()->SetText("[G]Amazing grace how sweet the sound");
  const QImage img = w->pImage()->Image();
  ASSERT_EQ(img.size(), QSize(576, 756));
  EXPECT_EQ(img.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(570, 300), qRgb(255, 255, 255));
  EXPECT_TRUE(Grey(img.pixel(288, 700))) << std::hex << img.pixel(288, 700);
  EXPECT_TRUE(Grey(img.pixel(288, 2)));
  EXPECT_TRUE(AnyPixel(img, QRect(10, 4, 120, 16), [](QRgb p) { return qGray(p) < 60; }));  // the title

  w->cbCenterLine()->SetValue(false);
  EXPECT_EQ(w->pImage()->Image().pixel(288, 700), qRgb(255, 255, 255));
}

// A redraw draws again on the picture it has while nobody else holds it: nothing of the sheet
// before may stay on it.
TEST_F(WindowPreview, ARedrawInPlaceLeavesNothingOfTheSheetBefore) {
  w->txtTitle()->SetText("Amazing Grace");
  w->txtSong()->SetText("[G]Amazing grace how sweet the sound");
  const QImage first = w->pImage()->Image().copy();
  const Picture* picture = w->pImage().get();
  w->txtTitle()->SetText("Another title, longer than the first one");
  w->txtSong()->SetText("{Chorus}\r[D]Through many dangers, toils and snares\r-----\rsecond column");
  EXPECT_EQ(w->pImage().get(), picture);
  EXPECT_NE(w->pImage()->Image(), first);
  w->txtTitle()->SetText("Amazing Grace");
  w->txtSong()->SetText("[G]Amazing grace how sweet the sound");
  EXPECT_EQ(w->pImage().get(), picture);
  EXPECT_EQ(w->pImage()->Image(), first);
}

TEST_F(WindowPreview, CanvasPaintsThePictureInsideABlackFrame) {
  w->txtSong()->SetText("words");
  const QImage shown = w->Canvas1()->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(576, 756));
  for (const QPoint p :
       {QPoint(0, 0), QPoint(575, 0), QPoint(0, 755), QPoint(575, 755), QPoint(300, 0), QPoint(0, 400)})
    EXPECT_EQ(shown.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
  EXPECT_EQ(shown.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_TRUE(Grey(shown.pixel(288, 700)));

  // Without a picture only the frame is drawn.
  w->DropPreview();
  RecordingGraphics g(576, 756);
  w->Canvas1_Paint(w->Canvas1(), g);
  ASSERT_EQ(g.Ops().size(), 1u);
  EXPECT_EQ(g.Ops()[0].kind, RecordingGraphics::Op::Rect);
  EXPECT_EQ(g.Ops()[0].color, QColor(0, 0, 0));
}

TEST_F(WindowPreview, PageArrowsStayWithinTheSongAndLeaveTheFlag) {
  w->txtSong()->SetText("one\r+++++\rtwo\r+++++\rthree");
  ASSERT_EQ(w->TotalPages(), 3);
  const struct {
    bool down;
    int page;
  } steps[] = {{false, 1}, {true, 2}, {true, 3}, {true, 3}, {false, 2}, {false, 1}, {false, 1}};
  for (const auto& s : steps) {
    w->Modified(false);
    if (s.down) {
      w->UpDownArrows1_Down(w->UpDownArrows1());
    } else {
      w->UpDownArrows1_Up(w->UpDownArrows1());
    }
    EXPECT_EQ(w->CurrentPageNumber(), s.page);
    EXPECT_EQ(w->lblPage()->text(), QStringLiteral("Page: %1").arg(s.page));
    EXPECT_FALSE(w->Modified());
  }
  // The arrows widget itself: the upper half goes back, the lower half on.
  w->UpDownArrows1()->setFocus();
  QTest::mouseClick(w->UpDownArrows1(), Qt::LeftButton, {}, QPoint(6, 18));
  EXPECT_EQ(w->CurrentPageNumber(), 2);
  QTest::mouseClick(w->UpDownArrows1(), Qt::LeftButton, {}, QPoint(6, 3));
  EXPECT_EQ(w->CurrentPageNumber(), 1);
}

TEST_F(WindowPreview, PageCountFollowsTheMarkers) {
  const struct {
    const char* song;
    int pages;
  } cases[] = {{"", 1}, {"no marker", 1}, {"+++++", 2}, {"a+++++", 2}, {"a+++++++++++b", 3}, {"a\r+++++\rb+++++c", 3}};
  for (const auto& c : cases) {
    w->txtSong()->SetText(c.song);
    EXPECT_EQ(w->TotalPages(), c.pages) << c.song;
  }
  w->txtSong()->SetText("");
  w->UpDownArrows1_Down(w->UpDownArrows1());
  EXPECT_EQ(w->CurrentPageNumber(), 1);
}

TEST_F(WindowPreview, RemovingThePageMarkersWhileOnPageThreeShowsPageOne) {
  w->txtSong()->SetText("one\r+++++\rtwo\r+++++\rthree");
  w->UpDownArrows1_Down(w->UpDownArrows1());
  w->UpDownArrows1_Down(w->UpDownArrows1());
  ASSERT_EQ(w->CurrentPageNumber(), 3);
  w->txtSong()->SetText("one\rtwo\rthree");
  EXPECT_EQ(w->CurrentPageNumber(), 1);
  EXPECT_EQ(w->lblPage()->text(), "Page: 1");
  // Deleting one marker while on the last page moves to the new last page.
  w->txtSong()->SetText("one\r+++++\rtwo\r+++++\rthree");
  w->UpDownArrows1_Down(w->UpDownArrows1());
  w->UpDownArrows1_Down(w->UpDownArrows1());
  w->txtSong()->SetSelStart(w->txtSong()->Text().indexOf("+++++"));
  w->txtSong()->SetSelLength(5);
  w->txtSong()->SetSelText("");
  EXPECT_EQ(w->CurrentPageNumber(), 2);
  EXPECT_EQ(w->lblPage()->text(), "Page: 2");
}

TEST_F(WindowPreview, SettingsPanelTogglesBothWays) {
  const struct {
    bool show;
    int height;
  } looks[] = {{true, 350}, {true, 350}, {false, 628}, {false, 628}, {true, 350}};
  for (const auto& l : looks) {
    w->Modified(false);
    const auto before = w->pImage();
    w->ToggleSettings(l.show);
    EXPECT_EQ(!w->GroupBox1()->isHidden(), l.show);
    EXPECT_EQ(w->sldrSpacing()->isVisible(), l.show);
    EXPECT_EQ(w->txtSong()->height(), l.height);
    EXPECT_EQ(w->txtSong()->y(), 79);
    EXPECT_EQ(w->BevelButton1()->Value(), l.show);
    EXPECT_EQ(w->mnuSettings()->Checked(), l.show);
    EXPECT_EQ(w->pImage(), before);  // neither a redraw
    EXPECT_FALSE(w->Modified());     // nor a change
  }
  // The button flips it, and its handler gets the new value.
  QTest::mouseClick(w->BevelButton1(), Qt::LeftButton);
  EXPECT_TRUE(w->GroupBox1()->isHidden());
  EXPECT_FALSE(w->mnuSettings()->Checked());
  QTest::mouseClick(w->BevelButton1(), Qt::LeftButton);
  EXPECT_FALSE(w->GroupBox1()->isHidden());
  EXPECT_EQ(w->sldrRowHeight()->Value(), 27);
}

TEST_F(WindowPreview, MonospacedFontIsSetAgainOnEveryChangeWhileTheItemIsChecked) {
  w->txtSong()->SetText("a");
  EXPECT_EQ(w->txtSong()->TextFont(), "System");
  w->mnuShowMono()->SetChecked(true);
  w->txtSong()->SetTextFont("System");
  w->txtSong()->SetText("b");
  EXPECT_EQ(w->txtSong()->TextFont(), "Courier");
}

TEST_F(WindowPreview, TitleAndModifiedMarkerAreKeptApart) {
  const struct {
    const char* text;
    const char* title;
  } cases[] = {
      {"", "Harmonote"}, {"   ", "Harmonote"}, {" Song", "Harmonote -  Song"}, {"A [*] B", "Harmonote - A [*] B"}};
  w->winId();
  for (const auto& c : cases) {
    w->SetTitle(c.text);
    w->Modified(true);
    EXPECT_EQ(w->Title(), c.title);
    EXPECT_TRUE(w->windowHandle()->title().startsWith(QString(c.title))) << w->windowHandle()->title().toStdString();
    w->Modified(false);
    EXPECT_EQ(w->windowHandle()->title(), QString(c.title));
  }
  EXPECT_EQ(w->dpiScale(), 1.0);
  w->State().SetDpi(144.0);
  EXPECT_EQ(w->dpiScale(), 2.0);
  w->State().SetDpi(72.0);
}

namespace {
// What the window shows of its canvas now: the canvas' part of the window's backing store, as
// painted so far (not painted afresh, as grab() would).
QImage CanvasOnScreen(Window1* w) {
  QCoreApplication::processEvents();
  const QPoint at = w->Canvas1()->mapTo(w, QPoint(0, 0));
  const QSize size = w->Canvas1()->size();
  return w->windowHandle()->screen()->grabWindow(w->winId(), at.x(), at.y(), size.width(), size.height()).toImage();
}
}  // namespace

// A redraw repaints only the rows of the canvas that changed, and the canvas covers what lies
// under it: after each change the window must show exactly what a full repaint shows.
TEST_F(WindowPreview, TheCanvasShowsTheNewSheetAfterEveryKindOfChange) {
  w->txtTitle()->SetText("Amazing Grace");
  w->txtSong()->SetText("[G]Amazing grace\rhow sweet [D]the sound\r+++++\rthat saved\ra wretch like me");
  QCoreApplication::processEvents();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  const auto shown = [&](const char* what) {
    EXPECT_EQ(CanvasOnScreen(w), w->Canvas1()->grab().toImage().convertToFormat(QImage::Format_RGB32)) << what;
  };
  shown("opened");
  w->txtSong()->setFocus();
  w->txtSong()->SetSelStart(20);
  QTest::keyClicks(w->txtSong(), "xyz");
  shown("typed in the second line");
  QTest::keyClick(w->txtSong(), Qt::Key_Return);
  shown("a line split: the lines below move down");
  w->txtTitle()->SetText("A title");
  shown("title");
  w->cbCenterLine()->SetValue(!w->cbCenterLine()->Value());
  shown("centre line");
  w->UpDownArrows1_Down(w->UpDownArrows1());
  shown("next page");
  // A picture somebody holds is not drawn on: the redraw makes a new one.
  const auto held = w->pImage();
  w->txtSong()->SetSelStart(0);
  QTest::keyClicks(w->txtSong(), "q");
  EXPECT_NE(w->pImage(), held);
  shown("redrawn on a new picture");
  // Without a picture the canvas shows the window's background inside its frame.
  const QImage sheet = CanvasOnScreen(w);
  w->DropPreview();
  const QImage dropped = CanvasOnScreen(w);
  EXPECT_EQ(dropped, w->Canvas1()->grab().toImage().convertToFormat(QImage::Format_RGB32));
  EXPECT_NE(dropped.pixel(5, 5), sheet.pixel(5, 5));
}
