#include "app/startup.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "app/app.h"
#include "app/application_menu_bar.h"
#include "app/file_types1.h"
#include "app/shutdown_routines.h"
#include "app/version.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/guard.h"

namespace {

std::function<void()> g_makeDefaultView;

// The main window shown: the active one, else the first visible one.
QMainWindow* ShownMainWindow() {
  if (auto* w = qobject_cast<QMainWindow*>(QApplication::activeWindow())) return w;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* m = qobject_cast<QMainWindow*>(w); m && m->isVisible()) return m;
  return nullptr;
}

// With HARMONOTE_SMOKE set, the run reports the main window's title after half a second and
// closes the window, so that the application quits by itself.
void ArmSmokeCheck() {
  if (!qEnvironmentVariableIsSet("HARMONOTE_SMOKE")) return;
  QTimer::singleShot(500, qApp, [] {
    QMainWindow* w = ShownMainWindow();
    const QString title = !w ? QString() : w->windowHandle() ? w->windowHandle()->title() : w->windowTitle();
    std::printf("title: %s\n", title.toUtf8().constData());
    std::fflush(stdout);
    if (w) w->close();
    else QApplication::quit();
  });
}

}  // namespace

int _Main(int argc, char** argv, std::function<void()> makeDefaultView) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(ApplicationName());
  QApplication::setApplicationVersion(ApplicationShortVersion());
  QStringList documents = QApplication::arguments();
  if (!documents.isEmpty()) documents.removeFirst();
  return _RunApplication(documents, makeDefaultView, [] {
    ArmSmokeCheck();
    return QApplication::exec();
  });
}

int _RunApplication(const QStringList& documentArguments, const std::function<void()>& makeDefaultView,
                    const std::function<int()>& eventLoop) {
  int status = 0;
  try {
    _Startup(documentArguments, makeDefaultView);
    status = eventLoop();
  } catch (const std::exception& e) {
    status = _ReportStartupFailure(ExceptionReason(e));
  } catch (...) {
    status = _ReportStartupFailure(QStringLiteral("Unknown error"));
  }
  _Shutdown();
  return status;
}

void _Startup(const QStringList& documentArguments, const std::function<void()>& makeDefaultView) {
  g_makeDefaultView = makeDefaultView;
  _EarlyStartup();
  _FrameworkInitialization(documentArguments, _LateStartup);
}

void _EarlyStartup() {
  _InitFileTypes();
  _NewAppInstance();
  _ApplicationAddMenuHandlers();
}

void _InitFileTypes() { FileTypes1::_Initialize(); }

void _NewAppInstance() {
  auto app = std::make_unique<App>();
  app->SetMenuBar(MakeApplicationMenuBar());
  App::Register(std::move(app));
}

// Every menu handler belongs to the main window.
void _ApplicationAddMenuHandlers() {}

void _FrameworkInitialization(const QStringList& documentArguments, const std::function<void()>& lateStartup) {
  App::Instance().Event_Open();
  _HandOverDocuments(documentArguments);
  lateStartup();
}

void _LateStartup() { _MakeDefaultView(); }

void _MakeDefaultView() {
  if (g_makeDefaultView) g_makeDefaultView();
}

void _HandOverDocuments(const QStringList& documentArguments) {
  // Only regular files are handed over; anything else is named with its reason, without ever
  // being opened (a named pipe would block the start-up).
  QStringList refused;
  for (const QString& argument : documentArguments) {
    const FolderItem item(argument);
    if (item.IsRegularFile())
      App::Instance().Event_OpenDocument(item);
    else if (!item.Exists())
      refused.append(QStringLiteral("\"%1\": there is no such file.").arg(argument));
    else if (item.IsFolder())
      refused.append(QStringLiteral("\"%1\" is a folder.").arg(item.Name()));
    else
      refused.append(QStringLiteral("\"%1\" is not a regular file.").arg(item.Name()));
  }
  if (refused.isEmpty()) return;
  const QString text = refused.size() == 1
                           ? QStringLiteral("The document cannot be opened: %1").arg(refused[0])
                           : QStringLiteral("These documents cannot be opened.\n\n") + refused.join(QLatin1Char('\n'));
  Guarded([&] { Dialogs::Current().MsgBox(text); });
}

void _Shutdown() {
  RunShutdownRoutines();
  App::Release();
  g_makeDefaultView = nullptr;
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
