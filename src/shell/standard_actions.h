#pragma once
// The actions of the menu items to which the program binds no handler of its own.
#include <QString>

// Undo, cut, copy, paste, delete or select all in the text field or text area that has the
// focus, for the Edit item of that name; nothing for other names or without such a widget.
// A read-only one is only copied from and selected in.
void RunStandardEditAction(const QString& itemName);
// Asks every window to close (each may refuse); the application quits when the last one has.
void QuitApplication();
