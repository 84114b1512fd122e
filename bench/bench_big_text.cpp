// Big texts through the real main window (shown, spell checking on, as a user has it), beside a
// bare QPlainTextEdit (with the window's song text's size, scroll bars and font) given the same
// text the same way: a 50 MB song document opened, a 50 MB song of one line opened, a 200 MB
// plain text imported and 100 MB pasted (Ctrl+V from the clipboard). Each figure is measured once,
// in a process of its own started afresh: the time from the command to the editor painted (wall
// clock and processor), the peak memory of that process meanwhile (VmHWM, lowered first to what
// it held before, which is given too). The window opens the file as its Open command does; the
// bare editor reads the file whole (Qt's readAll and fromUtf8, a song document's text cut out in
// place) and sets the text with setPlainText. For a paste, both hold the text on the clipboard
// before. Given a song file, the inputs are made from its text once each (its own size), so that
// a small song runs quickly.
#include <QApplication>
#include <QByteArray>
#include <QClipboard>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench_common.h"
#include "bench_window.h"
#include "mainwindow/window1.h"
#include "platform/core/files.h"
#include "platform/desktop/controls/text_area.h"
#include "sheet/song_document.h"

namespace {

constexpr const char* kChildMark = "HARMONOTE_BIG_TEXT_CHILD";

// One figure of /proc/self/status, in megabytes.
long StatusMegabytes(const char* field) {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray key = QByteArray(field) + ':';
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').value(0).toLong() / 1024;
  return -1;
}

// The processor time this process has used, in milliseconds.
double CpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(u.ru_utime) + ms(u.ru_stime);
}

// Lowers the peak memory figure to what the process holds now, so that the peak measured is the
// one of what follows.
void ResetPeak() {
  QFile f(QStringLiteral("/proc/self/clear_refs"));
  if (!f.open(QIODevice::WriteOnly) || f.write("5") != 1) std::printf("  (the peak could not be reset)\n");
}

// The text of a file, decoded as the bare editor's caller would read it.
QString ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) std::exit(2);
  return QString::fromUtf8(f.readAll());
}

// A song document's song text, cut out of the text of the whole document in place.
QString SongField(QString all) {
  qsizetype from = 0;
  for (int i = 0; i < 4; ++i) from = all.indexOf(QChar(kFieldSeparator), from) + 1;
  all.truncate(all.indexOf(QChar(kFieldSeparator), from));
  all.remove(0, from);
  return all;
}

void PressPaste(QWidget* target) {
  target->setFocus();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
  QApplication::sendEvent(target, &press);
}

// The measuring child: what (open, import, paste) by who (window, bare) on the file at path.
void Measure(const QString& what, const QString& who, const QString& path) {
  const bool window = who == QLatin1String("window");
  Window1* w = nullptr;
  QPlainTextEdit* bare = nullptr;
  if (window) {
    w = Window1::Instance();
    w->show();
  } else {
    // Set up as the window's song text is: its size with the settings hidden, its scroll bars and
    // its font.
    bare = new QPlainTextEdit;
    bare->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bare->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(12);
    bare->setFont(font);
    bare->resize(376, 628);
    bare->show();
  }
  QCoreApplication::processEvents();
  QWidget* shown = window ? static_cast<QWidget*>(w) : bare;
  std::function<void()> run;
  if (what == QLatin1String("paste")) {
    QGuiApplication::clipboard()->setText(ReadAll(path));
    QWidget* target = window ? static_cast<QWidget*>(w->txtSong()) : bare;
    run = [target] { PressPaste(target); };
  } else if (window) {
    run = [w, path] { w->mOpenFile(FolderItem(path)); };
  } else if (what == QLatin1String("import")) {
    run = [bare, path] { bare->setPlainText(ReadAll(path)); };
  } else {
    run = [bare, path] { bare->setPlainText(SongField(ReadAll(path))); };
  }
  QCoreApplication::processEvents();
  const long before = StatusMegabytes("VmRSS");
  ResetPeak();
  const double cpuBefore = CpuMs();
  const auto a = std::chrono::steady_clock::now();
  run();
  QCoreApplication::processEvents();
  shown->repaint();
  const auto b = std::chrono::steady_clock::now();
  const double cpu = CpuMs() - cpuBefore;
  const long peak = StatusMegabytes("VmHWM");
  const qsizetype chars = window ? w->txtSong()->document()->characterCount() : bare->document()->characterCount();
  std::printf("  %-8s %9.0f ms %9.0f ms CPU %7ld MB peak %7ld MB before %11lld characters held\n",
              who.toLatin1().constData(), std::chrono::duration<double, std::milli>(b - a).count(), cpu, peak, before,
              static_cast<long long>(chars));
  std::fflush(stdout);
}

