// Saving as an ordinary user: a file the user may not write is never replaced, a writable file in
// a folder of someone else's is written in place and keeps its owner, and a refusal names its
// real cause.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/errors.h"
#include "platform/core/files.h"
#include "support/file_bytes.h"
#include "support/ordinary_user.h"

namespace {

constexpr uid_t kRoot = 0;

struct stat Status(const QString& path) {
  struct stat st {};
  EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
  return st;
}

void Own(const QString& path, uid_t uid, mode_t mode) {
  const QByteArray native = QFile::encodeName(path);
  ASSERT_EQ(::chown(native.constData(), uid, uid == kRoot ? 0 : kOrdinaryGid), 0);
  ASSERT_EQ(::chmod(native.constData(), mode), 0);
}

// Writes the song to path as the ordinary user: "saved", or the reason it was refused.
QString SaveAsOrdinaryUser(const QString& path, const QByteArray& song, bool* skipped) {
  const OrdinaryUserRun run = RunAsOrdinaryUser([&] {
    try {
      TextOutputStream::WriteBytes(FolderItem(path), song);
      return QStringLiteral("saved");
    } catch (const IOException& e) {
      return e.Reason();
    }
  });
  *skipped = run.outcome == OrdinaryUserRun::Refused;
  EXPECT_NE(run.outcome, OrdinaryUserRun::Died) << run.text.toStdString();
  return run.text;
}

class OrdinaryUserSave : public ::testing::Test {
 protected:
  void SetUp() override {
    // The child must reach the folders: the path to them is open to everyone.
    ASSERT_TRUE(root_.isValid());
    ASSERT_EQ(::chmod(QFile::encodeName(root_.path()).constData(), 0755), 0);
    // The user's own state folder, where the backup of a song written in place goes when the
    // song's folder takes no new files.
    state_ = root_.filePath(QStringLiteral("state"));
    ASSERT_TRUE(QDir().mkdir(state_));
    ASSERT_EQ(::chown(QFile::encodeName(state_).constData(), kOrdinaryUid, kOrdinaryGid), 0);
    stateBefore_ = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", QFile::encodeName(state_));
  }
  void TearDown() override {
    if (stateBefore_.isEmpty())
      qunsetenv("XDG_STATE_HOME");
    else
      qputenv("XDG_STATE_HOME", stateBefore_);
  }
  // The backups in the user's state folder.
  QStringList StateBackups() const {
    return QDir(state_ + QStringLiteral("/harmonote")).entryList(QDir::Files | QDir::Hidden);
  }
  // A folder owned by owner with mode, holding song.hmnt owned by fileOwner with fileMode (no
  // file when fileMode is 0). Returns the song's path.
  QString Make(uid_t owner, mode_t mode, uid_t fileOwner, mode_t fileMode) {
    static int serial = 0;
    const QString folder = root_.filePath(QStringLiteral("folder-%1").arg(++serial));
    EXPECT_TRUE(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/song.hmnt");
    if (fileMode != 0) {
      QFile f(path);
      EXPECT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(kOld);
      f.close();
      Own(path, fileOwner, fileMode);
    }
    Own(folder, owner, mode);
    return path;
  }

  static constexpr const char* kOld = "the old song, as the user left it";
  QTemporaryDir root_;
  QString state_;
  QByteArray stateBefore_;
};

TEST_F(OrdinaryUserSave, AFileTheUserMayNotWriteIsRefusedAsWriteProtectedAndLeftAsItIs) {
  struct Case {
    const char* what;
    uid_t fileOwner;
    mode_t fileMode;
  } cases[] = {
      {"the user's own song made read-only", kOrdinaryUid, 0444},
      {"someone else's song the user may only read", kRoot, 0644},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString path = Make(kOrdinaryUid, 0755, c.fileOwner, c.fileMode);
    const struct stat before = Status(path);
    bool skipped = false;
    const QString result = SaveAsOrdinaryUser(path, "new song", &skipped);
    if (skipped) GTEST_SKIP() << result.toStdString();
    EXPECT_TRUE(result.startsWith("\"song.hmnt\" is write-protected")) << result.toStdString();
    EXPECT_EQ(FileBytes(path), kOld);
    const struct stat after = Status(path);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
  }
  // Under another name in the same folder the song is saved.
  const QString path = Make(kOrdinaryUid, 0755, kOrdinaryUid, 0444);
  bool skipped = false;
  EXPECT_EQ(SaveAsOrdinaryUser(QFileInfo(path).path() + "/copy.hmnt", "new song", &skipped), "saved");
}

TEST_F(OrdinaryUserSave, AWritableSongIsSavedInAnyFolderAndKeepsItsOwner) {
  struct Case {
    const char* what;
    uid_t folderOwner;
    mode_t folderMode;
    uid_t fileOwner;
    mode_t fileMode;
    bool inPlace;
  } cases[] = {
      {"the user's song in someone else's folder", kRoot, 0755, kOrdinaryUid, 0644, true},
      {"someone else's writable song in a shared sticky folder", kRoot, 01777, kRoot, 0666, true},
      {"the user's song in a shared sticky folder", kRoot, 01777, kOrdinaryUid, 0644, false},
      {"someone else's writable song in the user's folder", kOrdinaryUid, 0755, kRoot, 0666, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString path = Make(c.folderOwner, c.folderMode, c.fileOwner, c.fileMode);
    const struct stat before = Status(path);
    bool skipped = false;
    const QString result = SaveAsOrdinaryUser(path, "new song", &skipped);
    if (skipped) GTEST_SKIP() << result.toStdString();
    EXPECT_EQ(result, "saved");
    EXPECT_EQ(FileBytes(path), "new song");
    const struct stat after = Status(path);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    if (c.inPlace) {
      EXPECT_EQ(after.st_ino, before.st_ino);
    }
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
    EXPECT_EQ(StateBackups(), QStringList());
  }
}

TEST_F(OrdinaryUserSave, ANewSongInAFolderThatTakesNoNewFilesBlamesTheFolder) {
  const QString path = Make(kRoot, 0755, kRoot, 0);
  bool skipped = false;
  const QString result = SaveAsOrdinaryUser(path, "new song", &skipped);
  if (skipped) GTEST_SKIP() << result.toStdString();
  EXPECT_EQ(result, QStringLiteral("\"song.hmnt\" could not be written: the folder \"%1\" does not let you add files "
                                   "(Permission denied).")
                        .arg(QFileInfo(path).path()));
  EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(OrdinaryUserSave, AnAclThatLetsTheUserWriteASongOfSomeoneElsesIsHonoured) {
  const QString path = Make(kOrdinaryUid, 0755, kRoot, 0644);
  QProcess setfacl;
  setfacl.setProcessChannelMode(QProcess::MergedChannels);
  setfacl.start("setfacl", {"-m", QStringLiteral("user:%1:rw-").arg(kOrdinaryUid), path});
  if (!setfacl.waitForFinished(10000) || setfacl.exitCode() != 0)
    GTEST_SKIP() << "the temporary folder's file system takes no ACL: " << setfacl.readAll().toStdString();
  const struct stat before = Status(path);
  bool skipped = false;
  const QString result = SaveAsOrdinaryUser(path, "new song", &skipped);
  if (skipped) GTEST_SKIP() << result.toStdString();
  EXPECT_EQ(result, "saved");
  EXPECT_EQ(FileBytes(path), "new song");
  EXPECT_EQ(Status(path).st_uid, kRoot);
  EXPECT_EQ(Status(path).st_ino, before.st_ino);
}

}  // namespace
