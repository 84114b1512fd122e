// The menu items as the window reaches them: each accessor gives the item that the window's own
// menu bar shows at that place.
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <functional>

#include "window_fixture.h"

namespace {

// What the window's menu bar shows for each of its actions: a menu's title, an item's text, and
// for a separator "- after " and the entry above it.
QHash<QAction*, QString> ShownLabels(QMenuBar* menuBar) {
  QHash<QAction*, QString> out;
  for (QAction* menu : menuBar->actions()) {
    out.insert(menu, menu->text());
    QString above = menu->text();
    for (QAction* a : menu->menu()->actions()) {
      out.insert(a, a->isSeparator() ? "- after " + above : a->text());
      above = a->text();
    }
  }
  return out;
}

}  // namespace

using WindowMenus = WindowFixture;

TEST_F(WindowMenus, EachAccessorGivesTheEntryTheMenuShowsForIt) {
  const struct {
    MenuItem* (Window1::*accessor)() const;
    const char* shown;
  } rows[] = {
      {&Window1::FileMenu, "&File"},
      {&Window1::mnuNew, "New"},
      {&Window1::mnuOpen, "Open"},
      {&Window1::mnuSave, "Save"},
      {&Window1::mnuSaveAs, "Save As"},
      {&Window1::UntitledItem2, "- after Save As"},
      {&Window1::mnuPageSetup, "Page Setup..."},
      {&Window1::mnuPrint, "Print"},
      {&Window1::UntitledSeparator, "- after Print"},
      {&Window1::FileQuit, "&Quit"},
      {&Window1::EditMenu, "&Edit"},
      {&Window1::EditUndo, "&Undo"},
      {&Window1::UntitledMenu1, "- after &Undo"},
      {&Window1::EditCut, "Cu&t"},
      {&Window1::EditCopy, "&Copy"},
      {&Window1::EditPaste, "&Paste"},
      {&Window1::EditClear, "&Delete"},
      {&Window1::UntitledMenu0, "- after &Delete"},
      {&Window1::EditSelectAll, "Select &All"},
      {&Window1::UntitledItem1, "- after Select &All"},
      {&Window1::mnuRemoveLineFeeds, "Remove Line Feeds"},
      {&Window1::mnuAutoDetectChords, "Auto Detect Chords"},
      {&Window1::mnuAutoFormat, "Auto Line Feed"},
      {&Window1::mnuConvertChordsOverTexttoInlineChords, "Convert Chords Over Text to Inline Chords"},
      {&Window1::mnuConvertChordstoCaps, "Capitalize Chords"},
      {&Window1::mnuCapFirstLetterOfLine, "Capitalize First Letter of Line"},
      {&Window1::mnuTranspose, "Transpose Chords"},
      {&Window1::UntitledItem3, "- after Transpose Chords"},
      {&Window1::mnuSearch, "Search..."},
      {&Window1::mnuSearchReplace, "Replace..."},
      {&Window1::UntitledItem01, "- after Replace..."},
      {&Window1::mnuShowMono, "Mono Spaced Font"},
      {&Window1::mnuSettings, "Settings"},
      {&Window1::mnuRestoreDefaults, "Restore Defaults"},
      {&Window1::mnuToggleSpellCheck, "Toggle Spell Check"},
      {&Window1::mnuInsert, "Insert"},
      {&Window1::mnuInsertChord, "Chord"},
      {&Window1::mnuInsertCaption, "Caption"},
      {&Window1::mnuInsertParagrpah, "Paragraph"},
      {&Window1::mnuInsertFrets, "Frets"},
      {&Window1::mnuInsertBold, "Bold"},
      {&Window1::mnuInsertColumn, "Column"},
      {&Window1::mnuInsertPage, "Page"},
      {&Window1::HelpMenu, "Help"},
      {&Window1::mnuHelp, "Help..."},
      {&Window1::mnuToggleToolbar, "Toggle Toolbar"},
      {&Window1::mnuAbout, "About..."},
  };
  const QHash<QAction*, QString> shown = ShownLabels(w->menuBar());
  QSet<QAction*> reached;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.shown);
    MenuItem* item = std::invoke(row.accessor, w);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(shown.contains(item->Action())) << "not on the window's menu bar";
    EXPECT_EQ(shown.value(item->Action()).toStdString(), row.shown);
    reached.insert(item->Action());
  }
  // One accessor for each entry of the menu bar, and none left over.
  EXPECT_EQ(reached.size(), qsizetype(std::size(rows)));
  EXPECT_EQ(reached.size(), shown.size());

  EXPECT_EQ(w->MenuItemNamed("noSuchItem"), nullptr);
  // Every call looks the item up again: a mark set elsewhere shows through the accessor.
  MenuBar1::Instance().Item("mnuSettings")->SetChecked(true);
  EXPECT_TRUE(w->mnuSettings()->Checked());
}
