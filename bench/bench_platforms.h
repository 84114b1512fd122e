#pragma once
// For the benchmarks that measure what a user sees on the screen: the measuring is done twice, each
// time by this program run again as a child process, once on an X server (an Xvfb started here,
// without a window manager, as the desktop test does) and once on Qt's offscreen platform. Without
// Xvfb only the offscreen run is made, and that is said.
#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace bench {

// An X server of our own on a free display (Xvfb picks it and tells it on its standard output);
// an empty display name when Xvfb cannot be started.
inline QString StartXvfb(QProcess& xvfb) {
  xvfb.start(QStringLiteral("Xvfb"),
             {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
              QStringLiteral("1366x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
  if (!xvfb.waitForStarted(5000)) return QString();
  QByteArray out;
  while (!out.contains('\n') && xvfb.waitForReadyRead(10000)) out += xvfb.readAllStandardOutput();
  const QByteArray number = out.trimmed();
  return number.isEmpty() ? QString() : QStringLiteral(":") + QString::fromLatin1(number);
}

// Runs this program again, with its arguments, the environment given added and childMark set to
// "1"; its output goes to ours. False when it failed.
inline bool RunChild(const char* childMark, const QProcessEnvironment& extra, int argc, char** argv) {
  QProcess run;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString& k : extra.keys()) env.insert(k, extra.value(k));
  env.insert(QString::fromLatin1(childMark), QStringLiteral("1"));
  run.setProcessEnvironment(env);
  run.setProcessChannelMode(QProcess::ForwardedChannels);
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  run.start(QStringLiteral("/proc/self/exe"), arguments);
  const bool ok = run.waitForFinished(-1) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
  if (!ok) std::printf("(that run failed)\n");
  std::fflush(stdout);
  return ok;
}

// The measuring runs, on an X server then offscreen, each headed by a line that names it; the
// process's exit status: 1 when a run failed.
inline int RunOnXAndOffscreen(int argc, char** argv, const char* childMark, const QProcessEnvironment& extra = {}) {
  std::optional<QCoreApplication> app;
  if (!QCoreApplication::instance()) app.emplace(argc, argv);
  bool failed = false;
  {
    QProcess xvfb;
    const QString display = StartXvfb(xvfb);
    if (display.isEmpty()) {
      std::printf("== on an X server: left out, Xvfb could not be started (%s)\n",
                  xvfb.errorString().toLocal8Bit().constData());
    } else {
      std::printf("== on an X server (Xvfb %s, no window manager)\n", display.toLocal8Bit().constData());
      std::fflush(stdout);
      QProcessEnvironment env = extra;
      env.insert(QStringLiteral("DISPLAY"), display);
      env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
      failed = !RunChild(childMark, env, argc, argv);
      xvfb.terminate();
      xvfb.waitForFinished(5000);
    }
  }
  std::printf("== offscreen\n");
  std::fflush(stdout);
  QProcessEnvironment env = extra;
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  failed = !RunChild(childMark, env, argc, argv) || failed;
  return failed ? 1 : 0;
}

}  // namespace bench
