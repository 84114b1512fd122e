#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/doubles/scripted_dialogs.h"
#include "shell/dialogs/frm_replace.h"
#include "shell/dialogs/frm_search.h"
#include "shell/dialogs/frm_transpose.h"
#include "tools/transpose.h"

namespace {

// The part of a control that shows something: a label's text where its alignment puts it, the
// whole of any other control.
QRect Shown(QWidget* w) {
  auto* label = qobject_cast<QLabel*>(w);
  if (!label) return w->geometry();
  const int width = label->fontMetrics().horizontalAdvance(label->text());
  const QRect r = label->geometry();
  const int left = label->alignment() & Qt::AlignHCenter ? r.center().x() - width / 2
                   : label->alignment() & Qt::AlignRight ? r.right() - width
                                                         : r.left();
  return {left, r.top(), width, r.height()};
}

// The text a control shows, without its access-key marks.
QString TextOf(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<QPushButton*>(w)) return b->text().remove('&');
  if (auto* f = qobject_cast<QLineEdit*>(w)) return f->text();
  return {};
}

// A tool dialog as its user meets it: its title, fixed in size and modal; every control named
// shows its text whole, inside the dialog, clear of every other control; Tab visits the fields
// and then the buttons in the order given, the first field has the focus, and the first button
// listed is the one Return presses.
void ExpectLaidOut(QDialog& d, const QString& title, const std::vector<std::pair<const char*, QString>>& controls,
                   const QStringList& tabOrder) {
  EXPECT_EQ(d.windowTitle(), title);
  EXPECT_EQ(d.minimumSize(), d.size());
  EXPECT_EQ(d.maximumSize(), d.size());
  EXPECT_TRUE(d.isModal());
  std::vector<QWidget*> widgets;
  for (const auto& [name, text] : controls) {
    auto* w = d.findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name;
    EXPECT_EQ(TextOf(w), text) << name;
    EXPECT_TRUE(d.rect().contains(w->geometry())) << name;
    const int needed = w->fontMetrics().horizontalAdvance(TextOf(w));
    EXPECT_LE(needed, qobject_cast<QLabel*>(w) ? w->width() : w->width() - 8) << name << " cuts its text";
    widgets.push_back(w);
  }
  for (size_t i = 0; i < widgets.size(); ++i)
    for (size_t j = i + 1; j < widgets.size(); ++j)
      EXPECT_FALSE(Shown(widgets[i]).intersects(Shown(widgets[j])))
          << widgets[i]->objectName().toStdString() << " overlaps " << widgets[j]->objectName().toStdString();

  auto* first = d.findChild<QWidget*>(tabOrder.first());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(d.focusWidget(), first);
  QStringList visited;
  QWidget* at = first;
  do {
    if (at->focusPolicy() & Qt::TabFocus) visited << at->objectName();
    at = at->nextInFocusChain();
  } while (at != first && visited.size() <= tabOrder.size());
  EXPECT_EQ(visited, tabOrder);
  for (const QString& name : tabOrder) {
    if (auto* button = d.findChild<QPushButton*>(name)) {
      EXPECT_TRUE(button->isDefault()) << name.toStdString();
      break;
    }
  }
}

}  // namespace

TEST(ToolDialogs, EachShowsItsControlsWholeAndApartInTabOrder) {
  QString a, b;
  frmSearch search(a);
  ExpectLaidOut(search, "Search",
                {{"Label1", "Search For"}, {"TextField1", ""}, {"PushButton1", "Search"}, {"PushButton2", "Cancel"}},
                {"TextField1", "PushButton1", "PushButton2"});

  frmReplace replace(a, b);
  ExpectLaidOut(replace, "Search and Replace",
                {{"Label1", "Search For"},
                 {"TextField1", ""},
                 {"Label2", "Replace With"},
                 {"TextField2", ""},
                 {"PushButton1", "Replace All"},
                 {"PushButton2", "Cancel"}},
                {"TextField1", "TextField2", "PushButton1", "PushButton2"});

  frmTranspose transpose("", nullptr);
  ExpectLaidOut(transpose, "Transpose",
                {{"Label1", "Transpose from "},
                 {"txtFrom", ""},
                 {"Label2", "to"},
                 {"txtTo", ""},
                 {"PushButton1", "Transpose"},
                 {"PushButton2", "Cancel"}},
                {"txtFrom", "txtTo", "PushButton1", "PushButton2"});
}

