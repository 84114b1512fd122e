// The Edit menu's text tools on the real window: what each leaves in the song text, how often it
// assigns the text, whether the song is marked modified and redrawn, what it reports, and how
// the Search, Replace and Transpose dialogs hand their input over.
#include <gtest/gtest.h>

#include <functional>

#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/window1.h"
#include "modal_driver.h"
#include "platform/core/guard.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/picture_measure.h"
#include "shell/dialogs/frm_replace.h"
#include "shell/dialogs/frm_search.h"
#include "shell/dialogs/frm_transpose.h"
#include "tools/reflow.h"
#include "window_fixture.h"

namespace {

const QString CR = QStringLiteral("\r");

class ToolsTest : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    QObject::connect(w->txtSong(), &TextArea::TextChange, w, [this] { ++assignments; });
  }

  // A song in the text area, saved as far as the window knows, with the counters at zero.
  void Song(const QString& text) {
    w->txtSong()->SetText(text);
    w->Modified(false);
    assignments = 0;
    picture = w->pImage();  // held, so that a new picture can never take its address
  }
  bool Redrawn() const { return w->pImage() != picture; }
  QString Text() const { return w->txtSong()->Text(); }

  int assignments = 0;
  std::shared_ptr<Picture> picture;
};

TEST_F(ToolsTest, RewritingCommandsAssignTheirResultAndMarkTheSongModifiedOnlyWhenItChanged) {
  const struct {
    const char* what;
    std::function<bool(Window1*)> handler;
    QString song, result;
    int assignments;
  } cases[] = {
      {"line feeds", &Window1::_mnuRemoveLineFeeds_Action, "A\rB\nC\r\rD ", "A B C  D ", 1},
      {"line feeds, none there", &Window1::_mnuRemoveLineFeeds_Action, "one line", "one line", 1},
      {"detect", &Window1::_mnuAutoDetectChords_Action, "Am G C \rAm hello AmG", "[Am] [G] [C]\r[Am]hello [Am] [G]", 1},
      // The application's word list keeps ordinary words whole; lower-case "a" and "am" are words.
      {"detect, listed words", &Window1::_mnuAutoDetectChords_Action, "be bad face a am", "be bad face a am", 1},
      {"detect, empty", &Window1::_mnuAutoDetectChords_Action, "", "", 1},
      {"convert", &Window1::_mnuConvertChordsOverTexttoInlineChords_Action, "x\rC      G\rHi there",
       "x\r[C]Hi ther[G]e", 1},
      {"convert, tabbed chord line", &Window1::_mnuConvertChordsOverTexttoInlineChords_Action, "G\t C\rHi",
       "\r[G]Hi[C]", 1},
      {"capitalise chords", &Window1::_mnuConvertChordstoCaps_Action, "[am/c] x [f#m\\a] intro]",
       "[Am/C] x [F#m\\A] intro]", 1},
      {"capitalise lines", &Window1::_mnuCapFirstLetterOfLine_Action, "hello\rworld\r[am]\r", "Hello\rWorld\r[am]\r",
       1},
      {"capitalise, nothing to change", &Window1::_mnuCapFirstLetterOfLine_Action, "", "", 1},
      // Joined and broken again in the tools, then assigned once.
      {"reflow", &Window1::_mnuAutoFormat_Action, "{Verse 1} Here we go {Chorus} La la",
       "{Verse 1}\r Here we go \r{Chorus}\r La la", 1},
      {"reflow, unchanged", &Window1::_mnuAutoFormat_Action, "short", "short", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Song(c.song);
    EXPECT_TRUE(c.handler(w));
    EXPECT_EQ(Text(), c.result);
    EXPECT_EQ(assignments, c.assignments);
    EXPECT_EQ(w->Modified(), c.result != c.song);
    EXPECT_TRUE(Redrawn());
    EXPECT_TRUE(dialogs.msgBoxes.isEmpty());
  }
}

TEST_F(ToolsTest, ReflowFillsTheCanvasWidthAtTheWordSize) {
  QString words;
  for (int i = 0; i < 60; ++i) words += QStringLiteral("word%1 ").arg(i);
  const struct {
    bool centerLine;
    int wordSize;
  } cases[] = {{false, 12}, {true, 12}, {false, 8}, {true, 14}};
  QStringList results;
  for (const auto& c : cases) {
    SCOPED_TRACE(QStringLiteral("centre %1, size %2").arg(c.centerLine).arg(c.wordSize).toStdString());
    w->cbCenterLine()->SetValue(c.centerLine);
    w->sldrWordSize()->SetValue(c.wordSize);
    Song(words + "last");
    w->AutoLineFeed();
    const int width = ReflowWidth(w->Canvas1()->width(), c.centerLine);
    const MeasureFn measure = PictureMeasure(w->Canvas1()->width(), w->Canvas1()->height(), c.wordSize);
    const QStringList lines = Text().split(CR);
    ASSERT_GT(lines.size(), 2);
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
      // Each line fits with the blank after it, and would not with the next line's first word.
      EXPECT_LE(10 + measure(lines[i] + " "), width) << lines[i].toStdString();
      EXPECT_GT(10 + measure(lines[i] + " " + lines[i + 1].section(' ', 0, 0) + " "), width) << lines[i].toStdString();
    }
    results << Text();
  }
  EXPECT_NE(results[0], results[1]);
  EXPECT_NE(results[0], results[2]);
}

