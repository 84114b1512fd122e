#include "tools/reflow.h"

#include <QStringList>

#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/strings.h"

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
  QString line;
  for (qsizetype i = 0; i < words.size(); ++i) {
    line += words[i];
    line += QLatin1Char(' ');
    if (10.0 + measure(line) > static_cast<double>(width)) {
      const qsizetype k = i > 0 ? i - 1 : 0;
      words[k] += kCR;
      line = words[i];
      line += QLatin1Char(' ');
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

MeasureFn PictureMeasure(int width, int height, double wordSize) {
  struct Surface {
    Picture picture;
    std::unique_ptr<Graphics> g;
    Surface(int w, int h) : picture(w, h), g(picture.NewGraphics()) {}
  };
  auto s = std::make_shared<Surface>(width, height);
  s->g->Bold(false);
  s->g->TextSize(wordSize);
  return [s](const QString& text) { return s->g->StringWidth(text); };
}
