// Saves that are refused: a song whose folder went away says so.
#include <QDir>
#include <functional>

#include "mainwindow/document_fixture.h"

namespace {

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
