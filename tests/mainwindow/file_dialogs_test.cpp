// The open and save dialogs as the window asks for them: the filters they show and the folder
// they start in (the song's folder, else the folder last used in this run, else the home folder).
#include <QDir>
#include <QTemporaryDir>

#include "mainwindow/document_fixture.h"

namespace {
const QStringList kOpenFilters = {"Song documents and text files (*.hmnt *.txt)", "Song documents (*.hmnt)",
                                  "Text files (*.txt)", "All files (*)"};
const QStringList kSaveFilters = {"Song documents (*.hmnt)"};

// The process's working folder moved somewhere no dialog may start in, for the test's length.
class WorkingFolder {
 public:
  WorkingFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
  ~WorkingFolder() { QDir::setCurrent(previous_); }
  QString Path() const { return QDir::currentPath(); }

 private:
  QTemporaryDir dir_;
  QString previous_;
};

class FileDialogs : public DocumentFixture {
 protected:
  FolderItem Folder(const QString& name) const {
    QDir().mkpath(folder + QLatin1Char('/') + name);
    return File(name);
  }
  FolderItem OpenStart() {
    w->_mnuOpen_Action();
    return dialogs.openStartFolders.back();
  }
  FolderItem SaveAsStart() {
    w->_mnuSaveAs_Action();
    return dialogs.saveStartFolders.back();
  }
  WorkingFolder cwd;
};
}  // namespace

TEST_F(FileDialogs, OfferTheTypesByTheirLabelsAndAllFilesLastWhenOpening) {
  w->_mnuOpen_Action();
  w->_mnuSaveAs_Action();
  ASSERT_EQ(dialogs.openDialogFilters.size(), 1u);
  EXPECT_EQ(dialogs.openDialogFilters[0], kOpenFilters);
  EXPECT_EQ(dialogs.openFilters[0], "HMNT;Text");  // the type names stay
  ASSERT_EQ(dialogs.saveDialogFilters.size(), 1u);
  EXPECT_EQ(dialogs.saveDialogFilters[0], kSaveFilters);
}

TEST_F(FileDialogs, StartInTheHomeFolderInAFreshRunNeverInTheWorkingFolder) {
  const FolderItem home = SpecialFolder::Preferences();
  ASSERT_NE(home.Path(), cwd.Path());
  QDir().mkpath(home.Path());
  EXPECT_EQ(OpenStart(), home);
  EXPECT_EQ(SaveAsStart(), home);
  w->txtTitle()->SetText("Untitled song");
  w->mSave();
  EXPECT_EQ(dialogs.saveStartFolders.back(), home);
}

TEST_F(FileDialogs, StartInTheSongsFolderElseTheFolderLastUsed) {
  const FolderItem a = Folder("a"), b = Folder("b"), c = Folder("c");
  const FolderItem songA = Write("a/one.hmnt", SongBytes("One", "la"));
  const FolderItem brokenB = Write("b/broken.hmnt", "not a song");
  const FolderItem textC = Write("c/words.txt", "some words");

  OpenSong(songA);            // as the start-up opens a handed-over song
  EXPECT_EQ(OpenStart(), a);  // cancelled: the song no longer has a file...
  EXPECT_EQ(OpenStart(), a);  // ...and the folder used last is still its folder
  OpenSong(songA);
  EXPECT_EQ(SaveAsStart(), a);  // Save As forgets the file but starts in its folder

  // A file chosen in another folder that cannot be opened: the song keeps its file, and its folder wins.
  OpenSong(songA);
  dialogs.openAnswers = {brokenB};
  w->_mnuOpen_Action();
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  ASSERT_TRUE(w->myFile() && *w->myFile() == songA);
  EXPECT_EQ(OpenStart(), a);
  // Without a file, the folder last used: where that file was chosen.
  w->_mnuNew_Action();
  EXPECT_EQ(OpenStart(), b);

  // Importing text leaves the song without a file; the next save starts where the text came from.
  dialogs.openAnswers = {textC};
  w->_mnuOpen_Action();
  ASSERT_FALSE(w->myFile());
  w->mSave();
  EXPECT_EQ(dialogs.saveStartFolders.back(), c);

  // A song saved under a new name in another folder: that folder from then on.
  const FolderItem songB = File("b/two.hmnt");
  w->txtTitle()->SetText("Two");
  dialogs.saveAnswers = {songB};
  EXPECT_FALSE(w->mSave());
  EXPECT_EQ(OpenStart(), b);
  w->_mnuNew_Action();
  EXPECT_EQ(OpenStart(), b);
}
