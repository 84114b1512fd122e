// The window as built and opened: its size, the forty controls' places, texts, ranges and focus
// order, and the state the Open event leaves.
#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include "platform/desktop/controls/bevel_button.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/controls/up_down_arrows.h"
#include "platform/desktop/picture.h"
#include "platform/desktop/screen_fit_view.h"
#include "support/child_run.h"
#include "shell/toolbar1.h"
#include "window_fixture.h"

using WindowLayout = WindowFixture;

namespace {
QRect InWindow(QWidget* content, QWidget* w) { return QRect(w->mapTo(content, QPoint(0, 0)), w->size()); }
}  // namespace

TEST_F(WindowLayout, EveryControlSitsAtItsPlaceInTheContent) {
  const struct {
    const char* name;
    int left, top, width, height;
  } places[] = {
      {"Canvas1", 408, 17, 576, 756},
      {"Label2", 20, 17, 36, 20},
      {"txtTitle", 68, 17, 328, 22},
      {"txtCapo", 68, 45, 38, 22},
      {"Label3", 20, 45, 36, 20},
      {"txtKey", 159, 45, 38, 22},
      {"Label4", 123, 45, 30, 20},
      {"txtSong", 20, 79, 376, 628},
      {"txtTiming", 261, 45, 38, 22},
      {"Label11", 213, 45, 45, 20},
      {"txtTempo", 358, 45, 38, 22},
      {"Label12", 310, 45, 45, 20},
      {"cbCenterLine", 149, 722, 141, 20},
      {"UpDownArrows1", 383, 720, 13, 23},
      {"lblPage", 302, 722, 75, 20},
      {"GroupBox1", 20, 441, 376, 267},
      {"Label1", 134, 462, 58, 16},
      {"Label5", 134, 497, 58, 16},
      {"Label6", 134, 532, 77, 16},
      {"Label10", 134, 567, 77, 16},
      {"Label7", 134, 602, 58, 16},
      {"Label8", 134, 637, 58, 16},
      {"Label9", 134, 672, 67, 16},
      {"sldrRowHeight", 226, 671, 147, 24},
      {"sldrFretOffset", 226, 635, 147, 28},
      {"sldrFrets", 226, 602, 147, 25},
      {"sldrChordOffset", 226, 567, 147, 27},
      {"sldrChords", 226, 532, 147, 27},
      {"sldrWordSize", 226, 497, 147, 27},
      {"sldrSpacing", 226, 462, 147, 27},
      {"PushButton1", 32, 459, 90, 22},
      {"PushButton2", 32, 494, 90, 22},
      {"PushButton3", 32, 529, 90, 22},
      {"PushButton4", 32, 564, 90, 22},
      {"PushButton5", 32, 599, 90, 22},
      {"PushButton7", 32, 634, 90, 22},
      {"PushButton6", 32, 669, 90, 22},
      {"BevelButton1", 20, 722, 99, 22},
  };
  QWidget* content = w->findChild<QWidget*>("Content");
  ASSERT_EQ(content->size(), QSize(1004, 790));
  for (const auto& p : places) {
    auto* c = qobject_cast<QWidget*>(w->_ControlByName(p.name));
    ASSERT_NE(c, nullptr) << p.name;
    const QRect r = InWindow(content, c);
    if (auto* label = qobject_cast<QLabel*>(c); label && label->parentWidget() == w->GroupBox1()) {
      // A panel label may grow to show its whole text, never past the sliders' column.
      EXPECT_EQ(r.topLeft(), QPoint(p.left, p.top)) << p.name;
      EXPECT_EQ(r.height(), p.height) << p.name;
      EXPECT_GE(r.width(), p.width) << p.name;
      EXPECT_GE(r.width(), label->fontMetrics().horizontalAdvance(label->text())) << p.name;
      EXPECT_LT(r.right(), 226) << p.name;
    } else {
      EXPECT_EQ(r, QRect(p.left, p.top, p.width, p.height)) << p.name;
    }
  }
  // The panel's twenty-one controls are inside it, so that hiding it hides them.
  for (const char* inside : {"Label1", "Label9", "sldrSpacing", "sldrRowHeight", "PushButton1", "PushButton6"})
    EXPECT_EQ(qobject_cast<QWidget*>(w->_ControlByName(inside))->parentWidget(), w->GroupBox1()) << inside;
  // Every name resolves, in the order the controls are made.
  ASSERT_EQ(Window1::ControlNames().size(), 40u);
  for (const QString& name : Window1::ControlNames()) EXPECT_NE(w->_ControlByName(name), nullptr) << name.toStdString();
}

