// The reflow tool: any text at any width breaks exactly as the straightforward algorithm does,
// which measures every line whole, with additive widths and with the sheet's real measure (other
// faces, marks and tabs included).
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "platform/core/strings.h"
#include "platform/desktop/picture_measure.h"
#include "tools/reflow.h"

namespace {

// Whole-number widths that differ from character to character and add up exactly.
double Additive(const QString& text) {
  double w = 0;
  for (const QChar c : text) w += 1 + c.unicode() % 5;
  return w;
}

// The algorithm as first written: the line is measured whole after every word.
QString Straightforward(const QString& oneLine, int width, const MeasureFn& measure) {
  QStringList words = Split(oneLine, QStringLiteral(" "));
  if (words.isEmpty()) return QString();
  const QString cr = QStringLiteral("\r");
  QString line;
  for (qsizetype i = 0; i < words.size(); ++i) {
    line += words[i] + QLatin1Char(' ');
    if (10.0 + measure(line) > width) {
      words[i > 0 ? i - 1 : 0] += cr;
      line = words[i] + QLatin1Char(' ');
    }
  }
  QString t = Join(words, QStringLiteral(" "));
  t = ReplaceAllB(t, QStringLiteral("\r "), cr);
  t = ReplaceAllB(t, QStringLiteral("}\r"), QStringLiteral("}"));
  t = ReplaceAllB(t, QStringLiteral("}"), QStringLiteral("}\r"));
  t = ReplaceAllB(t, QStringLiteral("\r{"), QStringLiteral("{"));
  t = ReplaceAllB(t, QStringLiteral("{"), QStringLiteral("\r{"));
  t = ReplaceAllB(t, QStringLiteral("}\r \r{"), QStringLiteral("}\r{"));
  return Trim(t);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int canvas = in.TakeInt(-50, 1200);
  const bool centerLine = in.TakeBool();
  const bool realFont = in.TakeInt(0, 7) == 0;
  const QString text = in.RestText();

  const QString joined = RemoveLineFeeds(text);
  FUZZ_CHECK(joined.size() == text.size() && !joined.contains(QLatin1Char('\r')) &&
             !joined.contains(QLatin1Char('\n')));
  const QString unmarked = RemoveColumnMarkers(joined);
  FUZZ_CHECK(unmarked.size() <= joined.size());

  const int width = ReflowWidth(canvas, centerLine);
  if (realFont) {
    static const MeasureFn sheet = PictureMeasure(576, 756, 12);
    static const CoversFn face = PictureFaceCovers(12);
    FUZZ_CHECK(AutoLineFeed(text, width, sheet, face) == Straightforward(joined, width, sheet));
    return 0;
  }
  const MeasureFn measure = Additive;
  const QString reflowed = AutoLineFeed(text, width, measure);
  FUZZ_CHECK(reflowed == ReflowLines(joined, width, measure));
  FUZZ_CHECK(reflowed == Straightforward(joined, width, measure));
  return 0;
}
