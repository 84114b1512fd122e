// The window's construction: the single instance, its own layout and menu bar; the controls are
// made in window1_controls.cpp.
#include <QLayout>
#include <QPointer>
#include <memory>

#include "mainwindow/window1.h"
#include "platform/core/guard.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/picture.h"
#include "platform/desktop/printer_setup.h"
#include "platform/desktop/screen_fit_view.h"
#include "shell/menu_bar1.h"

namespace {
QPointer<Window1> g_instance;
}  // namespace

Window1* Window1::Instance() {
  if (g_instance && !g_instance->closed_) return g_instance;
  std::unique_ptr<Window1> w(new Window1);
  w->Event_Open();
  w->show();
  g_instance = w.release();
  return g_instance;
}

Window1* Window1::Existing() { return g_instance && !g_instance->closed_ ? g_instance.data() : nullptr; }

Window1::Window1() : QMainWindow(nullptr) {
  setAttribute(Qt::WA_DeleteOnClose);
  Layout();
  CreateControls();
  // The controls show the new song's fields: the default layout, the centre line, no text.
  FillControls(Afresh::None);
  // The keys typed as soon as the window opens go to the first field of the song.
  txtTitle_->setFocus(Qt::OtherFocusReason);
  state_.OnModifiedChanged([this](bool modified) { setWindowModified(modified); });
  AddMenuHandlers(this);
  Dialogs::SetParentWindow(this);
}

Window1::~Window1() {
  pImage_.reset();
  myPrinterSetup_.reset();
  state_.OnModifiedChanged(nullptr);
}

void Window1::Layout() {
  setMenuBar(MenuBar1::Instance().NewMenuBar(this));
  setObjectName(QStringLiteral("Window1"));
  // A titled document window that can be closed and minimised, not resized, zoomed or made full
  // screen. The content keeps its 1004 by 790 whether the toolbar shows or not: the window
  // takes the size of its content (or of the view over it, on a small screen), menu bar and
  // toolbar.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  content_ = new QWidget(this);
  content_->setObjectName(QStringLiteral("Content"));
  content_->setFixedSize(kContentWidth, kContentHeight);
  // The content keeps its size; on a screen too small for the window the view over it shrinks
  // to fit and scrolls, so every control stays reachable.
  setCentralWidget(new ScreenFitView(content_, this));
  // No list of toolbars to hide: a right click that no control takes opens nothing.
  setContextMenuPolicy(Qt::NoContextMenu);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  title_ = QStringLiteral("Harmonote");
  ApplyTitle();
}

void Window1::ApplyTitle() {
  // Qt's contents-changed marker goes after the title; a "[*]" of the title itself is doubled so
  // that Qt shows it as typed.
  QString shown = title_;
  shown.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
  setWindowTitle(shown + QStringLiteral("[*]"));
}

void Window1::Handle(const std::function<void()>& handler) { Guarded(handler); }
