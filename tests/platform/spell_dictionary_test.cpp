#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include "platform/desktop/spell_dictionary.h"
#include "support/test_env.h"

namespace {

// A dictionary of the given words, its .aff naming the encoding its .dic is written in.
std::shared_ptr<SpellDictionary> Written(const QString& name, const QByteArray& encoding, const QStringList& words) {
  const QString base = QDir(TestRoot()).filePath(name);
  QFile aff(base + ".aff");
  QFile dic(base + ".dic");
  if (!aff.open(QIODevice::WriteOnly) || !dic.open(QIODevice::WriteOnly)) return nullptr;
  aff.write("SET " + encoding + "\nTRY abc\n");
  QStringEncoder encode(encoding.constData());
  dic.write(QByteArray::number(words.size()) + "\n");
  for (const QString& w : words) dic.write(QByteArray(encode(w)) + "\n");
  aff.close();
  dic.close();
  return SpellDictionary::Load(base + ".aff", base + ".dic");
}

}  // namespace

// Hunspell compares bytes in the dictionary's own encoding: a word with a letter beyond ASCII
// is found only when it is handed over in that encoding (UTF-8 bytes of "café" are not "café" in
// ISO 8859-1, and Greek letters have no Latin-1 bytes at all).
TEST(SpellDictionary, ADictionaryInAnotherEncodingFindsWordsWithItsOwnLetters) {
  struct Row {
    const char* name;
    QByteArray encoding;
    QString known;
    QString unknown;
  };
  const Row rows[] = {
      {"latin1", "ISO8859-1", QStringLiteral("caf\u00e9"), QStringLiteral("cafe")},
      {"greek", "ISO8859-7", QStringLiteral("\u03ba\u03b1\u03bb\u03ac"), QStringLiteral("\u03ba\u03b1\u03bb\u03b1")},
      {"utf8", "UTF-8", QStringLiteral("na\u00efve"), QStringLiteral("naive")},
  };
  for (const Row& r : rows) {
    auto dict = Written(r.name, r.encoding, {r.known, "grace"});
    ASSERT_NE(dict, nullptr) << r.name;
    EXPECT_TRUE(dict->IsCorrect(r.known)) << r.name;
    EXPECT_TRUE(dict->IsCorrect("grace")) << r.name;
    EXPECT_FALSE(dict->IsCorrect(r.unknown)) << r.name;
    // A letter the encoding cannot hold makes no word of the dictionary.
    EXPECT_FALSE(dict->IsCorrect(r.known + QStringLiteral("\u4e00"))) << r.name;
  }
}
