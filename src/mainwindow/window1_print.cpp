// filled in by the documents/printing/tools work
#include "mainwindow/window1.h"

bool Window1::_mnuPrint_Action() { return true; }
bool Window1::_mnuPageSetup_Action() { return true; }
