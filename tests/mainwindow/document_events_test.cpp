// The window's Open event and the start-up timer that opens the document handed over at launch.
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "mainwindow/document_fixture.h"
#include "shell/menu_bar1.h"

namespace {
// A fresh window over the settings and hand-over the test has prepared.
Window1* Reopen() {
  delete Window1::Existing();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return Window1::Instance();
}

// Lets the event loop run until the window's one-shot timer has fired.
void LetTheTimerFire(Window1* w) {
  for (int i = 0; i < 1000 && w->Timer1()->isActive(); ++i) QTest::qWait(5);
  ASSERT_FALSE(w->Timer1()->isActive());
}
}  // namespace

using WindowEventsTest = DocumentFixture;

TEST_F(WindowEventsTest, OpensWithTheStoredToolbarStateTheSettingsClosedAndNothingUnsaved) {
  const struct {
    std::optional<QString> stored;
    bool toolbarShown;
  } cases[] = {{std::nullopt, true}, {"1", true}, {"0", false}, {"abc", false}, {"", true}, {"2", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored->toStdString() : "missing");
    QFile::remove(settingsFile.Path());
    if (c.stored) Module1::myINI->SetPreference("Toolbar", "Visible", *c.stored);
    w = Reopen();
    EXPECT_EQ(!w->Toolbar11()->isHidden(), c.toolbarShown);
    EXPECT_TRUE(w->GroupBox1()->isHidden());
    EXPECT_FALSE(w->mnuSettings()->Checked());
    EXPECT_EQ(w->lblPage()->text(), "Page: 1");
    EXPECT_EQ(w->sldrFretOffset()->Value(), 22);
    EXPECT_EQ(State(), Doc(std::nullopt, false, "Harmonote"));
  }
}

TEST_F(WindowEventsTest, TheOpenAndCloseEventsNeedTheSettingsStore) {
  Module1::myINI.reset();
  EXPECT_ANY_THROW(w->Event_Open());
  EXPECT_ANY_THROW(w->Event_Close());
}

TEST_F(WindowEventsTest, TheStartUpTimerOpensTheHandedOverSongOrText) {
  const FolderItem song = Write("handed.hmnt", SongBytes("Handed Over", "[Em]line"));
  const FolderItem text = Write("handed.TXT", "plain words\nsecond");
  const struct {
    std::optional<FolderItem> handed;
    DocState after;
    QString songText;
  } cases[] = {
      {std::nullopt, Doc(std::nullopt, false, "Harmonote"), ""},
      {song, Doc(song, false, "Harmonote - Handed Over"), "[Em]line"},
      {text, Doc(std::nullopt, true, "Harmonote - Harmonote"), "plain words\rsecond"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.handed ? c.handed->Name().toStdString() : "nothing");
    Module1::gOpenThisFile = c.handed;
    w = Reopen();
    LetTheTimerFire(w);
    EXPECT_EQ(State(), c.after);
    EXPECT_EQ(w->txtSong()->Text(), c.songText);
    EXPECT_EQ(Module1::gOpenThisFile, c.handed);  // never cleared
    EXPECT_TRUE(dialogs.msgBoxes.isEmpty()) << dialogs.msgBoxes.join("|").toStdString();
  }
}
