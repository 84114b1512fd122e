#include "tools/reflow.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/core/strings.h"

namespace {
const QString kCR = QStringLiteral("\r");
}

QString RemoveLineFeeds(const QString& text) {
  QString t = ReplaceAllB(text, QStringLiteral("\n"), kCR);
  return ReplaceAllB(t, kCR, QStringLiteral(" "));
}

int ReflowWidth(int canvasWidth, bool centerLine) {
  if (centerLine) return static_cast<int>(canvasWidth / 2.0 - 10.0);
  return canvasWidth - 20;
}

QString ReflowLines(const QString& oneLine, int width, const MeasureFn& measure) {
  QStringList words = Split(oneLine, QStringLiteral(" "));
  if (words.isEmpty()) return QString();
  // Measuring every line whole costs a text layout per word. A line's width is instead followed
  // as the sum of its words' widths (each word measured once, with its blank), and the line is
  // measured whole when that sum comes within a blank's width per join of the limit, and after
  // every word with a tab, so the breaks are the ones whole-line measuring gives.
  QHash<QString, double> widths;
  auto wordWidth = [&](const QString& w) {
    auto it = widths.constFind(w);
    if (it == widths.constEnd()) it = widths.insert(w, measure(w + QLatin1Char(' ')));
    return it.value();
  };
  const double tolerance = std::max(measure(QStringLiteral(" ")), 1.0);
  const double limit = static_cast<double>(width);
  QString line;
  double sum = 0.0;
  int joins = 0;  // words appended since the line's width was last known exactly
  for (qsizetype i = 0; i < words.size(); ++i) {
    if (!line.isEmpty()) ++joins;
    line += words[i];
    line += QLatin1Char(' ');
    sum += wordWidth(words[i]);
    // A tab reaches the next tab stop of the line, so its width depends on all that stands
    // before it: a line that has just taken a word with a tab is measured whole. What follows
    // the last tab adds up as above.
    if (joins > 0 && (words[i].contains(QLatin1Char('\t')) || std::abs(10.0 + sum - limit) <= joins * tolerance)) {
      sum = measure(line);
      joins = 0;
    }
    if (10.0 + sum > limit) {
      const qsizetype k = i > 0 ? i - 1 : 0;
      words[k] += kCR;
      line = words[i];
      line += QLatin1Char(' ');
      sum = wordWidth(words[i]);
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

QString AutoLineFeed(const QString& text, int width, const MeasureFn& measure) {
  return ReflowLines(RemoveLineFeeds(text), width, measure);
}

QString RemoveColumnMarkers(const QString& oneLine) {
  QString t = ReplaceAllB(oneLine, QStringLiteral("-----"), QStringLiteral(" "));
  t = ReplaceAllB(t, QStringLiteral("  "), QStringLiteral(" "));
  return ReplaceAllB(t, QStringLiteral("  "), QStringLiteral(" "));
}
