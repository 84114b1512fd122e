// The control adapters: the text model of the song text area and its undo steps, synchronous
// change events, the field's length limit.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QKeyEvent>
#include <QTest>
#include <QTextDocument>
#include <random>

#include "mainwindow/song_spelling.h"
#include "platform/desktop/controls/bevel_button.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"

namespace {
const QString kNbsp = QString(QChar(0x00A0));
}

TEST(TextAreaModel, ReadsBackCrLineEndsAndKeepsEveryCharacter) {
  const struct {
    QString set, read;
  } cases[] = {
      {"one\rtwo", "one\rtwo"},         {"one\ntwo", "one\rtwo"},
      {"one\r\ntwo\r\n", "one\rtwo\r"}, {"a" + kNbsp + "b\r\r", "a" + kNbsp + "b\r\r"},
      {"\t[Am]x  y ", "\t[Am]x  y "},   {"", ""},
  };
  TextArea area;
  for (const auto& c : cases) {
    area.SetText(c.set);
    EXPECT_EQ(area.Text(), c.read) << c.set.toStdString();
  }
}

TEST(TextAreaModel, SettingFromCodeFiresOnceEvenWhenUnchanged) {
  TextArea area;
  area.SetWordReading(SongWordReading());
  area.SetAutomaticallyCheckSpelling(true);
  QSignalSpy spy(&area, &TextArea::TextChange);
  area.SetText("same wrd");
  area.SetText("same wrd");
  area.SetText("");
  QCoreApplication::processEvents();
  EXPECT_EQ(spy.count(), 3);
  // Neither a font change, the spell checker's passes nor moving the selection is a change.
  area.SetText("abc wrod");
  spy.clear();
  area.SetTextFont("Courier");
  area.SetAutomaticallyCheckSpelling(false);
  area.SetAutomaticallyCheckSpelling(true);
  area.SetSelStart(1);
  area.SetSelLength(1);
  QCoreApplication::processEvents();
  EXPECT_EQ(spy.count(), 0);
  // Nor is switching the checking on for the first time, which underlines the text as it starts.
  TextArea fresh;
  fresh.SetWordReading(SongWordReading());
  fresh.SetText("abc wrod");
  QSignalSpy freshSpy(&fresh, &TextArea::TextChange);
  fresh.SetAutomaticallyCheckSpelling(true);
  QCoreApplication::processEvents();
  EXPECT_EQ(freshSpy.count(), 0);
}

TEST(TextAreaModel, TypingFiresOncePerChangeAndSeesTheNewText) {
  TextArea area;
  QStringList seen;
  QObject::connect(&area, &TextArea::TextChange, [&] { seen << area.Text(); });
  area.show();
  QTest::keyClicks(&area, "ab");
  QTest::keyClick(&area, Qt::Key_Return);
  QTest::keyClick(&area, Qt::Key_Backspace);
  EXPECT_EQ(seen, (QStringList{"a", "ab", "ab\r", "ab"}));
}

TEST(TextAreaModel, SelectionIsInDocumentOffsetsWithLineEndsCountingOne) {
  TextArea area;
  area.SetText("ab\rcd" + kNbsp + "e");
  area.SetSelStart(1);
  area.SetSelLength(4);
  EXPECT_EQ(area.SelStart(), 1);
  EXPECT_EQ(area.SelLength(), 4);
  EXPECT_EQ(area.SelText(), "b\rcd");
  QSignalSpy spy(&area, &TextArea::TextChange);
  area.SetSelText("X\rY");
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(area.Text(), "aX\rY" + kNbsp + "e");
  EXPECT_EQ(area.SelLength(), 0);
  EXPECT_EQ(area.SelStart(), 4);
  // Beyond the end is the end; with nothing selected, SelText inserts at the caret.
  area.SetSelStart(1000);
  EXPECT_EQ(area.SelStart(), area.Text().size());
  area.SetSelText("!");
  EXPECT_EQ(area.Text(), "aX\rY" + kNbsp + "e!");
}

TEST(TextAreaModel, ReplacingTheWholeTextIsOneUndoStepAndSettingItStartsAfresh) {
  TextArea area;
  QSignalSpy spy(&area, &TextArea::TextChange);
  area.SetText("one\rtwo");
  EXPECT_FALSE(area.document()->isUndoAvailable());

  // The same text, however its line ends are written: fired once, no step.
  for (const QString same : {"one\rtwo", "one\ntwo", "one\r\ntwo"}) {
    spy.clear();
    area.ReplaceText(same);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_FALSE(area.document()->isUndoAvailable()) << same.toStdString();
  }
  // A new text: fired once, one step back to the text before it; the caret stays, within the text.
  area.SetSelStart(6);
  spy.clear();
  area.ReplaceText("1");
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(area.Text(), "1");
  EXPECT_EQ(area.SelStart(), 1);
  area.undo();
  EXPECT_EQ(area.Text(), "one\rtwo");
  EXPECT_FALSE(area.document()->isUndoAvailable());
  // The text it already holds touches nothing, the redo history included.
  spy.clear();
  area.ReplaceText("one\ntwo");
  EXPECT_EQ(spy.count(), 1);
  EXPECT_FALSE(area.document()->isUndoAvailable());
  EXPECT_TRUE(area.document()->isRedoAvailable());

  area.ReplaceText("three");
  area.SetText("four");
  EXPECT_FALSE(area.document()->isUndoAvailable());
  EXPECT_FALSE(area.document()->isRedoAvailable());
}