TEST_F(WindowLayout, TextsLimitsRangesAndDefaults) {
  const struct {
    QWidget* label;
    const char* text;
  } labels[] = {{w->Label2(), "Title:"},    {w->Label3(), "Capo:"},       {w->Label4(), "Key:"},
                {w->Label11(), "Timing:"},  {w->Label12(), "Tempo:"},     {w->Label1(), "Spacing"},
                {w->Label5(), "Word Size"}, {w->Label6(), "Chord Size"},  {w->Label10(), "Chord Offset"},
                {w->Label7(), "Fret Size"}, {w->Label8(), "Fret Offset"}, {w->Label9(), "Row Height"}};
  for (const auto& l : labels) EXPECT_EQ(qobject_cast<QLabel*>(l.label)->text(), l.text);
  const struct {
    QAbstractButton* button;
    const char* caption;
  } buttons[] = {
      {w->PushButton1(), "Chord"},        {w->PushButton2(), "Caption"},   {w->PushButton3(), "Paragraph"},
      {w->PushButton4(), "Insert Frets"}, {w->PushButton5(), "Bold"},      {w->PushButton7(), "Column"},
      {w->PushButton6(), "Page"},         {w->BevelButton1(), "Settings"}, {w->cbCenterLine(), "Draw Center Line"}};
  for (const auto& b : buttons) EXPECT_EQ(b.button->text(), b.caption);

  const struct {
    TextField* field;
    int limit;
  } fields[] = {{w->txtTitle(), 140}, {w->txtCapo(), 10}, {w->txtKey(), 10}, {w->txtTiming(), 10}, {w->txtTempo(), 10}};
  for (const auto& f : fields) {
    EXPECT_EQ(f.field->LimitText(), f.limit);
    EXPECT_EQ(f.field->Text(), "");
  }
  const struct {
    Slider* slider;
    int minimum, value, maximum;
  } sliders[] = {{w->sldrSpacing(), 2, 5, 10},       {w->sldrWordSize(), 8, 12, 14}, {w->sldrChords(), 8, 12, 14},
                 {w->sldrChordOffset(), 10, 13, 20}, {w->sldrFrets(), 4, 7, 10},     {w->sldrFretOffset(), 8, 22, 35},
                 {w->sldrRowHeight(), 20, 27, 45}};
  for (const auto& s : sliders) {
    EXPECT_EQ(s.slider->Minimum(), s.minimum);
    EXPECT_EQ(s.slider->Value(), s.value);
    EXPECT_EQ(s.slider->Maximum(), s.maximum);
    EXPECT_EQ(s.slider->singleStep(), 1);
    EXPECT_EQ(s.slider->pageStep(), 1);
    EXPECT_TRUE(s.slider->hasTracking());
  }
  EXPECT_TRUE(w->cbCenterLine()->Value());
  EXPECT_EQ(w->txtSong()->Text(), "");
  EXPECT_TRUE(w->txtSong()->tabChangesFocus());
  EXPECT_TRUE(w->txtSong()->AutomaticallyCheckSpelling());
  EXPECT_EQ(w->Canvas1()->focusPolicy(), Qt::NoFocus);
  EXPECT_TRUE(w->Timer1()->isSingleShot());
  EXPECT_EQ(w->Timer1()->interval(), 50);
  const auto tools = w->Toolbar11()->Buttons();
  QStringList captions;
  for (QAction* a : tools) captions << a->text();
  EXPECT_EQ(captions, (QStringList{"Chord", "Caption", "Paragraph", "Frets", "Bold", "Column", "Page"}));
}

