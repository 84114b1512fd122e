#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <unistd.h>

#include "platform/core/errors.h"
#include "platform/core/files.h"

namespace {
QByteArray readBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}
}  // namespace

TEST(Files, FolderItemNavigation) {
  QTemporaryDir dir;
  FolderItem root(dir.path());
  FolderItem child = root.Child("song.hmnt");
  EXPECT_EQ(child.Name(), "song.hmnt");
  EXPECT_FALSE(child.Exists());
  EXPECT_EQ(child.Parent(), root);
  FolderItem sub = root.Child("a").Child("b");
  sub.CreateAsFolder();
  EXPECT_TRUE(sub.IsFolder());
}

TEST(Files, TextRoundTripDropsTheByteOrderMark) {
  QTemporaryDir dir;
  FolderItem f(dir.filePath("t.txt"));
  TextOutputStream::WriteAll(f, QString::fromUtf8("Gr\u00e2ce\r\u266b"));
  EXPECT_EQ(TextInputStream::ReadAll(f), QString::fromUtf8("Gr\u00e2ce\r\u266b"));
  TextOutputStream::WriteBytes(f, QByteArray("\xEF\xBB\xBFhi"));
  EXPECT_EQ(TextInputStream::ReadAll(f), "hi");
}

TEST(Files, InvalidUtf8FallsBackToWindows1252WhenAsked) {
  QTemporaryDir dir;
  FolderItem f(dir.filePath("t.txt"));
  TextOutputStream::WriteBytes(f, QByteArray("caf\xE9 \x93q\x94 \x80"));
  EXPECT_EQ(TextInputStream::ReadAll(f, TextInputStream::Fallback::Windows1252),
            QString::fromUtf8("caf\u00e9 \u201cq\u201d \u20ac"));
  EXPECT_NE(TextInputStream::ReadAll(f), QString::fromUtf8("caf\u00e9 \u201cq\u201d \u20ac"));
  TextOutputStream::WriteAll(f, QString::fromUtf8("caf\u00e9"));
  EXPECT_EQ(TextInputStream::ReadAll(f, TextInputStream::Fallback::Windows1252), QString::fromUtf8("caf\u00e9"));
}

TEST(Files, ReadingAMissingFileOrAFolderIsAnIOError) {
  QTemporaryDir dir;
  EXPECT_THROW(TextInputStream::ReadAll(FolderItem(dir.filePath("none.txt"))), IOException);
  EXPECT_THROW(TextInputStream::ReadAll(FolderItem(dir.path())), IOException);
  EXPECT_THROW(TextInputStream::ReadAll(FolderItem()), IOException);
}

TEST(Files, AWriteIntoAReadOnlyFolderNeedsNoNewFileAndAFolderIsNeverReplaced) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("ro");
  FolderItem f(dir.filePath("ro/song.hmnt"));
  TextOutputStream::WriteAll(f, "old");
  // A folder that takes no new file: the file is written in place (root ignores the mode).
  QFile::setPermissions(dir.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  TextOutputStream::WriteAll(f, "new text");
  QFile::setPermissions(dir.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(readBytes(f.Path()), "new text");
  EXPECT_EQ(QDir(dir.filePath("ro")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"song.hmnt"});

  // A target that is a folder cannot be replaced, for root as well.
  QDir(dir.path()).mkdir("folder.hmnt");
  EXPECT_THROW(TextOutputStream::WriteAll(FolderItem(dir.filePath("folder.hmnt")), "x"), IOException);
  EXPECT_TRUE(QFileInfo(dir.filePath("folder.hmnt")).isDir());
}

TEST(Files, CopyFolderSkipsLinks) {
  QTemporaryDir dir;
  FolderItem src(dir.filePath("src"));
  src.CreateAsFolder();
  TextOutputStream::WriteAll(src.Child("a.ini"), "x");
  QFile::link(dir.filePath("outside"), dir.filePath("src/link"));
  src.CopyFileTo(FolderItem(dir.filePath("dst")));
  EXPECT_EQ(TextInputStream::ReadAll(FolderItem(dir.filePath("dst/a.ini"))), "x");
  EXPECT_FALSE(QFileInfo(dir.filePath("dst/link")).isSymLink());
  EXPECT_THROW(src.CopyFileTo(FolderItem(dir.filePath("dst"))), IOException);
}

TEST(SpecialFolders, OverridesForTests) {
  EXPECT_TRUE(SpecialFolder::ApplicationData().Path().endsWith("/config"));
  EXPECT_TRUE(SpecialFolder::Preferences().Path().endsWith("/home"));
}
