// Keys pressed with Alt, Ctrl or Super in the window's fields: a key that is no shortcut or access
// key types nothing and leaves the song unmodified, while plain typing, the third level of the
// keyboard (Ctrl+Alt), editing keys and the menus' shortcuts keep working.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "shell/dialogs/frm_search.h"
#include "window_fixture.h"

namespace {
// A key press as the keyboard delivers it: shortcut override first, then the press.
void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QTest::sendKeyEvent(QTest::Press, target, key, text, modifiers);
  QTest::sendKeyEvent(QTest::Release, target, key, text, modifiers);
}
}  // namespace

using WindowKeys = WindowFixture;

TEST_F(WindowKeys, AltCtrlOrSuperWithALetterTypesIntoNoField) {
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
  } keys[] = {{Qt::Key_I, Qt::AltModifier, "i"},
              {Qt::Key_H, Qt::AltModifier, "h"},
              {Qt::Key_H, Qt::AltModifier | Qt::ShiftModifier, "H"},
              {Qt::Key_J, Qt::ControlModifier, "j"},
              {Qt::Key_A, Qt::MetaModifier, "a"},  // Super
              {Qt::Key_K, Qt::MetaModifier | Qt::ShiftModifier, "K"},
              {Qt::Key_1, Qt::AltModifier, "1"}};
  for (QWidget* field :
       std::vector<QWidget*>{w->txtTitle(), w->txtCapo(), w->txtKey(), w->txtTiming(), w->txtTempo(), w->txtSong()}) {
    SCOPED_TRACE(field->objectName().toStdString());
    w->txtTitle()->SetText("Amazing Grace");
    w->txtSong()->SetText("Amazing Grace");
    w->Modified(false);
    field->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), field);
    for (const auto& k : keys) Press(field, k.key, k.modifiers, QString::fromLatin1(k.text));
    EXPECT_EQ(w->txtTitle()->Text(), "Amazing Grace");
    EXPECT_EQ(w->txtSong()->Text(), "Amazing Grace");
    EXPECT_FALSE(w->Modified());
  }
  // Plain keys and the third level still type; Ctrl+A still selects and a menu shortcut still runs.
  w->txtTitle()->SetText("");
  w->txtTitle()->setFocus();
  Press(w->txtTitle(), Qt::Key_I, Qt::NoModifier, "i");
  Press(w->txtTitle(), Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, "@");
  EXPECT_EQ(w->txtTitle()->Text(), "i@");
  QTest::keyClick(w->txtTitle(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(w->txtTitle()->selectedText(), "i@");
  w->txtSong()->SetText("a");
  w->txtSong()->setFocus();
  w->txtSong()->SetSelStart(0);
  w->txtSong()->SetSelLength(1);
  QTest::keyClick(w->txtSong(), Qt::Key_1, Qt::ControlModifier);  // Insert > Chord
  EXPECT_EQ(w->txtSong()->Text(), "[a]");
}

TEST(DialogKeys, AltWithALetterTypesIntoNoDialogField) {
  QString term;
  frmSearch search(term);
  search.show();
  auto* field = search.findChild<QLineEdit*>("TextField1");
  ASSERT_NE(field, nullptr);
  field->setFocus();
  Press(field, Qt::Key_S, Qt::AltModifier, "s");
  Press(field, Qt::Key_S, Qt::NoModifier, "s");
  EXPECT_EQ(field->text(), "s");
}