TEST_F(WindowLayout, FontsAreTheSystemFontAtTwelvePixelsAndTheButtonsAtThePlatformsSize) {
  const std::vector<QWidget*> twelve = {
      w->Label2(),  w->Label3(),       w->Label4(),    w->Label11(),     w->Label12(),   w->lblPage(),
      w->Label1(),  w->Label5(),       w->Label6(),    w->Label10(),     w->Label7(),    w->Label8(),
      w->Label9(),  w->txtTitle(),     w->txtCapo(),   w->txtKey(),      w->txtTiming(), w->txtTempo(),
      w->txtSong(), w->cbCenterLine(), w->GroupBox1(), w->BevelButton1()};
  for (QWidget* c : twelve) EXPECT_EQ(c->font().pixelSize(), 12) << c->objectName().toStdString();
  // The panel's marker buttons keep the platform's size for buttons, not the panel's.
  const QFont platform = QApplication::font("QPushButton");
  for (QWidget* b : {w->PushButton1(), w->PushButton2(), w->PushButton3(), w->PushButton4(), w->PushButton5(),
                     w->PushButton7(), w->PushButton6()}) {
    EXPECT_EQ(b->font().pixelSize(), platform.pixelSize()) << b->objectName().toStdString();
    EXPECT_EQ(b->font().pointSizeF(), platform.pointSizeF()) << b->objectName().toStdString();
  }
}

TEST_F(WindowLayout, FocusRunsThroughTheFieldsTheSongAndThePanel) {
  const std::vector<QWidget*> order = {w->txtTitle(),      w->txtCapo(),        w->txtKey(),       w->txtTiming(),
                                       w->txtTempo(),      w->txtSong(),        w->cbCenterLine(), w->UpDownArrows1(),
                                       w->sldrRowHeight(), w->sldrFretOffset(), w->sldrFrets(),    w->sldrChordOffset(),
                                       w->sldrChords(),    w->sldrWordSize(),   w->sldrSpacing(),  w->PushButton1(),
                                       w->PushButton2(),   w->PushButton3(),    w->PushButton4(),  w->PushButton5(),
                                       w->PushButton7(),   w->PushButton6(),    w->BevelButton1()};
  w->ToggleSettings(true);
  QApplication::setActiveWindow(w);
  order.front()->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), order.front());
  for (size_t i = 1; i < order.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after " << order[i - 1]->objectName().toStdString();
  }
  EXPECT_EQ(w->txtSong()->Text(), "");  // Tab in the song text entered nothing
}

TEST_F(WindowLayout, OpenEventLeavesPageOneDrawnThePanelClosedAndNothingUnsaved) {
  EXPECT_EQ(Window1::Instance(), w);  // the same window while it is open
  EXPECT_EQ(w->CurrentPageNumber(), 1);
  EXPECT_EQ(w->lblPage()->text(), "Page: 1");
  ASSERT_NE(w->pImage(), nullptr);
  EXPECT_EQ(QSize(w->pImage()->Width(), w->pImage()->Height()), QSize(576, 756));
  EXPECT_FALSE(w->Modified());
  EXPECT_FALSE(w->isWindowModified());
  EXPECT_FALSE(w->isOpening());
  EXPECT_EQ(w->myDPI(), 72.0);
  EXPECT_FALSE(w->myFile().has_value());
  EXPECT_EQ(w->myPrinterSetup(), nullptr);
  EXPECT_EQ(w->Title(), "Harmonote");
  EXPECT_TRUE(w->GroupBox1()->isHidden());
  EXPECT_FALSE(w->BevelButton1()->Value());
  EXPECT_FALSE(w->mnuSettings()->Checked());
  EXPECT_FALSE(w->Toolbar11()->isHidden());
  // Not resizable: the window is fixed to its content, menu bar and toolbar.
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(WindowLayout, ContentStaysTheSameSizeWithAndWithoutTheToolbar) {
  // The screen holds the whole window: the view over the content is the content's size.
  auto* view = w->findChild<ScreenFitView*>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->size(), QSize(1004, 790));
  EXPECT_FALSE(view->Scrolls());
  EXPECT_FALSE(view->verticalScrollBar()->isVisible());
  EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
  w->Toolbar11()->setVisible(false);
  w->adjustSize();
  EXPECT_EQ(w->findChild<QWidget*>("Content")->size(), QSize(1004, 790));
  EXPECT_EQ(w->Canvas1()->size(), QSize(576, 756));
  w->Toolbar11()->setVisible(true);
  w->adjustSize();
  EXPECT_EQ(w->findChild<QWidget*>("Content")->size(), QSize(1004, 790));
}

