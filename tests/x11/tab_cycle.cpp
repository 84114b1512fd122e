#include "x11/tab_cycle.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QWidget>

#include "x11/x_input.h"

namespace {
// A stop that takes Tab for moving inside itself first (the links of a page) is left after a few.
constexpr int kPressesPerStop = 8;
constexpr int kMostStops = 80;

// Whether widget is the only stop of its window's focus chain: Tab then leaves the focus on it.
bool OnlyStop(QWidget* widget) {
  for (QWidget* next = widget->nextInFocusChain(); next && next != widget; next = next->nextInFocusChain())
    if (next->window() == widget->window() && next->isVisible() && next->isEnabled() &&
        (next->focusPolicy() & Qt::TabFocus) && !next->focusProxy())
      return false;
  return true;
}
}  // namespace

QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* a = widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
  return a ? a->text(QAccessible::Name) : QString();
}

std::string Described(QWidget* widget) {
  if (!widget) return "nothing";
  return QStringLiteral("%1 %2 \"%3\"")
      .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName(), AccessibleName(widget))
      .toStdString();
}

std::vector<QWidget*> TabCycle(QWidget* window) {
  std::vector<QWidget*> stops;
  if (!xinput::ShowActive(window)) {
    ADD_FAILURE() << "the window " << Described(window) << " never became active";
    return stops;
  }
  if (!xinput::WaitUntil([] { return QApplication::focusWidget() != nullptr; })) {
    ADD_FAILURE() << "nothing in " << Described(window) << " has the focus";
    return stops;
  }
  QWidget* const first = QApplication::focusWidget();
  while (stops.size() < kMostStops) {
    QWidget* const now = QApplication::focusWidget();
    if (!now || now->window() != window->window()) {
      ADD_FAILURE() << "Tab took the focus out of the window, to " << Described(now);
      return stops;
    }
    stops.push_back(now);
    if (stops.size() == 1 && OnlyStop(now)) {
      xinput::Keys("Tab");
      xinput::Settle();
      EXPECT_EQ(QApplication::focusWidget(), now) << "Tab took the focus from the window's only stop";
      return stops;
    }
    bool moved = false;
    for (int press = 0; press < kPressesPerStop && !moved; ++press) {
      xinput::Keys("Tab");
      moved = xinput::WaitUntil([now] { return QApplication::focusWidget() != now; }, 500);
    }
    if (!moved) {
      ADD_FAILURE() << "Tab does not move the focus on from " << Described(now);
      return stops;
    }
    if (QApplication::focusWidget() == first) return stops;
  }
  ADD_FAILURE() << "Tab never came back to " << Described(first);
  return stops;
}
