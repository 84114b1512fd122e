#pragma once
// From the process entry to the event loop and back:
//   _Main: the command line read (--help and --version answered, an unknown option refused, all
//   before any window), QApplication (which never sees the arguments), then _EarlyStartup
//   (_InitFileTypes, _NewAppInstance with the menu bar that main hands in,
//   _ApplicationAddMenuHandlers), the framework initialisation
//   (the application's Open event, the documents named on the command line as OpenDocument
//   events, then _LateStartup, which runs _MakeDefaultView), the event loop, and shutdown (the
//   shared objects released before QApplication goes). An exception during start-up is reported
//   and gives a non-zero status.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "app/application_menu_bar.h"

// The command line as given, after the program's name: "--help" and "--version" answer and end
// the run; "--" ends the options, and every argument after it is a document, whatever it starts
// with; before it, any other argument starting with "-" is an unknown option; every other
// argument is a document. Arguments are kept as bytes: a file name need not be UTF-8.
struct CommandLine {
  enum class Action { Run, ShowHelp, ShowVersion, Refuse };
  Action action = Action::Run;
  QString error;                // Refuse: what is wrong, in one line
  QList<QByteArray> documents;  // Run: the documents, in order
};
CommandLine _ParseCommandLine(int argc, const char* const* argv);
// The usage text that --help prints, and that follows the error of an unknown option.
QString _UsageText();
// The version line that --version prints.
QString _VersionText();

// The whole run; returns the process exit status (2 for a command line that is refused).
// makeDefaultView makes the main window (_MakeDefaultView); makeMenuBar makes the application's
// menu bar, which start-up installs right after creating the application object.
int _Main(int argc, char** argv, const std::function<void()>& makeDefaultView,
          const ApplicationMenuBarMaker& makeMenuBar);

// The run between the QApplication and its end, with the event loop handed in: start-up,
// eventLoop, shutdown. documentArguments are the documents named on the command line; without
// makeMenuBar the application has no menu bar. From its start, what the guard catches is
// reported in a message box (ReportErrorsInDialogs).
int _RunApplication(const QList<QByteArray>& documentArguments, const std::function<void()>& makeDefaultView,
                    const std::function<int()>& eventLoop, const ApplicationMenuBarMaker& makeMenuBar = {});

// The start-up chain; an exception passes on at the first step that raises.
void _Startup(const QList<QByteArray>& documentArguments, const std::function<void()>& makeDefaultView,
              const ApplicationMenuBarMaker& makeMenuBar = {});
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
// Raises the Open event, hands the documents over, then calls lateStartup; the message about
// documents that cannot be handed over is shown from the event loop, once the main window is on
// screen.
void _FrameworkInitialization(const QList<QByteArray>& documentArguments, const std::function<void()>& lateStartup);
void _LateStartup();
void _MakeDefaultView();

// Each argument that names an existing regular file, made absolute, goes to the application's
// OpenDocument event in order. The others are named in the text returned (empty when there are
// none), each with its reason: no such file, a folder, not a regular file, or a name that is not
// valid UTF-8 (shown with its bytes as \xNN) which Qt cannot open.
QString _HandOverDocuments(const QList<QByteArray>& documentArguments);
// A name given as bytes, readable: valid UTF-8 as its characters, every other byte (and control
// characters) as \xNN.
QString _ReadableName(const QByteArray& bytes);

// Releases the shared objects and the application object.
void _Shutdown();

// The report of an exception that ended start-up (a message to the user and a line on the error
// stream); returns the exit status to end with.
int _ReportStartupFailure(const QString& reason);
