// Chord detection on any text, with the word list read from the input or the application's own:
// detection never fails, and the word list answers as its text reads.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "platform/core/files.h"
#include "platform/core/strings.h"
#include "tools/chord_detection.h"

namespace {

const WordList& ApplicationWordList() {
  static const WordList list =
      WordList::FromFile(FolderItem(QStringLiteral(HARMONOTE_SOURCE_DIR "/Resources/WordListAGC.txt")));
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const bool ownList = in.TakeBool();
  const QString listText = ownList ? in.TakeText() : QString();
  const WordList own(listText);
  const WordList& words = ownList ? own : ApplicationWordList();
  const QString text = in.RestText();

  const QString detected = AutoDetectChords(text, words);
  // Only markers and blanks are added or taken away, and names take the list's letter case.
  QString kept = detected;
  kept.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char(' '));
  QString plain = text;
  plain.replace(QLatin1Char('\n'), QLatin1Char('\r'))
      .remove(QLatin1Char('['))
      .remove(QLatin1Char(']'))
      .remove(QLatin1Char(' '));
  FUZZ_CHECK(kept.compare(plain, Qt::CaseInsensitive) == 0);

  for (const QString& word : text.split(QLatin1Char(' '))) {
    (void)DetectChordsInWord(word, words);
    FUZZ_CHECK(words.Contains(word) == (InStr(words.Text(), "," + Uppercase(word) + ",") > 0));
  }
  return 0;
}
