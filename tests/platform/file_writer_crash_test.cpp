// A save killed at any moment, as a crash or a power cut would end it: the old song stays whole,
// or the new one is whole, and nothing else is left behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <random>

#include <unistd.h>

#include "platform/core/errors.h"
#include "platform/core/files.h"
#include "support/file_bytes.h"
#include "support/killed_child.h"

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

}  // namespace
