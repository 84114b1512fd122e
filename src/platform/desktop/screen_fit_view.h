#pragma once
// A view over a window's fixed-size content. Where the screen holds the whole window the view is
// exactly the content's size and shows no scroll bars; where it does not, the view shrinks so
// that the window, with its frame, menu bar and toolbars, fits the screen's available area, and
// the content scrolls inside it. The content itself always keeps its size.
#include <QScrollArea>

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
  QWidget* watchedWindow_ = nullptr;
  bool fitting_ = false;
  bool placeNext_ = false;
  QSize lastFrame_;
};
