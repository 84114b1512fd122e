// Writing files on a full or failing disk: every failing system call is an IOException with the
// system's reason, the old file stays whole and no temporary file is left behind.
#include <QDir>
#include <QFile>

#include "faults/fault_env.h"
#include "platform/core/errors.h"
#include "platform/core/files.h"

namespace {

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

class FileWriteFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(FileWriteFaults, FailIntoAnIOExceptionAndKeepTheOldFile) {
  REQUIRE_FAULT_SHIM();
  static int serial = 0;
  const QString folder = FaultFolder(QStringLiteral("write-faults-%1").arg(++serial));
  const QString path = folder + QStringLiteral("/song.hmnt");
  const QByteArray old = "the old song, whole";
  Put(path, old);
  // Small (one buffer) and large contents, and one that fails half-way through.
  for (const qint64 size : {qint64(10), qint64(16 * 1024), qint64(300 * 1024)}) {
    const QByteArray fresh(size, 'n');
    for (const qint64 allowed : {qint64(0), size / 2}) {
      if (allowed > 0 && std::string(GetParam().call) != "write") continue;
      SCOPED_TRACE(testing::Message() << "size " << size << ", allowed " << allowed);
      QString reason;
      {
        FaultScope fault(folder, GetParam(), allowed);
        try {
          TextOutputStream::WriteBytes(FolderItem(path), fresh);
        } catch (const IOException& e) {
          reason = e.Reason();
        }
      }
      EXPECT_EQ(reason, QStringLiteral("\"song.hmnt\" could not be written: %1").arg(GetParam().reason));
      EXPECT_EQ(Read(path), old);
      EXPECT_EQ(Entries(folder), QStringList{"song.hmnt"});
    }
  }
  // Without the fault the same write goes through.
  TextOutputStream::WriteBytes(FolderItem(path), "new");
  EXPECT_EQ(Read(path), "new");
}

INSTANTIATE_TEST_SUITE_P(EveryCall, FileWriteFaults, ::testing::ValuesIn(kFaults));

TEST(FileWriteFaultsBeside, AFailingSyncOfTheFolderAfterTheRenameDoesNotUndoASave) {
  REQUIRE_FAULT_SHIM();
  const QString parent = FaultFolder(QStringLiteral("folder-sync"));
  QDir().mkpath(parent + QStringLiteral("/songs"));
  const QString path = parent + QStringLiteral("/songs/song.hmnt");
  {
    FaultScope fault(parent, Fault{"fsync", "EIO", ""});
    TextOutputStream::WriteBytes(FolderItem(path), "complete");
  }
  EXPECT_EQ(Read(path), "complete");
}

}  // namespace
