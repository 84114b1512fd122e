// Saves that are refused: a Save As that fails leaves the song with its own file (the window's
// file, title and stamp stay as they were, so that Save and the quit prompt's "Save Changes" write
// the song's own file), and a song whose folder went away says so.
#include <QDir>
#include <functional>

#include "mainwindow/document_fixture.h"
#include "support/inode_flags.h"

namespace {

using FailedSaveAs = DocumentFixture;

TEST_F(FailedSaveAs, LeavesTheSongWithItsOwnFile) {
  const struct Target {
    const char* what;
    std::function<QString(const QString& path)> make;  // makes the refused target; why it cannot
    std::function<void(const QString& path)> unmake;
  } targets[] = {
      {"a file the user may not change (immutable)",
       [&](const QString& path) {
         PutFile(path, "not to be changed");
         return ChangeInodeFlags(path, FS_IMMUTABLE_FL);
       },
       [](const QString& path) { ChangeInodeFlags(path, FS_IMMUTABLE_FL, false); }},
      {"a folder", [](const QString& path) { return QDir().mkdir(path) ? QString() : QStringLiteral("no folder"); },
       [](const QString&) {}},
  };
  const struct Then {
    const char* what;
    std::function<bool(Window1&, ScriptedDialogs&)> save;  // true when the song was saved
  } thens[] = {
      {"Save", [](Window1& w, ScriptedDialogs&) { return w._mnuSave_Action() && !w.Modified(); }},
      {"the quit prompt's Save Changes",
       [](Window1& w, ScriptedDialogs& d) {
         d.messageAnswers = {DialogButton::Action};
         return !w.Check4Save() && !w.Modified();
       }},
  };
  int serial = 0;
  for (const Target& target : targets) {
    for (const Then& then : thens) {
      SCOPED_TRACE(testing::Message() << target.what << ", then " << then.what);
      const FolderItem file = Write(QStringLiteral("song-%1.hmnt").arg(++serial), SongBytes("Mine", "[G]my words"));
      OpenSong(file);
      Edit();
      const QString refused = folder + QStringLiteral("/refused-%1.hmnt").arg(serial);
      const QString why = target.make(refused);
      if (!why.isEmpty()) {
        std::cout << "[ SKIPPED  ] " << target.what << ": " << why.toStdString() << "\n";
        continue;
      }
      const DocState before = State();
      dialogs.msgBoxes.clear();
      dialogs.messageDialogs.clear();
      dialogs.saveAnswers = {FolderItem(refused)};
      EXPECT_TRUE(w->_mnuSaveAs_Action());
      ASSERT_EQ(dialogs.msgBoxes.size(), 1);
      EXPECT_TRUE(dialogs.msgBoxes[0].startsWith(QStringLiteral("The song could not be saved as \"%1\"").arg(refused)))
          << dialogs.msgBoxes[0].toStdString();
      EXPECT_EQ(State(), before);
      // The song's own file is saved, without a question about a change.
      EXPECT_TRUE(then.save(*w, dialogs));
      EXPECT_TRUE(Bytes(file).contains("[G]my wordsx"));
      EXPECT_EQ(State(), Doc(file, false, "Harmonote - Mine"));
      EXPECT_EQ(dialogs.msgBoxes.size(), 1);
      EXPECT_EQ(dialogs.messageDialogs.size(), then.what == std::string("Save") ? 0u : 1u);
      target.unmake(refused);
    }
  }
}

using FolderGone = DocumentFixture;

TEST_F(FolderGone, ASongWhoseFolderWasMovedOrDeletedSaysThatTheFolderIsGone) {
  const struct {
    const char* what;
    std::function<void(const QString& folder)> remove;
  } cases[] = {
      {"moved", [](const QString& f) { ASSERT_TRUE(QDir().rename(f, f + QStringLiteral(" moved"))); }},
      {"deleted", [](const QString& f) { ASSERT_TRUE(QDir(f).removeRecursively()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString album = folder + QStringLiteral("/album ") + c.what;
    ASSERT_TRUE(QDir().mkdir(album));
    const FolderItem file(album + QStringLiteral("/song.hmnt"));
    PutFile(file.Path(), SongBytes("Mine", "[G]my words"));
    OpenSong(file);
    Edit();
    c.remove(album);
    const DocState before = State();
    dialogs.msgBoxes.clear();
    EXPECT_TRUE(w->_mnuSave_Action());
    ASSERT_EQ(dialogs.msgBoxes.size(), 1);
    EXPECT_EQ(dialogs.msgBoxes[0].toStdString(),
              QStringLiteral("The song could not be saved as \"%1\".\n\n\"song.hmnt\" could not be written: the folder "
                             "\"%2\" no longer exists (it was moved or deleted).")
                  .arg(file.Path(), album)
                  .toStdString());
    EXPECT_EQ(State(), before);
    EXPECT_FALSE(QFileInfo::exists(album));
  }
}

}  // namespace
