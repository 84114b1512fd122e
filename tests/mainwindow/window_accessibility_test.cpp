// What assistive technology reads of the window and the tool dialogs, and what its actions do:
// every input named after its label, the preview named and described with the page it shows, the
// page arrows a spin button over the pages, the Settings button's toggle showing the panel.
#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

#include "shell/dialogs/frm_replace.h"
#include "shell/dialogs/frm_search.h"
#include "shell/dialogs/frm_transpose.h"
#include "window_fixture.h"

namespace {
QString Read(QObject* o, QAccessible::Text what) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
  return a ? a->text(what) : QStringLiteral("<none>");
}

// The label that the accessible tree relates to the input, if any.
QString LabelledBy(QObject* o) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
  if (!a) return {};
  for (const auto& [other, relation] : a->relations(QAccessible::Label)) return other->text(QAccessible::Name);
  return {};
}
}  // namespace

using WindowAccessibility = WindowFixture;

TEST_F(WindowAccessibility, EveryInputIsNamedAfterItsLabel) {
  const struct {
    QWidget* input;
    const char* name;
    bool labelled;
  } inputs[] = {{w->txtTitle(), "Title:", true},
                {w->txtCapo(), "Capo:", true},
                {w->txtKey(), "Key:", true},
                {w->txtTiming(), "Timing:", true},
                {w->txtTempo(), "Tempo:", true},
                {w->txtSong(), "Song text", false},
                {w->sldrSpacing(), "Spacing", true},
                {w->sldrWordSize(), "Word Size", true},
                {w->sldrChords(), "Chord Size", true},
                {w->sldrChordOffset(), "Chord Offset", true},
                {w->sldrFrets(), "Fret Size", true},
                {w->sldrFretOffset(), "Fret Offset", true},
                {w->sldrRowHeight(), "Row Height", true},
                {w->UpDownArrows1(), "Page arrows", false}};
  for (const auto& i : inputs) {
    EXPECT_EQ(Read(i.input, QAccessible::Name), i.name) << i.input->objectName().toStdString();
    if (i.labelled) {
      EXPECT_EQ(LabelledBy(i.input), i.name) << i.input->objectName().toStdString();
    }
  }
}

TEST_F(WindowAccessibility, ThePreviewIsAPictureDescribedWithThePageShown) {
  QAccessibleInterface* preview = QAccessible::queryAccessibleInterface(w->Canvas1());
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->role(), QAccessible::Graphic);
  EXPECT_EQ(preview->text(QAccessible::Name), "Preview");
  EXPECT_EQ(preview->text(QAccessible::Description), "Page 1 of 1");
  w->txtSong()->SetText("one\r+++++\rtwo");
  EXPECT_EQ(preview->text(QAccessible::Description), "Page 1 of 2");
  w->UpDownArrows1_Down(w->UpDownArrows1());
  EXPECT_EQ(preview->text(QAccessible::Description), "Page 2 of 2");
}

TEST_F(WindowAccessibility, ThePageArrowsAreASpinButtonWhoseActionsTurnThePages) {
  w->txtSong()->SetText("one\r+++++\rtwo\r+++++\rthree");
  QAccessibleInterface* arrows = QAccessible::queryAccessibleInterface(w->UpDownArrows1());
  ASSERT_NE(arrows, nullptr);
  EXPECT_EQ(arrows->role(), QAccessible::SpinBox);
  QAccessibleValueInterface* value = arrows->valueInterface();
  QAccessibleActionInterface* actions = arrows->actionInterface();
  ASSERT_NE(value, nullptr);
  ASSERT_NE(actions, nullptr);
  EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::increaseAction()));
  EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::decreaseAction()));
  EXPECT_EQ(value->minimumValue().toInt(), 1);
  const auto shows = [&](int page, int pages = 3) {
    EXPECT_EQ(w->CurrentPageNumber(), page);
    EXPECT_EQ(value->currentValue().toInt(), page);
    EXPECT_EQ(value->maximumValue().toInt(), pages);
    EXPECT_EQ(arrows->text(QAccessible::Value), QString::number(page));
    EXPECT_EQ(Read(w->Canvas1(), QAccessible::Description), QStringLiteral("Page %1 of %2").arg(page).arg(pages));
  };
  shows(1);
  const struct {
    QString action;
    int page;
  } steps[] = {{QAccessibleActionInterface::increaseAction(), 2},
               {QAccessibleActionInterface::increaseAction(), 3},
               {QAccessibleActionInterface::increaseAction(), 3},  // no page after the last
               {QAccessibleActionInterface::decreaseAction(), 2}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.action.toStdString());
    actions->doAction(step.action);
    shows(step.page);
  }
  value->setCurrentValue(1);
  shows(1);
  // The keys and the arrows' own presses move the value too.
  w->UpDownArrows1()->setFocus();
  QTest::keyClick(w->UpDownArrows1(), Qt::Key_Down);
  shows(2);
  w->txtSong()->SetText("one");
  shows(1, 1);
}

TEST_F(WindowAccessibility, TheSettingsButtonShowsThePanelHoweverItsStateChanges) {
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QAccessibleInterface* button = QAccessible::queryAccessibleInterface(w->BevelButton1());
  ASSERT_NE(button, nullptr);
  QAccessibleActionInterface* actions = button->actionInterface();
  ASSERT_NE(actions, nullptr);
  const auto shown = [&](bool on) {
    EXPECT_EQ(w->BevelButton1()->Value(), on);
    EXPECT_EQ(!w->GroupBox1()->isHidden(), on);
    EXPECT_EQ(w->mnuSettings()->Checked(), on);
    EXPECT_EQ(button->state().checked, on);
  };
  shown(false);
  // A screen reader's toggle flips the state without a click.
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  actions->doAction(QAccessibleActionInterface::toggleAction());
  shown(true);
  actions->doAction(QAccessibleActionInterface::toggleAction());
  shown(false);
  // Its press is a click, a little later; a click and the space key flip it once each.
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(QTest::qWaitFor([&] { return w->BevelButton1()->Value(); }));
  QTest::qWait(200);
  shown(true);
  QTest::mouseClick(w->BevelButton1(), Qt::LeftButton);
  shown(false);
  w->BevelButton1()->setFocus();
  QTest::keyClick(w->BevelButton1(), Qt::Key_Space);
  shown(true);
}

TEST(DialogAccessibility, TheToolDialogsFieldsAreNamedAfterTheirLabels) {
  QString a, b;
  frmSearch search(a);
  frmReplace replace(a, b);
  frmTranspose transpose("G", nullptr);
  const struct {
    QDialog* dialog;
    const char* field;
    const char* name;
  } fields[] = {{&search, "TextField1", "Search For"},
                {&replace, "TextField1", "Search For"},
                {&replace, "TextField2", "Replace With"},
                {&transpose, "txtFrom", "Transpose from"},
                {&transpose, "txtTo", "to"}};
  for (const auto& f : fields) {
    auto* field = f.dialog->findChild<QLineEdit*>(f.field);
    ASSERT_NE(field, nullptr) << f.field;
    EXPECT_EQ(Read(field, QAccessible::Name).trimmed(), f.name) << f.field;
  }
}
