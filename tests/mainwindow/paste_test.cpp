// Pasting into every text control of the program, with what the real clipboard may hold: nothing
// at all, only HTML, only rich text, rich text with its plain text, plain text. A source without
// text inserts nothing (and must not bring the process down); otherwise its plain text goes in,
// never its formatting. Paste is tried as the widget's paste(), as Ctrl+V and, in the main
// window, as Edit > Paste.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <functional>
#include <vector>

#include "app/module1.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "shell/dialogs/frm_replace.h"
#include "shell/dialogs/frm_search.h"
#include "shell/dialogs/frm_transpose.h"
#include "shell/frm_help.h"
#include "shell/menu_bar1.h"
#include "window_fixture.h"

namespace {

struct Source {
  const char* what;
  std::function<QMimeData*()> make;
  QString pasted;  // what a paste inserts; "" for nothing
};

const Source kSources[] = {
    {"nothing", [] { return new QMimeData; }, ""},
    {"HTML only",
     [] {
       auto* m = new QMimeData;
       m->setHtml("<b>bold</b>");
       return m;
     },
     ""},
    {"rich text only",
     [] {
       auto* m = new QMimeData;
       m->setData("application/x-qrichtext", "<b>rich</b>");
       return m;
     },
     ""},
    {"rich text with its plain text",
     [] {
       auto* m = new QMimeData;
       m->setHtml("<b>plain</b>");
       m->setText("plain");
       return m;
     },
     "plain"},
    {"plain text",
     [] {
       auto* m = new QMimeData;
       m->setText("[Am]x");
       return m;
     },
     "[Am]x"},
};

void PutOnClipboard(const Source& s) { QGuiApplication::clipboard()->setMimeData(s.make()); }

bool AnyBold(const QTextDocument* doc) {
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().fontWeight() > QFont::Normal) return true;
  return false;
}

// Shows the widget's window and gives the widget the keyboard, as a user's click would.
void Focus(QWidget* widget) {
  QWidget* window = widget->window();
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  widget->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), widget);
}

// A line edit holding "ab" with the caret at its end, pasted into by each way, for each source.
void ExpectLineEditPastes(QLineEdit* field) {
  ASSERT_NO_FATAL_FAILURE(Focus(field));
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"paste()", [field] { field->paste(); }},
      {"Ctrl+V", [field] { QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier); }},
  };
  for (const Source& s : kSources) {
    for (const auto& [way, paste] : ways) {
      SCOPED_TRACE(QStringLiteral("%1, %2").arg(s.what, way).toStdString());
      field->setText("ab");
      field->end(false);
      PutOnClipboard(s);
      paste();
      EXPECT_EQ(field->text(), "ab" + s.pasted);
    }
  }
}

}  // namespace

TEST(PasteIntoTextArea, OnlyASourceWithTextInsertsAndOnlyItsPlainText) {
  TextArea area;
  ASSERT_NO_FATAL_FAILURE(Focus(&area));
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"paste()", [&] { area.paste(); }},
      {"Ctrl+V", [&] { QTest::keyClick(&area, Qt::Key_V, Qt::ControlModifier); }},
  };
  for (const Source& s : kSources) {
    for (const auto& [way, paste] : ways) {
      SCOPED_TRACE(QStringLiteral("%1, %2").arg(s.what, way).toStdString());
      area.SetText("one\rtwo");
      area.SetSelStart(4);
      area.SetSelLength(3);  // "two" selected: a paste replaces it, a refused one keeps it
      PutOnClipboard(s);
      EXPECT_EQ(area.canPaste(), !s.pasted.isEmpty());
      paste();
      if (s.pasted.isEmpty()) {
        EXPECT_EQ(area.Text(), "one\rtwo");
        EXPECT_EQ(area.SelText(), "two");
      } else {
        EXPECT_EQ(area.Text(), "one\r" + s.pasted);
        EXPECT_EQ(area.SelStart(), area.Text().size());
      }
      EXPECT_FALSE(AnyBold(area.document()));
    }
  }
}

TEST(PasteIntoTextArea, PastedLineEndsBecomeLinesOfTheSong) {
  TextArea area;
  auto* m = new QMimeData;
  m->setText("x\r\ny\nz");
  QGuiApplication::clipboard()->setMimeData(m);
  area.SetText("a");
  area.SetSelStart(1);
  area.paste();
  EXPECT_EQ(area.Text(), "ax\ry\rz");
  EXPECT_EQ(area.document()->blockCount(), 3);
}

