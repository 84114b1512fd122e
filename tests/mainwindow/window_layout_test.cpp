// The window as built from its control table and opened: every row made into its control, the
// places inside the content without overlaps, the focus order, the labels' inputs, and the state
// the Open event leaves.
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
#include <map>
#include <set>
#include <string>

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

const ControlRow* RowNamed(const char* name) {
  for (const ControlRow& row : Window1::ControlTable())
    if (qstrcmp(row.name, name) == 0) return &row;
  return nullptr;
}

// The rows of the controls that have a place in the content (all but the toolbar and the timer).
std::vector<const ControlRow*> PlacedRows() {
  std::vector<const ControlRow*> placed;
  for (const ControlRow& row : Window1::ControlTable())
    if (!row.rect.isEmpty()) placed.push_back(&row);
  return placed;
}

// What the control shows of its row's text: a label's text, a button's caption, the panel's
// title, or the name read out for a control without a text of its own.
QString Shown(QObject* c) {
  if (auto* label = qobject_cast<QLabel*>(c)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(c)) return button->text();
  if (auto* panel = qobject_cast<QGroupBox*>(c)) return panel->title();
  if (qobject_cast<TextField*>(c)) return QString();
  if (auto* widget = qobject_cast<QWidget*>(c)) return widget->accessibleName();
  return QString();
}
}  // namespace

class WindowLayoutInvariants : public WindowFixture {
 protected:
  QWidget* Widget(const ControlRow& row) const { return qobject_cast<QWidget*>(w->_ControlByName(row.name)); }
  QWidget* Content() const { return w->findChild<QWidget*>("Content"); }
};

TEST_F(WindowLayoutInvariants, EveryRowIsOneControlOfItsNameInItsParentAtItsPlace) {
  w->ToggleSettings(true);  // the song text as laid out, beside the panel
  std::set<std::string> names;
  for (const ControlRow& row : Window1::ControlTable()) {
    EXPECT_TRUE(names.insert(row.name).second) << "two rows called " << row.name;
    QObject* c = w->_ControlByName(row.name);
    ASSERT_NE(c, nullptr) << row.name;
    EXPECT_EQ(c->objectName(), row.name);
    if (row.rect.isEmpty()) continue;
    QWidget* widget = Widget(row);
    ASSERT_NE(widget, nullptr) << row.name;
    QObject* parent = *row.parent ? w->_ControlByName(row.parent) : Content();
    ASSERT_NE(parent, nullptr) << row.name << " in " << row.parent;
    EXPECT_EQ(widget->parentWidget(), parent) << row.name;
    const QRect r = InWindow(Content(), widget);
    if (row.kind == ControlKind::Label) {
      // A label may grow to show its whole text, keeping its line.
      EXPECT_EQ(r.topLeft(), row.rect.topLeft()) << row.name;
      EXPECT_EQ(r.height(), row.rect.height()) << row.name;
      EXPECT_GE(r.width(), row.rect.width()) << row.name;
      EXPECT_GE(r.width(), qobject_cast<QLabel*>(widget)->fontMetrics().horizontalAdvance(row.text)) << row.name;
    } else {
      EXPECT_EQ(r, row.rect) << row.name;
    }
  }
  // Hiding the panel hides every control that names it as its parent.
  w->ToggleSettings(false);
  for (const ControlRow* row : PlacedRows())
    if (*row->parent) {
      EXPECT_FALSE(Widget(*row)->isVisibleTo(w)) << row->name;
    }
}