TEST(SearchDialog, HandsBackTheTrimmedTermOrNothing) {
  const struct {
    const char* typed;
    Qt::Key key;
    QString expected;
  } cases[] = {
      {"  Am  ", Qt::Key_Return, "Am"},
      {"   ", Qt::Key_Return, ""},
      {"Am", Qt::Key_Escape, ""},
  };
  for (const auto& c : cases) {
    QString term = "left over";
    frmSearch d(term);
    d.show();
    QTest::keyClicks(d.TextField1(), c.typed);
    QTest::keyClick(d.TextField1(), c.key);
    EXPECT_FALSE(d.isVisible()) << c.typed;
    EXPECT_EQ(term, c.expected) << c.typed;
  }
}

TEST(SearchDialog, ShownModallyReturnsOnceAButtonCloses) {
  QString term;
  frmSearch d(term);
  QTimer::singleShot(0, &d, [&] {
    QTest::keyClicks(d.TextField1(), "grace ");
    d.PushButton1()->click();
  });
  EXPECT_EQ(d.exec(), QDialog::Accepted);
  EXPECT_EQ(term, "grace");
}

TEST(ReplaceDialog, ReplaceAllHandsBackBothCancelOnlyTheTerm) {
  QString term = "x", replacement = "earlier";
  {
    frmReplace d(term, replacement);
    d.show();
    QTest::keyClicks(d.TextField1(), " g ");
    QTest::keyClicks(d.TextField2(), "  A ");
    QTest::keyClick(d.TextField2(), Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(term, "g");
    EXPECT_EQ(replacement, "A");
  }
  {
    frmReplace d(term, replacement);
    d.show();
    QTest::keyClicks(d.TextField1(), "am");
    QTest::keyClicks(d.TextField2(), "   ");
    d.PushButton1()->click();
    EXPECT_EQ(term, "am");
    EXPECT_EQ(replacement, "");  // a blank replacement deletes
  }
  replacement = "earlier";
  for (bool escape : {false, true}) {
    frmReplace d(term, replacement);
    d.show();
    QTest::keyClicks(d.TextField1(), "am");
    QTest::keyClicks(d.TextField2(), "new");
    if (escape) {
      QTest::keyClick(d.TextField1(), Qt::Key_Escape);
    } else {
      d.PushButton2()->click();
    }
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(term, "");
    EXPECT_EQ(replacement, "earlier");
  }
}

TEST(TransposeDialog, OpensWithTheSongKeyAndHandsOverTrimmedKeys) {
  QStringList calls;
  auto record = [&](const QString& f, const QString& t) { calls << f + ">" + t; };
  {
    frmTranspose d(" G ", record);
    EXPECT_EQ(d.txtFrom()->text(), " G ");
    EXPECT_EQ(d.txtTo()->text(), " G ");
    d.show();
    QTest::keyClick(d.txtTo(), Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
  }
  {
    frmTranspose d("C", record);
    d.show();
    d.txtTo()->setText("d ");
    d.PushButton1()->click();
  }
  EXPECT_EQ(calls, QStringList({"G>G", "C>d"}));
}

TEST(TransposeDialog, BlankKeysAreRefusedAndTheDialogStaysOpen) {
  for (const char* key : {"", "  "}) {
    ScriptedDialogs answers;
    int calls = 0;
    frmTranspose d(key, [&](const QString&, const QString&) { ++calls; });
    d.show();
    d.PushButton1()->click();
    EXPECT_EQ(answers.msgBoxes, QStringList{"From and To cannot be blank."});
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(calls, 0);
    d.txtFrom()->setText("C");  // one blank field is enough to refuse
    d.PushButton1()->click();
    EXPECT_EQ(answers.msgBoxes.size(), 2);
    EXPECT_TRUE(d.isVisible());
  }
}

TEST(TransposeDialog, ClosesAfterAnUnknownKeyIsReportedAndCancelTransposesNothing) {
  ScriptedDialogs answers;
  QString song = "[C]la";
  auto transpose = [&](const QString& f, const QString& t) {
    const TransposeResult r = TransposeSong(song, f, t);
    if (!r.ok) {
      Dialogs::Current().MsgBox(r.message);
      return;
    }
    song = r.text;
  };
  {
    frmTranspose d("C", transpose);
    d.show();
    d.txtTo()->setText("H");
    d.PushButton1()->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(answers.msgBoxes, QStringList{"Unable to find H"});
    EXPECT_EQ(song, "[C]la");
  }
  for (bool escape : {false, true}) {
    frmTranspose d("C", transpose);
    d.show();
    d.txtTo()->setText("D");
    if (escape) {
      QTest::keyClick(d.txtTo(), Qt::Key_Escape);
    } else {
      d.PushButton2()->click();
    }
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(song, "[C]la");
  }
}
