// A long text opened, imported or pasted through the real window holds, at its peak, no more whole
// copies of the text than a bare QPlainTextEdit given the same text the same way, and one: the
// text the window reads back. The copies are counted as the heap blocks as large as the text that
// are alive at one time (big_blocks), in the window shown and painted, spell checking on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStringList>
#include <functional>

#include "big_blocks.h"
#include "document_fixture.h"
#include "sheet/pages.h"
#include "sheet/song_document.h"

namespace {

// A song text of about chars characters in lines of about 400, with LF line ends, and a page
// break every 20 lines; or, with oneLine, all of it on one line without page breaks.
QString LongText(qsizetype chars, bool oneLine = false) {
  QStringList lines;
  qsizetype size = 0;
  for (int i = 0; size < chars; ++i) {
    QString line;
    while (line.size() < 400) line += QStringLiteral("[G]amazing grace how sweet the sound %1 ").arg(i);
    if (!oneLine && i % 20 == 19) line = QStringLiteral("+++++");
    size += line.size() + 1;
    lines << line;
  }
  return lines.join(oneLine ? ' ' : '\n');
}

// The bytes a whole copy of the text takes.
std::size_t CopyBytes(const QString& text) { return static_cast<std::size_t>(text.size()) * sizeof(QChar); }

void Settle(QWidget* shown) {
  QCoreApplication::processEvents();
  shown->repaint();
}

void PressPaste(QWidget* target) {
  target->setFocus();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
  QApplication::sendEvent(target, &press);
}

// The most whole copies of text alive at one time while a bare editor set up as the window's song
// text is handed it by give, shown and painted.
int BareCopies(const QString& text, const std::function<void(QPlainTextEdit&)>& give) {
  QPlainTextEdit bare;
  bare.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  bare.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  bare.resize(376, 628);
  bare.show();
  Settle(&bare);
  const big_blocks::Watching watching(CopyBytes(text));
  give(bare);
  Settle(&bare);
  return big_blocks::Peak();
}

class BigText : public DocumentFixture {
 protected:
  void SetUp() override {
    if (!big_blocks::Available()) GTEST_SKIP() << "heap blocks cannot be counted under the address sanitizer";
    DocumentFixture::SetUp();
    w->show();
    Settle(w);
  }

  // The most whole copies of text alive at one time while the window does what, shown and painted.
  int WindowCopies(const QString& text, const std::function<void()>& what) {
    const big_blocks::Watching watching(CopyBytes(text));
    what();
    Settle(w);
    return big_blocks::Peak();
  }
};

}  // namespace

TEST_F(BigText, AnImportHoldsOneCopyBesideTheDocuments) {
  const QString text = LongText(2'000'000);
  const FolderItem file = Write("long.txt", text.toUtf8());
  const int bare = BareCopies(text, [&](QPlainTextEdit& e) { e.setPlainText(text); });
  const int window = WindowCopies(text, [&] { w->mOpenFile(file); });
  EXPECT_LE(window, bare + 1) << "bare editor: " << bare;
  EXPECT_EQ(w->txtSong()->Text(), QString(text).replace('\n', '\r'));
  EXPECT_EQ(w->State().Document().song, w->txtSong()->Text());
  EXPECT_TRUE(w->Modified());
}

TEST_F(BigText, ASongOfOneLongLineOpensWithOneCopyBesideTheDocuments) {
  const QString text = LongText(300'000, true);
  const FolderItem file = Write("one line.hmnt", SongBytes("One Line", text));
  const int bare = BareCopies(text, [&](QPlainTextEdit& e) { e.setPlainText(text); });
  const int window = WindowCopies(text, [&] { OpenSong(file); });
  EXPECT_LE(window, bare + 1) << "bare editor: " << bare;
  EXPECT_EQ(w->txtSong()->Text(), text);
  EXPECT_FALSE(w->Modified());
}

TEST_F(BigText, APasteHoldsOneCopyBesideTheDocuments) {
  const QString text = LongText(2'000'000);
  QGuiApplication::clipboard()->setText(text);
  const int bare = BareCopies(text, [](QPlainTextEdit& e) { PressPaste(&e); });
  const int window = WindowCopies(text, [&] { PressPaste(w->txtSong()); });
  EXPECT_LE(window, bare + 1) << "bare editor: " << bare;
  EXPECT_EQ(w->txtSong()->Text(), QString(text).replace('\n', '\r'));
  EXPECT_EQ(w->State().Document().song, w->txtSong()->Text());
  EXPECT_TRUE(w->Modified());
}

// Typing in a long song costs what was typed: no keystroke copies the song, and the song state,
// its page count and the preview follow every keystroke, page breaks typed and broken included.
TEST_F(BigText, KeystrokesInALongSongCopyNothingOfIt) {
  const QString text = LongText(2'000'000);
  const FolderItem file = Write("long.hmnt", SongBytes("Long", text));
  OpenSong(file);
  TextArea* area = w->txtSong();
  area->setFocus();
  area->SetSelStart(static_cast<int>(text.size() / 2));
  Settle(w);
  const auto type = [&](Qt::Key key, const QString& typed) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
    QApplication::sendEvent(area, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, typed);
    QApplication::sendEvent(area, &release);
  };
  const int pagesBefore = w->TotalPages();
  int copies = 0;
  {
    const big_blocks::Watching watching(CopyBytes(text) / 2);
    type(Qt::Key_X, QStringLiteral("x"));
    type(Qt::Key_Return, QStringLiteral("\r"));
    for (int i = 0; i < 5; ++i) type(Qt::Key_Plus, QStringLiteral("+"));
    type(Qt::Key_Return, QStringLiteral("\r"));
    Settle(w);
    EXPECT_EQ(w->TotalPages(), pagesBefore + 1);
    type(Qt::Key_Backspace, QString());
    type(Qt::Key_Backspace, QString());
    Settle(w);
    EXPECT_EQ(w->TotalPages(), pagesBefore);
    copies = big_blocks::Peak();
  }
  EXPECT_EQ(copies, 0);
  const QString shown = TextArea::FromDocumentText(area->document()->toRawText());
  EXPECT_EQ(w->State().Document().song, shown);
  EXPECT_EQ(area->Text(), shown);
  EXPECT_EQ(w->TotalPages(), CountPages(shown, QStringLiteral("+++++")));
  EXPECT_TRUE(w->Modified());
}
