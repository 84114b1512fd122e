#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <functional>

#include "shell/menu_bar1.h"
#include "shell/resource_pictures.h"

namespace {

// Every menu and item in menu order: name, text, shortcut ("-" for the menus themselves).
const struct {
  const char* name;
  const char* text;
  const char* shortcut;
} kItems[] = {
    {"FileMenu", "&File", ""},
    {"mnuNew", "New", "Cmd+N"},
    {"mnuOpen", "Open", "Cmd+O"},
    {"mnuSave", "Save", "Cmd+S"},
    {"mnuSaveAs", "Save As", ""},
    {"UntitledItem2", "-", ""},
    {"mnuPageSetup", "Page Setup...", ""},
    {"mnuPrint", "Print", "Cmd+P"},
    {"UntitledSeparator", "-", ""},
    {"FileQuit", "&Quit", "Cmd+Q"},
    {"EditMenu", "&Edit", ""},
    {"EditUndo", "&Undo", "Cmd+Z"},
    {"UntitledMenu1", "-", ""},
    {"EditCut", "Cu&t", "Cmd+X"},
    {"EditCopy", "&Copy", "Cmd+C"},
    {"EditPaste", "&Paste", "Cmd+V"},
    {"EditClear", "&Delete", ""},
    {"UntitledMenu0", "-", ""},
    {"EditSelectAll", "Select &All", "Cmd+A"},
    {"UntitledItem1", "-", ""},
    {"mnuRemoveLineFeeds", "Remove Line Feeds", "Cmd+R"},
    {"mnuAutoDetectChords", "Auto Detect Chords", "Cmd+D"},
    {"mnuAutoFormat", "Auto Line Feed", "Cmd+Shift+A"},
    {"mnuConvertChordsOverTexttoInlineChords", "Convert Chords Over Text to Inline Chords", ""},
    {"mnuConvertChordstoCaps", "Capitalize Chords", ""},
    {"mnuCapFirstLetterOfLine", "Capitalize First Letter of Line", ""},
    {"mnuTranspose", "Transpose Chords", ""},
    {"UntitledItem3", "-", ""},
    {"mnuSearch", "Search...", ""},
    {"mnuSearchReplace", "Replace...", ""},
    {"UntitledItem01", "-", ""},
    {"mnuShowMono", "Mono Spaced Font", ""},
    {"mnuSettings", "Settings", ""},
    {"mnuRestoreDefaults", "Restore Defaults", ""},
    {"mnuToggleSpellCheck", "Toggle Spell Check", ""},
    {"mnuInsert", "Insert", ""},
    {"mnuInsertChord", "Chord", "Cmd+1"},
    {"mnuInsertCaption", "Caption", "Cmd+2"},
    {"mnuInsertParagrpah", "Paragraph", "Cmd+3"},
    {"mnuInsertFrets", "Frets", "Cmd+4"},
    {"mnuInsertBold", "Bold", "Cmd+5"},
    {"mnuInsertColumn", "Column", "Cmd+6"},
    {"mnuInsertPage", "Page", "Cmd+7"},
    {"HelpMenu", "Help", ""},
    {"mnuHelp", "Help...", ""},
    {"mnuToggleToolbar", "Toggle Toolbar", ""},
    {"mnuAbout", "About...", ""},
};

class MenuBar1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    MenuBar1::Release();
    ReleaseResourcePictures();
  }
  MenuBar1& bar() { return MenuBar1::Instance(); }
};

