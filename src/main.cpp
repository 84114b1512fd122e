#include <QMainWindow>

#include "app/startup.h"
#include "shell/menu_bar1.h"
#include "shell/toolbar1.h"

namespace {

// The default view: the application's main window with the shared menus and the toolbar.
void MakeMainWindow() {
  auto* w = new QMainWindow;
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->setWindowTitle(QStringLiteral("Harmonote"));
  w->setMenuBar(MenuBar1::Instance().NewMenuBar(w));
  w->addToolBar(new Toolbar1(w));
  w->resize(1004, 790);
  w->show();
}

}  // namespace

int main(int argc, char** argv) { return _Main(argc, argv, MakeMainWindow); }
