// The song text's undo history around the commands that rewrite the whole song: each is one step
// after the typing before it (Ctrl+Z, Ctrl+Shift+Z on the real window), a command that changes
// nothing adds none, opening a song, New and a text import start afresh, the monospaced switch
// keeps the history, and an undo or redo is an edit of the song. The line fields undo and redo as
// any line edit does, from an opened song's values on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QTest>
#include <algorithm>
#include <functional>
#include <vector>

#include "document_fixture.h"
#include "modal_driver.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "shell/dialogs/frm_replace.h"
#include "shell/dialogs/frm_transpose.h"
#include "shell/menu_bar1.h"

namespace {

using Command = std::function<void(Window1*)>;

void Replace(Window1* w, const char* term, const char* replacement) {
  ModalDriver<frmReplace> answer([=](frmReplace* d) {
    d->TextField1()->setText(term);
    d->TextField2()->setText(replacement);
    d->PushButton1()->click();
  });
  w->_mnuSearchReplace_Action();
  EXPECT_TRUE(answer.Answered());
}

void Transpose(Window1* w, const char* from, const char* to) {
  w->txtKey()->SetText(from);
  ModalDriver<frmTranspose> answer([=](frmTranspose* d) {
    d->txtTo()->setText(to);
    d->PushButton1()->click();
  });
  w->_mnuTranspose_Action();
  EXPECT_TRUE(answer.Answered());
}

class ToolsUndoTest : public DocumentFixture {
 protected:
  void SetUp() override {
    DocumentFixture::SetUp();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  }

  TextArea* Song() const { return w->txtSong(); }
  QString Text() const { return Song()->Text(); }

