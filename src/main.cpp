#include "app/startup.h"
#include "mainwindow/window1.h"
#include "shell/menu_bar1.h"

// The default view is the main window; the event loop keeps it once it is shown. The menu bar is
// the shell's.
int main(int argc, char** argv) {
  return _Main(
      argc, argv, [] { Window1::Instance(); }, MakeApplicationMenuBar);
}