// Runs this program again as a measuring child; false when it failed.
bool RunChild(const char* what, const char* who, const QString& path) {
  std::fflush(stdout);
  const pid_t child = ::fork();
  if (child == 0) {
    ::setenv(kChildMark, "1", 1);
    const QByteArray file = QFile::encodeName(path);
    ::execl("/proc/self/exe", "bench_big_text", what, who, file.constData(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  const bool ok = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!ok) std::printf("  %-8s (that run failed)\n", who);
  return ok;
}

// Writes the text made of pieces (each as joined by the separator) until the file holds at least
// bytes, or one piece when bytes is 0; the piece's text is written between head and tail.
void WritePieces(const QString& path, const QByteArray& head, const QString& piece, QChar separator, qint64 bytes,
                 const QByteArray& tail) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) std::exit(2);
  const QByteArray once = piece.toUtf8(), more = QString(separator).toUtf8() + once;
  f.write(head);
  f.write(once);
  for (qint64 n = once.size(); n < bytes; n += more.size()) f.write(more);
  f.write(tail);
  if (!f.flush()) std::exit(2);
}

// A song document around a song text written by WritePieces.
void WriteSong(const QString& path, const QString& piece, QChar separator, qint64 bytes) {
  SongDocument doc;
  doc.title = QStringLiteral("Big Song");
  doc.key = QStringLiteral("Eb");
  doc.song = QStringLiteral("@");
  const QByteArray all = BuildSongDocument(doc);
  const qsizetype at = all.indexOf('@');
  WritePieces(path, all.left(at), piece, separator, bytes, all.mid(at + 1));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsSet(kChildMark) && argc == 4) {
    return bench::RunWindowBench(argc, argv, [&](const QTemporaryDir&) {
      Measure(QString::fromLatin1(argv[1]), QString::fromLatin1(argv[2]), QFile::decodeName(argv[3]));
      // Taking down a window that holds hundreds of megabytes is no part of any figure.
      std::fflush(stdout);
      ::_exit(0);
    });
  }
  QTemporaryDir dir;
  // A song's text with CR line ends; the generated one has a few characters beyond ASCII.
  const bool given = argc > 1;
  const QString text =
      given ? bench::LoadSongText(argv[1]) : bench::GenerateSong(2000) + QString::fromUtf8("\r[G]Grâce “x” ♫");
  const QString oneLine = QString(given ? text : bench::GenerateSong(2000, false, INT_MAX)).replace('\r', ' ');
  const QString lf = QString(text).replace('\r', '\n');
  constexpr qint64 kMB = 1'000'000;
  struct Case {
    const char* label;
    const char* what;
    QString file;
    std::function<void(const QString&)> make;
  };
  const Case cases[] = {
      {"song document (.hmnt) opened", "open", dir.filePath("song.hmnt"),
       [&](const QString& p) { WriteSong(p, text, '\r', given ? 0 : 50 * kMB); }},
      {"song document of one line opened", "open", dir.filePath("one-line.hmnt"),
       [&](const QString& p) { WriteSong(p, oneLine, ' ', given ? 0 : 50 * kMB); }},
      {"plain text (.txt) imported", "import", dir.filePath("import.txt"),
       [&](const QString& p) { WritePieces(p, {}, lf, '\n', given ? 0 : 200 * kMB, "\n"); }},
      {"plain text pasted (Ctrl+V)", "paste", dir.filePath("paste.txt"),
       [&](const QString& p) { WritePieces(p, {}, lf, '\n', given ? 0 : 100 * kMB, "\n"); }},
  };
  bool failed = false;
  for (const Case& c : cases) {
    c.make(c.file);
    std::printf("-- %s: %lld bytes\n", c.label, static_cast<long long>(QFile(c.file).size()));
    failed = !RunChild(c.what, "window", c.file) || failed;
    failed = !RunChild(c.what, "bare", c.file) || failed;
    QFile::remove(c.file);
  }
  return failed ? 1 : 0;
}
