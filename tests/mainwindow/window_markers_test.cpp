// The marker commands on the song text, and the three ways that reach them: the settings panel's
// buttons, the toolbar (by caption) and the Insert menu (by item name).
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "shell/toolbar1.h"
#include <functional>

#include "window_fixture.h"

using WindowMarkers = WindowFixture;

namespace {
void Select(TextArea* t, int start, int length) {
  t->SetSelStart(start);
  t->SetSelLength(length);
}
}  // namespace

TEST_F(WindowMarkers, WrappingCommandsWrapUnwrapOrInsertAPair) {
  enum Command { Chord, Caption, Paragraph, Bold };
  const struct {
    Command command;
    const char* text;
    int start, length;
    const char* result;
    int caret;  // -1: not checked (the selection was replaced)
  } cases[] = {
      {Chord, "my song", 3, 0, "my []song", 4},
      {Caption, "my song", 3, 0, "my {}song", 4},
      {Paragraph, "my song", 0, 0, "<>my song", 1},
      {Bold, "my song", 7, 0, "my song*", 8},
      {Chord, "x Am y", 2, 2, "x [Am] y", -1},
      {Caption, "Am", 0, 2, "{Am}", -1},
      {Paragraph, "Am", 0, 2, "<Am>", -1},
      {Bold, "Am", 0, 2, "*Am*", -1},
      {Chord, "[Am]", 0, 4, "Am", -1},
      {Chord, "x [Am] y [G]", 0, 12, "x Am y [G]", -1},
      {Chord, "G] and [Am", 0, 10, "G and Am", -1},
      {Chord, "Am]", 0, 3, "[Am]]", -1},
      {Chord, "[Am", 0, 3, "Am", -1},
      {Caption, "{Am]", 0, 4, "Am]", -1},
      {Bold, "*word*", 0, 6, "word", -1},
      {Bold, "* word *", 0, 8, "word", -1},
      {Bold, "*a* and *b*", 0, 11, "a and *b*", -1},
      {Bold, "word*", 0, 5, "word", -1},
      {Chord, "one\rtwo", 2, 3, "on[e\rt]wo", -1},
  };
  for (const auto& c : cases) {
    TextArea* t = w->txtSong();
    t->SetText(c.text);
    Select(t, c.start, c.length);
    w->Modified(false);
    w->txtTitle()->setFocus();
    switch (c.command) {
      case Chord:
        w->ApplyChord();
        break;
      case Caption:
        w->ApplyCaption();
        break;
      case Paragraph:
        w->ApplyParagraph();
        break;
      case Bold:
        w->ApplyBold();
        break;
    }
    EXPECT_EQ(t->Text(), c.result) << c.text;
    if (c.caret >= 0) {
      EXPECT_EQ(t->SelStart(), c.caret) << c.text;
      EXPECT_EQ(t->SelLength(), 0) << c.text;
    }
    EXPECT_TRUE(w->Modified()) << c.text;  // through the text's own change event
    EXPECT_EQ(QApplication::focusWidget() == t || t->hasFocus() || !w->isActiveWindow(), true);
  }
}

TEST_F(WindowMarkers, FretsGoOnlyRightBeforeAClosingBracket) {
  const struct {
    const char* text;
    int start, length;
    const char* result;
    bool refused;
  } cases[] = {
      {"[Am]", 3, 0, "[Am!0!0!0]", false},  {"[Am] x", 4, 0, "[Am] x", true},
      {"[Am] x", 6, 0, "[Am] x", true},     {"", 0, 0, "", true},
      {"[Am] x", 3, 3, "[Am!0!0!0", false},  // a selection beginning with "]" is replaced whole
  };
  for (const auto& c : cases) {
    dialogs.msgBoxes.clear();
    w->txtSong()->SetText(c.text);
    Select(w->txtSong(), c.start, c.length);
    w->Modified(false);
    w->ApplyFret();
    EXPECT_EQ(w->txtSong()->Text(), c.result) << c.text;
    EXPECT_EQ(w->Modified(), !c.refused) << c.text;
    EXPECT_EQ(dialogs.msgBoxes, c.refused ? QStringList{"Please insert frets in a chord marker."} : QStringList{})
        << c.text;
  }
}

