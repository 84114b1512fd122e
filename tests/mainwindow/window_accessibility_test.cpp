// What assistive technology reads of the window and the tool dialogs: every input named after
// its label, the preview named and described with the page it shows, the page arrows named.
#include <QAccessible>
#include <QLineEdit>

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