TEST_F(MenuBar1Test, HoldsEveryMenuAndItemInOrder) {
  const std::vector<MenuItem*> items = bar().Items();
  ASSERT_EQ(items.size(), std::size(kItems));
  for (size_t i = 0; i < items.size(); ++i) {
    const auto& row = kItems[i];
    SCOPED_TRACE(row.name);
    MenuItem* item = items[i];
    EXPECT_EQ(item->Name(), row.name);
    EXPECT_EQ(bar().Item(row.name), item);
    EXPECT_EQ(item->Text(), row.text);
    EXPECT_EQ(item->KeyboardShortcut(), row.shortcut);
    EXPECT_EQ(item->Action()->shortcut(), QKeySequence(QString(row.shortcut).replace("Cmd", "Ctrl")));
    EXPECT_EQ(item->Action()->isSeparator(), QString(row.text) == "-");
    EXPECT_EQ(item->IsSeparator(), QString(row.text) == "-");
    if (item->IsSeparator()) {
      EXPECT_TRUE(item->Action()->text().isEmpty()) << "a separator shows no text";
    }
    EXPECT_TRUE(item->Visible());
    EXPECT_TRUE(item->Enabled());
    EXPECT_TRUE(item->AutoEnable());
    EXPECT_FALSE(item->Checked());
    EXPECT_FALSE(item->Action()->isChecked());
    const MenuItemClass expected = item->Name() == "FileQuit"   ? MenuItemClass::QuitMenuItem
                                   : item->Name() == "mnuAbout" ? MenuItemClass::AppleMenuItem
                                                                : MenuItemClass::MenuItem;
    EXPECT_EQ(item->ItemClass(), expected);
  }
  EXPECT_EQ(bar().Item("mnuInsertParagraph"), nullptr);
  EXPECT_EQ(bar().Item("nothing"), nullptr);
  EXPECT_NE(bar().Item("EditSelectAll")->Action()->shortcut(), bar().Item("mnuAutoFormat")->Action()->shortcut());

  // Four menus with 9, 24, 7 and 3 items, their Qt menus holding the items' actions in order.
  const std::vector<MenuItem*> menus = bar().Menus();
  ASSERT_EQ(menus.size(), 4u);
  const size_t counts[] = {9, 24, 7, 3};
  for (size_t m = 0; m < menus.size(); ++m) {
    ASSERT_TRUE(menus[m]->IsMenu());
    const auto children = bar().ItemsOf(menus[m]);
    EXPECT_EQ(children.size(), counts[m]);
    ASSERT_EQ(menus[m]->Menu()->actions().size(), qsizetype(counts[m]));
    for (size_t c = 0; c < children.size(); ++c)
      EXPECT_EQ(menus[m]->Menu()->actions()[qsizetype(c)], children[c]->Action());
  }
}

TEST_F(MenuBar1Test, TheInsertItemsShowTheMarkerPictures) {
  const struct {
    const char* name;
    std::shared_ptr<Picture> (*picture)();
  } rows[] = {{"mnuInsertChord", Chord_32}, {"mnuInsertCaption", Caption_32}, {"mnuInsertParagrpah", Paragraph_32},
              {"mnuInsertFrets", Frets_32}, {"mnuInsertBold", Bold_32},       {"mnuInsertColumn", Column_32},
              {"mnuInsertPage", Page_32}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MenuItem* item = bar().Item(row.name);
    ASSERT_TRUE(item->Icon());
    EXPECT_EQ(item->Icon(), row.picture());
    EXPECT_FALSE(item->Action()->icon().isNull());
  }
  int withIcon = 0;
  for (MenuItem* item : bar().Items()) withIcon += item->Icon() ? 1 : 0;
  EXPECT_EQ(withIcon, 7);
}

