// Chords-over-lyrics conversion on any text: it never fails, and every character that is not
// white space or a line end is still there afterwards (chords gain only their brackets).
#include <QStringList>
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "tools/chord_conversion.h"

namespace {

QString WithoutSpaceAndBrackets(const QString& s) {
  QString out;
  for (const QChar c : s)
    if (!c.isSpace() && c != QLatin1Char('[') && c != QLatin1Char(']')) out += c;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const QString text = in.RestText();
  for (const QString& line : text.split(QLatin1Char('\n'))) (void)IsChordLine(line);
  const QString converted = ConvertChordsToInlineChords(text);
  QString sortedBefore = WithoutSpaceAndBrackets(text), sortedAfter = WithoutSpaceAndBrackets(converted);
  std::sort(sortedBefore.begin(), sortedBefore.end());
  std::sort(sortedAfter.begin(), sortedAfter.end());
  FUZZ_CHECK(sortedBefore == sortedAfter);
  return 0;
}
