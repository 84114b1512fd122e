#include "app/startup.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include <sys/stat.h>

#include "app/app.h"
#include "app/file_types1.h"
#include "app/shutdown_routines.h"
#include "app/version.h"
#include "platform/core/errors.h"
#include "platform/core/guard.h"
#include "platform/core/outside_text.h"
#include "platform/desktop/dialogs.h"

namespace {

std::function<void()> g_makeDefaultView;
ApplicationMenuBarMaker g_makeMenuBar;

// The main window shown: the active one, else the first visible one.
QMainWindow* ShownMainWindow() {
  if (auto* w = qobject_cast<QMainWindow*>(QApplication::activeWindow())) return w;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* m = qobject_cast<QMainWindow*>(w); m && m->isVisible()) return m;
  return nullptr;
}

// Shows text over the main window once the window is on screen: a window asked to show may not
// be exposed yet, so the message waits for it a little (two seconds at most).
void ShowOverTheShownWindow(const QString& text, int triesLeft = 100) {
  QMainWindow* w = ShownMainWindow();
  if (w && w->windowHandle() && !w->windowHandle()->isExposed() && triesLeft > 0) {
    QTimer::singleShot(20, qApp, [text, triesLeft] { ShowOverTheShownWindow(text, triesLeft - 1); });
    return;
  }
  Guarded([&] { Dialogs::Current().MsgBox(text); });
}

void PrintLine(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

// Whether Qt can open a file by this name: it can when it reads the name back as the same bytes;
// a name that is not valid UTF-8 (in a UTF-8 locale) it cannot, and such a name is looked at by
// its bytes only.
bool QtCanName(const QByteArray& bytes) { return QFile::encodeName(QFile::decodeName(bytes)) == bytes; }

}  // namespace

CommandLine _ParseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const QByteArray argument(argv[i]);
    if (options && argument == "--") {
      options = false;
    } else if (options && argument.startsWith('-')) {
      if (argument == "--help")
        line.action = CommandLine::Action::ShowHelp;
      else if (argument == "--version")
        line.action = CommandLine::Action::ShowVersion;
      else {
        line.action = CommandLine::Action::Refuse;
        line.error = QStringLiteral("unknown option \"%1\"").arg(_ReadableName(argument));
      }
      line.documents.clear();
      return line;
    } else {
      line.documents.append(argument);
    }
  }
  return line;
}

QString _UsageText() {
  return QStringLiteral(
      "Usage: harmonote [--help | --version] [--] [SONG]...\n"
      "Opens a song document (.hmnt) or imports a text file (.txt) in Harmonote, the chord-sheet\n"
      "editor. When several are named, the last one opens.\n"
      "\n"
      "  --help      show this help and exit\n"
      "  --version   show the version and exit\n"
      "  --          end of the options: every argument after it is a song, even one whose\n"
      "              name starts with \"-\"\n"
      "\n"
      "Qt's environment variables apply (for example QT_SCALE_FACTOR); its command-line\n"
      "options do not.\n");
}

QString _VersionText() { return ApplicationName() + QLatin1Char(' ') + ApplicationShortVersion() + QLatin1Char('\n'); }

int _Main(int argc, char** argv, const std::function<void()>& makeDefaultView,
          const ApplicationMenuBarMaker& makeMenuBar) {
  const CommandLine line = _ParseCommandLine(argc, argv);
  switch (line.action) {
    case CommandLine::Action::ShowHelp:
      PrintLine(stdout, _UsageText());
      return 0;
    case CommandLine::Action::ShowVersion:
      PrintLine(stdout, _VersionText());
      return 0;
    case CommandLine::Action::Refuse:
      PrintLine(stderr, QStringLiteral("harmonote: %1\n").arg(line.error) + _UsageText());
      return 2;
    case CommandLine::Action::Run:
      break;
  }
  // Qt is given the program's name only: none of the arguments is read as one of its options
  // (a song named "-reverse" stays a song), while its environment variables still apply.
  static char programName[] = "harmonote";
  char* qtArguments[] = {argc > 0 && argv[0] ? argv[0] : programName, nullptr};
  int qtCount = 1;
  QApplication qapp(qtCount, qtArguments);
  QApplication::setApplicationName(ApplicationName());
  QApplication::setApplicationVersion(ApplicationShortVersion());
  return _RunApplication(
      line.documents, makeDefaultView, [] { return QApplication::exec(); }, makeMenuBar);
}

