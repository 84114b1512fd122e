// The menu command bindings of the main window: each item is bound once, and choosing each bound
// item runs the command that carries its name. Dialogs are answered by the scripted dialogs
// (Cancel, no file) or, for the window's own modal dialogs, closed as they open.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <functional>

#include "app/app.h"
#include "app/file_types1.h"
#include "mainwindow/window1.h"
#include "modal_driver.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/picture.h"
#include "shell/dialogs/frm_replace.h"
#include "shell/dialogs/frm_search.h"
#include "shell/dialogs/frm_transpose.h"
#include "shell/frm_about.h"
#include "shell/frm_help.h"
#include "shell/menu_bar1.h"
#include "shell/toolbar1.h"
#include "window_fixture.h"

namespace {

using MenuBindingsTest = WindowFixture;

TEST_F(MenuBindingsTest, EachBindingIsOnceToAnItemWithACommandAndOnlyToTheMainWindow) {
  QSet<QString> bound;
  for (const auto& [name, handler] : w->MenuHandlers()) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_FALSE(bound.contains(name)) << "bound twice: its command would run twice";
    bound.insert(name);
    EXPECT_TRUE(static_cast<bool>(handler));
    const MenuItem* item = MenuBar1::Instance().Item(name);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->IsMenu() || item->IsSeparator());
  }
  QWidget other;
  EXPECT_ANY_THROW(w->AddMenuHandlers(&other));
}

// Choosing an item the way the menu does.
void Choose(const QString& name) {
  MenuItem* item = MenuBar1::Instance().Item(name);
  ASSERT_NE(item, nullptr) << name.toStdString();
  item->Action()->trigger();
}

class MenuWalkTest : public WindowFixture {
 protected:
  void SetUp() override {
    if (!FileTypes1::HMNT()) FileTypes1::_Initialize();
    if (!App::Exists()) App::Register(std::make_unique<App>());  // the about box shows its version
    WindowFixture::SetUp();
  }

  // A song on screen, unmodified, the caret at its end, no file.
  void Song(const QString& text) {
    w->State().SetFileAndStamp(std::nullopt, std::nullopt);
    w->txtSong()->SetText(text);
    w->txtSong()->SetSelStart(text.size());
    w->Modified(false);
  }
  QString Text() const { return w->txtSong()->Text(); }

  // What a row saw before its item was chosen.
  bool flag = false;
  int count = 0;
  std::function<bool()> answered;
};

