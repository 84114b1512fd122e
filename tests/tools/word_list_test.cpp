#include "tools/word_list.h"

#include <gtest/gtest.h>

#include "platform/core/strings.h"
#include "support/test_env.h"
#include "tools/chord_detection.h"

namespace {

FolderItem Write(const QString& name, const QString& text) {
  FolderItem f(TestRoot() + "/" + name);
  TextOutputStream::WriteAll(f, text);
  return f;
}

}  // namespace

TEST(WordList, ContainsIgnoresLetterCaseAndNeedsCommasOnBothSides) {
  const WordList list(",BE,bad,Face,C,D,\n");
  for (const char* w : {"be", "BE", "Bad", "face", "C,D", "c"}) EXPECT_TRUE(list.Contains(w)) << w;
  for (const char* w : {"", "B", "ad", "BE,BAD,X", "\n", "FAC"}) EXPECT_FALSE(list.Contains(w)) << w;
  EXPECT_FALSE(WordList().Contains("BE"));
  EXPECT_FALSE(WordList("BE").Contains("BE"));
}

TEST(WordList, StoreReadsOnceEvenWhenTheFileIsMissing) {
  const FolderItem file = Write("words.txt", ",BE,");
  WordListStore store;
  EXPECT_FALSE(store.Loaded());
  EXPECT_TRUE(store.Get(file).Contains("be"));
  TextOutputStream::WriteAll(file, ",BAD,");
  EXPECT_TRUE(store.Get(file).Contains("be"));
  EXPECT_FALSE(store.Get(file).Contains("bad"));

  WordListStore missing;
  EXPECT_EQ(missing.Get(FolderItem(TestRoot() + "/none.txt")).Text(), "");
  EXPECT_TRUE(missing.Loaded());
  EXPECT_FALSE(missing.Get(file).Contains("bad"));                   // not tried again
  EXPECT_EQ(WordList::FromFile(FolderItem(TestRoot())).Text(), "");  // a folder is no list
}

TEST(WordList, ShippedListHoldsOnlyWordsDetectionWouldSplit) {
  const FolderItem file(QStringLiteral(HARMONOTE_SOURCE_DIR "/Resources/WordListAGC.txt"));
  const WordList shipped = WordList::FromFile(file);
  const QString text = shipped.Text();
  ASSERT_TRUE(text.startsWith(',') && text.endsWith(',')) << "one comma-separated line";
  EXPECT_FALSE(text.contains(' ') || text.contains('\n') || text.contains('\r'));
  EXPECT_TRUE(shipped.Contains("BE"));
  const QStringList words = Split(Mid(text, 2, Len(text) - 2), ",");
  ASSERT_GT(words.size(), 1);
  for (const QString& w : words) {
    for (const QString& typed : {w, Lowercase(w)}) {
      EXPECT_NE(AutoDetectChords(typed, WordList()), typed) << typed.toStdString();
      EXPECT_EQ(AutoDetectChords(typed, shipped), typed) << typed.toStdString();
    }
  }
  // The application's own store, read through the path the window uses.
  EXPECT_TRUE(WordListAGC(file).Contains("bad"));
}

TEST(WordList, ShippedListKeepsEverydayWordsThatAreRunsOfNames) {
  const WordList shipped =
      WordList::FromFile(FolderItem(QStringLiteral(HARMONOTE_SOURCE_DIR "/Resources/WordListAGC.txt")));
  EXPECT_EQ(AutoDetectChords("cafe", WordList()), "[C] [A] [F] [E]");  // what the list prevents
  for (const char* word :
       {"ad", "abbe", "cadge", "cafe", "cam", "dada", "deb", "def", "egad", "fab", "faff", "feedbag", "gaga"}) {
    SCOPED_TRACE(word);
    const QString w = QString::fromUtf8(word);
    const QString capitalised = Uppercase(Left(w, 1)) + Mid(w, 2, Len(w));
    for (const QString& typed : {w, capitalised})
      EXPECT_EQ(AutoDetectChords(typed, shipped).toStdString(), typed.toStdString());
  }
  EXPECT_EQ(AutoDetectChords("egad the cafe was fab G", shipped), "egad the cafe was fab [G]");
}
