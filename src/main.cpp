#include "app/startup.h"
#include "mainwindow/window1.h"

// The default view is the main window; the event loop keeps it once it is shown.
int main(int argc, char** argv) {
  return _Main(argc, argv, [] { Window1::Instance(); });
}
