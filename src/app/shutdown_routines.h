#pragma once
// Shared objects that hold Qt resources (menus, pictures) register how they are released here;
// shutdown runs the routines, newest first, before QApplication goes.
#include <functional>

void AddShutdownRoutine(std::function<void()> routine);
void RunShutdownRoutines();
