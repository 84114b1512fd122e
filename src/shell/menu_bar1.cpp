#include "shell/menu_bar1.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <utility>

#include "app/shutdown_routines.h"
#include "platform/core/guard.h"
#include "shell/resource_pictures.h"
#include "shell/standard_actions.h"

namespace {

// The one instance, released at shutdown. Not a static owner: the menus are Qt objects, and a
// process ended by exit() (Qt's own, when the X server goes away) destroys static objects after
// Qt's own statics are gone, so the instance is only ever deleted while the application runs.
MenuBar1* g_instance = nullptr;

QKeySequence KeySequenceOf(const QString& shortcut) {
  QString keys = shortcut;
  keys.replace(QLatin1String("Cmd"), QLatin1String("Ctrl"));
  return QKeySequence::fromString(keys, QKeySequence::PortableText);
}

}  // namespace

MenuItem::MenuItem(const QString& name, const QString& text, const QString& shortcut, MenuItemClass itemClass,
                   bool isMenu)
    : name_(name), text_(text), shortcut_(shortcut) {
  setObjectName(name);
  if (isMenu) {
    menu_ = std::make_unique<QMenu>(text);
    menu_->setObjectName(name);
    action_ = menu_->menuAction();
  } else {
    // A separator keeps its text as the item's own, but its action shows none: some styles draw
    // a separator's text beside the line.
    action_ = new QAction(IsSeparator() ? QString() : text, this);
    action_->setObjectName(name);
    action_->setSeparator(IsSeparator());
    action_->setShortcut(KeySequenceOf(shortcut));
    action_->setMenuRole(itemClass == MenuItemClass::QuitMenuItem    ? QAction::QuitRole
                         : itemClass == MenuItemClass::AppleMenuItem ? QAction::AboutRole
                                                                     : QAction::NoRole);
    connect(action_, &QAction::triggered, this, &MenuItem::OnActionTriggered);
  }
  action_->setVisible(true);
}

MenuItem::~MenuItem() = default;

void MenuItem::OnActionTriggered() {
  // Qt flips a checkable action before it reports the trigger; the item's own mark is put back
  // first, so that the handlers see it as it was and change it only through SetChecked.
  if (action_->isChecked() != checked_) {
    const QSignalBlocker block(action_);
    action_->setChecked(checked_);
  }
  Guarded([this] { emit Triggered(); });
}

void MenuItem::SetText(const QString& text) {
  text_ = text;
  if (menu_)
    menu_->setTitle(text);
  else if (!IsSeparator())
    action_->setText(text);
}

void MenuItem::SetChecked(bool checked) {
  checked_ = checked;
  const QSignalBlocker block(action_);
  // A mark shows only on a checkable action; an unmarked item is not checkable, so that no empty
  // check box is drawn beside it.
  if (checked) {
    action_->setCheckable(true);
    action_->setChecked(true);
  } else {
    action_->setChecked(false);
    action_->setCheckable(false);
  }
}

bool MenuItem::Enabled() const { return action_->isEnabled(); }
void MenuItem::SetEnabled(bool enabled) { action_->setEnabled(enabled); }
bool MenuItem::Visible() const { return action_->isVisible(); }
void MenuItem::SetVisible(bool visible) { action_->setVisible(visible); }
QAction* MenuItem::Action() const { return action_; }

void MenuItem::SetIcon(std::shared_ptr<Picture> icon) {
  icon_ = std::move(icon);
  action_->setIcon(IconOf(icon_));
}

MenuBar1::MenuBar1() {
  Untitled0();
  Untitled1();
  Untitled2();
  Untitled3();
}

MenuBar1::~MenuBar1() {
  // Items before their menus.
  while (!items_.empty()) items_.pop_back();
}

MenuBar1& MenuBar1::Instance() {
  if (!g_instance) {
    std::unique_ptr<MenuBar1> bar(new MenuBar1());  // stored only once it is complete
    g_instance = bar.release();
    AddShutdownRoutine(&MenuBar1::Release);
  }
  return *g_instance;
}

void MenuBar1::Release() { delete std::exchange(g_instance, nullptr); }

ApplicationMenuBar* MakeApplicationMenuBar() { return &MenuBar1::Instance(); }

MenuItem* MenuBar1::AddMenu(const QString& name, const QString& text) {
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(name, text, QString(), MenuItemClass::MenuItem, true)));
  menus_.push_back(items_.back().get());
  return items_.back().get();
}

MenuItem* MenuBar1::AddItem(const QString& menuName, const QString& name, const QString& text, const QString& shortcut,
                            MenuItemClass itemClass) {
  MenuItem* menu = Item(menuName);
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(name, text, shortcut, itemClass, false)));
  MenuItem* item = items_.back().get();
  menu->Menu()->addAction(item->Action());
  return item;
}