TEST_F(ToolsTest, AutoLineFeedMeasuresBlanksDrawnInAnotherFace) {
  // Devanagari is drawn in another face than the sheet's, and so are the blanks after it (these
  // three letters carry no marks).
  if (!QFontDatabase::families().contains(QStringLiteral("Samyak Devanagari")))
    GTEST_SKIP() << "the Devanagari face Samyak Devanagari (fonts-samyak-deva) is not installed";
  w->cbCenterLine()->SetValue(true);
  w->sldrWordSize()->SetValue(12);
  const QString word = QStringLiteral("\u0928\u092E\u0938");
  Song(word + QString(20, ' ') + "x");
  EXPECT_TRUE(w->_mnuAutoFormat_Action());
  const QStringList lines = Text().split(CR);
  ASSERT_EQ(lines.size(), 2) << Text().toStdString();
  const MeasureFn measure = PictureMeasure(w->Canvas1()->width(), w->Canvas1()->height(), 12);
  EXPECT_LE(10 + measure(lines[0] + " "), ReflowWidth(w->Canvas1()->width(), true));
}

TEST_F(ToolsTest, AutoFormatSongDropsColumnMarkersReflowsAndDetects) {
  Song("Am G -----\rC  hello");
  w->AutoFormatSong();
  EXPECT_EQ(Text(), "[Am] [G] [C]hello");
  EXPECT_EQ(assignments, 1);  // joined, reflowed and chords detected before the text is assigned
  EXPECT_TRUE(w->Modified());
}

TEST_F(ToolsTest, AReflowThatFailsLeavesTheTextAsItWas) {
  // A canvas without width has no picture to measure on: the reflow fails after the text has been
  // joined, and neither the joined text nor anything else reaches the text area.
  const struct {
    const char* what;
    std::function<void(Window1*)> run;
  } cases[] = {
      {"auto line feed", [](Window1* x) { x->_mnuAutoFormat_Action(); }},
      {"auto format", [](Window1* x) { x->AutoFormatSong(); }},
  };
  const QSize size = w->Canvas1()->size();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Song("Am G\rhello\rthere");
    dialogs.msgBoxes.clear();
    w->Canvas1()->resize(0, size.height());
    EXPECT_FALSE(Guarded([&] { c.run(w); }));
    w->Canvas1()->resize(size);
    EXPECT_EQ(Text(), "Am G\rhello\rthere");
    EXPECT_EQ(assignments, 0);
    EXPECT_FALSE(w->Modified());
    EXPECT_FALSE(Redrawn());
    ASSERT_EQ(dialogs.msgBoxes.size(), 1);
    EXPECT_TRUE(dialogs.msgBoxes[0].startsWith("An error occurred")) << dialogs.msgBoxes[0].toStdString();
  }
}