// "N", a NUL and "UL", put into a text control each way it can come: the NUL never gets in.
TEST(PasteIntoTextControls, ANulIsDroppedWhicheverWayItComes) {
  const QString withNul = QStringLiteral("N") + QChar(u'\0') + QStringLiteral("UL");
  TextField field;
  TextArea area;
  field.show();
  area.show();
  const auto drop = [&](QWidget* target) {
    // As a drag from another program arrives: it enters, moves and is dropped.
    QMimeData data;
    data.setText(withNul);
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent event(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  };
  const auto type = [&](QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, withNul);
    QApplication::sendEvent(target, &press);
  };
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"field: Ctrl+V",
       [&] {
         QGuiApplication::clipboard()->setText(withNul);
         QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
       }},
      {"field: drop", [&] { drop(&field); }},
      {"field: typed", [&] { type(&field); }},
      {"field: SetText", [&] { field.SetText(withNul); }},
      {"song: Ctrl+V",
       [&] {
         QGuiApplication::clipboard()->setText(withNul);
         QTest::keyClick(&area, Qt::Key_V, Qt::ControlModifier);
       }},
      {"song: drop", [&] { drop(area.viewport()); }},
      {"song: typed", [&] { type(&area); }},
      {"song: SetText", [&] { area.SetText(withNul); }},
      {"song: SetSelText", [&] { area.SetSelText(withNul); }},
      {"song: ReplaceText", [&] { area.ReplaceText(withNul); }},
  };
  for (const auto& [way, put] : ways) {
    SCOPED_TRACE(way);
    field.SetText("");
    area.SetText("");
    put();
    const QString got = QByteArray(way).startsWith("field") ? field.Text() : area.Text();
    EXPECT_EQ(got, "NUL");
  }
}

TEST(PasteIntoTextField, OnlyASourceWithTextInserts) {
  TextField field;
  ExpectLineEditPastes(&field);
}

TEST(PasteIntoToolDialogs, EveryFieldTakesOnlyText) {
  QString term, replacement;
  frmSearch search(term);
  frmReplace replace(term, replacement);
  frmTranspose transpose("C", [](const QString&, const QString&) {});
  const std::pair<QDialog*, std::vector<QLineEdit*>> dialogs[] = {
      {&search, {search.TextField1()}},
      {&replace, {replace.TextField1(), replace.TextField2()}},
      {&transpose, {transpose.txtFrom(), transpose.txtTo()}},
  };
  for (const auto& [dialog, fields] : dialogs) {
    for (QLineEdit* field : fields) {
      SCOPED_TRACE(field->objectName().toStdString());
      ExpectLineEditPastes(field);
    }
    dialog->hide();
  }
}

TEST(PasteIntoHelp, TheReadOnlyPageTakesNothing) {
  frmHelp* help = frmHelp::Instance();
  QTextBrowser* viewer = help->HTMLViewer1();
  ASSERT_NO_FATAL_FAILURE(Focus(viewer));
  const QString page = viewer->toHtml();
  for (const Source& s : kSources) {
    SCOPED_TRACE(s.what);
    PutOnClipboard(s);
    viewer->paste();
    QTest::keyClick(viewer, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(viewer->toHtml(), page);
  }
  help->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

using PasteIntoWindow = WindowFixture;

TEST_F(PasteIntoWindow, EditPasteAndCtrlVInTheSongAndTheFields) {
  TextArea* song = w->txtSong();
  TextField* title = w->txtTitle();
  const auto editPaste = [] { MenuBar1::Instance().Item("EditPaste")->Action()->trigger(); };
  for (const Source& s : kSources) {
    for (const bool menu : {true, false}) {
      SCOPED_TRACE(QStringLiteral("%1, %2").arg(s.what, menu ? "Edit > Paste" : "Ctrl+V").toStdString());
      song->SetText("[C]la");
      title->SetText("Song");
      w->Modified(false);
      PutOnClipboard(s);

      ASSERT_NO_FATAL_FAILURE(Focus(song));
      song->SetSelStart(5);
      if (menu)
        editPaste();
      else
        QTest::keyClick(song, Qt::Key_V, Qt::ControlModifier);
      EXPECT_EQ(song->Text(), "[C]la" + s.pasted);
      EXPECT_FALSE(AnyBold(song->document()));
      // Only a paste that changed the song marks it.
      EXPECT_EQ(w->Modified(), !s.pasted.isEmpty());

      ASSERT_NO_FATAL_FAILURE(Focus(title));
      title->end(false);
      if (menu)
        editPaste();
      else
        QTest::keyClick(title, Qt::Key_V, Qt::ControlModifier);
      EXPECT_EQ(title->Text(), "Song" + s.pasted);
    }
  }
}
