#pragma once
// A view over a window's fixed-size content. Where the screen holds the whole window the view is
// exactly the content's size and shows no scroll bars; where it does not, the view shrinks so
// that the window, with its frame, menu bar and toolbars, fits the screen's available area, and
// the content scrolls inside it. The content itself always keeps its size. While it scrolls, the
// control that has the focus comes into sight, and so does the caret of a focused text control
// wherever it moves.
#include <QPointer>
#include <QScrollArea>
#include <vector>

class ScreenFitView : public QScrollArea {
  Q_OBJECT
 public:
  ScreenFitView(QWidget* content, QWidget* parent);

  // Fits the view (and with it the window) to the window's screen now.
  void Fit();
  // Whether the view is smaller than its content.
  bool Scrolls() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Watch();
  // Follows the caret of control (nothing for a control without one, or for nullptr).
  void Follow(QWidget* control);
  // Brings the caret followed into sight once the control has finished moving it.
  void ShowCaretSoon();
  void ShowCaret();
  QWidget* watchedWindow_ = nullptr;
  QPointer<QWidget> followed_;
  std::vector<QMetaObject::Connection> following_;
  bool caretPending_ = false;
  bool fitting_ = false;
  bool placeNext_ = false;
  QSize lastFrame_;
};
