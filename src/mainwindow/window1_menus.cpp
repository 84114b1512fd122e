// The menu items as the window reaches them, by name on the shared menu bar, and the binding of
// the window's menu handlers to them.
#include <QMenuBar>

#include "mainwindow/window1.h"
#include "platform/core/errors.h"
#include "shell/menu_bar1.h"

MenuItem* Window1::MenuItemNamed(const QString& name) const {
  if (!menuBar()) throw NilObjectException(QStringLiteral("The window has no menu bar"));
  return MenuBar1::Instance().Item(name);
}

#define HARMONOTE_MENU_ITEM(name) \
  MenuItem* Window1::name() const { return MenuItemNamed(QStringLiteral(#name)); }
HARMONOTE_MENU_ITEM(HelpMenu)
HARMONOTE_MENU_ITEM(mnuAbout)
HARMONOTE_MENU_ITEM(mnuToggleToolbar)
HARMONOTE_MENU_ITEM(mnuHelp)
HARMONOTE_MENU_ITEM(mnuInsert)
HARMONOTE_MENU_ITEM(mnuInsertPage)
HARMONOTE_MENU_ITEM(mnuInsertColumn)
HARMONOTE_MENU_ITEM(mnuInsertBold)
HARMONOTE_MENU_ITEM(mnuInsertFrets)
HARMONOTE_MENU_ITEM(mnuInsertParagrpah)
HARMONOTE_MENU_ITEM(mnuInsertCaption)
HARMONOTE_MENU_ITEM(mnuInsertChord)
HARMONOTE_MENU_ITEM(EditMenu)
HARMONOTE_MENU_ITEM(mnuToggleSpellCheck)
HARMONOTE_MENU_ITEM(mnuRestoreDefaults)
HARMONOTE_MENU_ITEM(mnuSettings)
HARMONOTE_MENU_ITEM(mnuShowMono)
HARMONOTE_MENU_ITEM(UntitledItem01)
HARMONOTE_MENU_ITEM(mnuSearchReplace)
HARMONOTE_MENU_ITEM(mnuSearch)
HARMONOTE_MENU_ITEM(UntitledItem3)
HARMONOTE_MENU_ITEM(mnuTranspose)
HARMONOTE_MENU_ITEM(mnuCapFirstLetterOfLine)
HARMONOTE_MENU_ITEM(mnuConvertChordstoCaps)
HARMONOTE_MENU_ITEM(mnuConvertChordsOverTexttoInlineChords)
HARMONOTE_MENU_ITEM(mnuAutoFormat)
HARMONOTE_MENU_ITEM(mnuAutoDetectChords)
HARMONOTE_MENU_ITEM(mnuRemoveLineFeeds)
HARMONOTE_MENU_ITEM(UntitledItem1)
HARMONOTE_MENU_ITEM(EditSelectAll)
HARMONOTE_MENU_ITEM(UntitledMenu0)
HARMONOTE_MENU_ITEM(EditClear)
HARMONOTE_MENU_ITEM(EditPaste)
HARMONOTE_MENU_ITEM(EditCopy)
HARMONOTE_MENU_ITEM(EditCut)
HARMONOTE_MENU_ITEM(UntitledMenu1)
HARMONOTE_MENU_ITEM(EditUndo)
HARMONOTE_MENU_ITEM(FileMenu)
HARMONOTE_MENU_ITEM(FileQuit)
HARMONOTE_MENU_ITEM(UntitledSeparator)
HARMONOTE_MENU_ITEM(mnuPrint)
HARMONOTE_MENU_ITEM(mnuPageSetup)
HARMONOTE_MENU_ITEM(UntitledItem2)
HARMONOTE_MENU_ITEM(mnuSaveAs)
HARMONOTE_MENU_ITEM(mnuSave)
HARMONOTE_MENU_ITEM(mnuOpen)
HARMONOTE_MENU_ITEM(mnuNew)
#undef HARMONOTE_MENU_ITEM

void Window1::AddMenuHandlers(QWidget* w) {
  auto* win = qobject_cast<Window1*>(w);
  if (!win) throw RuntimeException(QStringLiteral("Menu handlers can only be bound to the main window"));
  const struct {
    const char* item;
    bool (Window1::*handler)();
  } bindings[] = {
      {"mnuOpen", &Window1::_mnuOpen_Action},
      {"mnuSave", &Window1::_mnuSave_Action},
      {"mnuPrint", &Window1::_mnuPrint_Action},
      {"mnuNew", &Window1::_mnuNew_Action},
      {"mnuRestoreDefaults", &Window1::_mnuRestoreDefaults_Action},
      {"mnuHelp", &Window1::_mnuHelp_Action},
      {"mnuAbout", &Window1::_mnuAbout_Action},
      {"mnuPageSetup", &Window1::_mnuPageSetup_Action},
      {"mnuRemoveLineFeeds", &Window1::_mnuRemoveLineFeeds_Action},
      {"mnuAutoDetectChords", &Window1::_mnuAutoDetectChords_Action},
      {"mnuAutoFormat", &Window1::_mnuAutoFormat_Action},
      {"mnuConvertChordsOverTexttoInlineChords", &Window1::_mnuConvertChordsOverTexttoInlineChords_Action},
      {"mnuToggleSpellCheck", &Window1::_mnuToggleSpellCheck_Action},
      {"mnuToggleToolbar", &Window1::_mnuToggleToolbar_Action},
      {"mnuInsertChord", &Window1::_mnuInsertChord_Action},
      {"mnuInsertCaption", &Window1::_mnuInsertCaption_Action},
      {"mnuInsertParagrpah", &Window1::_mnuInsertParagrpah_Action},
      {"mnuInsertFrets", &Window1::_mnuInsertFrets_Action},
      {"mnuInsertBold", &Window1::_mnuInsertBold_Action},
      {"mnuInsertColumn", &Window1::_mnuInsertColumn_Action},
      {"mnuInsertPage", &Window1::_mnuInsertPage_Action},
      {"mnuSettings", &Window1::_mnuSettings_Action},
      {"mnuConvertChordstoCaps", &Window1::_mnuConvertChordstoCaps_Action},
      {"mnuCapFirstLetterOfLine", &Window1::_mnuCapFirstLetterOfLine_Action},
      {"mnuSearch", &Window1::_mnuSearch_Action},
      {"mnuSearchReplace", &Window1::_mnuSearchReplace_Action},
      {"mnuShowMono", &Window1::_mnuShowMono_Action},
      {"mnuTranspose", &Window1::_mnuTranspose_Action},
      {"mnuSaveAs", &Window1::_mnuSaveAs_Action},
  };
  for (const auto& b : bindings) {
    const auto handler = b.handler;
    win->_AddMenuHandler(QString::fromLatin1(b.item), [win, handler] { return (win->*handler)(); });
  }
}

void Window1::_AddMenuHandler(const QString& name, std::function<bool()> handler) {
  menuHandlers_.emplace_back(name, handler);
  MenuItem* item = MenuBar1::Instance().Item(name);
  if (!item) return;
  // The items outlive the window: the connection goes with the window.
  connect(item, &MenuItem::Triggered, this, [this, handler] { Handle([&handler] { handler(); }); });
}

bool Window1::_mnuInsertChord_Action() {
  ApplyChord();
  return true;
}
bool Window1::_mnuInsertCaption_Action() {
  ApplyCaption();
  return true;
}
bool Window1::_mnuInsertParagrpah_Action() {
  ApplyParagraph();
  return true;
}
bool Window1::_mnuInsertFrets_Action() {
  ApplyFret();
  return true;
}
bool Window1::_mnuInsertBold_Action() {
  ApplyBold();
  return true;
}
bool Window1::_mnuInsertColumn_Action() {
  ApplyColumn();
  return true;
}
bool Window1::_mnuInsertPage_Action() {
  ApplyPage();
  return true;
}
