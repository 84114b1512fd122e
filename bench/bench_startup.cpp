// Start-up: from process start to the first paint of the preview, for an empty start and for a
// start with a song handed over on the command line (the preview showing its first page). Each
// start is a fresh process running the application's own start-up (this executable with
// --child); the parent times it from the spawn to the child's report of the paint.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "app/startup.h"
#include "bench_common.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/text_area.h"
#include "shell/menu_bar1.h"
#include "sheet/song_document.h"

extern char** environ;

namespace {

// Reports the first paint of the preview that shows what was asked for, then ends the process.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(bool withSong) : withSong_(withSong) {}

 protected:
  bool eventFilter(QObject* obj, QEvent* e) override {
    if (e->type() != QEvent::Paint || obj->objectName() != QLatin1String("Canvas1")) return false;
    auto* canvas = static_cast<QWidget*>(obj);
    if (withSong_) {
      auto* text = canvas->window()->findChild<TextArea*>(QStringLiteral("txtSong"));
      if (!text || text->document()->isEmpty()) return false;
    }
    static_cast<QObject*>(canvas)->event(e);
    std::printf("painted\n");
    std::fflush(stdout);
    std::_Exit(0);
  }

 private:
  bool withSong_;
};

int Child(int argc, char** argv) {
  std::vector<char*> args = {argv[0]};
  for (int i = 2; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  const bool withSong = args.size() > 2;
  return _Main(
      static_cast<int>(args.size() - 1), args.data(),
      [withSong] {
        qApp->installEventFilter(new FirstPaint(withSong));
        Window1::Instance();
      },
      MakeApplicationMenuBar);
}

// Milliseconds from the spawn of a child to its report of the first paint.
double TimeStart(const char* self, const char* song) {
  std::vector<char*> args = {const_cast<char*>(self), const_cast<char*>("--child")};
  if (song) args.push_back(const_cast<char*>(song));
  args.push_back(nullptr);
  int out[2];
  if (pipe(out) != 0) std::exit(2);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, self, &actions, nullptr, args.data(), environ) != 0) std::exit(2);
  close(out[1]);
  std::string got;
  char c = 0;
  while (read(out[0], &c, 1) == 1 && c != '\n') got += c;
  const auto end = std::chrono::steady_clock::now();
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  posix_spawn_file_actions_destroy(&actions);
  if (got != "painted") {
    std::fprintf(stderr, "the start-up did not report its first paint (%s)\n", got.c_str());
    std::exit(2);
  }
  return std::chrono::duration<double, std::milli>(end - start).count();
}

using bench::Median;

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--child") return Child(argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir folder;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
  QByteArray song;
  if (argc > 1) {
    song = argv[1];
  } else {
    SongDocument doc;
    doc.title = QStringLiteral("Generated");
    doc.song = bench::GenerateSong(8000);
    song = QFile::encodeName(folder.path() + QStringLiteral("/generated.hmnt"));
    QFile f(QString::fromLocal8Bit(song));
    if (!f.open(QIODevice::WriteOnly) || f.write(BuildSongDocument(doc)) < 0) return 2;
  }
  std::vector<double> empty, withSong;
  TimeStart(argv[0], nullptr);  // caches warm
  for (int i = 0; i < 11; ++i) {
    empty.push_back(TimeStart(argv[0], nullptr));
    withSong.push_back(TimeStart(argv[0], song.constData()));
  }
  std::printf("-- %s\n", argc > 1 ? argv[1] : "generated 8000 lines");
  bench::Report("start-up to the first paint, empty", Median(empty));
  bench::Report("start-up to the first paint of page 1 of the song", Median(withSong));
  std::printf("%-52s %9.2fx\n", "song / empty", Median(withSong) / Median(empty));
  // The song is opened by the main window's start-up timer, 50 ms after the window is made: a
  // wait of its own that no loading work can shorten.
  std::printf("%-52s %9.2fx\n", "(song - the timer's 50 ms) / empty", (Median(withSong) - 50) / Median(empty));
  return 0;
}