TEST_F(WindowLayoutInvariants, EveryControlShowsItsRowsTextAndValues) {
  // After the Open event: the layout's values are the song's defaults, and the panel is closed.
  for (const ControlRow& row : Window1::ControlTable()) {
    QObject* c = w->_ControlByName(row.name);
    // The page label's layout text gives way to the page number as soon as the window opens.
    if (row.kind != ControlKind::PageLabel) {
      EXPECT_EQ(Shown(c), QString::fromUtf8(row.text)) << row.name;
    }
    if (auto* field = qobject_cast<TextField*>(c)) {
      EXPECT_EQ(field->LimitText(), row.values.limit) << row.name;
      EXPECT_GT(field->LimitText(), 0) << row.name;
      EXPECT_EQ(field->Text(), "") << row.name;
    }
    if (auto* slider = qobject_cast<Slider*>(c)) {
      const auto* layout = std::get_if<LayoutField>(&row.field);
      ASSERT_NE(layout, nullptr) << row.name;
      EXPECT_EQ(slider->Minimum(), layout->range.lo) << row.name;
      EXPECT_EQ(slider->Value(), layout->range.def) << row.name;
      EXPECT_EQ(slider->Maximum(), layout->range.hi) << row.name;
      EXPECT_LE(layout->range.lo, layout->range.def) << row.name;
      EXPECT_LE(layout->range.def, layout->range.hi) << row.name;
      EXPECT_EQ(slider->singleStep(), 1);
      EXPECT_EQ(slider->pageStep(), 1);
      EXPECT_TRUE(slider->hasTracking());
    }
    if (auto* box = qobject_cast<CheckBox*>(c)) {
      EXPECT_TRUE(box->Value()) << row.name;  // the centre line is drawn
    }
    if (auto* toggle = qobject_cast<BevelButton*>(c)) {
      EXPECT_EQ(toggle->Value(), row.values.value != 0) << row.name;
    }
    if (auto* timer = qobject_cast<QTimer*>(c)) {
      EXPECT_TRUE(timer->isSingleShot());
      EXPECT_EQ(timer->interval(), row.values.value);
    }
    if (auto* widget = qobject_cast<QWidget*>(c); widget && !TakesFocus(row.kind)) {
      EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus) << row.name;
    }
  }
  EXPECT_EQ(w->txtSong()->Text(), "");
  EXPECT_TRUE(w->txtSong()->tabChangesFocus());
  EXPECT_TRUE(w->txtSong()->AutomaticallyCheckSpelling());
  const auto tools = w->Toolbar11()->Buttons();
  QStringList captions;
  for (QAction* a : tools) captions << a->text();
  EXPECT_EQ(captions, (QStringList{"Chord", "Caption", "Paragraph", "Frets", "Bold", "Column", "Page"}));
}

TEST_F(WindowLayoutInvariants, EveryControlLiesInsideItsParentAndTheContent) {
  for (bool panelShown : {true, false}) {
    w->ToggleSettings(panelShown);
    for (const ControlRow* row : PlacedRows()) {
      QWidget* c = Widget(*row);
      EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry()))
          << row->name << " sticks out of " << c->parentWidget()->objectName().toStdString()
          << (panelShown ? " with the panel shown" : " with the panel hidden");
      EXPECT_TRUE(Content()->rect().contains(InWindow(Content(), c))) << row->name;
    }
  }
}

TEST_F(WindowLayoutInvariants, NoTwoControlsThatShowTogetherOverlap) {
  for (bool panelShown : {true, false}) {
    w->ToggleSettings(panelShown);
    std::vector<std::pair<const ControlRow*, QWidget*>> shown;
    for (const ControlRow* row : PlacedRows())
      if (Widget(*row)->isVisibleTo(w)) shown.emplace_back(row, Widget(*row));
    for (size_t i = 0; i < shown.size(); ++i) {
      for (size_t j = i + 1; j < shown.size(); ++j) {
        QWidget *a = shown[i].second, *b = shown[j].second;
        if (a->isAncestorOf(b) || b->isAncestorOf(a)) continue;  // the panel holds its controls
        EXPECT_FALSE(InWindow(Content(), a).intersects(InWindow(Content(), b)))
            << shown[i].first->name << " and " << shown[j].first->name << " overlap"
            << (panelShown ? " with the panel shown" : " with the panel hidden");
      }
    }
  }
}

