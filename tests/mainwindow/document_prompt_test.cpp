// The save prompt before unsaved changes could be lost: its answers, the save outcomes behind
// "Save Changes", and the commands and the close request that it may stop.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "mainwindow/document_fixture.h"

namespace {
enum class SaveOutcome { None, Written, Cancelled, Failed };

void Click(QWidget* box, const QString& caption) {
  for (auto* b : box->findChildren<QPushButton*>())
    if (b->text() == caption) b->click();
}
}  // namespace

using PromptTest = DocumentFixture;

TEST_F(PromptTest, AsksOnlyForUnsavedChangesAndStopsUnlessTheSongIsSavedOrDiscarded) {
  EXPECT_FALSE(w->Check4Save());
  EXPECT_TRUE(dialogs.messageDialogs.empty());

  const struct {
    DialogButton answer;
    SaveOutcome save;
    bool stop, dirtyAfter, hasFileAfter;
  } cases[] = {
      {DialogButton::Action, SaveOutcome::Written, false, false, true},
      {DialogButton::Action, SaveOutcome::Cancelled, true, true, false},
      {DialogButton::Action, SaveOutcome::Failed, true, true, true},
      {DialogButton::Alternate, SaveOutcome::None, false, true, false},
      {DialogButton::Cancel, SaveOutcome::None, true, true, false},
  };
  int row = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(row++);
    w->Modified(false);
    w->_mnuNew_Action();
    Edit();
    dialogs.messageDialogs.clear();
    dialogs.messageAnswers = {c.answer};
    dialogs.saveAnswers.clear();
    if (c.save == SaveOutcome::Written) dialogs.saveAnswers = {File("written.hmnt")};
    if (c.save == SaveOutcome::Cancelled) dialogs.saveAnswers = {std::nullopt};
    if (c.save == SaveOutcome::Failed) dialogs.saveAnswers = {File("no such folder/x.hmnt")};
    EXPECT_EQ(w->Check4Save(), c.stop);
    ASSERT_EQ(dialogs.messageDialogs.size(), 1);
    const MessageDialogRequest& p = dialogs.messageDialogs[0];
    EXPECT_EQ(p.Message, "Save Changes for Harmonote - Untitled?");
    EXPECT_EQ(p.ActionButton, "Save Changes");
    EXPECT_EQ(p.AlternateButton, "Discard Changes");
    EXPECT_EQ(p.CancelButton, "Cancel");
    EXPECT_EQ(p.Icon, MessageDialogRequest::Question);
    EXPECT_EQ(w->Modified(), c.dirtyAfter);
    EXPECT_EQ(w->myFile().has_value(), c.hasFileAfter);
    EXPECT_EQ(dialogs.saveSuggestions.size(), c.save == SaveOutcome::None ? 0 : 1);
    dialogs.saveSuggestions.clear();
  }
}

TEST_F(PromptTest, EscapeOrClosingTheRealPromptMeansCancel) {
  const struct {
    const char* how;
    std::function<void(QWidget*)> answer;
    bool stop;
  } cases[] = {
      {"Escape", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }, true},
      {"closed", [](QWidget* box) { box->close(); }, true},
      {"Cancel", [](QWidget* box) { Click(box, "Cancel"); }, true},
      {"Discard Changes", [](QWidget* box) { Click(box, "Discard Changes"); }, false},
  };
  Dialogs::Install(nullptr);  // the platform's own message box
  for (const auto& c : cases) {
    Edit();
    QString shown;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      poll.stop();
      shown = box->text();
      c.answer(box);
    });
    poll.start();
    EXPECT_EQ(w->Check4Save(), c.stop) << c.how;
    EXPECT_EQ(shown, "Save Changes for Harmonote?") << c.how;
    EXPECT_TRUE(w->Modified()) << c.how;
  }
  Dialogs::Install(&dialogs);
}

TEST_F(PromptTest, NewAndOpenStopWhenThePromptSaysSo) {
  const FolderItem other = Write("other.hmnt", SongBytes("Other", "[D]other"));
  const struct {
    const char* command;
    std::function<bool()> run;
  } commands[] = {{"New", [&] { return w->_mnuNew_Action(); }}, {"Open", [&] {
                                                                   dialogs.openAnswers = {other};
                                                                   return w->_mnuOpen_Action();
                                                                 }}};
  const struct {
    DialogButton answer;
    SaveOutcome save;
    bool titleSetBySave;
  } stops[] = {{DialogButton::Cancel, SaveOutcome::None, false},
               {DialogButton::Action, SaveOutcome::Cancelled, true},
               {DialogButton::Action, SaveOutcome::Failed, false}};
  for (const auto& cmd : commands) {
    for (const auto& s : stops) {
      SCOPED_TRACE(cmd.command);
      w->State().SetFileAndStamp(std::nullopt, std::nullopt);
      w->txtTitle()->SetText("Mine");
      w->txtSong()->SetText("[G]mine");
      const QString title = w->Title();
      dialogs.messageAnswers = {s.answer};
      dialogs.saveAnswers.clear();
      if (s.save == SaveOutcome::Cancelled) dialogs.saveAnswers = {std::nullopt};
      if (s.save == SaveOutcome::Failed) dialogs.saveAnswers = {File("gone/mine.hmnt")};
      EXPECT_TRUE(cmd.run());
      EXPECT_EQ(w->txtSong()->Text(), "[G]mine");
      EXPECT_EQ(w->txtTitle()->Text(), "Mine");
      EXPECT_TRUE(w->Modified());
      EXPECT_EQ(w->Title(), s.titleSetBySave ? QString("Harmonote - Mine") : title);
      dialogs.openAnswers.clear();
    }
  }
  EXPECT_TRUE(dialogs.openFilters.isEmpty());  // the open dialog never came
}

TEST_F(PromptTest, AClosedWindowWritesTheToolbarSettingAndAStoppedCloseKeepsTheWindow) {
  QString value;
  Edit();
  dialogs.messageAnswers = {DialogButton::Cancel, DialogButton::Action};
  dialogs.saveAnswers = {File("missing/x.hmnt")};
  EXPECT_FALSE(w->close());
  EXPECT_FALSE(w->close());  // the save failed: the song must not go
  EXPECT_EQ(Window1::Existing(), w);
  EXPECT_EQ(Module1::myINI->GetPreference("Toolbar", "Visible", value), 0);

  w->Toolbar11()->setVisible(false);
  dialogs.messageAnswers = {DialogButton::Alternate};
  EXPECT_TRUE(w->close());
  EXPECT_EQ(Window1::Existing(), nullptr);
  Module1::myINI->GetPreference("Toolbar", "Visible", value);
  EXPECT_EQ(value, "0");

  // A song without unsaved changes closes without asking.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  w = Window1::Instance();
  dialogs.messageDialogs.clear();
  EXPECT_TRUE(w->Toolbar11()->isHidden());  // as it was stored
  w->Toolbar11()->setVisible(true);
  EXPECT_TRUE(w->close());
  EXPECT_TRUE(dialogs.messageDialogs.empty());
  Module1::myINI->GetPreference("Toolbar", "Visible", value);
  EXPECT_EQ(value, "1");
}