TEST_F(MenuWalkTest, ChoosingEachBoundItemRunsItsCommand) {
  const QString songFile = TestRoot() + "/walk-song.hmnt";
  const struct {
    const char* item;
    std::function<void()> prepare;
    std::function<void()> check;
  } rows[] = {
      {"mnuOpen", [&] { count = int(dialogs.openFilters.size()); },
       [&] { EXPECT_EQ(dialogs.openFilters.size(), count + 1); }},
      // With a file the song is written without a question; Save As always asks.
      {"mnuSave",
       [&] {
         QFile::remove(songFile);
         w->State().SetFileAndStamp(FolderItem(songFile), w->State().Stamp());
         count = int(dialogs.saveFilters.size());
       },
       [&] {
         EXPECT_TRUE(QFile::exists(songFile));
         EXPECT_EQ(dialogs.saveFilters.size(), count);
       }},
      {"mnuPrint", [&] { count = int(dialogs.pageSetups.size() + dialogs.printerSetups.size()); },
       [&] { EXPECT_EQ(dialogs.pageSetups.size() + dialogs.printerSetups.size(), count + 1); }},
      {"mnuNew", [&] { Song("x"); },
       [&] {
         EXPECT_EQ(Text(), "");
         EXPECT_EQ(w->Title(), "Harmonote - Untitled");
       }},
      {"mnuRestoreDefaults", [&] { w->sldrSpacing()->SetValue(9); }, [&] { EXPECT_EQ(w->sldrSpacing()->Value(), 5); }},
      {"mnuHelp", [] {},
       [] {
         ASSERT_TRUE(frmHelp::HasInstance());
         EXPECT_TRUE(frmHelp::Instance()->isVisible());
         frmHelp::Instance()->close();
       }},
      {"mnuAbout",
       [&] {
         auto driver = std::make_shared<ModalDriver<frmAbout>>([](frmAbout* d) { d->PushButton1()->click(); });
         answered = [driver] { return driver->Answered(); };
       },
       [&] { EXPECT_TRUE(answered()); }},
      {"mnuPageSetup", [&] { count = int(dialogs.pageSetups.size()); },
       [&] { EXPECT_EQ(dialogs.pageSetups.size(), count + 1); }},
      {"mnuRemoveLineFeeds", [&] { Song("a\rb"); }, [&] { EXPECT_EQ(Text(), "a b"); }},
      {"mnuAutoDetectChords", [&] { Song("Am x"); }, [&] { EXPECT_EQ(Text(), "[Am]x"); }},
      {"mnuAutoFormat", [&] { Song("{x} y"); }, [&] { EXPECT_EQ(Text(), "{x}\r y"); }},
      {"mnuConvertChordsOverTexttoInlineChords", [&] { Song("x\rG\rHi"); }, [&] { EXPECT_EQ(Text(), "x\r[G]Hi"); }},
      {"mnuToggleSpellCheck", [&] { flag = w->txtSong()->AutomaticallyCheckSpelling(); },
       [&] { EXPECT_NE(w->txtSong()->AutomaticallyCheckSpelling(), flag); }},
      {"mnuToggleToolbar", [&] { flag = w->Toolbar11()->isHidden(); },
       [&] { EXPECT_NE(w->Toolbar11()->isHidden(), flag); }},
      {"mnuInsertChord", [&] { Song("x"); }, [&] { EXPECT_EQ(Text(), "x[]"); }},
      {"mnuInsertCaption", [&] { Song("x"); }, [&] { EXPECT_EQ(Text(), "x{}"); }},
      {"mnuInsertParagrpah", [&] { Song("x"); }, [&] { EXPECT_EQ(Text(), "x<>"); }},
      {"mnuInsertFrets",
       [&] {
         Song("[C]");
         w->txtSong()->SetSelStart(2);
       },
       [&] { EXPECT_EQ(Text(), "[C!0!0!0]"); }},
      {"mnuInsertBold", [&] { Song("x"); }, [&] { EXPECT_EQ(Text(), "x*"); }},
      {"mnuInsertColumn", [&] { Song("x"); }, [&] { EXPECT_EQ(Text(), "x-----\r"); }},
      {"mnuInsertPage", [&] { Song("x"); }, [&] { EXPECT_EQ(Text(), "x+++++\r"); }},
      {"mnuSettings", [&] { flag = w->GroupBox1()->isHidden(); }, [&] { EXPECT_NE(w->GroupBox1()->isHidden(), flag); }},
      {"mnuConvertChordstoCaps", [&] { Song("[am] x"); }, [&] { EXPECT_EQ(Text(), "[Am] x"); }},
      {"mnuCapFirstLetterOfLine", [&] { Song("am x"); }, [&] { EXPECT_EQ(Text(), "Am x"); }},
      {"mnuSearch",
       [&] {
         auto driver = std::make_shared<ModalDriver<frmSearch>>([](frmSearch* d) { d->PushButton2()->click(); });
         answered = [driver] { return driver->Answered(); };
       },
       [&] { EXPECT_TRUE(answered()); }},
      {"mnuSearchReplace",
       [&] {
         auto driver = std::make_shared<ModalDriver<frmReplace>>([](frmReplace* d) { d->PushButton2()->click(); });
         answered = [driver] { return driver->Answered(); };
       },
       [&] { EXPECT_TRUE(answered()); }},
      {"mnuShowMono", [&] { flag = w->mnuShowMono()->Checked(); },
       [&] { EXPECT_NE(w->mnuShowMono()->Checked(), flag); }},
      {"mnuTranspose",
       [&] {
         auto driver = std::make_shared<ModalDriver<frmTranspose>>([](frmTranspose* d) { d->PushButton2()->click(); });
         answered = [driver] { return driver->Answered(); };
       },
       [&] { EXPECT_TRUE(answered()); }},
      {"mnuSaveAs",
       [&] {
         w->State().SetFileAndStamp(FolderItem(songFile), w->State().Stamp());
         count = int(dialogs.saveFilters.size());
       },
       [&] { EXPECT_EQ(dialogs.saveFilters.size(), count + 1); }},
  };
  QSet<QString> walked;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.item);
    walked << row.item;
    row.prepare();
    Choose(row.item);
    row.check();
  }
  // The walk covers every item the window binds.
  QSet<QString> bound;
  for (const auto& binding : w->MenuHandlers()) bound << binding.first;
  EXPECT_EQ(walked, bound);
}

