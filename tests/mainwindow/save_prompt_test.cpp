// The save prompt in Qt's own message box: its whole question and its three buttons can be read
// for any title the title field takes, also 140 characters without a space.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "platform/desktop/dialogs.h"
#include "platform/desktop/message_text.h"
#include "window_fixture.h"

namespace {
struct Seen {
  bool shown = false;
  QString question;           // the label's text without its invisible break marks
  bool questionFits = false;  // its text, laid out as the label lays it out, fits inside the label
  bool boxOnScreen = false;
  QStringList buttons;  // the buttons whose whole text shows, inside the box
  bool plain = false;   // the question is shown as plain text
  QString details;
};

Seen LookAtPromptAndCancel() {
  Seen seen;
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (!box) return seen;
  seen.shown = true;
  auto* label = box->findChild<QLabel*>("qt_msgbox_label");
  if (label) {
    seen.question = label->text().remove(QChar(0x200B));
    seen.plain = label->textFormat() == Qt::PlainText;
    const QRect room = label->contentsRect();
    const QRect needed =
        label->fontMetrics().boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, label->text());
    seen.questionFits = needed.width() <= room.width() && needed.height() <= room.height();
  }
  seen.boxOnScreen = box->screen()->availableGeometry().contains(box->frameGeometry());
  for (QPushButton* b : box->findChildren<QPushButton*>()) {
    const QRect inBox(b->mapTo(box, QPoint(0, 0)), b->size());
    if (b->isVisible() && b->width() >= b->sizeHint().width() && box->rect().contains(inBox)) seen.buttons << b->text();
  }
  seen.buttons.sort();
  seen.details = box->detailedText();
  for (QAbstractButton* b : box->buttons())
    if (box->buttonRole(b) == QMessageBox::RejectRole) b->click();
  return seen;
}

// Check4Save with Qt's real boxes: its prompt is looked at and cancelled, kept is what it
// returned, and restore is installed again afterwards.
Seen PromptSeenAndCancelled(Window1& window, Dialogs& restore, bool& kept) {
  QtDialogs qt;
  Seen seen;
  QTimer::singleShot(0, [&] { seen = LookAtPromptAndCancel(); });
  Dialogs::Install(&qt);
  kept = window.Check4Save();
  Dialogs::Install(&restore);
  return seen;
}
}  // namespace

using SavePrompt = WindowFixture;

TEST_F(SavePrompt, ShowsItsWholeQuestionAndItsButtonsForTheLongestTitle) {
  for (const QString& title :
       {QString("Amazing Grace"), QString(140, QChar('W')), QString("Amazing Grace ").repeated(10).left(140)}) {
    SCOPED_TRACE(title.toStdString());
    w->txtTitle()->SetText(title);
    w->SetTitle(title);
    w->txtSong()->SetText("an edit");
    ASSERT_TRUE(w->Modified());
    bool kept = false;
    const Seen seen = PromptSeenAndCancelled(*w, dialogs, kept);
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(kept);  // cancelled
    EXPECT_EQ(seen.question.toStdString(), ("Save Changes for " + w->Title() + "?").toStdString());
    EXPECT_TRUE(seen.questionFits);
    EXPECT_TRUE(seen.boxOnScreen);
    EXPECT_EQ(seen.buttons, QStringList({"Cancel", "Discard Changes", "Save Changes"}));
  }
}

TEST_F(SavePrompt, ShowsATitleFromOutsideAsTextWithTheQuestionMarkAfterIt) {
  const QString isolate(QChar(0x2068)), endIsolate(QChar(0x2069)), rightToLeft(QChar(0x202E));
  const QString huge(1000000, QChar('W'));
  const struct {
    QString title;
    QString windowTitle;  // as the prompt names it
    bool shortened;
  } cases[] = {
      {"<h1>BIG</h1>", "Harmonote - <h1>BIG</h1>", false},
      {"<img src=/dev/zero>", "Harmonote - <img src=/dev/zero>", false},
      {"<a href=http://x.test/p>Click</a>", "Harmonote - <a href=http://x.test/p>Click</a>", false},
      {"Two\nlines\x1B[2J", "Harmonote - Two\\x0Alines\\x1B[2J", false},
      {QString("abc") + rightToLeft + "def", "Harmonote - " + isolate + "abc" + rightToLeft + "def" + endIsolate,
       false},
      {QString(10000, QChar('W')), "Harmonote - " + QString(10000, QChar('W')), true},
      {huge, "Harmonote - " + huge, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title.left(40).toStdString());
    w->SetTitle(c.title);
    EXPECT_EQ(w->Title().size(), c.windowTitle.size());
    EXPECT_TRUE(w->Title() == c.windowTitle);
    w->txtSong()->SetText("an edit");
    bool kept = false;
    const Seen seen = PromptSeenAndCancelled(*w, dialogs, kept);
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(kept);
    EXPECT_TRUE(seen.plain);
    EXPECT_TRUE(seen.boxOnScreen);
    EXPECT_EQ(seen.buttons, c.shortened ? QStringList({"Cancel", "Discard Changes", "Save Changes", "Show Details..."})
                                        : QStringList({"Cancel", "Discard Changes", "Save Changes"}));
    const QString question = "Save Changes for " + c.windowTitle + "?";
    if (c.shortened) {
      EXPECT_TRUE(seen.details == DetailsText(question));
      EXPECT_TRUE(seen.question.startsWith("Save Changes for Harmonote - WWW"));
      EXPECT_TRUE(seen.question.endsWith("WWW?"));
      EXPECT_TRUE(seen.question.contains(QChar(0x2026)));
    } else {
      EXPECT_EQ(seen.question.toStdU16String(), question.toStdU16String());
    }
  }
}
