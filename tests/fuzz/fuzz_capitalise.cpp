// The two capitalisation tools on any text: markers and line ends stay where they were, and only
// letter case changes (so a text without letters outside ASCII keeps its length).
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "tools/capitalise.h"

namespace {

bool IsAscii(const QString& s) {
  for (const QChar c : s)
    if (c.unicode() > 0x7F) return false;
  return true;
}

void CheckSameStructure(const QString& before, const QString& after) {
  for (const char c : {'[', ']', '\r', '\n', '/', '\\'})
    FUZZ_CHECK(before.count(QLatin1Char(c)) == after.count(QLatin1Char(c)));
  if (IsAscii(before)) FUZZ_CHECK(before.compare(after, Qt::CaseInsensitive) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  in.SetUtf16(in.TakeInt(0, 3) == 0);
  const QString text = in.RestText();
  CheckSameStructure(text, ConvertChordsToCaps(text));
  CheckSameStructure(text, CapFirstLetterOfLine(text));
  return 0;
}
