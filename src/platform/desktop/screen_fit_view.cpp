#include "platform/desktop/screen_fit_view.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWindow>
#include <algorithm>

ScreenFitView::ScreenFitView(QWidget* content, QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("ContentView"));
  setFrameShape(QFrame::NoFrame);
  // The view only carries the controls: it is no stop of the keyboard's, so the window's first
  // input has the focus when it opens, and Tab goes from input to input.
  setFocusPolicy(Qt::NoFocus);
  setWidgetResizable(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWidget(content);
  setFixedSize(content->size());
  Watch();
  // Whatever brings a control the focus (Tab, a click, a command) brings it into sight, and its
  // caret with it.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    const bool ours = now && widget() && widget()->isAncestorOf(now);
    Follow(ours ? now : nullptr);
    if (ours && Scrolls()) {
      ensureWidgetVisible(now);
      ShowCaretSoon();
    }
  });
}

void ScreenFitView::Follow(QWidget* control) {
  for (const QMetaObject::Connection& c : following_) disconnect(c);
  following_.clear();
  followed_ = control;
  // The caret moves with the keys, and within the control's own view as that scrolls.
  if (auto* area = qobject_cast<QPlainTextEdit*>(control)) {
    following_.push_back(connect(area, &QPlainTextEdit::cursorPositionChanged, this, &ScreenFitView::ShowCaretSoon));
    for (QScrollBar* bar : {area->verticalScrollBar(), area->horizontalScrollBar()})
      following_.push_back(connect(bar, &QScrollBar::valueChanged, this, &ScreenFitView::ShowCaretSoon));
  } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
    following_.push_back(connect(field, &QLineEdit::cursorPositionChanged, this, &ScreenFitView::ShowCaretSoon));
  }
}

void ScreenFitView::ShowCaretSoon() {
  // A text control tells of the caret's move before it scrolls its own view to the caret: the
  // caret's place is taken once that is done, and once for a burst of moves.
  if (caretPending_ || !followed_ || !Scrolls()) return;
  caretPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        caretPending_ = false;
        ShowCaret();
      },
      Qt::QueuedConnection);
}

void ScreenFitView::ShowCaret() {
  QWidget* control = followed_;
  QWidget* content = widget();
  if (!control || !content || !Scrolls() || !control->hasFocus()) return;
  // The caret as input methods are told of it, in the control's coordinates.
  const QRect caret = control->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  if (caret.height() <= 0) return;
  constexpr int kMargin = 4;
  const QPoint centre = control->mapTo(content, caret.center());
  ensureVisible(centre.x(), centre.y(), caret.width() / 2 + kMargin, caret.height() / 2 + kMargin);
}

bool ScreenFitView::Scrolls() const {
  const QWidget* content = widget();
  return content && (width() < content->width() || height() < content->height());
}

void ScreenFitView::Watch() {
  QWidget* top = window();
  if (top == watchedWindow_) return;
  if (watchedWindow_) watchedWindow_->removeEventFilter(this);
  watchedWindow_ = top;
  if (top && top != this) top->installEventFilter(this);
}

bool ScreenFitView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == watchedWindow_) {
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::ScreenChangeInternal:
        placeNext_ = true;
        Fit();
        break;
      case QEvent::Move:
      case QEvent::Resize:
        Fit();
        break;
      default:
        break;
    }
  }
  return QScrollArea::eventFilter(watched, event);
}

void ScreenFitView::Fit() {
  Watch();
  QWidget* content = widget();
  QWidget* top = window();
  if (!content || !top || fitting_) return;
  QScreen* screen = top->screen();
  if (!screen) return;
  fitting_ = true;
  const QRect available = screen->availableGeometry();
  // Everything of the window around the view: its frame (known once the window manager has
  // framed it), the menu bar and the toolbars.
  const QSize frame = top->isVisible() ? top->frameGeometry().size() - top->geometry().size() : QSize(0, 0);
  // The window's layout knows the menu bar and toolbars even while a resize is still pending.
  const QSize outer = top->layout() ? top->layout()->totalSizeHint() : top->size();
  const QSize around = outer - size() + frame;
  const QSize room = available.size() - around;
  const QSize full = content->size();
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  int w = std::min(full.width(), room.width());
  int h = std::min(full.height(), room.height());
  // A scroll bar in one direction takes room from the other; take it from the screen if there
  // is some to spare.
  if (h < full.height()) w = std::min(full.width() + bar, room.width());
  if (w < full.width()) h = std::min(full.height() + bar, room.height());
  w = std::max(w, 100);
  h = std::max(h, 100);
  // Each scroll bar shows exactly where the content is cut that way: the bars never make room
  // for each other back and forth.
  bool vertical = h < full.height();
  const bool horizontal = w < full.width() + (vertical ? bar : 0);
  if (horizontal && !vertical) vertical = h < full.height() + bar;
  setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  if (size() != QSize(w, h)) setFixedSize(w, h);
  fitting_ = false;
  // Where the window opens, comes to another screen or is first framed, it is put inside the
  // available area; afterwards the user may move it where they like.
  const bool place = top->isVisible() && (placeNext_ || frame != lastFrame_);
  lastFrame_ = frame;
  placeNext_ = false;
  if (place) {
    const QRect framed = top->frameGeometry();
    QPoint to = framed.topLeft();
    to.setX(std::clamp(to.x(), available.left(), std::max(available.left(), available.right() + 1 - framed.width())));
    to.setY(std::clamp(to.y(), available.top(), std::max(available.top(), available.bottom() + 1 - framed.height())));
    if (to != framed.topLeft()) top->move(to);
  }
}
