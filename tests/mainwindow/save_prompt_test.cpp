// The save prompt in Qt's own message box: its whole question and its three buttons can be read
// for any title the title field takes, also 140 characters without a space.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "platform/desktop/dialogs.h"
#include "window_fixture.h"

namespace {
struct Seen {
  bool shown = false;
  QString question;          // the label's text without its invisible break marks
  bool questionFits = false;  // its text, laid out as the label lays it out, fits inside the label
  bool boxOnScreen = false;
  QStringList buttons;       // the buttons whose whole text shows, inside the box
};

Seen LookAtPromptAndCancel() {
  Seen seen;
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (!box) return seen;
  seen.shown = true;
  auto* label = box->findChild<QLabel*>("qt_msgbox_label");
  if (label) {
    seen.question = label->text().remove(QChar(0x200B));
    const QRect room = label->contentsRect();
    const QRect needed = label->fontMetrics().boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, label->text());
    seen.questionFits = needed.width() <= room.width() && needed.height() <= room.height();
  }
  seen.boxOnScreen = box->screen()->availableGeometry().contains(box->frameGeometry());
  for (QPushButton* b : box->findChildren<QPushButton*>()) {
    const QRect inBox(b->mapTo(box, QPoint(0, 0)), b->size());
    if (b->isVisible() && b->width() >= b->sizeHint().width() && box->rect().contains(inBox)) seen.buttons << b->text();
  }
  seen.buttons.sort();
  for (QAbstractButton* b : box->buttons())
    if (box->buttonRole(b) == QMessageBox::RejectRole) b->click();
  return seen;
}
}  // namespace

using SavePrompt = WindowFixture;

TEST_F(SavePrompt, ShowsItsWholeQuestionAndItsButtonsForTheLongestTitle) {
  QtDialogs qt;
  for (const QString& title : {QString("Amazing Grace"), QString(140, QChar('W')),
                               QString("Amazing Grace ").repeated(10).left(140)}) {
    SCOPED_TRACE(title.toStdString());
    w->txtTitle()->SetText(title);
    w->SetTitle(title);
    w->txtSong()->SetText("an edit");
    ASSERT_TRUE(w->Modified());
    Seen seen;
    QTimer::singleShot(0, [&] { seen = LookAtPromptAndCancel(); });
    Dialogs::Install(&qt);
    const bool kept = w->Check4Save();
    Dialogs::Install(&dialogs);
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(kept);  // cancelled
    EXPECT_EQ(seen.question.toStdString(), ("Save Changes for " + w->Title() + "?").toStdString());
    EXPECT_TRUE(seen.questionFits);
    EXPECT_TRUE(seen.boxOnScreen);
    EXPECT_EQ(seen.buttons, QStringList({"Cancel", "Discard Changes", "Save Changes"}));
  }
}
