// Writing a file keeps what the file had: its names, its ACL and attributes, and every name the
// file system takes can be written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstring>

#include "platform/core/errors.h"
#include "platform/core/file_stamp.h"
#include "platform/core/files.h"
#include "support/file_bytes.h"
#include "support/inode_flags.h"

namespace {

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

struct stat Status(const QString& path) {
  struct stat st {};
  EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
  return st;
}

// Runs a tool and gives its output; fails the test when it does not succeed.
QString RunTool(const QString& program, const QStringList& arguments, bool* ok = nullptr) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, arguments);
  const bool done = p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  const QString output = QString::fromLocal8Bit(p.readAll());
  if (ok)
    *ok = done;
  else
    EXPECT_TRUE(done) << program.toStdString() << ": " << output.toStdString();
  return output;
}

TEST(FileWriter, WritesEveryNameTheFileSystemTakes) {
  QTemporaryDir dir;
  // 255 bytes each, the most a name may have: ASCII, two-byte and three-byte UTF-8.
  const QString names[] = {
      QString(250, QLatin1Char('a')) + ".hmnt",
      QString(125, QChar(0x00E9)) + ".hmnt",
      QString(83, QChar(0x266B)) + "a.hmnt",
  };
  for (const QString& name : names) {
    ASSERT_EQ(QFile::encodeName(name).size(), 255);
    QTemporaryDir folder(dir.filePath("XXXXXX"));
    const FolderItem file(folder.filePath(name));
    SCOPED_TRACE(name.toStdString());
    // Created, then replaced.
    for (const QByteArray& song : {QByteArray("first"), QByteArray("second, longer")}) {
      const FileStamp stamp = TextOutputStream::WriteBytes(file, song);
      EXPECT_EQ(FileBytes(file.Path()), song);
      EXPECT_EQ(FileStamp::Of(file), stamp);
      EXPECT_EQ(Entries(folder.path()), QStringList{name});
    }
  }
}

TEST(FileWriter, AFileWithASecondNameIsWrittenInPlaceAndBothNamesSeeTheNewSong) {
  QTemporaryDir dir;
  const QString a = dir.filePath("song.hmnt"), b = dir.filePath("also.hmnt");
  TextOutputStream::WriteBytes(FolderItem(a), "the old song, longer than the new");
  ASSERT_EQ(::link(QFile::encodeName(a).constData(), QFile::encodeName(b).constData()), 0);
  const ino_t inode = Status(a).st_ino;
  const FileStamp stamp = TextOutputStream::WriteBytes(FolderItem(a), "new song");
  EXPECT_EQ(FileBytes(a), "new song");
  EXPECT_EQ(FileBytes(b), "new song");
  EXPECT_EQ(Status(a).st_ino, inode);
  EXPECT_EQ(Status(a).st_nlink, nlink_t(2));
  EXPECT_EQ(FileStamp::Of(FolderItem(b)), stamp);
  EXPECT_EQ(Entries(dir.path()), (QStringList{"also.hmnt", "song.hmnt"}));
}

// The ACL as getfacl lists it, without the comment lines.
QString Acl(const QString& path) {
  QStringList lines = RunTool("getfacl", {"--omit-header", "--absolute-names", path}).split('\n', Qt::SkipEmptyParts);
  return lines.join('\n');
}

QByteArray Attribute(const QString& path, const char* name) {
  char value[256];
  const ssize_t n = ::getxattr(QFile::encodeName(path).constData(), name, value, sizeof value);
  return n < 0 ? QByteArray("<none>") : QByteArray(value, n);
}

TEST(FileWriter, AReplacedFileKeepsItsAclItsModeAndItsAttributes) {
  QTemporaryDir dir;
  const QString path = dir.filePath("song.hmnt");
  TextOutputStream::WriteBytes(FolderItem(path), "old");
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
  bool ok = false;
  const QString why = RunTool("setfacl", {"-m", "user:nobody:rw-,group::r--", path}, &ok);
  if (!ok) GTEST_SKIP() << "the temporary folder's file system takes no ACL: " << why.toStdString();
  const QByteArray tag = "blue";
  if (::setxattr(QFile::encodeName(path).constData(), "user.harmonote.tag", tag.constData(), size_t(tag.size()), 0) !=
      0)
    GTEST_SKIP() << "the temporary folder's file system takes no user attributes: " << std::strerror(errno);
  const QString acl = Acl(path);
  ASSERT_TRUE(acl.contains("user:nobody:rw-") && acl.contains("mask::rw-")) << acl.toStdString();
  const mode_t mode = Status(path).st_mode;

  TextOutputStream::WriteBytes(FolderItem(path), "new");
  EXPECT_EQ(FileBytes(path), "new");
  EXPECT_EQ(Acl(path), acl);
  EXPECT_EQ(Status(path).st_mode, mode);
  EXPECT_EQ(Attribute(path, "user.harmonote.tag"), tag);
}

TEST(FileWriter, AFolderDefaultAclDoesNotReachAReplacedFileThatHadNone) {
  QTemporaryDir dir;
  bool ok = false;
  const QString why = RunTool("setfacl", {"-d", "-m", "user:nobody:rwx", dir.path()}, &ok);
  if (!ok) GTEST_SKIP() << "the temporary folder's file system takes no ACL: " << why.toStdString();
  const QString path = dir.filePath("song.hmnt");
  TextOutputStream::WriteBytes(FolderItem(path), "old");
  RunTool("setfacl", {"-b", path});
  ASSERT_FALSE(Acl(path).contains("nobody"));
  const mode_t mode = Status(path).st_mode;
  TextOutputStream::WriteBytes(FolderItem(path), "new");
  EXPECT_EQ(FileBytes(path), "new");
  EXPECT_FALSE(Acl(path).contains("nobody")) << Acl(path).toStdString();
  EXPECT_EQ(Status(path).st_mode, mode);
}

TEST(FileWriter, AReplacedFileKeepsItsInodeFlags) {
  QTemporaryDir dir;
  const QString path = dir.filePath("song.hmnt");
  TextOutputStream::WriteBytes(FolderItem(path), "old");
  // chattr +A +d: no access times, not dumped.
  const int flags = FS_NOATIME_FL | FS_NODUMP_FL;
  const QString why = ChangeInodeFlags(path, flags);
  if (!why.isEmpty()) GTEST_SKIP() << "the temporary folder's file system keeps no inode flags: " << why.toStdString();
  TextOutputStream::WriteBytes(FolderItem(path), "new");
  EXPECT_EQ(FileBytes(path), "new");
  EXPECT_EQ(InodeFlags(path).value_or(0) & flags, flags);
  EXPECT_EQ(Entries(dir.path()), QStringList{"song.hmnt"});
}

}  // namespace