TEST(TextAreaModel, AReplacementReadsBackAsGivenAndUndoesToTheTextBefore) {
  const QString grin = QString::fromUtf8("😀"), beam = QString::fromUtf8("😁");
  const struct {
    QString before, after;
  } cases[] = {
      {"aXa", "aa"},
      {"aa", "aXa"},
      {"abc", "abbc"},
      {"abbc", "abc"},
      {"a\rb", "a b"},
      {"a b", "a\r\rb"},
      {"x", ""},
      {"", "x\ry"},
      {"[am] x", "[Am] x"},
      {grin + "a", beam + "a"},
      {"a" + grin, "a" + beam + grin},
      {"one\rtwo\rthree", "one\rTwo\rthree"},
      // Lines rewritten in place, lines between them untouched; a line emptied, one filled.
      {"x1\rsame\rsame\rsame\rx2", "y1\rsame\rsame\rsame\ry22"},
      {"a\rkeep\rkeep\rkeep\r", "\rkeep\rkeep\rkeep\rb"},
      {grin + "a\rkeep\rkeep\rkeep\ra" + grin, beam + "a\rkeep\rkeep\rkeep\ra" + beam},
      {"a\rk\rk\rk\rb", "A\r\nk\r\nk\r\nk\r\nb"},
      // Most lines changed: the same, replaced whole.
      {"a\rb\rc\rkeep", "A\rB\rC\rkeep"},
  };
  TextArea area;
  for (const auto& c : cases) {
    SCOPED_TRACE((c.before + " -> " + c.after).toStdString());
    const QString after = TextArea::ReadBack(c.after);
    area.SetText(c.before);
    area.ReplaceText(c.after);
    EXPECT_EQ(area.Text(), after);
    EXPECT_EQ(area.document()->blockCount(), after.count('\r') + 1);
    area.undo();
    EXPECT_EQ(area.Text(), c.before);
    area.redo();
    EXPECT_EQ(area.Text(), after);
  }
}

// The text a command set is remembered, not read back from the document: it must be exactly what
// a fresh read of the document gives, whatever line ends and marks the text holds.
TEST(TextAreaModel, TheTextSetIsWhatTheDocumentReadsBack) {
  const QString marks[] = {"\r",
                           "\n",
                           "\r\n",
                           "\n\r",
                           QString(QChar(0x2028)),
                           QString(QChar(0x2029)),
                           QString(QChar(0xFDD0)),
                           QString(QChar(0xFDD1)),
                           QString(QChar(0x00A0)),
                           QString(QChar(0xFFFC)),
                           "\t",
                           QString::fromUtf8("😀"),
                           QString(QChar(0xD800)),
                           "\r\r\n\n"};
  TextArea area;
  const auto fresh = [&] { return TextArea::FromDocumentText(area.document()->toRawText()); };
  for (const QString& mark : marks) {
    const QString text = "one" + mark + "two" + mark + mark + "three" + mark;
    SCOPED_TRACE(QString::number(mark.at(0).unicode(), 16).toStdString());
    area.SetText(text);
    EXPECT_EQ(area.Text(), fresh());
    EXPECT_EQ(area.Text(), TextArea::ReadBack(text));
    area.SetText("one\rtwo\rthree\rfour");
    area.ReplaceText(text);
    EXPECT_EQ(area.Text(), fresh());
    for (const QString& next : {"x" + mark + "y", "one\rTWO" + mark + "three"}) {
      area.ReplaceText(next);
      EXPECT_EQ(area.Text(), fresh());
    }
  }
}

