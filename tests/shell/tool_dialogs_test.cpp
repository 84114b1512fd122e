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

struct Control {
  const char* name;
  QRect rect;
  QString text;
};

void ExpectLayout(QDialog& d, const QString& title, QSize size, const std::vector<Control>& controls) {
  EXPECT_EQ(d.windowTitle(), title);
  EXPECT_EQ(d.size(), size);
  EXPECT_EQ(d.minimumSize(), size);
  EXPECT_EQ(d.maximumSize(), size);
  EXPECT_TRUE(d.isModal());
  for (const Control& c : controls) {
    auto* w = d.findChild<QWidget*>(c.name);
    ASSERT_NE(w, nullptr) << c.name;
    EXPECT_EQ(w->geometry(), c.rect) << c.name;
    if (auto* l = qobject_cast<QLabel*>(w)) {
      EXPECT_EQ(l->text(), c.text) << c.name;
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
      EXPECT_EQ(b->text(), c.text) << c.name;
    }
    if (auto* f = qobject_cast<QLineEdit*>(w)) {
      EXPECT_EQ(f->text(), c.text) << c.name;
    }
  }
}

}  // namespace

TEST(ToolDialogs, FixedSizesTextsAndControls) {
  QString a, b;
  frmSearch search(a);
  ExpectLayout(search, "Search", {287, 94},
               {{"Label1", {20, 20, 78, 20}, "Search For"},
                {"TextField1", {92, 19, 175, 22}, ""},
                {"PushButton1", {187, 52, 80, 22}, "Search"},
                {"PushButton2", {20, 52, 80, 22}, "Cancel"}});
  EXPECT_TRUE(search.PushButton1()->isDefault());

  frmReplace replace(a, b);
  ExpectLayout(replace, "Search and Replace", {305, 122},
               {{"Label1", {20, 21, 78, 20}, "Search For"},
                {"TextField1", {110, 20, 175, 22}, ""},
                {"PushButton1", {184, 87, 101, 22}, "Replace All"},
                {"PushButton2", {20, 86, 80, 22}, "Cancel"},
                {"Label2", {20, 54, 88, 20}, "Replace With"},
                {"TextField2", {110, 53, 175, 22}, ""}});
  EXPECT_TRUE(replace.PushButton1()->isDefault());
  EXPECT_EQ(replace.TextField1()->nextInFocusChain(), replace.TextField2());

  frmTranspose transpose("", nullptr);
  ExpectLayout(transpose, "Transpose", {321, 94},
               {{"Label1", {20, 20, 121, 20}, "Transpose from "},
                {"txtFrom", {148, 20, 52, 22}, ""},
                {"Label2", {212, 20, 25, 20}, "to"},
                {"txtTo", {249, 19, 52, 22}, ""},
                {"PushButton1", {176, 52, 125, 22}, "Transpose"},
                {"PushButton2", {20, 52, 80, 22}, "Cancel"}});
  EXPECT_TRUE(transpose.PushButton1()->isDefault());
  EXPECT_EQ(transpose.Label2()->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
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
