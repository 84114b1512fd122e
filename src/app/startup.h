#pragma once
// From the process entry to the event loop and back:
//   _Main: QApplication first, then _EarlyStartup (_InitFileTypes, _NewAppInstance,
//   _ApplicationAddMenuHandlers), the framework initialisation (the application's Open event,
//   the documents named on the command line as OpenDocument events, then _LateStartup, which runs
//   _MakeDefaultView), the event loop, and shutdown (the shared objects released before
//   QApplication goes). An exception during start-up is reported and gives a non-zero status.
#include <QStringList>
#include <functional>

// The whole run; returns the process exit status.
int _Main(int argc, char** argv, std::function<void()> makeDefaultView);

// The run between the QApplication and its end, with the event loop handed in: start-up,
// eventLoop, shutdown. documentArguments are the command line's arguments after the program name.
int _RunApplication(const QStringList& documentArguments, const std::function<void()>& makeDefaultView,
                    const std::function<int()>& eventLoop);

// The start-up chain; an exception passes on at the first step that raises.
void _Startup(const QStringList& documentArguments, const std::function<void()>& makeDefaultView);
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
// Raises the Open event, hands the documents over, then calls lateStartup.
void _FrameworkInitialization(const QStringList& documentArguments, const std::function<void()>& lateStartup);
void _LateStartup();
void _MakeDefaultView();

// Each argument that names an existing regular file, made absolute, goes to the application's
// OpenDocument event in order; the others are named in one message to the user.
void _HandOverDocuments(const QStringList& documentArguments);

// Releases the shared objects and the application object.
void _Shutdown();

// The report of an exception that ended start-up (a message to the user and a line on the error
// stream); returns the exit status to end with.
int _ReportStartupFailure(const QString& reason);
