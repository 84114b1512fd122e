// Lists the candidates for Resources/WordListAGC.txt: the words of a word list (one a line, such
// as /usr/share/dict/american-english) that chord detection, with no word list, would turn into a
// run of chord markers and that a word list holding them keeps as they are (a single chord name is
// wrapped whatever the list says). Lower-case entries only (capitalised entries are names and
// abbreviations), each printed upper-cased on a line of its own, for review.
//
// Build against a configured build tree, for example:
//   g++ -std=c++20 -fPIC -Isrc scripts/make_word_list.cpp build/src/libtools.a build/src/libsheet.a \
//       build/src/libplatform_core.a $(pkg-config --cflags --libs Qt6Core Qt6Gui) -o /tmp/make_word_list
// then: /tmp/make_word_list /usr/share/dict/american-english > /tmp/candidates.txt
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "tools/chord_detection.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s WORDS-FILE\n", argv[0]);
    return 2;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  const WordList none;
  QTextStream out(stdout);
  while (!in.atEnd()) {
    const QString word = QString::fromUtf8(in.readLine()).trimmed();
    if (word.isEmpty() || word != word.toLower()) continue;
    const WordList itself("," + word.toUpper() + ",");
    if (DetectChordsInWord(word, none) != word && DetectChordsInWord(word, itself) == word) {
      out << word.toUpper() << '\n';
    }
  }
  return 0;
}