TEST_F(WindowLayout, AClosedWindowIsReplacedByAFreshOne) {
  w->txtTitle()->SetText("Old song");
  w->Modified(false);  // nothing to ask about on close
  ASSERT_TRUE(w->close());
  EXPECT_EQ(Window1::Existing(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  Window1* fresh = Window1::Instance();
  EXPECT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->txtTitle()->Text(), "");
  EXPECT_EQ(fresh->CurrentPageNumber(), 1);
  EXPECT_FALSE(fresh->Modified());
  w = fresh;
}

class WindowWithHiddenToolbar : public WindowFixture {
  void PrepareSettings() override { Module1::myINI->SetPreference("Toolbar", "Visible", "0"); }
};

TEST_F(WindowWithHiddenToolbar, OpensWithTheToolbarHidden) { EXPECT_TRUE(w->Toolbar11()->isHidden()); }

// A laptop screen and a netbook screen, both smaller than the window: each run makes the window in
// a child process whose offscreen screen has that size (SmallScreenChild).
TEST(SmallScreen, TheWindowFitsAndEveryControlCanBeReached) {
  for (const QSize screen : {QSize(1366, 768), QSize(1024, 600)}) {
    QProcessEnvironment env;
    env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + OffscreenScreenFile(screen.width(), screen.height()));
    const ChildRun run = RunTestsInChild("SmallScreenChild.*", env, 120000);
    EXPECT_TRUE(run.finished) << run.output.toStdString();
    EXPECT_EQ(run.status, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("[  PASSED  ] 1 test.")) << run.output.toStdString();
    EXPECT_FALSE(run.output.contains("SKIPPED")) << run.output.toStdString();
  }
}

using SmallScreenChild = WindowFixture;

TEST_F(SmallScreenChild, WindowFitsTheScreenAndScrollsToEachControl) {
  if (!IsTestChild() || w->screen()->availableGeometry().height() >= 874)
    GTEST_SKIP() << "part of SmallScreen.TheWindowFitsAndEveryControlCanBeReached, which runs it on small screens";
  QApplication::processEvents();
  const QRect available = w->screen()->availableGeometry();
  EXPECT_TRUE(available.contains(w->frameGeometry()))
      << "window " << w->frameGeometry().width() << "x" << w->frameGeometry().height();
  // Still one fixed size, and the layout inside whole.
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  EXPECT_EQ(w->findChild<QWidget*>("Content")->size(), QSize(1004, 790));
  auto* view = w->findChild<ScreenFitView*>();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->Scrolls());
  w->ToggleSettings(true);
  QApplication::setActiveWindow(w);
  // Tabbing through the controls brings each one into sight.
  const std::vector<QWidget*> focusable = {w->txtTitle(),      w->txtSong(),     w->cbCenterLine(), w->UpDownArrows1(),
                                           w->sldrRowHeight(), w->PushButton6(), w->BevelButton1()};
  for (QWidget* c : focusable) {
    c->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    const QRect shown(c->mapTo(view->viewport(), QPoint(0, 0)), c->size());
    EXPECT_TRUE(view->viewport()->rect().contains(shown)) << c->objectName().toStdString();
  }
  // The bottom row and the end of the preview can be scrolled to and used with the mouse.
  view->ensureWidgetVisible(w->BevelButton1());
  QApplication::processEvents();
  QTest::mouseClick(w->BevelButton1(), Qt::LeftButton);
  EXPECT_TRUE(w->GroupBox1()->isHidden());
  view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
  view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
  const QRect preview(w->Canvas1()->mapTo(view->viewport(), QPoint(0, 0)), w->Canvas1()->size());
  EXPECT_TRUE(view->viewport()->rect().contains(preview.bottomRight()));
}
