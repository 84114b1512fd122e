// Opening song files as the window reads them: a 50 MB song read, decoded in pieces and split into
// its fields, with the peak memory it took; and a gigabyte of NUL bytes refused.
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench_common.h"
#include "platform/core/errors.h"
#include "platform/core/files.h"
#include "sheet/song_document.h"

namespace {

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  const FolderItem song(dir.filePath("big.hmnt"));
  // Made by a child process, so that its making adds nothing to this one's peak memory. About
  // 50 MB: the generated song repeated, with a few characters beyond ASCII.
  if (const pid_t child = ::fork(); child == 0) {
    SongDocument doc;
    doc.title = QString::fromUtf8("Café ♫");
    const QString verse = bench::GenerateSong(2000) + QString::fromUtf8("\r[G]Grâce “x” ♫\r");
    while (doc.song.size() < 50'000'000) doc.song += verse;
    TextOutputStream::WriteBytes(song, BuildSongDocument(doc));
    ::_exit(0);
  } else {
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || status != 0) return 1;
  }
  std::printf("-- a song document of %lld bytes\n", static_cast<long long>(QFileInfo(song.Path()).size()));

  const long before = PeakMegabytes();
  bench::Report("read and decode a 50 MB song",
                bench::MedianMs(5, [&] { TextInputStream::ReadText(song, TextKind::SongDocument); }));
  std::printf("%-52s %9ld MB\n", "peak memory added by reading it", PeakMegabytes() - before);
  bench::Report("read, decode and split a 50 MB song", bench::MedianMs(5, [&] {
                  ParseSongDocument(TextInputStream::ReadText(song, TextKind::SongDocument));
                }));

  const QString zeros = dir.filePath("zeros.hmnt");
  const int fd = ::open(QFile::encodeName(zeros).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::ftruncate(fd, off_t(1) << 30) != 0) return 1;
  ::close(fd);
  bench::Report("refuse a gigabyte of NUL bytes", bench::MedianMs(5, [&] {
                  try {
                    TextInputStream::ReadText(FolderItem(zeros), TextKind::SongDocument);
                  } catch (const IOException&) {
                  }
                }));
  return 0;
}
