// Search from the caret and replace-all on any text, caret and terms: a found selection lies
// inside the text at or after the caret, and replacing changes nothing where nothing is found.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "platform/core/strings.h"
#include "tools/search_replace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  in.SetUtf16(in.TakeInt(0, 3) == 0);
  const int caret = in.TakeInt(-3, 4100);
  const int selected = in.TakeInt(-2, 4);
  const QString term = in.TakeText();
  const QString replacement = in.TakeText();
  const QString text = in.RestText();

  // The first candidate: the character after the caret, or after the selection's first one.
  const int first = std::max(caret, 0) + (selected > 0 ? 1 : 0);
  const auto found = SearchFromCaret(text, caret, selected, term);
  if (found) {
    FUZZ_CHECK(!term.isEmpty() && found->selLength == term.size());
    FUZZ_CHECK(found->selStart >= first && found->selStart + found->selLength <= text.size());
    // Searching again with the occurrence selected finds a later one or nothing.
    const auto next = SearchFromCaret(text, found->selStart, found->selLength, term);
    FUZZ_CHECK(!next || next->selStart > found->selStart);
  } else if (!term.isEmpty() && first < text.size()) {
    FUZZ_CHECK(InStr(first + 1, text, term) == 0);
  }

  const QString replaced = ReplaceAllOccurrences(text, term, replacement);
  if (term.isEmpty() || InStr(text, term) == 0) FUZZ_CHECK(replaced == text);
  if (replacement.isEmpty() && !term.isEmpty()) FUZZ_CHECK(replaced.size() <= text.size());
  return 0;
}