  // A song given from code (a fresh history), the keyboard in the song text.
  void Start(const QString& text) {
    Song()->SetText(text);
    w->activateWindow();  // back from a dialog of the last command
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    Song()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), Song());
  }
  // Typed at the end of the song.
  void Type(const char* keys) {
    Song()->SetSelStart(static_cast<int>(Text().size()));
    QTest::keyClicks(Song(), keys);
  }
  void Undo() { QTest::keyClick(Song(), Qt::Key_Z, Qt::ControlModifier); }
  void Redo() { QTest::keyClick(Song(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
};

TEST_F(ToolsUndoTest, EveryRewritingCommandIsOneStepAfterTheTyping) {
  const struct {
    const char* what;
    QString song;
    const char* typed;
    Command run;
    QString result;  // null: whatever the command makes of it, as long as it changes it
  } cases[] = {
      {"remove line feeds", "A\rB", " q", [](Window1* w) { w->_mnuRemoveLineFeeds_Action(); }, "A B q"},
      {"auto line feed", "{Verse 1} Here we go {Chorus} La", " la", [](Window1* w) { w->_mnuAutoFormat_Action(); },
       "{Verse 1}\r Here we go \r{Chorus}\r La la"},
      {"auto format", "Am G -----\rC  hello", " you", [](Window1* w) { w->AutoFormatSong(); }, {}},
      {"detect chords", "Am G C\r", "Em", [](Window1* w) { w->_mnuAutoDetectChords_Action(); }, {}},
      {"chords over lyrics", "x\rC      G\rHi there", "!",
       [](Window1* w) { w->_mnuConvertChordsOverTexttoInlineChords_Action(); }, "x\r[C]Hi ther[G]e!"},
      {"capitalise chords", "[am] x ", "[d]", [](Window1* w) { w->_mnuConvertChordstoCaps_Action(); }, "[Am] x [D]"},
      {"capitalise lines", "hello\r", "world", [](Window1* w) { w->_mnuCapFirstLetterOfLine_Action(); },
       "Hello\rWorld"},
      {"transpose", "[C]la ", "[G]", [](Window1* w) { Transpose(w, "C", "D"); }, "[D]la [A]"},
      // The wrong Replace: "a" inside the chord name as well.
      {"replace", "[Am] a", " la", [](Window1* w) { Replace(w, "a", "the"); }, "[them] the lthe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(Start(c.song));
    Type(c.typed);
    const QString typed = Text();
    ASSERT_EQ(typed, c.song + c.typed);
    const int caret = Song()->SelStart();

    c.run(w);
    const QString result = Text();
    if (!c.result.isNull()) {
      EXPECT_EQ(result, c.result);
    }
    EXPECT_NE(result, typed);
    // The caret stays where it was, within the new text.
    EXPECT_EQ(Song()->SelStart(), std::min(caret, static_cast<int>(result.size())));
    EXPECT_EQ(Song()->SelLength(), 0);

    Undo();
    EXPECT_EQ(Text(), typed) << "the text before the command";
    Undo();
    EXPECT_EQ(Text(), c.song) << "the text before the typing";
    Undo();
    EXPECT_EQ(Text(), c.song) << "nothing before the song was set";
    Redo();
    EXPECT_EQ(Text(), typed);
    Redo();
    EXPECT_EQ(Text(), result);
    Redo();
    EXPECT_EQ(Text(), result);
  }
}

TEST_F(ToolsUndoTest, ACommandThatChangesNothingAddsNoStep) {
  const struct {
    const char* what;
    QString song;
    Command run;
  } cases[] = {
      {"remove line feeds", "one line", [](Window1* w) { w->_mnuRemoveLineFeeds_Action(); }},
      // Joined and broken again where it was.
      {"auto line feed", "short", [](Window1* w) { w->_mnuAutoFormat_Action(); }},
      {"detect chords", "hello", [](Window1* w) { w->_mnuAutoDetectChords_Action(); }},
      {"capitalise chords", "[Am] x", [](Window1* w) { w->_mnuConvertChordstoCaps_Action(); }},
      {"capitalise lines", "Hello", [](Window1* w) { w->_mnuCapFirstLetterOfLine_Action(); }},
      {"transpose", "[C]", [](Window1* w) { Transpose(w, "C", "C"); }},
      {"replace", "abc", [](Window1* w) { Replace(w, "z", "y"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(Start(c.song));
    Type("x");
    Undo();
    ASSERT_EQ(Text(), c.song);
    // The typing undone waits to be redone; the command leaves the text and both histories alone.
    c.run(w);
    EXPECT_EQ(Text(), c.song);
    Redo();
    EXPECT_EQ(Text(), c.song + "x");
    Undo();
    EXPECT_EQ(Text(), c.song);
  }
}

TEST_F(ToolsUndoTest, OpenNewAndImportStartAFreshHistory) {
  const FolderItem song = Write("Song.hmnt", SongBytes("Song", "[G]opened"));
  const FolderItem import = Write("Words.txt", "imported\nwords");
  const struct {
    const char* what;
    Command run;
    QString text;
  } cases[] = {
      {"open", [&](Window1* x) { x->mOpenFile(song); }, "[G]opened"},
      {"import", [&](Window1* x) { x->mOpenFile(import); }, "imported\rwords"},
      {"new",
       [](Window1* x) {
         x->Modified(false);
         x->_mnuNew_Action();
       },
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(Start("before"));
    Type(" typed");
    w->_mnuConvertChordstoCaps_Action();
    c.run(w);
    ASSERT_EQ(Text(), c.text);
    Undo();
    EXPECT_EQ(Text(), c.text);
    Type("!");
    Undo();
    EXPECT_EQ(Text(), c.text);
    Undo();
    EXPECT_EQ(Text(), c.text);
  }
}

TEST_F(ToolsUndoTest, TheMonospacedSwitchKeepsTheHistory) {
  ASSERT_NO_FATAL_FAILURE(Start("[am] la"));
  Type(" x");
  w->_mnuConvertChordstoCaps_Action();
  ASSERT_EQ(Text(), "[Am] la x");
  Song()->SetSelStart(3);
  for (const bool mono : {true, false}) {
    SCOPED_TRACE(mono ? "on" : "off");
    w->_mnuShowMono_Action();
    ASSERT_EQ(w->mnuShowMono()->Checked(), mono);
    EXPECT_EQ(Song()->SelStart(), 3);
  }
  w->_mnuShowMono_Action();
  ASSERT_EQ(Song()->TextFont(), "Courier");
  Undo();
  EXPECT_EQ(Text(), "[am] la x");
  Undo();
  EXPECT_EQ(Text(), "[am] la");
  Redo();
  Redo();
  EXPECT_EQ(Text(), "[Am] la x");
  EXPECT_EQ(Song()->TextFont(), "Courier");
}

TEST_F(ToolsUndoTest, UndoAndRedoAreEditsOfTheSong) {
  ASSERT_NO_FATAL_FAILURE(Start("hello"));
  w->_mnuCapFirstLetterOfLine_Action();
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"Ctrl+Z", [this] { Undo(); }},
      {"Ctrl+Shift+Z", [this] { Redo(); }},
      {"Edit > Undo", [] { MenuBar1::Instance().Item("EditUndo")->Action()->trigger(); }},
  };
  const QString expected[] = {"hello", "Hello", "hello"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(steps[i].first);
    w->Modified(false);
    const auto picture = w->pImage();  // held, so that a redraw needs a picture of its own
    steps[i].second();
    EXPECT_EQ(Text(), expected[i]);
    EXPECT_TRUE(w->Modified());
    EXPECT_NE(w->pImage(), picture) << "redrawn";
  }
}

void Press(QWidget* field, const QKeyCombination& key) { QTest::keyClick(field, key.key(), key.keyboardModifiers()); }

TEST_F(ToolsUndoTest, EveryLineFieldUndoesAndRedoesFromTheOpenedSongOn) {
  // Typed before the song is opened: no undo brings it back.
  for (TextField* field : {w->txtTitle(), w->txtCapo(), w->txtKey(), w->txtTiming(), w->txtTempo()})
    QTest::keyClicks(field, "old");
  ASSERT_NO_FATAL_FAILURE(OpenSong(Write("song.hmnt", SongBytes("Amazing Grace", "la"))));
  const struct {
    TextField* field;
    QString SongDocument::*value;
    const char* opened;
  } fields[] = {{w->txtTitle(), &SongDocument::title, "Amazing Grace"},
                {w->txtCapo(), &SongDocument::capo, "2"},
                {w->txtKey(), &SongDocument::key, "G"},
                {w->txtTiming(), &SongDocument::timing, "3/4"},
                {w->txtTempo(), &SongDocument::tempo, "80"}};
  std::vector<QKeyCombination> redoKeys;
  for (const QKeySequence& s : QKeySequence::keyBindings(QKeySequence::Redo)) redoKeys.push_back(s[0]);
  ASSERT_NE(std::find(redoKeys.begin(), redoKeys.end(), Qt::CTRL | Qt::SHIFT | Qt::Key_Z), redoKeys.end());
  const QKeyCombination undoKey = Qt::CTRL | Qt::Key_Z;
  const auto editUndo = [] { MenuBar1::Instance().Item("EditUndo")->Action()->trigger(); };

  for (const auto& f : fields) {
    SCOPED_TRACE(f.field->objectName().toStdString());
    const QString opened = QString::fromUtf8(f.opened);
    const auto expect = [&](const QString& text) {
      EXPECT_EQ(f.field->Text().toStdString(), text.toStdString());
      EXPECT_EQ((w->State().Document().*f.value).toStdString(), text.toStdString()) << "the song follows the field";
    };
    f.field->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), f.field);
    f.field->end(false);
    QTest::keyClicks(f.field, "xy");
    QTest::keyClick(f.field, Qt::Key_Backspace);
    expect(opened + "x");
    Press(f.field, undoKey);
    expect(opened + "xy");
    Press(f.field, undoKey);
    expect(opened);
    Press(f.field, undoKey);
    expect(opened);  // the song as it was opened, not what was typed before
    for (const QKeyCombination& redo : redoKeys) {
      SCOPED_TRACE(QKeySequence(redo).toString().toStdString());
      Press(f.field, redo);
      expect(opened + "xy");
      Press(f.field, undoKey);
      expect(opened);
    }
    // The menu item reaches the field that has the focus.
    QTest::keyClicks(f.field, "z");
    expect(opened + "z");
    editUndo();
    expect(opened);
    EXPECT_EQ(QApplication::focusWidget(), f.field);
  }
  EXPECT_EQ(w->txtSong()->Text(), "la") << "the song text is untouched";
}

}  // namespace
