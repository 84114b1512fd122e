#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>

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

namespace {
long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}
}  // namespace

TEST(Files, AGigabyteOfNulBytesIsRefusedWithoutBeingRead) {
  QTemporaryDir dir;
  const struct {
    const char* name;
    TextKind kind;
    const char* start;
  } files[] = {{"zeros.hmnt", TextKind::SongDocument, ""},
               {"zeros.txt", TextKind::TextImport, ""},
               {"utf16 zeros.txt", TextKind::TextImport, "\xFF\xFE"}};
  for (const auto& [name, kind, start] : files) {
    SCOPED_TRACE(name);
    const QString path = dir.filePath(name);
    {
      const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ASSERT_GE(fd, 0);
      ASSERT_EQ(::write(fd, start, std::strlen(start)), ssize_t(std::strlen(start)));
      ASSERT_EQ(::ftruncate(fd, off_t(1) << 30), 0);  // sparse: takes no room on disk
      ::close(fd);
    }
    const long before = PeakKilobytes();
    try {
      TextInputStream::ReadText(FolderItem(path), kind);
      ADD_FAILURE() << "read";
    } catch (const IOException& e) {
      EXPECT_EQ(e.Reason(), QStringLiteral("\"%1\" is not a song document.").arg(name));
    }
    // Reading it whole would take a gigabyte or more at its peak.
    EXPECT_LT(PeakKilobytes() - before, 64 * 1024);
  }
}

TEST(Files, ALongTextReadInPiecesIsTheTextOfItsWholeBytes) {
  // Many pieces, with UTF-8 sequences of every length and stray Windows-1252 bytes cut at their
  // ends; a text import in UTF-16 with its surrogate pairs cut as well.
  QByteArray utf8;
  for (int i = 0; utf8.size() < 300000; ++i)
    utf8 += (i % 7 == 0 ? "\x93x\x94 " : "[G]caf\xC3\xA9 \xE2\x99\xAB \xF0\x9F\x8E\xB8\r");
  const QString wide = DecodeUtf8OrWindows1252(utf8.left(200001));
  const QByteArray utf16 =
      QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(wide.utf16()), wide.size() * 2);
  QTemporaryDir dir;
  const FolderItem f(dir.filePath("long"));
  TextOutputStream::WriteBytes(f, utf8);
  EXPECT_EQ(TextInputStream::ReadText(f, TextKind::SongDocument), DecodeUtf8OrWindows1252(utf8));
  TextOutputStream::WriteBytes(f, utf16);
  EXPECT_EQ(TextInputStream::ReadText(f, TextKind::TextImport), wide);
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

// Read from the environment at each call; a relative XDG_CONFIG_HOME counts as none.
TEST(SpecialFolders, AreTheEnvironmentsSettingsAndHomeFolders) {
  const QByteArray config = qgetenv("XDG_CONFIG_HOME"), home = qgetenv("HOME");
  qputenv("HOME", "/tmp/a-home");
  qputenv("XDG_CONFIG_HOME", "/tmp/a-config");
  EXPECT_EQ(SpecialFolder::ApplicationData().Path(), "/tmp/a-config");
  EXPECT_EQ(SpecialFolder::Preferences().Path(), "/tmp/a-home");
  for (const char* relative : {"config", ""}) {
    qputenv("XDG_CONFIG_HOME", relative);
    EXPECT_EQ(SpecialFolder::ApplicationData().Path(), "/tmp/a-home/.config") << relative;
  }
  qputenv("XDG_CONFIG_HOME", config);
  qputenv("HOME", home);
}