TEST_F(MenuBar1Test, OneSetOfItemsOutlivesEachWindowsMenuBar) {
  EXPECT_EQ(&MenuBar1::Instance(), &MenuBar1::Instance());
  MenuItem* settings = bar().Item("mnuSettings");
  QPointer<QAction> action = settings->Action();
  auto menuTitles = [](QMenuBar* menuBar) {
    QStringList titles;
    for (QAction* a : menuBar->actions()) titles << a->text();
    return titles;
  };
  {
    QMainWindow first;
    first.setMenuBar(bar().NewMenuBar(&first));
    EXPECT_EQ(menuTitles(first.menuBar()), QStringList({"&File", "&Edit", "Insert", "Help"}));
    settings->SetChecked(true);
  }
  ASSERT_TRUE(action);  // the window and its menu bar are gone, the items are not
  QMainWindow second;
  second.setMenuBar(bar().NewMenuBar(&second));
  EXPECT_EQ(menuTitles(second.menuBar()), QStringList({"&File", "&Edit", "Insert", "Help"}));
  EXPECT_EQ(second.menuBar()->actions()[1]->menu(), bar().Item("EditMenu")->Menu());
  EXPECT_TRUE(bar().Item("mnuSettings")->Checked());
  EXPECT_TRUE(action->isChecked());

  // The shortcut reaches the item through the new window's menu bar.
  QSignalSpy chord(bar().Item("mnuInsertChord"), &MenuItem::Triggered);
  second.show();
  second.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
  QTest::keyClick(&second, Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(chord.count(), 1);

  // Released at shutdown: the items go, and the window's menu bar is left empty, not dangling.
  QPointer<QMenu> edit = bar().Item("EditMenu")->Menu();
  MenuBar1::Release();
  EXPECT_FALSE(action);
  EXPECT_FALSE(edit);
  EXPECT_TRUE(second.menuBar()->actions().isEmpty());
}

TEST_F(MenuBar1Test, AnItemKeepsItsOwnCheckMark) {
  for (const char* name : {"mnuSettings", "mnuShowMono"}) {
    SCOPED_TRACE(name);
    MenuItem* item = bar().Item(name);
    // Choosing an item without a handler changes nothing, marked or not.
    for (bool mark : {false, true, false}) {
      item->SetChecked(mark);
      item->Action()->trigger();
      EXPECT_EQ(item->Checked(), mark);
      EXPECT_EQ(item->Action()->isChecked(), mark);
    }
    // A handler that flips the mark flips it exactly once per command, and sees the mark as it was.
    QList<bool> seen;
    auto connection = QObject::connect(item, &MenuItem::Triggered, [&] {
      seen << item->Checked();
      item->SetChecked(!item->Checked());
    });
    for (bool after : {true, false, true}) {
      item->Action()->trigger();
      EXPECT_EQ(item->Checked(), after);
      EXPECT_EQ(item->Action()->isChecked(), after);
    }
    EXPECT_EQ(seen, QList<bool>({false, true, false}));
    QObject::disconnect(connection);
    item->SetChecked(false);
  }
}

TEST_F(MenuBar1Test, TheStandardItemsActOnTheFocusedTextAndQuitClosesTheWindows) {
  QMainWindow window;
  window.setMenuBar(bar().NewMenuBar(&window));
  auto* field = new QLineEdit(&window);
  window.setCentralWidget(field);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  field->setFocus();
  QTest::keyClicks(field, "Amazing");
  auto choose = [&](const char* name) { bar().Item(name)->Action()->trigger(); };

  choose("EditSelectAll");
  EXPECT_EQ(field->selectedText(), "Amazing");
  choose("EditCut");
  EXPECT_EQ(field->text(), "");
  choose("EditPaste");
  choose("EditPaste");
  EXPECT_EQ(field->text(), "AmazingAmazing");
  choose("EditSelectAll");
  choose("EditClear");
  EXPECT_EQ(field->text(), "");
  choose("EditUndo");
  EXPECT_EQ(field->text(), "AmazingAmazing");

  choose("FileQuit");
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MenuBar1Test, TheStandardItemsChangeNoReadOnlyText) {
  QMainWindow window;
  window.setMenuBar(bar().NewMenuBar(&window));
  auto* viewer = new QTextBrowser;
  auto* field = new QLineEdit("Amazing");
  field->setReadOnly(true);
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(viewer);
  layout->addWidget(field);
  window.setCentralWidget(box);
  viewer->setPlainText("Grace");
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  auto choose = [&](const char* name) { bar().Item(name)->Action()->trigger(); };
  const struct {
    QWidget* widget;
    std::function<QString()> text;
  } cases[] = {{viewer, [&] { return viewer->toPlainText(); }}, {field, [&] { return field->text(); }}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.widget->metaObject()->className());
    const QString before = c.text();
    c.widget->setFocus();
    QApplication::clipboard()->setText("pasted");
    choose("EditSelectAll");
    choose("EditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), before);
    for (const char* name : {"EditCut", "EditClear", "EditPaste", "EditUndo"}) {
      choose("EditSelectAll");
      choose(name);
      EXPECT_EQ(c.text(), before) << name;
    }
  }
}

}  // namespace
