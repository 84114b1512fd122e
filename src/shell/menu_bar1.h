#pragma once
// The application's one menu bar: the menus File, Edit, Insert and Help with their named items.
// The items live here for the whole run; each window shows them through a QMenuBar of its own
// (NewMenuBar), so closing a window, which deletes its QMenuBar, leaves the items and their
// check marks as they are.
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "app/application_menu_bar.h"
#include "platform/desktop/picture.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The kind of a menu item: a plain item (menus and separators included), the standard quit item,
// or the item that a platform with an application menu shows there.
enum class MenuItemClass { MenuItem, QuitMenuItem, AppleMenuItem };

// One named menu or item of the shared menu bar.
class MenuItem : public QObject {
  Q_OBJECT
 public:
  ~MenuItem() override;

  QString Name() const { return name_; }
  QString Text() const { return text_; }
  void SetText(const QString& text);
  // The item keeps its own mark: choosing the item never flips it, only SetChecked does.
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  // The Qt action shown in the menus (for a menu, its menu action).
  QAction* Action() const;

  // "Cmd+N", "Cmd+Shift+A", or "" (Cmd is the Ctrl key here).
  QString KeyboardShortcut() const { return shortcut_; }
  std::shared_ptr<Picture> Icon() const { return icon_; }
  bool AutoEnable() const { return true; }
  bool IsSeparator() const { return text_ == QLatin1String("-"); }
  // For a menu, its Qt menu; nullptr for an item.
  QMenu* Menu() const { return menu_.get(); }
  bool IsMenu() const { return menu_ != nullptr; }

 signals:
  // The user chose the item (from a menu or by its shortcut).
  void Triggered();

 private:
  friend class MenuBar1;
  MenuItem(const QString& name, const QString& text, const QString& shortcut, MenuItemClass itemClass, bool isMenu);
  void SetIcon(std::shared_ptr<Picture> icon);
  void OnActionTriggered();

  QString name_;
  QString text_;
  QString shortcut_;
  bool checked_ = false;
  std::shared_ptr<Picture> icon_;
  std::unique_ptr<QMenu> menu_;
  QAction* action_ = nullptr;
};

class MenuBar1 : public ApplicationMenuBar {
 public:
  ~MenuBar1() override;

  // The one instance, built completely on first use.
  static MenuBar1& Instance();
  // Drops the instance; shutdown does this before QApplication goes.
  static void Release();

  // The menu or item of that name; nullptr when there is none.
  MenuItem* Item(const QString& name) const;
  // Every menu and item in menu order: each menu followed by its items.
  std::vector<MenuItem*> Items() const;
  // The four menus in bar order.
  std::vector<MenuItem*> Menus() const;
  // The items of one menu in order.
  std::vector<MenuItem*> ItemsOf(const MenuItem* menu) const;
  // A window's own QMenuBar over the shared menus and items, without a context menu; the window
  // owns it.
  QMenuBar* NewMenuBar(QWidget* parent) const;

 private:
  MenuBar1();
  void Untitled0();  // File
  void Untitled1();  // Edit
  void Untitled2();  // Insert
  void Untitled3();  // Help
  MenuItem* AddMenu(const QString& name, const QString& text);
  MenuItem* AddItem(const QString& menuName, const QString& name, const QString& text, const QString& shortcut,
                    MenuItemClass itemClass = MenuItemClass::MenuItem);

  std::vector<std::unique_ptr<MenuItem>> items_;
  std::vector<MenuItem*> menus_;
};

// The application's menu bar as start-up installs it (main hands this to _Main): the one instance.
ApplicationMenuBar* MakeApplicationMenuBar();
