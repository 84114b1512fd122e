#pragma once
// The main window's toolbar: seven buttons for the markers Chord, Caption, Paragraph, Frets,
// Bold, Column and Page, each with its caption and picture. A click reports the button through
// Action; which command runs is the window's business (it goes by the caption). The toolbar
// stays where the window puts it: it cannot be moved or floated, and it offers no context menu
// through which it could be hidden.
#include <QToolBar>
#include <array>
#include <memory>

#include "platform/desktop/picture.h"

class Toolbar1 : public QToolBar {
  Q_OBJECT
 public:
  explicit Toolbar1(QWidget* parent = nullptr);

  QAction* ToolItem1 = nullptr;  // "Chord"
  QAction* ToolItem2 = nullptr;  // "Caption"
  QAction* ToolItem3 = nullptr;  // "Paragraph"
  QAction* ToolItem4 = nullptr;  // "Frets"
  QAction* ToolItem5 = nullptr;  // "Bold"
  QAction* ToolItem6 = nullptr;  // "Column"
  QAction* ToolItem7 = nullptr;  // "Page"

  // The seven buttons in toolbar order.
  std::array<QAction*, 7> Buttons() const;
  // The picture a button shows (null when its file could not be loaded).
  std::shared_ptr<Picture> PictureOf(const QAction* item) const;

 signals:
  // A button was clicked.
  void Action(QAction* item);

 private:
  std::array<std::shared_ptr<Picture>, 7> pictures_;
};
