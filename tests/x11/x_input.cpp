#include "x11/x_input.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// A connection of the tests' own, apart from Qt's: what it sends reaches Qt through the server.
Display* TestDisplay() {
  static Display* display = [] {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return static_cast<Display*>(nullptr);
    Display* d = XOpenDisplay(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (d && !XTestQueryExtension(d, &event, &error, &major, &minor)) {
      XCloseDisplay(d);
      d = nullptr;
    }
    return d;
  }();
  return display;
}

KeySym ModifierKey(const QString& name) {
  if (name == QLatin1String("ctrl")) return XK_Control_L;
  if (name == QLatin1String("shift")) return XK_Shift_L;
  if (name == QLatin1String("alt")) return XK_Alt_L;
  if (name == QLatin1String("super")) return XK_Super_L;
  return NoSymbol;
}

void Press(KeyCode code, bool down) { XTestFakeKeyEvent(TestDisplay(), code, down ? True : False, CurrentTime); }

void PressAll(const std::vector<KeyCode>& modifiers, KeyCode key) {
  for (KeyCode m : modifiers) Press(m, true);
  Press(key, true);
  Press(key, false);
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) Press(*m, false);
  XSync(TestDisplay(), False);
}

KeyCode CodeOf(KeySym sym) {
  const KeyCode code = XKeysymToKeycode(TestDisplay(), sym);
  if (code == 0) std::fprintf(stderr, "x_input: no key for keysym 0x%lx\n", static_cast<unsigned long>(sym));
  return code;
}

}  // namespace

namespace xinput {

bool Available() { return TestDisplay() != nullptr; }

void Keys(const QString& combo) {
  if (!Available()) return;
  QStringList parts = combo.split(QLatin1Char('+'));
  const QString keyName = parts.takeLast();
  std::vector<KeyCode> modifiers;
  for (const QString& m : parts) modifiers.push_back(CodeOf(ModifierKey(m.toLower())));
  const KeySym sym = XStringToKeysym(keyName.toLatin1().constData());
  if (sym == NoSymbol) std::fprintf(stderr, "x_input: no key named %s\n", qPrintable(keyName));
  PressAll(modifiers, CodeOf(sym));
}

void Type(const QString& text) {
  if (!Available()) return;
  const KeyCode shift = CodeOf(XK_Shift_L);
  for (const QChar c : text) {
    const KeySym sym = c == QLatin1Char('\n') ? XK_Return : KeySym(c.unicode());
    const KeyCode code = CodeOf(sym);
    // A character on its key's second level needs Shift.
    const bool shifted = XkbKeycodeToKeysym(TestDisplay(), code, 0, 0) != sym;
    PressAll(shifted ? std::vector<KeyCode>{shift} : std::vector<KeyCode>{}, code);
  }
}

void ClickAt(QPoint global) {
  if (!Available()) return;
  XTestFakeMotionEvent(TestDisplay(), -1, global.x(), global.y(), CurrentTime);
  XSync(TestDisplay(), False);
  Settle(50);
  XTestFakeButtonEvent(TestDisplay(), 1, True, CurrentTime);
  XTestFakeButtonEvent(TestDisplay(), 1, False, CurrentTime);
  XSync(TestDisplay(), False);
}

void Click(const QWidget* widget) { ClickAt(widget->mapToGlobal(widget->rect().center())); }

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  return true;
}

void Settle(int ms) {
  if (Available()) XSync(TestDisplay(), False);
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
}

bool ShowActive(QWidget* window) {
  QWidget* top = window->window();
  top->show();
  top->raise();
  top->activateWindow();
  return WaitUntil([top] { return top->windowHandle() && top->windowHandle()->isExposed() && top->isActiveWindow(); },
                   10000);
}

}  // namespace xinput

struct Watchdog::State {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  std::thread thread;
};

Watchdog::Watchdog(int timeoutSeconds, const QString& what) : state_(std::make_shared<State>()) {
  const QByteArray text = what.toLocal8Bit();
  state_->thread = std::thread([state = state_, timeoutSeconds, text] {
    std::unique_lock lock(state->mutex);
    if (state->done.wait_for(lock, std::chrono::seconds(timeoutSeconds), [&] { return state->finished; })) return;
    std::fprintf(stderr, "watchdog: FAILED: %s did not finish within %d s (it hangs)\n", text.constData(),
                 timeoutSeconds);
    std::fflush(stderr);
    ::_exit(3);
  });
}

Watchdog::~Watchdog() {
  {
    std::lock_guard lock(state_->mutex);
    state_->finished = true;
  }
  state_->done.notify_all();
  state_->thread.join();
}
