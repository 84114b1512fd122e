#include "tools/reflow.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/core/strings.h"
#include "platform/core/text_shaping.h"

namespace {
const QString kCR = QStringLiteral("\r");

// Whether a word's width adds up with the words beside it in a line. Combining marks and format
// characters (joiners, direction marks) are shaped together with what stands before and after
// them, across a blank too; a word the face does not draw takes the blanks after it into the
// face that draws it.
bool AddsUp(const QString& word, const CoversFn& covered) {
  if (HoldsMarksOrFormat(word)) return false;
  return !covered || covered(word);
}
}  // namespace

QString RemoveLineFeeds(const QString& text) {
  QString t = ReplaceAllB(text, QStringLiteral("\n"), kCR);
  return ReplaceAllB(t, kCR, QStringLiteral(" "));
}

int ReflowWidth(int canvasWidth, bool centerLine) {
  if (centerLine) return static_cast<int>(canvasWidth / 2.0 - 10.0);
  return canvasWidth - 20;
}

QString ReflowLines(const QString& oneLine, int width, const MeasureFn& measure, const CoversFn& covered) {
  QStringList words = Split(oneLine, QStringLiteral(" "));
  if (words.isEmpty()) return QString();
  // Measuring every line whole costs a text layout per word. A line's width is instead followed
  // as the sum of its words' widths (each word measured once, with its blank), and the line is
  // measured whole when that sum comes within a blank's width per join of the limit, and after
  // every word with a tab, so the breaks are the ones whole-line measuring gives.
  struct Word {
    double width;
    bool addsUp;  // false: shaped together with its neighbours, or drawn in another face
  };
  QHash<QString, Word> known;
  auto wordOf = [&](const QString& w) -> const Word& {
    auto it = known.constFind(w);
    if (it == known.constEnd()) it = known.insert(w, {measure(w + QLatin1Char(' ')), AddsUp(w, covered)});
    return it.value();
  };
  const double tolerance = std::max(measure(QStringLiteral(" ")), 1.0);
  const double limit = static_cast<double>(width);
  QString line;
  double sum = 0.0;
  int joins = 0;       // words appended since the line's width was last known exactly
  bool whole = false;  // the line holds a word whose width does not add up: measured whole from then on
  for (qsizetype i = 0; i < words.size(); ++i) {
    if (!line.isEmpty()) ++joins;
    line += words[i];
    line += QLatin1Char(' ');
    const Word word = wordOf(words[i]);
    sum += word.width;
    whole = whole || !word.addsUp;
    // A tab reaches the next tab stop of the line, so its width depends on all that stands
    // before it: a line that has just taken a word with a tab is measured whole. What follows
    // the last tab adds up as above.
    if (joins > 0 &&
        (whole || words[i].contains(QLatin1Char('\t')) || std::abs(10.0 + sum - limit) <= joins * tolerance)) {
      sum = measure(line);
      joins = 0;
    }
    if (10.0 + sum > limit) {
      const qsizetype k = i > 0 ? i - 1 : 0;
      words[k] += kCR;
      line = words[i];
      line += QLatin1Char(' ');
      const Word first = wordOf(words[i]);
      sum = first.width;
      whole = !first.addsUp;
      joins = 0;
    }
  }
  QString t = Join(words, QStringLiteral(" "));
  t = ReplaceAllB(t, QStringLiteral("\r "), kCR);
  t = ReplaceAllB(t, QStringLiteral("}\r"), QStringLiteral("}"));
  t = ReplaceAllB(t, QStringLiteral("}"), QStringLiteral("}\r"));
  t = ReplaceAllB(t, QStringLiteral("\r{"), QStringLiteral("{"));
  t = ReplaceAllB(t, QStringLiteral("{"), QStringLiteral("\r{"));
  t = ReplaceAllB(t, QStringLiteral("}\r \r{"), QStringLiteral("}\r{"));
  return Trim(t);
}

QString AutoLineFeed(const QString& text, int width, const MeasureFn& measure, const CoversFn& covered) {
  return ReflowLines(RemoveLineFeeds(text), width, measure, covered);
}

QString RemoveColumnMarkers(const QString& oneLine) {
  QString t = ReplaceAllB(oneLine, QStringLiteral("-----"), QStringLiteral(" "));
  t = ReplaceAllB(t, QStringLiteral("  "), QStringLiteral(" "));
  return ReplaceAllB(t, QStringLiteral("  "), QStringLiteral(" "));
}