int _RunApplication(const QList<QByteArray>& documentArguments, const std::function<void()>& makeDefaultView,
                    const std::function<int()>& eventLoop, const ApplicationMenuBarMaker& makeMenuBar) {
  int status = 0;
  ReportErrorsInDialogs();
  try {
    _Startup(documentArguments, makeDefaultView, makeMenuBar);
    status = eventLoop();
  } catch (const std::exception& e) {
    status = _ReportStartupFailure(ExceptionReason(e));
  } catch (...) {
    status = _ReportStartupFailure(QStringLiteral("Unknown error"));
  }
  _Shutdown();
  return status;
}

void _Startup(const QList<QByteArray>& documentArguments, const std::function<void()>& makeDefaultView,
              const ApplicationMenuBarMaker& makeMenuBar) {
  g_makeDefaultView = makeDefaultView;
  g_makeMenuBar = makeMenuBar;
  _EarlyStartup();
  _FrameworkInitialization(documentArguments, _LateStartup);
}

void _EarlyStartup() {
  _InitFileTypes();
  _NewAppInstance();
  _ApplicationAddMenuHandlers();
}

void _InitFileTypes() {
  FileTypes1::_Initialize();
  AddShutdownRoutine(FileTypes1::_Release);
}

void _NewAppInstance() {
  auto app = std::make_unique<App>();
  app->SetMenuBar(g_makeMenuBar ? g_makeMenuBar() : nullptr);
  App::Register(std::move(app));
}

// Every menu handler belongs to the main window.
void _ApplicationAddMenuHandlers() {}

void _FrameworkInitialization(const QList<QByteArray>& documentArguments, const std::function<void()>& lateStartup) {
  App::Instance().Event_Open();
  const QString refused = _HandOverDocuments(documentArguments);
  lateStartup();
  // From the event loop, over the main window that lateStartup has shown.
  if (!refused.isEmpty()) QTimer::singleShot(0, qApp, [refused] { ShowOverTheShownWindow(refused); });
}

void _LateStartup() { _MakeDefaultView(); }

void _MakeDefaultView() {
  if (g_makeDefaultView) g_makeDefaultView();
}

QString _HandOverDocuments(const QList<QByteArray>& documentArguments) {
  // Only regular files are handed over; anything else is named with its reason, without ever
  // being opened (a named pipe would block the start-up).
  QStringList refused;
  for (const QByteArray& argument : documentArguments) {
    if (!QtCanName(argument)) {
      // Qt cannot open a file by this name; the name is shown by its bytes, and only a file that
      // is really missing is called missing.
      const QString shown = ShownText(_ReadableName(argument));
      const QString name = ShownText(_ReadableName(argument.mid(argument.lastIndexOf('/') + 1)));
      struct stat st {};
      if (::stat(argument.constData(), &st) != 0)
        refused.append(QStringLiteral("\"%1\": there is no such file.").arg(shown));
      else if (S_ISDIR(st.st_mode))
        refused.append(QStringLiteral("\"%1\" is a folder.").arg(name));
      else if (!S_ISREG(st.st_mode))
        refused.append(QStringLiteral("\"%1\" is not a regular file.").arg(name));
      else
        refused.append(QStringLiteral("\"%1\": the name is not valid UTF-8, so it cannot be opened.").arg(shown));
      continue;
    }
    const QString path = QFile::decodeName(argument);
    const FolderItem item(path);
    if (item.IsRegularFile())
      App::Instance().Event_OpenDocument(item);
    else if (!item.Exists())
      refused.append(QStringLiteral("\"%1\": there is no such file.").arg(ShownText(path)));
    else if (item.IsFolder())
      refused.append(QStringLiteral("\"%1\" is a folder.").arg(ShownText(item.Name())));
    else
      refused.append(QStringLiteral("\"%1\" is not a regular file.").arg(ShownText(item.Name())));
  }
  if (refused.isEmpty()) return {};
  return refused.size() == 1
             ? QStringLiteral("The document cannot be opened: %1").arg(refused[0])
             : QStringLiteral("These documents cannot be opened.\n\n") + refused.join(QLatin1Char('\n'));
}

QString _ReadableName(const QByteArray& bytes) { return ReadableName(bytes); }

void _Shutdown() {
  RunShutdownRoutines();
  App::Release();
  g_makeDefaultView = nullptr;
  g_makeMenuBar = nullptr;
}

int _ReportStartupFailure(const QString& reason) {
  std::fprintf(stderr, "Harmonote: start-up failed: %s\n", reason.toLocal8Bit().constData());
  std::fflush(stderr);
  try {
    Dialogs::Current().MsgBox(ErrorReportText(reason));
  } catch (...) {
  }
  return 1;
}
