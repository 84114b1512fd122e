// The menu items as the window reaches them, and the bindings of its handlers.
#include <functional>

#include "bound_menu_items.h"
#include "window_fixture.h"

using WindowMenus = WindowFixture;

TEST_F(WindowMenus, EveryAccessorFindsItsItemOnTheSharedMenuBar) {
  const std::vector<std::pair<const char*, MenuItem* (Window1::*)() const>> accessors = {
      {"HelpMenu", &Window1::HelpMenu},
      {"mnuAbout", &Window1::mnuAbout},
      {"mnuToggleToolbar", &Window1::mnuToggleToolbar},
      {"mnuHelp", &Window1::mnuHelp},
      {"mnuInsert", &Window1::mnuInsert},
      {"mnuInsertPage", &Window1::mnuInsertPage},
      {"mnuInsertColumn", &Window1::mnuInsertColumn},
      {"mnuInsertBold", &Window1::mnuInsertBold},
      {"mnuInsertFrets", &Window1::mnuInsertFrets},
      {"mnuInsertParagrpah", &Window1::mnuInsertParagrpah},
      {"mnuInsertCaption", &Window1::mnuInsertCaption},
      {"mnuInsertChord", &Window1::mnuInsertChord},
      {"EditMenu", &Window1::EditMenu},
      {"mnuToggleSpellCheck", &Window1::mnuToggleSpellCheck},
      {"mnuRestoreDefaults", &Window1::mnuRestoreDefaults},
      {"mnuSettings", &Window1::mnuSettings},
      {"mnuShowMono", &Window1::mnuShowMono},
      {"UntitledItem01", &Window1::UntitledItem01},
      {"mnuSearchReplace", &Window1::mnuSearchReplace},
      {"mnuSearch", &Window1::mnuSearch},
      {"UntitledItem3", &Window1::UntitledItem3},
      {"mnuTranspose", &Window1::mnuTranspose},
      {"mnuCapFirstLetterOfLine", &Window1::mnuCapFirstLetterOfLine},
      {"mnuConvertChordstoCaps", &Window1::mnuConvertChordstoCaps},
      {"mnuConvertChordsOverTexttoInlineChords", &Window1::mnuConvertChordsOverTexttoInlineChords},
      {"mnuAutoFormat", &Window1::mnuAutoFormat},
      {"mnuAutoDetectChords", &Window1::mnuAutoDetectChords},
      {"mnuRemoveLineFeeds", &Window1::mnuRemoveLineFeeds},
      {"UntitledItem1", &Window1::UntitledItem1},
      {"EditSelectAll", &Window1::EditSelectAll},
      {"UntitledMenu0", &Window1::UntitledMenu0},
      {"EditClear", &Window1::EditClear},
      {"EditPaste", &Window1::EditPaste},
      {"EditCopy", &Window1::EditCopy},
      {"EditCut", &Window1::EditCut},
      {"UntitledMenu1", &Window1::UntitledMenu1},
      {"EditUndo", &Window1::EditUndo},
      {"FileMenu", &Window1::FileMenu},
      {"FileQuit", &Window1::FileQuit},
      {"UntitledSeparator", &Window1::UntitledSeparator},
      {"mnuPrint", &Window1::mnuPrint},
      {"mnuPageSetup", &Window1::mnuPageSetup},
      {"UntitledItem2", &Window1::UntitledItem2},
      {"mnuSaveAs", &Window1::mnuSaveAs},
      {"mnuSave", &Window1::mnuSave},
      {"mnuOpen", &Window1::mnuOpen},
      {"mnuNew", &Window1::mnuNew}};
  ASSERT_EQ(accessors.size(), 47u);
  for (const auto& [name, accessor] : accessors) {
    MenuItem* item = std::invoke(accessor, w);
    ASSERT_NE(item, nullptr) << name;
    EXPECT_EQ(item->Name(), name);
    EXPECT_EQ(item, MenuBar1::Instance().Item(name)) << name;
    const MenuItemClass expected = QLatin1String(name) == QLatin1String("mnuAbout")   ? MenuItemClass::AppleMenuItem
                                   : QLatin1String(name) == QLatin1String("FileQuit") ? MenuItemClass::QuitMenuItem
                                                                                      : MenuItemClass::MenuItem;
    EXPECT_EQ(item->ItemClass(), expected) << name;
  }
  EXPECT_EQ(w->MenuItemNamed("noSuchItem"), nullptr);
  // Every call looks the item up again: a mark set elsewhere shows through the accessor.
  MenuBar1::Instance().Item("mnuSettings")->SetChecked(true);
  EXPECT_TRUE(w->mnuSettings()->Checked());
}

TEST_F(WindowMenus, TwentyNineHandlersAreBoundOnceEachByItemName) {
  QStringList bound;
  for (const auto& [name, handler] : w->MenuHandlers()) {
    bound << name;
    EXPECT_NE(MenuBar1::Instance().Item(name), nullptr) << name.toStdString();
  }
  EXPECT_EQ(bound, kBound);
  // Only a main window can be bound.
  QWidget other;
  EXPECT_ANY_THROW(w->AddMenuHandlers(&other));
  EXPECT_EQ(w->MenuHandlers().size(), 29u);
}
