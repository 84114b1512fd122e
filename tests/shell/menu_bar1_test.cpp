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

// What a window's menu bar shows, menu by menu: each menu's title, then its entries with the
// shortcut each shows ("-" a separator), and the name the program finds the entry by.
const struct {
  const char* name;
  const char* text;
  const char* shortcut;
} kShown[] = {
    {"FileMenu", "&File", ""},
    {"mnuNew", "New", "Ctrl+N"},
    {"mnuOpen", "Open", "Ctrl+O"},
    {"mnuSave", "Save", "Ctrl+S"},
    {"mnuSaveAs", "Save As", ""},
    {"UntitledItem2", "-", ""},
    {"mnuPageSetup", "Page Setup...", ""},
    {"mnuPrint", "Print", "Ctrl+P"},
    {"UntitledSeparator", "-", ""},
    {"FileQuit", "&Quit", "Ctrl+Q"},
    {"EditMenu", "&Edit", ""},
    {"EditUndo", "&Undo", "Ctrl+Z"},
    {"UntitledMenu1", "-", ""},
    {"EditCut", "Cu&t", "Ctrl+X"},
    {"EditCopy", "&Copy", "Ctrl+C"},
    {"EditPaste", "&Paste", "Ctrl+V"},
    {"EditClear", "&Delete", ""},
    {"UntitledMenu0", "-", ""},
    {"EditSelectAll", "Select &All", "Ctrl+A"},
    {"UntitledItem1", "-", ""},
    {"mnuRemoveLineFeeds", "Remove Line Feeds", "Ctrl+R"},
    {"mnuAutoDetectChords", "Auto Detect Chords", "Ctrl+D"},
    {"mnuAutoFormat", "Auto Line Feed", "Ctrl+Shift+A"},
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
    {"mnuInsertChord", "Chord", "Ctrl+1"},
    {"mnuInsertCaption", "Caption", "Ctrl+2"},
    {"mnuInsertParagrpah", "Paragraph", "Ctrl+3"},
    {"mnuInsertFrets", "Frets", "Ctrl+4"},
    {"mnuInsertBold", "Bold", "Ctrl+5"},
    {"mnuInsertColumn", "Column", "Ctrl+6"},
    {"mnuInsertPage", "Page", "Ctrl+7"},
    {"HelpMenu", "Help", ""},
    {"mnuHelp", "Help...", ""},
    {"mnuToggleToolbar", "Toggle Toolbar", ""},
    {"mnuAbout", "About...", ""},
};

// One entry as the menu bar shows it.
struct Shown {
  QAction* action;
  QString text;  // "-" for a separator
  QString shortcut;
};

// Every menu title of a menu bar followed by the entries of that menu, in the order shown.
std::vector<Shown> ShownEntries(QMenuBar* menuBar) {
  std::vector<Shown> out;
  for (QAction* menu : menuBar->actions()) {
    out.push_back({menu, menu->text(), menu->shortcut().toString()});
    for (QAction* a : menu->menu()->actions())
      out.push_back({a, a->isSeparator() ? QStringLiteral("-") : a->text(), a->shortcut().toString()});
  }
  return out;
}

class MenuBar1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    MenuBar1::Release();
    ReleaseResourcePictures();
  }
  MenuBar1& bar() { return MenuBar1::Instance(); }
};

TEST_F(MenuBar1Test, AWindowsMenuBarShowsEveryEntryInOrderUnderTheNameItIsFoundBy) {
  QMainWindow window;
  window.setMenuBar(bar().NewMenuBar(&window));
  const std::vector<Shown> shown = ShownEntries(window.menuBar());
  ASSERT_EQ(shown.size(), std::size(kShown));
  for (size_t i = 0; i < shown.size(); ++i) {
    const auto& row = kShown[i];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(shown[i].text.toStdString(), row.text);
    EXPECT_EQ(shown[i].shortcut.toStdString(), row.shortcut);
    EXPECT_TRUE(shown[i].action->isVisible() && shown[i].action->isEnabled());
    EXPECT_FALSE(shown[i].action->isChecked());
    if (shown[i].text == "-") {
      EXPECT_TRUE(shown[i].action->text().isEmpty()) << "a separator shows no text";
    }
    MenuItem* item = bar().Item(row.name);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Action(), shown[i].action);
    EXPECT_EQ(item->Text().toStdString(), row.text);
    // The item's own shortcut text names the key shown, Cmd being the Ctrl key here.
    EXPECT_EQ(item->KeyboardShortcut().replace("Cmd", "Ctrl").toStdString(), row.shortcut);
  }
  EXPECT_EQ(bar().Item("mnuInsertParagraph"), nullptr);
  EXPECT_EQ(bar().Item("nothing"), nullptr);
  // Where a platform moves the quit and about items into an application menu, these two go.
  EXPECT_EQ(bar().Item("FileQuit")->Action()->menuRole(), QAction::QuitRole);
  EXPECT_EQ(bar().Item("mnuAbout")->Action()->menuRole(), QAction::AboutRole);
  EXPECT_EQ(bar().Item("mnuHelp")->Action()->menuRole(), QAction::NoRole);
}

TEST_F(MenuBar1Test, EachShortcutChoosesItsOwnItemAndNoOther) {
  QMainWindow window;
  window.setMenuBar(bar().NewMenuBar(&window));
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  // Every item is watched. The shortcuts of the standard edit items and of Quit are not pressed:
  // they act on the focused text or close the window (tests of their own below).
  std::vector<std::pair<MenuItem*, std::unique_ptr<QSignalSpy>>> spies;
  for (MenuItem* item : bar().Items())
    spies.emplace_back(item, std::make_unique<QSignalSpy>(item, &MenuItem::Triggered));
  int withShortcut = 0;
  for (const auto& row : kShown) {
    if (!*row.shortcut || QLatin1String(row.name).startsWith(QLatin1String("Edit")) ||
        QLatin1String(row.name) == QLatin1String("FileQuit"))
      continue;
    SCOPED_TRACE(row.name);
    ++withShortcut;
    for (auto& [item, spy] : spies) spy->clear();
    QTest::keySequence(&window, QKeySequence(QString::fromLatin1(row.shortcut)));
    for (auto& [item, spy] : spies)
      EXPECT_EQ(spy->count(), item->Name() == QLatin1String(row.name) ? 1 : 0) << item->Name().toStdString();
  }
  EXPECT_EQ(withShortcut, 14);
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
