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
