#pragma once
// The keyboard's round through a window: real Tab presses from the window's focus until the focus
// comes back to where it started.
#include <QString>
#include <vector>

class QWidget;

// The focus stops that Tab goes through in window (made active first), the focus it starts on
// first. A failure is reported when the focus goes nowhere, leaves the window or never comes
// back round; the stops seen until then are returned.
std::vector<QWidget*> TabCycle(QWidget* window);

// What a screen reader says a widget is called: its accessible name.
QString AccessibleName(QWidget* widget);

// A widget as a failure report names it: its class, its object name and its accessible name.
std::string Described(QWidget* widget);
