// The watcher of the real executable's runs: a Qt plugin that the smoke and command-line tests load
// into it through Qt's own environment (QT_PLUGIN_PATH names its folder, QT_QPA_GENERIC_PLUGINS its
// key), so that the application itself carries nothing for the tests. Half a second after the event loop starts,
// a message box on screen is reported (its text, whether it stands over the shown main window and
// whether it is wholly on the screen) and closed; then the main window's title is reported and the
// window closed, so that the application quits by itself.
#include <QApplication>
#include <QGenericPlugin>
#include <QMainWindow>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {

// The main window shown: the active one, else the first visible one.
QMainWindow* ShownMainWindow() {
  if (auto* w = qobject_cast<QMainWindow*>(QApplication::activeWindow())) return w;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* m = qobject_cast<QMainWindow*>(w); m && m->isVisible()) return m;
  return nullptr;
}

void Report(const char* what, const QString& value) {
  std::printf("%s: %s\n", what, value.toUtf8().constData());
  std::fflush(stdout);
}

void Check() {
  if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
    QMainWindow* w = ShownMainWindow();
    QString text = box->text();
    text.remove(QChar(0x200B)).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool over = w && w->isVisible() && box->parentWidget() == w;
    const bool onScreen = box->screen() && box->screen()->availableGeometry().contains(box->frameGeometry());
    Report("message", text);
    Report("message over the main window", over ? QStringLiteral("yes") : QStringLiteral("no"));
    Report("message on the screen", onScreen ? QStringLiteral("yes") : QStringLiteral("no"));
    box->done(QDialog::Rejected);
    QTimer::singleShot(100, qApp, Check);
    return;
  }
  QMainWindow* w = ShownMainWindow();
  Report("title", !w ? QString() : w->windowHandle() ? w->windowHandle()->title() : w->windowTitle());
  if (w)
    w->close();
  else
    QApplication::quit();
}

// Made while the application object is being built: it waits for the event loop, which runs once
// the start-up has shown the main window, and checks half a second later.
class Watcher : public QObject {
 public:
  Watcher() {
    QTimer::singleShot(0, this, [] { QTimer::singleShot(500, qApp, Check); });
  }
};

}  // namespace

class SmokeWatchPlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "smoke_watch.json")

 public:
  // Qt keeps the object and deletes it with the application.
  QObject* create(const QString& key, const QString& /*parameters*/) override {
    return key == QLatin1String("harmonote_smoke_watch") ? new Watcher : nullptr;
  }
};

#include "smoke_watch.moc"
