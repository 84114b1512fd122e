// A save does not overwrite, unseen, what another program wrote to the song's file since this
// window read or wrote it: it asks, and Cancel leaves the file and the song as they were.
#include <QFile>
#include <functional>

#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>

#include "mainwindow/document_fixture.h"

namespace {

using SaveOverChanges = DocumentFixture;

// Moves the file's modification time on by one nanosecond, its size and inode unchanged.
void TouchOneNanosecond(const FolderItem& file) {
  struct stat st {};
  const QByteArray path = QFile::encodeName(file.Path());
  ASSERT_EQ(::stat(path.constData(), &st), 0);
  timespec times[2] = {st.st_atim, st.st_mtim};
  if (++times[1].tv_nsec == 1000000000) {
    times[1].tv_nsec = 0;
    ++times[1].tv_sec;
  }
  ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
}

TEST_F(SaveOverChanges, AskBeforeSavingOverAFileAnotherProgramChanged) {
  const QByteArray theirs = SongBytes("Theirs", "[C]their words");
  const struct {
    const char* what;
    std::function<void(const FolderItem&)> change;
  } changes[] = {
      {"written with another length", [&](const FolderItem& f) { Write(f.Name(), theirs); }},
      {"its time moved by a nanosecond", [&](const FolderItem& f) { TouchOneNanosecond(f); }},
      {"replaced by a file of the same size and time",
       [&](const FolderItem& f) {
         struct stat st {};
         ::stat(QFile::encodeName(f.Path()).constData(), &st);
         // Written beside it first, so that the new file cannot get the old one's inode number.
         Write(f.Name() + ".new", Bytes(f));
         const timespec times[2] = {st.st_atim, st.st_mtim};
         ::utimensat(AT_FDCWD, QFile::encodeName(f.Path() + ".new").constData(), times, 0);
         ASSERT_EQ(::rename(QFile::encodeName(f.Path() + ".new").constData(), QFile::encodeName(f.Path()).constData()),
                   0);
       }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.what);
    const FolderItem file = Write(QStringLiteral("song.hmnt"), SongBytes("Mine", "[G]my words"));
    OpenSong(file);
    Edit();
    c.change(file);
    const QByteArray onDisk = Bytes(file);
    const DocState before = State();
    dialogs.messageDialogs.clear();
    dialogs.messageAnswers = {DialogButton::Cancel};
    EXPECT_TRUE(w->mSave());
    ASSERT_EQ(dialogs.messageDialogs.size(), 1u);
    const MessageDialogRequest& asked = dialogs.messageDialogs[0];
    EXPECT_EQ(asked.Message, "\"song.hmnt\" was changed by another program since it was opened here. Save over it?");
    EXPECT_EQ(asked.ActionButton, "Save Anyway");
    EXPECT_EQ(asked.CancelButton, "Cancel");
    EXPECT_EQ(Bytes(file), onDisk);
    EXPECT_EQ(State(), before);
    // Save Anyway writes the song; the next save asks nothing.
    dialogs.messageAnswers = {DialogButton::Action};
    EXPECT_FALSE(w->mSave());
    EXPECT_TRUE(Bytes(file).contains("[G]my words"));
    EXPECT_FALSE(w->Modified());
    Edit();
    EXPECT_FALSE(w->mSave());
    EXPECT_EQ(dialogs.messageDialogs.size(), 2u);
    EXPECT_TRUE(dialogs.msgBoxes.isEmpty()) << dialogs.msgBoxes.join("|").toStdString();
  }
}

TEST_F(SaveOverChanges, AFileThatWentOrWasChosenInTheSaveDialogIsWrittenWithoutAsking) {
  const FolderItem file = Write(QStringLiteral("song.hmnt"), SongBytes("Mine", "[G]my words"));
  OpenSong(file);
  Edit();
  QFile::remove(file.Path());
  EXPECT_FALSE(w->mSave());
  EXPECT_TRUE(Bytes(file).contains("[G]my wordsx"));

  // Save As over another file: the save dialog has asked already.
  const FolderItem other = Write(QStringLiteral("other.hmnt"), SongBytes("Other", "[A]other words"));
  dialogs.saveAnswers = {other};
  EXPECT_TRUE(w->_mnuSaveAs_Action());
  EXPECT_TRUE(Bytes(other).contains("[G]my wordsx"));
  EXPECT_EQ(State(), Doc(other, false, "Harmonote - Mine"));
  EXPECT_TRUE(dialogs.messageDialogs.empty());
}

}  // namespace