TEST_F(ToolsTest, TransposeRewritesOnceOrReportsTheUnknownKey) {
  const struct {
    QString from, to, song, result, message;
  } cases[] = {
      {"C", "D", "[C]la [G/B]x [Am7] [Cmaj7] [e]", "[D]la [A/C#]x [Bm7] [Cmaj7] [e]", ""},
      {"g", "G", "[em] [d]", "[Em] [D]", ""},
      {"C", "Bb", "", "", ""},
      {"G", "G", "[G] [D/F#]", "[G] [D/F#]", ""},
      {"H", "D", "[C]", "[C]", "Unable to find H"},
      {"C", "H", "[C]", "[C]", "Unable to find H"},
      {"X", "Y", "[C]", "[C]", "Unable to find X"},
      {"C ", "D", "[C]", "[C]", "Unable to find C "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE((c.from + "->" + c.to).toStdString());
    Song(c.song);
    dialogs.msgBoxes.clear();
    w->Transpose(c.from, c.to);
    EXPECT_EQ(Text(), c.result);
    const bool ok = c.message.isEmpty();
    EXPECT_EQ(dialogs.msgBoxes, ok ? QStringList() : QStringList{c.message});
    EXPECT_EQ(assignments, ok ? 1 : 0);
    EXPECT_EQ(w->Modified(), c.result != c.song);  // an empty song or the same key changes nothing
    EXPECT_EQ(Redrawn(), ok);
  }
}

TEST_F(ToolsTest, TransposeDialogOpensWithTheSongKeyAndHandsOverTrimmedKeys) {
  w->txtKey()->SetText("G ");
  Song("[G] [D/F#] [em]");
  QString from, to;
  ModalDriver<frmTranspose> answer([&](frmTranspose* d) {
    from = d->txtFrom()->text();
    to = d->txtTo()->text();
    d->txtTo()->setText(" A ");
    d->PushButton1()->click();
  });
  EXPECT_TRUE(w->_mnuTranspose_Action());
  ASSERT_TRUE(answer.Answered());
  EXPECT_EQ(from, "G ");
  EXPECT_EQ(to, "G ");
  EXPECT_EQ(Text(), "[A] [E/G#] [F#m]");
  EXPECT_TRUE(w->Modified());
  EXPECT_EQ(w->txtKey()->Text(), "G ");  // the song's key field is not changed
}

TEST_F(ToolsTest, AnUnknownKeyHoldingLineSeparatorsIsNamedOnOneLine) {
  w->txtKey()->SetText(QString::fromUtf8("G\u2028Am\u2029C"));
  Song("[G]");
  ModalDriver<frmTranspose> answer([](frmTranspose* d) { d->PushButton1()->click(); });
  EXPECT_TRUE(w->_mnuTranspose_Action());
  ASSERT_TRUE(answer.Answered());
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  const QString shown = dialogs.msgBoxes[0];
  EXPECT_EQ(shown, "Unable to find G\\xE2\\x80\\xA8Am\\xE2\\x80\\xA9C");
  for (const QChar c : shown) EXPECT_FALSE(c == '\n' || c == QChar(0x2028) || c == QChar(0x2029));
  EXPECT_EQ(Text(), "[G]");
}

TEST_F(ToolsTest, TransposeDialogRefusesBlankKeysAndClosesAfterAnUnknownOne) {
  // Blank: the message, and the dialog stays open until Cancel.
  w->txtKey()->SetText("  ");
  Song("[C]");
  bool openAfterBlank = false;
  ModalDriver<frmTranspose> blank([&](frmTranspose* d) {
    d->PushButton1()->click();
    openAfterBlank = d->isVisible();
    d->PushButton2()->click();
  });
  EXPECT_TRUE(w->_mnuTranspose_Action());
  ASSERT_TRUE(blank.Answered());
  EXPECT_TRUE(openAfterBlank);
  EXPECT_EQ(dialogs.msgBoxes, QStringList{"From and To cannot be blank."});

  // Unknown to-key: reported by the transposition, then the dialog closes by itself.
  dialogs.msgBoxes.clear();
  w->txtKey()->SetText("C");
  Song("[C]");
  ModalDriver<frmTranspose> unknown([](frmTranspose* d) {
    d->txtTo()->setText("H");
    d->PushButton1()->click();
  });
  EXPECT_TRUE(w->_mnuTranspose_Action());
  ASSERT_TRUE(unknown.Answered());
  EXPECT_EQ(dialogs.msgBoxes, QStringList{"Unable to find H"});
  EXPECT_EQ(Text(), "[C]");
  EXPECT_FALSE(w->Modified());
}

// Runs Search with the term typed into its dialog (nullptr: Cancel).
void RunSearch(Window1* w, const char* term) {
  ModalDriver<frmSearch> answer([term](frmSearch* d) {
    if (!term) {
      d->PushButton2()->click();
      return;
    }
    d->TextField1()->setText(QString::fromUtf8(term));
    d->PushButton1()->click();
  });
  EXPECT_TRUE(w->_mnuSearch_Action());
  EXPECT_TRUE(answer.Answered());
}

TEST_F(ToolsTest, SearchSelectsFromTheCharacterAfterTheCaret) {
  const struct {
    QString song;
    int caret;
    const char* term;
    int selStart, selLength;
  } cases[] = {
      {"aG b", 2, "g", 2, 0},                                // the character just before the caret is not looked at
      {"aG b", 1, "g", 1, 1},                                // the character just after it is
      {"Gx g", 0, "g", 0, 1},                                // caret at the very start: the first character
      {"Gx g", 2, "g", 3, 1},    {"xAm am", 0, "AM", 1, 2},  // letter case ignored
      {"abc", 3, "c", 3, 0},                                 // caret at the end: nothing
      {"abc", 3, "bc", 3, 0},                                // nothing found: the caret stays
      {"abc", 1, "zz", 1, 0},    {"x g", 0, "  g ", 2, 1},   // the term is searched without its blanks
      {"x g", 0, "   ", 0, 0},                               // a term of blanks does nothing
      {"x g", 1, nullptr, 1, 0},                             // Cancel
  };
  for (const auto& c : cases) {
    SCOPED_TRACE((c.song + " @" + QString::number(c.caret)).toStdString());
    Song(c.song);
    w->txtSong()->SetSelStart(c.caret);
    RunSearch(w, c.term);
    EXPECT_EQ(w->txtSong()->SelStart(), c.selStart);
    EXPECT_EQ(w->txtSong()->SelLength(), c.selLength);
    EXPECT_EQ(Text(), c.song);
    EXPECT_EQ(assignments, 0);
    EXPECT_FALSE(w->Modified());
    EXPECT_FALSE(Redrawn());
  }
}

TEST_F(ToolsTest, SearchingAgainSelectsTheNextOccurrenceAndStopsAtTheLast) {
  Song("xgxg");
  w->txtSong()->SetSelStart(0);
  RunSearch(w, "g");
  EXPECT_EQ(w->txtSong()->SelStart(), 1);
  RunSearch(w, "g");
  EXPECT_EQ(w->txtSong()->SelStart(), 3);
  EXPECT_EQ(w->txtSong()->SelLength(), 1);
  RunSearch(w, "g");  // no wrap-around: the last occurrence stays selected
  EXPECT_EQ(w->txtSong()->SelStart(), 3);
  EXPECT_EQ(w->txtSong()->SelLength(), 1);
}

TEST_F(ToolsTest, ReplaceAllRewritesTheWholeTextOrNothingWhenCancelled) {
  const struct {
    QString song;
    const char* term;  // nullptr: Cancel
    const char* replacement;
    QString result;
  } cases[] = {
      {"g G x", "g", "A", "A A x"},    {"a b a", " a ", "  ", " b "},  // both trimmed: an empty replacement deletes
      {"aXa", "a", "aa", "aaXaa"},                                     // a replacement holding the term finishes
      {"[Am] am", "am", "C", "[C] C"},                                 // markers included
      {"abc", "z", "y", "abc"},                                        // no occurrence: assigned, but nothing changed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.song.toStdString());
    Song(c.song);
    ModalDriver<frmReplace> answer([&c](frmReplace* d) {
      d->TextField1()->setText(QString::fromUtf8(c.term));
      d->TextField2()->setText(QString::fromUtf8(c.replacement));
      d->PushButton1()->click();
    });
    EXPECT_TRUE(w->_mnuSearchReplace_Action());
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ(Text(), c.result);
    EXPECT_EQ(assignments, 1);
    EXPECT_EQ(w->Modified(), c.result != c.song);  // a term that does not occur changes nothing
    EXPECT_TRUE(Redrawn());
  }

  for (const bool blankTerm : {false, true}) {
    SCOPED_TRACE(blankTerm ? "blank term" : "cancel");
    Song("a b a");
    Module1::gString2 = "earlier";
    ModalDriver<frmReplace> answer([blankTerm](frmReplace* d) {
      d->TextField1()->setText(blankTerm ? "  " : "a");
      d->TextField2()->setText("new");
      (blankTerm ? d->PushButton1() : d->PushButton2())->click();
    });
    EXPECT_TRUE(w->_mnuSearchReplace_Action());
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ(Text(), "a b a");
    EXPECT_EQ(assignments, 0);
    EXPECT_FALSE(w->Modified());
    EXPECT_FALSE(Redrawn());
    EXPECT_EQ(Module1::gString, "");
    if (!blankTerm) {
      EXPECT_EQ(Module1::gString2, "earlier");
    }
  }
}

}  // namespace
