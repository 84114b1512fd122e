// Qt's file dialogs as the application shows them: the filters' labels, the folder they start in,
// and file names matched in any letter case.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include "platform/core/filetype.h"
#include "platform/desktop/dialogs.h"
#include "support/test_env.h"

namespace {
// The two types the application defines, with their labels.
QString DefineTypes() {
  FileType song;
  song.Name = "HMNT";
  song.Extensions = ".hmnt";
  song.Label = "Song documents";
  FileType text;
  text.Name = "Text";
  text.Extensions = ".txt";
  text.Label = "Text files";
  return song + text;
}

// The names the dialog's list shows with its current filter (loaded asynchronously).
QStringList ShownNames(QFileDialog* dlg, int expected) {
  auto* view = dlg->findChild<QAbstractItemView*>("listView");
  if (!view) return {"<no list>"};
  QStringList names;
  (void)QTest::qWaitFor(
      [&] {
        names.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
          const QModelIndex index = view->model()->index(row, 0, root);
          if (index.flags() & Qt::ItemIsEnabled) names << index.data().toString();
        }
        return names.size() == expected;
      },
      5000);
  names.sort();
  return names;
}

struct Seen {
  bool shown = false;
  bool native = true;
  QStringList filters;
  QString directory;
  QStringList all, songs;
};
}  // namespace

TEST(QtFileDialogs, ShowTheLabelsStartInTheDocumentsFolderAndMatchAnyLetterCase) {
  const QString filter = DefineTypes();
  const QString folder = TestRoot() + "/dialog-songs";
  QDir().mkpath(folder + "/sub");
  for (const char* name : {"a.hmnt", "B.HMNT", "c.Txt", "d.doc"}) {
    QFile f(folder + "/" + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  // Qt's dialogs of a run of their own: no folder used yet.
  QtDialogs qt;
  Dialogs::Install(&qt);
  const auto uninstall = qScopeGuard([] { Dialogs::Install(nullptr); });
  Seen seen;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dlg) return;
    seen.shown = true;
    seen.native = !dlg->testOption(QFileDialog::DontUseNativeDialog);
    seen.filters = dlg->nameFilters();
    seen.directory = dlg->directory().absolutePath();
    seen.all = ShownNames(dlg, 4);  // the first filter: songs and text, and the folder
    dlg->selectNameFilter("Song documents (*.hmnt)");
    seen.songs = ShownNames(dlg, 3);
    dlg->reject();
  });
  EXPECT_FALSE(qt.GetOpenFolderItem(filter, FolderItem(folder)).has_value());
  ASSERT_TRUE(seen.shown);
  EXPECT_FALSE(seen.native);
  EXPECT_EQ(seen.filters, QStringList({"Song documents and text files (*.hmnt *.txt)", "Song documents (*.hmnt)",
                                       "Text files (*.txt)", "All files (*)"}));
  EXPECT_EQ(seen.directory, folder);
  EXPECT_EQ(seen.all, QStringList({"B.HMNT", "a.hmnt", "c.Txt", "sub"}));
  EXPECT_EQ(seen.songs, QStringList({"B.HMNT", "a.hmnt", "sub"}));

  // Without a document folder, a fresh run starts in the home folder.
  QDir().mkpath(SpecialFolder::Preferences().Path());
  seen = {};
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dlg) return;
    seen.shown = true;
    seen.filters = dlg->nameFilters();
    seen.directory = dlg->directory().absolutePath();
    dlg->reject();
  });
  EXPECT_FALSE(qt.GetSaveFolderItem("HMNT", "Song.hmnt", FolderItem()).has_value());
  ASSERT_TRUE(seen.shown);
  EXPECT_EQ(seen.filters, QStringList({"Song documents (*.hmnt)"}));
  EXPECT_EQ(seen.directory, SpecialFolder::Preferences().Path());
  FileTypeRegistry::Remove("HMNT");
  FileTypeRegistry::Remove("Text");
}
