// A save killed at any moment, as a crash or a power cut would end it: the old song stays whole,
// or the new one is whole, or (a song written in place) a whole backup of the old one is there;
// and nothing else is left behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/errors.h"
#include "platform/core/files.h"
#include "support/file_bytes.h"
#include "support/killed_child.h"
#include "support/ordinary_user.h"

namespace {

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

// Large songs, so that a kill can come while either is being written; the new one is the larger,
// so that writing it over the old one takes a while.
const QByteArray kOld = QByteArray("old song\n").repeated(60000);  // 540 kB
const QByteArray kNew = QByteArray("new\n").repeated(1000000);     // 4 MB
constexpr int kRuns = 20;

// What one killed save left.
enum class Left { OldSong, NewSong, TornSongWithBackup };

struct Tally {
  int oldSong = 0, newSong = 0, torn = 0;
  void Add(Left left) { ++(left == Left::OldSong ? oldSong : left == Left::NewSong ? newSong : torn); }
};

// Whether the file at path holds, at offset, what the new song holds there.
bool HoldsNewAt(const QString& path, qint64 offset) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) && f.seek(offset) && f.read(16) == kNew.mid(offset, 16);
}

// Saves kNew over path (prepared by reset) in children killed at random moments; check tells
// what each run left, and fails the test where that is not allowed. Half the kills come anywhere
// from before the save starts to after it ends; with overwrites, the other half come while the
// new song is being written over the old one (from the moment its first bytes show in the file).
Tally KillSavesAnywhere(const QString& path, const std::function<void()>& reset, const std::function<void()>& inChild,
                        const std::function<Left()>& check, bool overwrites) {
  const auto save = [&] {
    inChild();
    try {
      TextOutputStream::WriteBytes(FolderItem(path), kNew);
    } catch (const IOException&) {
      ::_exit(1);
    }
  };
  const auto writing = [&] { return HoldsNewAt(path, 0); };
  const auto written = [&] { return HoldsNewAt(path, kNew.size() - 16); };
  reset();
  const auto whole = TimeInChild(save);
  std::chrono::microseconds writingTakes{0};
  if (overwrites) {
    // From the first bytes of the new song in the file to its last.
    reset();
    using Clock = std::chrono::steady_clock;
    Clock::time_point began{};
    const Clock::time_point start = Clock::now();
    const auto end = start + TimeInChild(save, [&] {
                       if (began == Clock::time_point{} && writing()) began = Clock::now();
                       return began != Clock::time_point{} && written();
                     });
    writingTakes =
        std::max(std::chrono::duration_cast<std::chrono::microseconds>(end - began), std::chrono::microseconds(100));
  }
  const unsigned seed = std::random_device()();
  SCOPED_TRACE(testing::Message() << "seed " << seed << ", a whole save " << whole.count() << " us, writing "
                                  << writingTakes.count() << " us");
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> within(0, 1);
  Tally tally;
  for (int run = 0; run < kRuns && !testing::Test::HasFailure(); ++run) {
    reset();
    SCOPED_TRACE(testing::Message() << "run " << run);
    if (overwrites && run % 2 == 1) {
      RunKilledAfter(save, std::chrono::microseconds(qint64(within(random) * double(writingTakes.count()))), writing);
    } else {
      // Spread evenly over the whole save and a little after it.
      RunKilledAfter(save,
                     std::chrono::microseconds(qint64((run + within(random)) / kRuns * 1.25 * double(whole.count()))));
    }
    tally.Add(check());
  }
  return tally;
}

class KilledSave : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    folder_ = dir_.path();
    path_ = folder_ + QStringLiteral("/song.hmnt");
  }

  QTemporaryDir dir_;
  QString folder_, path_;
};

TEST_F(KilledSave, OnTheRenamePathLeavesTheOldOrTheNewSongAndNoTemporaryFile) {
  const Tally tally = KillSavesAnywhere(
      path_, [&] { PutFile(path_, kOld); }, [] {},
      [&] {
        EXPECT_EQ(Entries(folder_), QStringList{"song.hmnt"});
        const QByteArray song = FileBytes(path_);
        EXPECT_TRUE(song == kOld || song == kNew) << song.size() << " bytes";
        return song == kOld ? Left::OldSong : Left::NewSong;
      },
      false);
  EXPECT_GT(tally.oldSong + tally.newSong, 0);
}