TEST(TextFieldLimit, TypingStopsAtTheLimitButACodeAssignedTextStaysWhole) {
  TextField field;
  field.SetLimitText(10);
  field.show();
  QTest::keyClicks(&field, "0123456789abc");
  EXPECT_EQ(field.Text(), "0123456789");

  const QString longer = "a title longer than ten";
  field.SetText(longer);
  EXPECT_EQ(field.Text(), longer);
  field.end(false);
  QTest::keyClicks(&field, "x");
  EXPECT_EQ(field.Text(), longer);  // it cannot grow
  QTest::keyClick(&field, Qt::Key_Backspace);
  EXPECT_EQ(field.Text(), longer.left(longer.size() - 1));  // but it can shrink
  QTest::keyClicks(&field, "nx");
  EXPECT_EQ(field.Text(), longer);  // and take typing again up to the length it was given
  // The limit leaves the history alone: each step undoes, back to the text given.
  QTest::keyClick(&field, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(field.Text(), longer.left(longer.size() - 1));
  QTest::keyClick(&field, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(field.Text(), longer);
  QTest::keyClick(&field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(field.Text(), longer.left(longer.size() - 1));
  field.SetText("short");
  field.end(false);
  QTest::keyClicks(&field, "123456789");
  EXPECT_EQ(field.Text(), "short12345");
}

TEST(SynchronousChanges, FieldSliderAndCheckBoxRunTheirHandlerInsideTheSetter) {
  TextField field;
  Slider slider;
  slider.setRange(2, 10);
  slider.SetValue(5);
  CheckBox box;
  box.SetValue(true);
  QString fieldSeen;
  int sliderSeen = 0, boxCalls = 0;
  QObject::connect(&field, &TextField::TextChange, [&] { fieldSeen = field.Text(); });
  QObject::connect(&slider, &Slider::ValueChanged, [&] { sliderSeen = slider.Value(); });
  QObject::connect(&box, &CheckBox::Action, [&] { ++boxCalls; });

  field.SetText("G");
  EXPECT_EQ(fieldSeen, "G");
  slider.SetValue(7);
  EXPECT_EQ(sliderSeen, 7);
  slider.SetValue(99);  // out of range: the nearest end
  EXPECT_EQ(slider.Value(), 10);
  EXPECT_EQ(sliderSeen, 10);
  box.SetValue(false);
  EXPECT_EQ(boxCalls, 1);
  box.SetValue(false);
  EXPECT_EQ(boxCalls, 1);
}

TEST(SliderSteps, KeysMoveByOneWithinTheRange) {
  Slider slider;
  slider.setRange(4, 6);
  slider.SetValue(5);
  int calls = 0;
  QObject::connect(&slider, &Slider::ValueChanged, [&] { ++calls; });
  slider.show();
  QTest::keyClick(&slider, Qt::Key_Right);
  EXPECT_EQ(slider.Value(), 6);
  QTest::keyClick(&slider, Qt::Key_PageUp);
  EXPECT_EQ(slider.Value(), 6);
  QTest::keyClick(&slider, Qt::Key_PageDown);
  QTest::keyClick(&slider, Qt::Key_Left);
  QTest::keyClick(&slider, Qt::Key_Left);
  EXPECT_EQ(slider.Value(), 4);
  EXPECT_EQ(calls, 3);
}

TEST(BevelButtonToggle, EachClickFlipsTheValueBeforeTheHandlerSeesIt) {
  BevelButton button;
  std::vector<bool> seen;
  QObject::connect(&button, &BevelButton::Action, [&] { seen.push_back(button.Value()); });
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
  button.SetValue(false);  // from code: the look only
  EXPECT_FALSE(button.Value());
  EXPECT_EQ(seen.size(), 3u);
}

// The text read is kept in step with each edit rather than read again: after any mix of typing,
// deleting across line ends, pasting, replacing a selection, undo and redo, with the spell
// checker changing formats as it goes, it must be what a fresh read of the document gives.
TEST(TextAreaModel, TheTextKeptInStepWithEditsIsWhatTheDocumentReads) {
  TextArea area;
  area.SetWordReading(SongWordReading());
  area.SetAutomaticallyCheckSpelling(true);
  area.resize(376, 350);
  area.show();
  area.SetText("[G]Amazing grace\rhow sweet the sound\r\r+++++\r{Chorus}\rthat saved a wretch");
  area.setFocus();
  const auto fresh = [&] { return TextArea::FromDocumentText(area.document()->toRawText()); };
  std::mt19937 rnd(7);
  const auto pick = [&](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
  const QString pieces[] = {"x", " ", "[Am]", "\r", "word two", QString(QChar(0x2029)), "\n", "\r\n", "é😀"};
  for (int step = 0; step < 400; ++step) {
    const int length = static_cast<int>(area.Text().size());
    area.SetSelStart(pick(length + 1));
    switch (pick(8)) {
      case 0: {
        // A key that types the piece (Qt types the printable ones).
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, pieces[pick(9)]);
        QCoreApplication::sendEvent(&area, &key);
        break;
      }
      case 1:
        QTest::keyClick(&area, pick(2) ? Qt::Key_Backspace : Qt::Key_Delete);
        break;
      case 2:
        QTest::keyClick(&area, Qt::Key_Return);
        break;
      case 3:
        area.SetSelLength(pick(12));
        area.SetSelText(pieces[pick(9)]);
        break;
      case 4:
        area.SetSelLength(pick(30));
        QTest::keyClick(&area, Qt::Key_X);
        break;
      case 5:
        area.undo();
        break;
      case 6:
        area.redo();
        break;
      default:
        area.ReplaceText(area.Text().left(length / 2) + pieces[pick(9)] + area.Text().mid(length / 2));
    }
    ASSERT_EQ(area.Text(), fresh()) << "step " << step;
  }
  // A change larger than a splice is worth is read afresh.
  area.SetSelStart(0);
  area.SetSelText(QString(10000, QLatin1Char('a')) + "\r" + QString(10000, QLatin1Char('b')));
  EXPECT_EQ(area.Text(), fresh());
}