TEST_F(MenuWalkTest, OnlyCancelledPrintingReportsUnhandled) {
  // The scripted dialogs cancel everything.
  const struct {
    const char* what;
    std::function<bool(Window1*)> handler;
    bool result;
  } cases[] = {
      {"print", [](Window1* x) { return x->_mnuPrint_Action(); }, false},
      {"page setup", [](Window1* x) { return x->_mnuPageSetup_Action(); }, false},
      {"save", [](Window1* x) { return x->_mnuSave_Action(); }, true},
      {"save as", [](Window1* x) { return x->_mnuSaveAs_Action(); }, true},
      {"open", [](Window1* x) { return x->_mnuOpen_Action(); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Song("x");
    EXPECT_EQ(c.handler(w), c.result);
  }
  // Replace with an empty term.
  ModalDriver<frmReplace> empty([](frmReplace* d) { d->PushButton1()->click(); });
  EXPECT_TRUE(w->_mnuSearchReplace_Action());
  EXPECT_TRUE(empty.Answered());
  EXPECT_EQ(Text(), "x");
}

TEST_F(MenuWalkTest, ChoosingAMenuOrASeparatorRunsNoCommandOfTheWindow) {
  Song("some text");
  const QString before = Text();
  int chosen = 0;
  for (MenuItem* item : MenuBar1::Instance().Items()) {
    if (!item->IsMenu() && !item->IsSeparator()) continue;
    SCOPED_TRACE(item->Name().toStdString());
    Choose(item->Name());
    ++chosen;
  }
  EXPECT_EQ(chosen, 11);  // four menus, seven separators
  EXPECT_EQ(Text(), before);
  EXPECT_FALSE(w->Modified());
  EXPECT_TRUE(dialogs.msgBoxes.isEmpty());
  EXPECT_TRUE(dialogs.messageDialogs.empty());
}

TEST_F(MenuWalkTest, StandardEditItemsActOnTheFocusedFieldLikeTyping) {
  Song("hello");
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  w->txtSong()->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), w->txtSong());

  Choose("EditSelectAll");
  EXPECT_EQ(w->txtSong()->SelLength(), 5);
  Choose("EditCut");
  EXPECT_EQ(Text(), "");
  EXPECT_TRUE(w->Modified());

  // Pasting into the song text goes through its change handler: redrawn and marked modified.
  w->Modified(false);
  const auto before = w->pImage();  // held, so that a redraw needs a picture of its own
  Choose("EditPaste");
  EXPECT_EQ(Text(), "hello");
  EXPECT_TRUE(w->Modified());
  EXPECT_NE(w->pImage(), before);

  w->txtTitle()->setFocus();
  Choose("EditPaste");
  EXPECT_EQ(w->txtTitle()->Text(), "hello");
  EXPECT_EQ(Text(), "hello");
}

TEST_F(MenuWalkTest, QuitAsksAboutUnsavedChangesAndCancelKeepsTheWindow) {
  Song("changed");
  w->Modified(true);
  dialogs.messageAnswers = {DialogButton::Cancel};
  Choose("FileQuit");
  ASSERT_EQ(dialogs.messageDialogs.size(), 1u);
  EXPECT_TRUE(dialogs.messageDialogs[0].Message.startsWith("Save Changes for "));
  EXPECT_EQ(Window1::Existing(), w);
  EXPECT_EQ(Text(), "changed");
  EXPECT_TRUE(w->Modified());
}

}  // namespace
