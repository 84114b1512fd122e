#pragma once
// Real input for the tests that run on an X server with a window manager (tests/support/
// x_session.sh): keys and clicks go through the X server's XTest extension, so that they reach
// the program as a user's keyboard and mouse do, through the window manager's focus and Qt's own
// event handling. A watchdog fails a test that hangs instead of letting it block the run.
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace xinput {

// Whether this process runs on an X server that offers XTest.
bool Available();

// Presses and releases one key with its modifiers: "x", "Return", "ctrl+z", "shift+Tab",
// "super+a", "alt+F4", "ctrl+shift+z" (X key names, modifiers ctrl, shift, alt, super).
void Keys(const QString& combo);
// Types text, character by character (Latin-1 characters; upper case through Shift).
void Type(const QString& text);
// Moves the pointer to pos (global coordinates) and clicks the left button there.
void ClickAt(QPoint global);
// Clicks the middle of widget.
void Click(const QWidget* widget);

// Runs the event loop until done() holds, or timeoutMs has passed: false then.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000);
// Lets the program take in what it was sent: a round trip to the X server, then the events that
// came of it.
void Settle(int ms = 100);

// Shows window's top-level window, waits until the window manager has mapped and focused it;
// false when that did not happen in time.
bool ShowActive(QWidget* window);

}  // namespace xinput

// Ends the process with a failure report when it is still alive timeoutSeconds after it was made:
// a test that would hang (a blocking open, a dialog that never closes) fails instead.
class Watchdog {
 public:
  Watchdog(int timeoutSeconds, const QString& what);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

// Every test of this suite starts with it: without an X server the suite cannot test anything.
#define REQUIRE_X_SERVER() \
  ASSERT_TRUE(xinput::Available()) << "run this test on an X server with XTest (tests/support/x_session.sh)"
