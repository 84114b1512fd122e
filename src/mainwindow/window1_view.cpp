// filled in by the documents/printing/tools work
#include "mainwindow/window1.h"

bool Window1::_mnuHelp_Action() { return true; }
bool Window1::_mnuAbout_Action() { return true; }
bool Window1::_mnuToggleSpellCheck_Action() { return true; }
bool Window1::_mnuToggleToolbar_Action() { return true; }
bool Window1::_mnuSettings_Action() { return true; }
bool Window1::_mnuShowMono_Action() { return true; }
