// Qt's own message boxes as the program shows them: text from outside is shown as the characters
// it is made of (never read as markup, never a picture or a link) and no message is larger than
// the screen, with its buttons always on it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "mainwindow/modal_driver.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/message_text.h"

namespace {
struct Seen {
  bool shown = false;
  QString text;  // the label's text without its invisible break marks
  bool plain = false;
  bool informativePlain = true;
  QString details;
  bool onScreen = false;
  bool onScreenWithDetails = false;
  QStringList buttons;  // the buttons wholly on the screen
};

bool OnScreen(QMessageBox* box, QStringList* buttons = nullptr) {
  const QRect room = box->screen()->availableGeometry();
  bool all = room.contains(box->frameGeometry());
  for (QPushButton* b : box->findChildren<QPushButton*>()) {
    if (!b->isVisible()) continue;
    const bool in = room.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size()));
    all = all && in;
    if (in && buttons) *buttons << b->text();
  }
  return all;
}

Seen LookAndClose(QMessageBox* box) {
  Seen seen;
  seen.shown = true;
  if (auto* label = box->findChild<QLabel*>("qt_msgbox_label")) {
    seen.text = label->text().remove(QChar(0x200B));
    seen.plain = label->textFormat() == Qt::PlainText;
  }
  if (auto* label = box->findChild<QLabel*>("qt_msgbox_informativelabel"))
    seen.informativePlain = label->textFormat() == Qt::PlainText;
  seen.details = box->detailedText();
  seen.onScreen = OnScreen(box, &seen.buttons);
  seen.buttons.sort();
  seen.onScreenWithDetails = seen.onScreen;
  for (QAbstractButton* b : box->buttons())
    if (box->buttonRole(b) == QMessageBox::ActionRole) {  // "Show Details..."
      b->click();
      QApplication::processEvents();
      seen.onScreenWithDetails = OnScreen(box);
    }
  box->done(QDialog::Rejected);
  return seen;
}

Seen ShowMsgBox(const QString& text) {
  Seen seen;
  ModalDriver<QMessageBox> driver([&](QMessageBox* box) { seen = LookAndClose(box); });
  QtDialogs().MsgBox(text);
  return seen;
}
}  // namespace

TEST(QtMessageBox, ShowsMarkupAsItsCharacters) {
  QTemporaryDir dir;
  const QString picture = dir.filePath("photo.png");
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::red);
  ASSERT_TRUE(image.save(picture));
  for (const QString& text : {QString("Save Changes for Harmonote - <h1>BIG</h1>?"),
                              "Unable to find <img src=" + picture + " width=900 height=6000>",
                              QString("Unable to find <a href=http://x.test/p>Click</a>")}) {
    SCOPED_TRACE(text.toStdString());
    const Seen seen = ShowMsgBox(text);
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.plain);
    EXPECT_EQ(seen.text, text);
    EXPECT_TRUE(seen.details.isEmpty());
    EXPECT_TRUE(seen.onScreen);
    EXPECT_EQ(seen.buttons, QStringList{"OK"});
  }
}

TEST(QtMessageBox, ALongMessageIsShortenedToTheScreenWithTheWholeInItsDetails) {
  QStringList missing;
  for (int i = 1; i <= 120; ++i) missing << QString("\"/nowhere/song %1.hmnt\": there is no such file.").arg(i);
  const QString title(10000, QChar('W'));
  for (const QString& text : {"Save Changes for Harmonote - " + title + "?",
                              "Save Changes for Harmonote - " + QString("Amazing Grace ").repeated(700) + "?",
                              "Unable to find " + QString(1000000, QChar('x')),
                              "These documents cannot be opened.\n\n" + missing.join('\n')}) {
    SCOPED_TRACE(text.left(80).toStdString());
    const Seen seen = ShowMsgBox(text);
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.plain);
    EXPECT_TRUE(seen.onScreen);
    EXPECT_TRUE(seen.onScreenWithDetails);
    EXPECT_EQ(seen.buttons, QStringList({"OK", "Show Details..."}));
    EXPECT_TRUE(seen.details == DetailsText(text));
    // Its start and its end are shown, shortened in between.
    EXPECT_TRUE(seen.text.startsWith(text.left(15))) << seen.text.left(80).toStdString();
    EXPECT_TRUE(seen.text.contains(QChar(0x2026)));
    EXPECT_LT(seen.text.size(), text.size());
  }
}

TEST(QtMessageBox, TheThreeButtonDialogShowsItsExplanationAsTextAndFitsTheScreen) {
  MessageDialogRequest request;
  request.Icon = MessageDialogRequest::Question;
  request.Message = "Save Changes for Harmonote - " + QString(5000, QChar('W')) + "?";
  request.Explanation = "<b>" + QString("long ").repeated(2000) + "</b>";
  request.ActionButton = "Save Changes";
  request.AlternateButton = "Discard Changes";
  request.CancelButton = "Cancel";
  Seen seen;
  ModalDriver<QMessageBox> driver([&](QMessageBox* box) { seen = LookAndClose(box); });
  EXPECT_EQ(QtDialogs().ShowMessageDialog(request), DialogButton::Cancel);
  ASSERT_TRUE(seen.shown);
  EXPECT_TRUE(seen.plain);
  EXPECT_TRUE(seen.informativePlain);
  EXPECT_TRUE(seen.onScreen);
  EXPECT_TRUE(seen.onScreenWithDetails);
  EXPECT_EQ(seen.buttons, QStringList({"Cancel", "Discard Changes", "Save Changes", "Show Details..."}));
  EXPECT_EQ(seen.details, DetailsText(request.Message + "\n\n" + request.Explanation));
}