TEST_F(WindowLayoutInvariants, TabVisitsEveryInputOnceInTheTablesOrder) {
  // Within a parent no two controls share a place in the order.
  std::map<std::pair<std::string, int>, const char*> places;
  for (const ControlRow& row : Window1::ControlTable()) {
    if (row.tab < 0) continue;
    const auto [at, fresh] = places.emplace(std::pair{std::string(row.parent), row.tab}, row.name);
    EXPECT_TRUE(fresh) << row.name << " and " << at->second << " share the place " << row.tab;
  }
  // A panel's controls come at their panel's place in the content's order.
  const auto place = [](const ControlRow& row) {
    return *row.parent ? std::pair{RowNamed(row.parent)->tab, row.tab} : std::pair{row.tab, -1};
  };
  std::map<QWidget*, const ControlRow*> inputs;
  for (const ControlRow& row : Window1::ControlTable())
    if (TakesFocus(row.kind)) inputs[Widget(row)] = &row;
  ASSERT_FALSE(inputs.empty());

  // Tab from the first input on, with every control shown.
  const ControlRow* first = nullptr;
  for (const auto& [widget, row] : inputs)
    if (!first || place(*row) < place(*first)) first = row;
  w->ToggleSettings(true);
  QApplication::setActiveWindow(w);
  Widget(*first)->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), Widget(*first));
  std::set<const ControlRow*> visited = {first};
  const ControlRow* previous = first;
  for (size_t i = 1; i < inputs.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const auto found = inputs.find(QApplication::focusWidget());
    ASSERT_NE(found, inputs.end()) << "Tab from " << previous->name << " leaves the inputs";
    const ControlRow* now = found->second;
    EXPECT_TRUE(visited.insert(now).second) << now->name << " comes twice";
    EXPECT_LT(place(*previous), place(*now)) << "Tab goes back from " << previous->name << " to " << now->name;
    previous = now;
  }
  EXPECT_EQ(w->txtSong()->Text(), "");  // Tab in the song text entered nothing
}

TEST_F(WindowLayoutInvariants, EveryLabelNamesAnInputOnItsLine) {
  std::set<std::string> named;
  for (const ControlRow& row : Window1::ControlTable()) {
    if (row.kind != ControlKind::Label) continue;
    const ControlRow* input = RowNamed(row.buddy);
    ASSERT_NE(input, nullptr) << row.name << " names \"" << row.buddy << "\", which is no control";
    EXPECT_TRUE(TakesFocus(input->kind)) << row.name << " names " << input->name << ", which takes no focus";
    EXPECT_TRUE(named.insert(input->name).second) << input->name << " has two labels";
    auto* label = qobject_cast<QLabel*>(Widget(row));
    ASSERT_NE(label, nullptr) << row.name;
    EXPECT_EQ(label->buddy(), Widget(*input)) << row.name;
    // The label stands before its input, on the same line.
    const QRect l = InWindow(Content(), label), i = InWindow(Content(), Widget(*input));
    EXPECT_LT(l.right(), i.left()) << row.name;
    EXPECT_TRUE(l.top() <= i.bottom() && i.top() <= l.bottom()) << row.name << " is not on the line of " << input->name;
  }
  EXPECT_FALSE(named.empty());
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

TEST_F(WindowLayout, OpenEventLeavesPageOneDrawnThePanelClosedAndNothingUnsaved) {
  EXPECT_EQ(Window1::Instance(), w);  // the same window while it is open
  EXPECT_EQ(w->CurrentPageNumber(), 1);
  EXPECT_EQ(w->lblPage()->text(), "Page: 1");
  ASSERT_NE(w->pImage(), nullptr);
  EXPECT_EQ(QSize(w->pImage()->Width(), w->pImage()->Height()), QSize(576, 756));
  EXPECT_FALSE(w->Modified());
  EXPECT_FALSE(w->isWindowModified());
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