TEST_F(WindowMarkers, ColumnAndPageMarkersReplaceTheSelectionOrGoInAtTheCaret) {
  const struct {
    bool page;
    int start, length;
    const char* result;
  } cases[] = {
      {false, 6, 0, "hello -----\rworld"},
      {true, 6, 0, "hello +++++\rworld"},
      {false, 6, 5, "hello -----\r"},
      {true, 0, 11, "+++++\r"},
  };
  for (const auto& c : cases) {
    w->txtSong()->SetText("hello world");
    Select(w->txtSong(), c.start, c.length);
    if (c.page) {
      w->ApplyPage();
    } else {
      w->ApplyColumn();
    }
    EXPECT_EQ(w->txtSong()->Text(), c.result);
  }
  EXPECT_EQ(w->TotalPages(), 2);
}

TEST_F(WindowMarkers, ButtonsToolbarAndInsertMenuEachInsertOnce) {
  const struct {
    QPushButton* button;
    QAction* tool;
    const char* item;
    const char* inserted;
  } ways[] = {
      {w->PushButton1(), w->Toolbar11()->ToolItem1, "mnuInsertChord", "[]"},
      {w->PushButton2(), w->Toolbar11()->ToolItem2, "mnuInsertCaption", "{}"},
      {w->PushButton3(), w->Toolbar11()->ToolItem3, "mnuInsertParagrpah", "<>"},
      {w->PushButton5(), w->Toolbar11()->ToolItem5, "mnuInsertBold", "*"},
      {w->PushButton7(), w->Toolbar11()->ToolItem6, "mnuInsertColumn", "-----\r"},
      {w->PushButton6(), w->Toolbar11()->ToolItem7, "mnuInsertPage", "+++++\r"},
  };
  w->ToggleSettings(true);
  for (const auto& way : ways) {
    const std::vector<std::pair<const char*, std::function<void()>>> routes = {
        {"button", [&] { way.button->click(); }},
        {"toolbar", [&] { way.tool->trigger(); }},
        {"menu", [&] { MenuBar1::Instance().Item(way.item)->Action()->trigger(); }},
    };
    for (const auto& [route, run] : routes) {
      w->txtSong()->SetText("");
      run();
      EXPECT_EQ(w->txtSong()->Text(), way.inserted) << way.item << " by " << route;
    }
  }
  // The frets command through its three ways, inside a chord marker.
  for (const std::function<void()>& run : std::vector<std::function<void()>>{
           [&] { w->PushButton4()->click(); }, [&] { w->Toolbar11()->ToolItem4->trigger(); },
           [&] { MenuBar1::Instance().Item("mnuInsertFrets")->Action()->trigger(); }}) {
    w->txtSong()->SetText("[D]");
    w->txtSong()->SetSelStart(2);
    run();
    EXPECT_EQ(w->txtSong()->Text(), "[D!0!0!0]");
  }
}

TEST_F(WindowMarkers, ToolbarGoesByCaptionIgnoringLetterCase) {
  const struct {
    const char* caption;
    const char* inserted;
  } cases[] = {{"cHORD", "[]"}, {"PAGE", "+++++\r"}, {"column", "-----\r"}, {"Settings", ""}, {"", ""}};
  for (const auto& c : cases) {
    QAction item(c.caption);
    w->txtSong()->SetText("");
    w->Toolbar11_Action(w->Toolbar11(), &item);
    EXPECT_EQ(w->txtSong()->Text(), c.inserted) << c.caption;
  }
}

TEST_F(WindowMarkers, InsertMenuHandlersReturnTrue) {
  for (auto handler :
       {&Window1::_mnuInsertChord_Action, &Window1::_mnuInsertCaption_Action, &Window1::_mnuInsertParagrpah_Action,
        &Window1::_mnuInsertFrets_Action, &Window1::_mnuInsertBold_Action, &Window1::_mnuInsertColumn_Action,
        &Window1::_mnuInsertPage_Action})
    EXPECT_TRUE(std::invoke(handler, w));
}