void MenuBar1::Untitled0() {
  AddMenu("FileMenu", "&File");
  AddItem("FileMenu", "mnuNew", "New", "Cmd+N");
  AddItem("FileMenu", "mnuOpen", "Open", "Cmd+O");
  AddItem("FileMenu", "mnuSave", "Save", "Cmd+S");
  AddItem("FileMenu", "mnuSaveAs", "Save As", "");
  AddItem("FileMenu", "UntitledItem2", "-", "");
  AddItem("FileMenu", "mnuPageSetup", "Page Setup...", "");
  AddItem("FileMenu", "mnuPrint", "Print", "Cmd+P");
  AddItem("FileMenu", "UntitledSeparator", "-", "");
  MenuItem* quit = AddItem("FileMenu", "FileQuit", "&Quit", "Cmd+Q", MenuItemClass::QuitMenuItem);
  QObject::connect(quit, &MenuItem::Triggered, quit, [] { QuitApplication(); });
}

void MenuBar1::Untitled1() {
  AddMenu("EditMenu", "&Edit");
  const struct {
    const char* name;
    const char* text;
    const char* shortcut;
    bool standard;
  } rows[] = {{"EditUndo", "&Undo", "Cmd+Z", true},
              {"UntitledMenu1", "-", "", false},
              {"EditCut", "Cu&t", "Cmd+X", true},
              {"EditCopy", "&Copy", "Cmd+C", true},
              {"EditPaste", "&Paste", "Cmd+V", true},
              {"EditClear", "&Delete", "", true},
              {"UntitledMenu0", "-", "", false},
              {"EditSelectAll", "Select &All", "Cmd+A", true},
              {"UntitledItem1", "-", "", false},
              {"mnuRemoveLineFeeds", "Remove Line Feeds", "Cmd+R", false},
              {"mnuAutoDetectChords", "Auto Detect Chords", "Cmd+D", false},
              {"mnuAutoFormat", "Auto Line Feed", "Cmd+Shift+A", false},
              {"mnuConvertChordsOverTexttoInlineChords", "Convert Chords Over Text to Inline Chords", "", false},
              {"mnuConvertChordstoCaps", "Capitalize Chords", "", false},
              {"mnuCapFirstLetterOfLine", "Capitalize First Letter of Line", "", false},
              {"mnuTranspose", "Transpose Chords", "", false},
              {"UntitledItem3", "-", "", false},
              {"mnuSearch", "Search...", "", false},
              {"mnuSearchReplace", "Replace...", "", false},
              {"UntitledItem01", "-", "", false},
              {"mnuShowMono", "Mono Spaced Font", "", false},
              {"mnuSettings", "Settings", "", false},
              {"mnuRestoreDefaults", "Restore Defaults", "", false},
              {"mnuToggleSpellCheck", "Toggle Spell Check", "", false}};
  for (const auto& row : rows) {
    MenuItem* item = AddItem("EditMenu", row.name, row.text, row.shortcut);
    if (row.standard) {
      const QString name = item->Name();
      QObject::connect(item, &MenuItem::Triggered, item, [name] { RunStandardEditAction(name); });
    }
  }
}

void MenuBar1::Untitled2() {
  AddMenu("mnuInsert", "Insert");
  AddItem("mnuInsert", "mnuInsertChord", "Chord", "Cmd+1")->SetIcon(Chord_32());
  AddItem("mnuInsert", "mnuInsertCaption", "Caption", "Cmd+2")->SetIcon(Caption_32());
  AddItem("mnuInsert", "mnuInsertParagrpah", "Paragraph", "Cmd+3")->SetIcon(Paragraph_32());
  AddItem("mnuInsert", "mnuInsertFrets", "Frets", "Cmd+4")->SetIcon(Frets_32());
  AddItem("mnuInsert", "mnuInsertBold", "Bold", "Cmd+5")->SetIcon(Bold_32());
  AddItem("mnuInsert", "mnuInsertColumn", "Column", "Cmd+6")->SetIcon(Column_32());
  AddItem("mnuInsert", "mnuInsertPage", "Page", "Cmd+7")->SetIcon(Page_32());
}

void MenuBar1::Untitled3() {
  AddMenu("HelpMenu", "Help");
  AddItem("HelpMenu", "mnuHelp", "Help...", "");
  AddItem("HelpMenu", "mnuToggleToolbar", "Toggle Toolbar", "");
  AddItem("HelpMenu", "mnuAbout", "About...", "", MenuItemClass::AppleMenuItem);
}

MenuItem* MenuBar1::Item(const QString& name) const {
  for (const auto& item : items_)
    if (item->Name() == name) return item.get();
  return nullptr;
}

std::vector<MenuItem*> MenuBar1::Items() const {
  std::vector<MenuItem*> all;
  for (const auto& item : items_) all.push_back(item.get());
  return all;
}

std::vector<MenuItem*> MenuBar1::Menus() const { return menus_; }

std::vector<MenuItem*> MenuBar1::ItemsOf(const MenuItem* menu) const {
  std::vector<MenuItem*> children;
  if (!menu || !menu->Menu()) return children;
  for (QAction* action : menu->Menu()->actions())
    for (const auto& item : items_)
      if (item->Action() == action) children.push_back(item.get());
  return children;
}

QMenuBar* MenuBar1::NewMenuBar(QWidget* parent) const {
  auto* bar = new QMenuBar(parent);
  // A right click on the bar opens nothing (a main window would offer its toolbars' list there).
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  for (MenuItem* menu : menus_) bar->addMenu(menu->Menu());
  return bar;
}