// The song, the other names it has and (when one is there) the one other file, which must be a
// whole backup of the old song whenever the song is neither old nor new.
Left CheckInPlace(const QString& path, const QString& backupFolder, const QStringList& names) {
  QStringList others = Entries(backupFolder);
  for (const QString& name : names) others.removeAll(name);
  EXPECT_LE(others.size(), 1) << others.join(' ').toStdString();
  const QByteArray song = FileBytes(path);
  if (song == kOld || song == kNew) return song == kOld ? Left::OldSong : Left::NewSong;
  EXPECT_EQ(others.size(), 1) << "a torn song of " << song.size() << " bytes and no backup";
  if (others.size() == 1) {
    EXPECT_TRUE(FileBytes(backupFolder + QLatin1Char('/') + others[0]) == kOld);
  }
  return Left::TornSongWithBackup;
}

TEST_F(KilledSave, InPlaceLeavesTheOldSongTheNewSongOrAWholeBackupOfTheOld) {
  // A second name makes the save write the song in place.
  const QString link = folder_ + QStringLiteral("/link.hmnt");
  const auto reset = [&] {
    for (const QString& name : Entries(folder_))
      if (name != "song.hmnt" && name != "link.hmnt") QFile::remove(folder_ + QLatin1Char('/') + name);
    PutFile(path_, kOld);
  };
  PutFile(path_, kOld);
  ASSERT_EQ(::link(QFile::encodeName(path_).constData(), QFile::encodeName(link).constData()), 0);
  const Tally tally = KillSavesAnywhere(
      path_, reset, [] {},
      [&] {
        return CheckInPlace(path_, folder_, {"song.hmnt", "link.hmnt"});
      },
      true);
  // Some kills came while the song was being written.
  EXPECT_GT(tally.torn, 0) << tally.oldSong << " old, " << tally.newSong << " new";
}

TEST_F(KilledSave, InPlaceInAFolderThatTakesNoNewFilesKeepsTheBackupInTheStateFolder) {
  // The user's own song in a folder of root's: it is written in place, and its backup goes to
  // the user's state folder.
  ASSERT_EQ(::chmod(QFile::encodeName(folder_).constData(), 0755), 0);
  const QString state = folder_ + QStringLiteral("/state");
  const QString songs = folder_ + QStringLiteral("/songs");
  ASSERT_TRUE(QDir().mkdir(state) && QDir().mkdir(songs));
  ASSERT_EQ(::chown(QFile::encodeName(state).constData(), kOrdinaryUid, kOrdinaryGid), 0);
  const QString path = songs + QStringLiteral("/song.hmnt");
  const auto reset = [&] {
    QDir(state).removeRecursively();
    QDir().mkdir(state);
    ::chown(QFile::encodeName(state).constData(), kOrdinaryUid, kOrdinaryGid);
    PutFile(path, kOld);
    ::chown(QFile::encodeName(path).constData(), kOrdinaryUid, kOrdinaryGid);
  };
  reset();
  const OrdinaryUserRun probe = RunAsOrdinaryUser([] { return QString(); });
  if (probe.outcome == OrdinaryUserRun::Refused) GTEST_SKIP() << probe.text.toStdString();
  const QByteArray stateBefore = qgetenv("XDG_STATE_HOME");
  qputenv("XDG_STATE_HOME", QFile::encodeName(state));
  const Tally tally = KillSavesAnywhere(
      path, reset,
      [] {
        if (!BecomeOrdinaryUser()) ::_exit(2);
      },
      [&] {
        EXPECT_EQ(Entries(songs), QStringList{"song.hmnt"});
        const QStringList inState = Entries(state);
        EXPECT_LE(inState.size(), 1) << inState.join(' ').toStdString();
        return CheckInPlace(path, inState.isEmpty() ? state : state + "/" + inState[0], {});
      },
      true);
  if (stateBefore.isEmpty())
    qunsetenv("XDG_STATE_HOME");
  else
    qputenv("XDG_STATE_HOME", stateBefore);
  EXPECT_GT(tally.torn, 0) << tally.oldSong << " old, " << tally.newSong << " new";
}

}  // namespace
