// Transposition of any song text between keys picked from the input (the table's keys in any
// letter case, or any text): a key without a row is named and nothing is rewritten; otherwise
// only the inside of chord markers changes.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "platform/core/strings.h"
#include "tools/transpose.h"

namespace {

QString PickKey(FuzzInput& in) {
  const int row = in.TakeInt(-1, static_cast<int>(KeyTable().size()) - 1);
  const int spelling = in.TakeInt(0, 2);
  if (row < 0) return in.TakeText();
  const QString key = KeyTable().at(row).section(QLatin1Char(','), 0, 0);
  return spelling == 0 ? key : (spelling == 1 ? key.toLower() : key + QLatin1Char(' '));
}

// The text with the inside of every marker left out: each piece between two "[" up to its first
// "]" (the text before the first "[" too, when it holds a "]").
QString OutsideMarkers(const QString& text) {
  QStringList pieces = Split(text, QStringLiteral("["));
  for (qsizetype i = 0; i < pieces.size(); ++i) {
    const qsizetype close = pieces[i].indexOf(QLatin1Char(']'));
    if (close >= 0) pieces[i] = pieces[i].mid(close);
  }
  return Join(pieces, QStringLiteral("["));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int fromRow = in.TakeInt(0, static_cast<int>(KeyTable().size()) - 1);
  const int toRow = in.TakeInt(0, static_cast<int>(KeyTable().size()) - 1);
  const QString fromKey = PickKey(in);
  const QString toKey = PickKey(in);
  const QString name = in.TakeText();
  const QString text = in.RestText();

  bool changed = false;
  const QString moved = TransposeChordName(name, fromRow, toRow, &changed);
  if (!changed) FUZZ_CHECK(moved == name);
  (void)TransposeBass(name, fromRow, toRow);

  const TransposeResult r = TransposeSong(text, fromKey, toKey);
  const bool known = FindKeyRow(fromKey) >= 0 && FindKeyRow(toKey) >= 0;
  FUZZ_CHECK(r.ok == known);
  if (!r.ok) {
    FUZZ_CHECK(r.text.isEmpty() && r.message.startsWith(QStringLiteral("Unable to find ")));
    return 0;
  }
  FUZZ_CHECK(r.message.isEmpty());
  FUZZ_CHECK(OutsideMarkers(r.text) == OutsideMarkers(text));
  return 0;
}
