#include "shell/toolbar1.h"

#include <QAction>

#include "platform/core/guard.h"
#include "shell/resource_pictures.h"

Toolbar1::Toolbar1(QWidget* parent) : QToolBar(parent) {
  setMovable(false);
  setFloatable(false);
  // No menu of the window's toolbars either: the context menu event stops here.
  setContextMenuPolicy(Qt::PreventContextMenu);
  toggleViewAction()->setEnabled(false);
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  setIconSize(QSize(32, 32));

  const struct {
    QAction* Toolbar1::*member;
    const char* name;
    const char* caption;
    std::shared_ptr<Picture> (*picture)();
  } rows[] = {{&Toolbar1::ToolItem1, "ToolItem1", "Chord", Chord_32},
              {&Toolbar1::ToolItem2, "ToolItem2", "Caption", Caption_32},
              {&Toolbar1::ToolItem3, "ToolItem3", "Paragraph", Paragraph_32},
              {&Toolbar1::ToolItem4, "ToolItem4", "Frets", Frets_32},
              {&Toolbar1::ToolItem5, "ToolItem5", "Bold", Bold_32},
              {&Toolbar1::ToolItem6, "ToolItem6", "Column", Column_32},
              {&Toolbar1::ToolItem7, "ToolItem7", "Page", Page_32}};
  size_t index = 0;
  for (const auto& row : rows) {
    auto* item = new QAction(this);
    this->*row.member = item;
    item->setObjectName(QString::fromLatin1(row.name));
    item->setEnabled(true);
    item->setText(QString::fromLatin1(row.caption));
    pictures_[index] = row.picture();
    item->setIcon(IconOf(pictures_[index]));
    addAction(item);
    ++index;
  }
  connect(this, &QToolBar::actionTriggered, this, [this](QAction* item) { Guarded([&] { emit Action(item); }); });
}

std::array<QAction*, 7> Toolbar1::Buttons() const {
  return {ToolItem1, ToolItem2, ToolItem3, ToolItem4, ToolItem5, ToolItem6, ToolItem7};
}

std::shared_ptr<Picture> Toolbar1::PictureOf(const QAction* item) const {
  const auto buttons = Buttons();
  for (size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i] == item) return pictures_[i];
  return nullptr;
}
