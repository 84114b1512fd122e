#pragma once
// Answers a modal dialog that the code under test opens and waits on: once the dialog of the
// given class is the active modal window, act runs on it (and is expected to close it). The
// dialog is looked for every few milliseconds from the event loop that its exec() runs, also when
// something processes events before the dialog opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

template <class D>
class ModalDriver {
 public:
  explicit ModalDriver(std::function<void(D*)> act) : state_(std::make_shared<State>()) {
    state_->act = std::move(act);
    Poll(state_);
  }
  // Whether the dialog was found and act ran.
  bool Answered() const { return state_->answered; }

 private:
  struct State {
    std::function<void(D*)> act;
    bool answered = false;
    int tries = 0;
  };
  static void Poll(std::shared_ptr<State> s) {
    QTimer::singleShot(5, [s] {
      if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
        s->answered = true;
        s->act(d);
      } else if (++s->tries < 2000) {  // about ten seconds
        Poll(s);
      }
    });
  }
  std::shared_ptr<State> state_;
};
